#pragma once

#include "platform/RunConditionsProbe.h"
#include "platform/ScopedHook.h"
#include "results/JsonWriter.h"

#include <QJsonObject>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::results {

// A file that claims to be ours but is not well formed: `what()` says what is wrong and where, e.g.
// "Runs[2].Conditions.StealShare is negative".
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The conditions a benchmark run met, as saved and printed (JSON key = member name, capitalised, in
// this order). Empty members are unknown (null in JSON).
struct RunConditions {
    std::optional<std::array<double, 3>> loadAverage;
    std::optional<int> runnableThreads;
    std::optional<int> onlineCpus;
    std::optional<double> otherCpuUse; // processors' worth kept busy by others in the sample before the runs
    std::optional<std::string> governor;
    std::optional<std::string> driver;
    std::optional<std::vector<std::int64_t>> currentKHz;
    std::optional<std::int64_t> scalingMaxKHz;
    std::optional<std::int64_t> hardwareMaxKHz;
    std::optional<bool> boost;
    std::optional<std::string> hypervisor;      // its vendor text; "" when not under one
    std::optional<double> stealShare;           // 0..1 of all ticks since the sample began
    std::optional<std::int64_t> throttleEvents; // since the sample began
    std::optional<bool> onBattery;
    std::vector<std::string> warnings;

    bool operator==(const RunConditions&) const = default;
};

// The warnings the conditions call for, in the order of the members they concern.
std::vector<std::string> conditionWarnings(const RunConditions& conditions);

// One warning per index whose standard deviation over three or more runs reaches 10 % of its mean.
// `series` holds, per index name, its value in every run.
struct IndexSeries {
    std::string name;
    std::vector<double> values;
};
std::vector<std::string> spreadWarnings(const std::vector<IndexSeries>& series);

// The hypervisor's vendor from the installed CPUID source: empty without CPUID, "" when the
// hypervisor bit (leaf 1 ECX bit 31) is clear.
std::optional<std::string> hypervisorVendor();

// Replaces how begin() waits out its sample (tests change the machine's state meanwhile); an empty
// function restores sleeping. Returns the wait it replaces.
using SampleWait = std::function<void(std::chrono::milliseconds)>;
SampleWait setSampleWait(SampleWait wait);
using ScopedSampleWait = platform::ScopedHook<SampleWait, &setSampleWait>;

// Records the conditions of a series of runs: begin() samples the processors' load for a while (one
// second by default) before the first run; afterRun() reads the state at the end of a run, with the
// steal share and throttle events counted since the sample began, and the warnings they call for.
class ConditionsRecorder {
public:
    explicit ConditionsRecorder(platform::RunConditionsProbe probe = platform::RunConditionsProbe(),
                                std::chrono::milliseconds sample = std::chrono::seconds(1));

    void begin();
    RunConditions afterRun() const;

private:
    platform::RunConditionsProbe m_probe;
    std::chrono::milliseconds m_sample;
    platform::ConditionsReading m_start;
    std::optional<double> m_otherCpuUse;
};

// The JSON form (keys in the order above, Warnings last) and back. Reading ignores unknown keys,
// accepts null for every member but Warnings, and throws FormatError for a wrong type, a negative or
// non-finite number, naming the key after `where` (e.g. "Runs[1].Conditions").
JsonObject conditionsJson(const RunConditions& conditions);
// The same members one by one, for showing them side by side.
struct ConditionMember {
    std::string key;
    JsonValue value;
};
std::vector<ConditionMember> conditionMembers(const RunConditions& conditions);
RunConditions conditionsFromJson(const QJsonObject& object, const std::string& where);

} // namespace qv::results
