#pragma once

#include "cpu/cxcpu2kDefault.h"
#include "platform/CpuidDump.h"
#include "platform/CpuidSource.h"
#include "platform/SystemFacts.h"
#include "platform/TickCount.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace qv::test {

inline std::string dumpPath(const std::string& name)
{
    return std::string(QV_SOURCE_DIR).append("/tests/cpu/dumps/").append(name);
}

// Replays a dump file, or dump text, for the lifetime of the object.
class ScopedDump {
public:
    static std::shared_ptr<const platform::RecordedCpuidSource> load(const std::string& file);
    static std::shared_ptr<const platform::RecordedCpuidSource> fromText(const std::string& text);

    explicit ScopedDump(std::shared_ptr<const platform::CpuidSource> source)
        : m_scope(std::move(source))
    {
    }

private:
    platform::ScopedCpuidSource m_scope;
};

// The system-information call answers with fixed facts while the object lives.
class ScopedSystemInfo {
public:
    explicit ScopedSystemInfo(std::int32_t processors = 2, std::int32_t type = 586);

private:
    platform::ScopedSystemInfoProvider m_scope;
};

// A simulated machine clock: the tick counter has `granularity` ms steps and every reading of it lets
// 250 µs pass; the time-stamp counter runs at `megahertz`. Installed for the lifetime of the object,
// together with a source that answers CPUID from `inner` and RDTSC from this clock.
class FakeClock {
public:
    FakeClock(std::shared_ptr<const platform::CpuidSource> inner, std::uint64_t megahertz,
              std::uint32_t granularity = 10, std::uint32_t startTick = 0);
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    std::uint32_t tick();
    std::uint64_t timeStampCounter() const { return m_microseconds * m_megahertz; }

private:
    std::uint64_t m_megahertz;
    std::uint32_t m_granularity;
    std::uint32_t m_startTick;
    std::uint64_t m_microseconds = 0;
    platform::ScopedCpuidSource m_scope;
    platform::ScopedTickCounter m_tickCounter;
};

// The text of a recorded dump file.
std::string loadDumpText(const std::string& file);

// "CPUID LLLLLLLL: ..." lines of a processor with the given vendor string, signature, standard feature
// word and leaf-2 registers; no extended leaf.
std::string dumpText(const std::string& vendor, std::uint32_t signature, std::uint32_t features,
                     const platform::CpuidRegisters& descriptors = {});

// Text with its zero characters made visible, for failure messages and comparisons.
inline QString visible(QString text)
{
    return text.replace(QChar(u'\0'), QStringLiteral("\\0"));
}

} // namespace qv::test
