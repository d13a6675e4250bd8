#include "cpu/cxcpu2kDefault.h"

#include "cpu/cxcpu2kAPI.h"
#include "platform/SystemFacts.h"
#include "platform/TickCount.h"

#include <utility>

namespace qv::cpu {

namespace {

constexpr int kFeatureTSC = 4;

// The counter as the measurement forms it: high half times 2^32 plus low half, in extended precision.
long double counterValue(std::uint64_t counter)
{
    const auto high = static_cast<std::uint32_t>(counter >> 32);
    const auto low = static_cast<std::uint32_t>(counter);
    return static_cast<long double>(high) * 4294967296.0L + static_cast<long double>(low);
}

} // namespace

float MeasureClock(std::int32_t delay)
{
    if (!HasFeature(kFeatureTSC))
        return 0.0f;
    const platform::CpuidSource& counterSource = platform::installedCpuidSource();
    if (const auto scripted = counterSource.scriptedClockMegahertz())
        return *scripted;
    const std::uint32_t base = platform::TickCount();
    while (platform::TickCount() == base) {
    }
    const std::uint64_t start = counterSource.readTimeStampCounter();
    // Elapsed time as an unsigned difference, so that a wrap of the tick counter does not end the wait.
    const auto span = static_cast<std::uint32_t>(delay);
    while (platform::elapsedTicks(base, platform::TickCount()) < span) {
    }
    const std::uint64_t end = counterSource.readTimeStampCounter();
    const long double cycles = counterValue(end) - counterValue(start);
    return static_cast<float>(cycles / (1000000.0L / (1000.0L / static_cast<long double>(delay))));
}

namespace cxcpu2kDefault {

QString GetShortName()
{
    return QStringLiteral("Unknown ");
}

QString GetCompanyName()
{
    return QStringLiteral("Unknown Vendor");
}

QString GetSystemClassName()
{
    switch (const std::int32_t type = platform::GetSystemInfo().dwProcessorType) {
    case 386:
        return QStringLiteral("386 class");
    case 486:
        return QStringLiteral("486 class");
    case 586:
        return QStringLiteral("Pentium class");
    case 686:
        return QStringLiteral("Pentium II class");
    default:
        return QString::number(type) + QStringLiteral(" class");
    }
}

} // namespace cxcpu2kDefault

} // namespace qv::cpu
