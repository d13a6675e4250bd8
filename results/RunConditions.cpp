#include "results/RunConditions.h"

#include "results/JsonReader.h"

#include "platform/CpuidSource.h"

#include <QJsonArray>
#include <QJsonValue>

#include <charconv>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

namespace qv::results {

namespace {

// `value` with `decimals` digits after the point, independent of the locale.
std::string fixed(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : std::string("?");
}

SampleWait& sampleWait()
{
    static SampleWait wait;
    return wait;
}

// A measured share with the digits past `scale` dropped: they are noise.
JsonValue roundedOrNull(const std::optional<double>& value, double scale)
{
    return value ? JsonValue(std::round(*value * scale) / scale) : JsonValue(nullptr);
}

// The share of the ticks between two readings that `part` took; empty when either reading lacks its
// ticks, no tick passed or a counter went back (a wrapped or reset counter).
std::optional<double> tickShare(const std::optional<platform::CpuTicks>& first,
                                const std::optional<platform::CpuTicks>& second,
                                std::uint64_t platform::CpuTicks::*part)
{
    if (!first || !second || second->total() <= first->total() || (*second).*part < (*first).*part)
        return std::nullopt;
    return static_cast<double>((*second).*part - (*first).*part) /
           static_cast<double>(second->total() - first->total());
}

} // namespace

SampleWait setSampleWait(SampleWait wait)
{
    return std::exchange(sampleWait(), std::move(wait));
}

std::vector<std::string> conditionWarnings(const RunConditions& conditions)
{
    std::vector<std::string> warnings;
    if (conditions.onBattery == true)
        warnings.emplace_back("running on battery: the clock is lowered and varies");
    if (conditions.governor == "userspace") {
        warnings.emplace_back("governor 'userspace': a program sets the clock and may hold it low");
    } else if (conditions.governor == "powersave" && conditions.driver != "intel_pstate" &&
               conditions.driver != "amd-pstate-epp") {
        // These drivers' "powersave" is a policy that still raises the clock under load; elsewhere
        // it pins the clock to its lowest frequency.
        warnings.push_back("governor 'powersave' with driver '" + conditions.driver.value_or("unknown") +
                           "': the clock is pinned to its lowest frequency");
    }
    if (conditions.scalingMaxKHz && conditions.hardwareMaxKHz &&
        *conditions.scalingMaxKHz < *conditions.hardwareMaxKHz)
        warnings.push_back("the clock is capped at " + std::to_string(*conditions.scalingMaxKHz) +
                           " kHz below the hardware's " + std::to_string(*conditions.hardwareMaxKHz) +
                           " kHz");
    if (conditions.otherCpuUse && *conditions.otherCpuUse >= 0.2)
        warnings.push_back("other programs kept " + fixed(*conditions.otherCpuUse, 2) +
                           " processors busy before the run");
    if (conditions.stealShare && *conditions.stealShare >= 0.03)
        warnings.push_back("the hypervisor took " + fixed(*conditions.stealShare * 100, 1) +
                           " % of the processor time for other guests");
    if (conditions.throttleEvents && *conditions.throttleEvents > 0)
        warnings.push_back("the processor was throttled " + std::to_string(*conditions.throttleEvents) +
                           (*conditions.throttleEvents == 1 ? " time" : " times") + " during the run");
    return warnings;
}

// The spread is the sample standard deviation (divided by n - 1): a handful of runs samples the
// machine's behaviour, and the population form would understate it.
std::vector<std::string> spreadWarnings(const std::vector<IndexSeries>& series)
{
    std::vector<std::string> warnings;
    for (const IndexSeries& index : series) {
        const std::size_t n = index.values.size();
        if (n < 3)
            continue;
        double sum = 0;
        for (const double value : index.values)
            sum += value;
        const double mean = sum / static_cast<double>(n);
        if (!std::isfinite(mean) || mean <= 0)
            continue;
        double squares = 0;
        for (const double value : index.values)
            squares += (value - mean) * (value - mean);
        const double spread = std::sqrt(squares / static_cast<double>(n - 1)) / mean;
        if (spread >= 0.1)
            warnings.push_back(index.name + " varied by " + fixed(spread * 100, 1) + " % over " +
                               std::to_string(n) + " runs (standard deviation / mean)");
    }
    return warnings;
}

std::optional<std::string> hypervisorVendor()
{
    const platform::CpuidSource& cpuid = platform::installedCpuidSource();
    if (!cpuid.identificationFlagToggles())
        return std::nullopt;
    if (cpuid.execute(0).eax < 1 || (cpuid.execute(1).ecx & (1u << 31)) == 0)
        return std::string();
    const platform::CpuidRegisters leaf = cpuid.execute(0x40000000);
    std::string vendor;
    for (const std::uint32_t word : {leaf.ebx, leaf.ecx, leaf.edx}) {
        for (int shift = 0; shift < 32; shift += 8) {
            const auto byte = static_cast<unsigned char>(word >> shift);
            if (byte >= 0x20 && byte < 0x7F)
                vendor += static_cast<char>(byte);
        }
    }
    while (!vendor.empty() && vendor.back() == ' ')
        vendor.pop_back();
    return vendor.empty() ? std::string("unknown") : vendor;
}

ConditionsRecorder::ConditionsRecorder(platform::RunConditionsProbe probe, std::chrono::milliseconds sample)
    : m_probe(std::move(probe))
    , m_sample(sample)
{
}

// While this process sleeps, every busy tick belongs to someone else.
void ConditionsRecorder::begin()
{
    m_start = m_probe.read();
    if (const SampleWait& wait = sampleWait())
        wait(m_sample);
    else
        std::this_thread::sleep_for(m_sample);
    const platform::ConditionsReading end = m_probe.read();
    const auto busy = tickShare(m_start.ticks, end.ticks, &platform::CpuTicks::busy);
    m_otherCpuUse.reset();
    if (busy && end.onlineCpus)
        m_otherCpuUse = *busy * *end.onlineCpus;
}

RunConditions ConditionsRecorder::afterRun() const
{
    const platform::ConditionsReading now = m_probe.read();
    RunConditions conditions;
    conditions.loadAverage = now.loadAverage;
    conditions.runnableThreads = now.runnableThreads;
    conditions.onlineCpus = now.onlineCpus;
    conditions.otherCpuUse = m_otherCpuUse;
    conditions.governor = now.governor;
    conditions.driver = now.driver;
    conditions.currentKHz = now.currentKHz;
    conditions.scalingMaxKHz = now.scalingMaxKHz;
    conditions.hardwareMaxKHz = now.hardwareMaxKHz;
    conditions.boost = now.boost;
    conditions.hypervisor = hypervisorVendor();
    conditions.stealShare = tickShare(m_start.ticks, now.ticks, &platform::CpuTicks::steal);
    // A counter that went down was reset (or a processor went offline): the rise is unknown.
    if (m_start.throttleCount && now.throttleCount && *now.throttleCount >= *m_start.throttleCount &&
        *now.throttleCount - *m_start.throttleCount <=
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        conditions.throttleEvents = static_cast<std::int64_t>(*now.throttleCount - *m_start.throttleCount);
    conditions.onBattery = now.onBattery;
    conditions.warnings = conditionWarnings(conditions);
    return conditions;
}

std::vector<ConditionMember> conditionMembers(const RunConditions& conditions)
{
    JsonValue loadAverage(nullptr);
    if (conditions.loadAverage)
        loadAverage = JsonArray()
                          .add((*conditions.loadAverage)[0])
                          .add((*conditions.loadAverage)[1])
                          .add((*conditions.loadAverage)[2]);
    JsonValue currentKHz(nullptr);
    if (conditions.currentKHz) {
        JsonArray clocks;
        for (const std::int64_t kHz : *conditions.currentKHz)
            clocks.add(kHz);
        currentKHz = clocks;
    }
    return {{"LoadAverage", loadAverage},
            {"RunnableThreads", orNull(conditions.runnableThreads)},
            {"OnlineCpus", orNull(conditions.onlineCpus)},
            {"OtherCpuUse", roundedOrNull(conditions.otherCpuUse, 1e3)},
            {"Governor", orNull(conditions.governor)},
            {"Driver", orNull(conditions.driver)},
            {"CurrentKHz", currentKHz},
            {"ScalingMaxKHz", orNull(conditions.scalingMaxKHz)},
            {"HardwareMaxKHz", orNull(conditions.hardwareMaxKHz)},
            {"Boost", orNull(conditions.boost)},
            {"Hypervisor", orNull(conditions.hypervisor)},
            {"StealShare", roundedOrNull(conditions.stealShare, 1e4)},
            {"ThrottleEvents", orNull(conditions.throttleEvents)},
            {"OnBattery", orNull(conditions.onBattery)},
            {"Warnings", textArray(conditions.warnings)}};
}

JsonObject conditionsJson(const RunConditions& conditions)
{
    JsonObject object;
    for (const ConditionMember& member : conditionMembers(conditions))
        object.add(member.key, member.value);
    return object;
}

RunConditions conditionsFromJson(const QJsonObject& object, const std::string& where)
{
    const JsonReader reader(object, where);
    const auto wholeNumbers = [&](std::string_view key) {
        std::vector<std::int64_t> numbers;
        const QJsonArray array = reader.array(key);
        numbers.reserve(std::size_t(array.size()));
        for (qsizetype i = 0; i < array.size(); ++i)
            numbers.push_back(JsonReader::wholeNumberAt(array[i], reader.elementPath(key, i)));
        return numbers;
    };
    const auto int32 = [&](std::string_view key) -> std::optional<int> {
        const auto value = reader.optionalWholeNumber(key);
        if (value && *value > std::numeric_limits<int>::max())
            throw FormatError(reader.path(key) + " is too large");
        return value ? std::optional(int(*value)) : std::nullopt;
    };
    RunConditions conditions;
    if (reader.has("LoadAverage")) {
        const QJsonArray averages = reader.array("LoadAverage");
        if (averages.size() != 3)
            throw FormatError(reader.path("LoadAverage") + " must hold three numbers");
        std::array<double, 3> loadAverage{};
        for (qsizetype i = 0; i < 3; ++i)
            loadAverage[std::size_t(i)] =
                JsonReader::numberAt(averages[i], reader.elementPath("LoadAverage", i));
        conditions.loadAverage = loadAverage;
    }
    conditions.runnableThreads = int32("RunnableThreads");
    conditions.onlineCpus = int32("OnlineCpus");
    conditions.otherCpuUse = reader.optionalNumber("OtherCpuUse");
    conditions.governor = reader.optionalText("Governor");
    conditions.driver = reader.optionalText("Driver");
    if (reader.has("CurrentKHz"))
        conditions.currentKHz = wholeNumbers("CurrentKHz");
    conditions.scalingMaxKHz = reader.optionalWholeNumber("ScalingMaxKHz");
    conditions.hardwareMaxKHz = reader.optionalWholeNumber("HardwareMaxKHz");
    conditions.boost = reader.optionalFlag("Boost");
    conditions.hypervisor = reader.optionalText("Hypervisor");
    conditions.stealShare = reader.optionalNumber("StealShare");
    conditions.throttleEvents = reader.optionalWholeNumber("ThrottleEvents");
    conditions.onBattery = reader.optionalFlag("OnBattery");
    if (object.contains(QLatin1String("Warnings")))
        conditions.warnings = reader.texts("Warnings");
    return conditions;
}

} // namespace qv::results
