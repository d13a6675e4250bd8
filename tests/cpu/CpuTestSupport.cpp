#include "tests/cpu/CpuTestSupport.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qv::test {

namespace {

class ClockedSource final : public platform::CpuidSource {
public:
    ClockedSource(std::shared_ptr<const platform::CpuidSource> inner, const FakeClock& clock)
        : m_inner(std::move(inner))
        , m_clock(clock)
    {
    }
    bool identificationFlagToggles() const override { return m_inner->identificationFlagToggles(); }
    platform::CpuidRegisters execute(std::uint32_t leaf) const override { return m_inner->execute(leaf); }
    std::uint64_t readTimeStampCounter() const override { return m_clock.timeStampCounter(); }

private:
    std::shared_ptr<const platform::CpuidSource> m_inner;
    const FakeClock& m_clock;
};

std::uint32_t textRegister(const std::string& vendor, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, vendor.data() + offset, 4);
    return value;
}

} // namespace

std::shared_ptr<const platform::RecordedCpuidSource> ScopedDump::load(const std::string& file)
{
    return std::make_shared<platform::RecordedCpuidSource>(
        platform::RecordedCpuidSource::fromFile(dumpPath(file)));
}

std::string loadDumpText(const std::string& file)
{
    std::ifstream in(dumpPath(file));
    if (!in)
        throw std::runtime_error("missing dump " + file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::shared_ptr<const platform::RecordedCpuidSource> ScopedDump::fromText(const std::string& text)
{
    return std::make_shared<platform::RecordedCpuidSource>(platform::RecordedCpuidSource::parse(text));
}

ScopedSystemInfo::ScopedSystemInfo(std::int32_t processors, std::int32_t type)
    : m_scope([processors, type] {
        return platform::SystemInfo{processors, type};
    })
{
}

FakeClock::FakeClock(std::shared_ptr<const platform::CpuidSource> inner, std::uint64_t megahertz,
                     std::uint32_t granularity, std::uint32_t startTick)
    : m_megahertz(megahertz)
    , m_granularity(granularity)
    , m_startTick(startTick)
    , m_scope(std::make_shared<ClockedSource>(std::move(inner), *this))
    , m_tickCounter([this] { return tick(); })
{
}

std::uint32_t FakeClock::tick()
{
    const auto milliseconds = static_cast<std::uint32_t>(m_microseconds / 1000);
    const std::uint32_t reading = m_startTick + milliseconds / m_granularity * m_granularity;
    m_microseconds += 250;
    return reading;
}

std::string dumpText(const std::string& vendor, std::uint32_t signature, std::uint32_t features,
                     const platform::CpuidRegisters& descriptors)
{
    if (vendor.size() != 12)
        throw std::invalid_argument("a vendor string has 12 characters");
    const platform::CpuidRegisters leaf0{2, textRegister(vendor, 0), textRegister(vendor, 8),
                                         textRegister(vendor, 4)};
    return platform::formatCpuidDumpLine(0, leaf0) + '\n' +
           platform::formatCpuidDumpLine(1, {signature, 0, 0, features}) + '\n' +
           platform::formatCpuidDumpLine(2, descriptors) + '\n';
}

} // namespace qv::test
