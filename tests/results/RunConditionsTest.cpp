#include "results/RunConditions.h"
#include "tests/support/FakeTree.h"

#include "platform/CpuidDump.h"
#include "tests/support/TestSupport.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>

namespace {

using namespace qv::results;
using qv::platform::CpuidRegisters;
using qv::platform::RecordedCpuidSource;
using qv::platform::ScopedCpuidSource;

struct WarningCase {
    const char* name;
    RunConditions conditions;
    std::vector<std::string> expected;
};

class ConditionWarnings : public testing::TestWithParam<WarningCase> {};

TEST_P(ConditionWarnings, WarnExactlyAtTheThresholds)
{
    EXPECT_EQ(conditionWarnings(GetParam().conditions), GetParam().expected);
}

const std::string kPowersave = "the clock is pinned to its lowest frequency";
const std::string kAcpi = "acpi-cpufreq";

// Each row names only the members it sets; the others stay empty.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Thresholds, ConditionWarnings,
    testing::Values(
        WarningCase{"NothingKnown", {}, {}},
        WarningCase{"OnBattery", {.onBattery = true}, {"running on battery: the clock is lowered and varies"}},
        WarningCase{"OnMains", {.onBattery = false}, {}},
        WarningCase{"Userspace", {.governor = "userspace", .driver = kAcpi},
                    {"governor 'userspace': a program sets the clock and may hold it low"}},
        WarningCase{"PowersaveAcpi", {.governor = "powersave", .driver = kAcpi},
                    {"governor 'powersave' with driver 'acpi-cpufreq': " + kPowersave}},
        WarningCase{"PowersaveNoDriver", {.governor = "powersave"},
                    {"governor 'powersave' with driver 'unknown': " + kPowersave}},
        WarningCase{"PowersaveIntelPstate", {.governor = "powersave", .driver = "intel_pstate"}, {}},
        WarningCase{"PowersaveAmdPstateEpp", {.governor = "powersave", .driver = "amd-pstate-epp"}, {}},
        WarningCase{"Performance", {.governor = "performance", .driver = kAcpi}, {}},
        WarningCase{"Schedutil", {.governor = "schedutil", .driver = kAcpi}, {}},
        WarningCase{"Capped", {.scalingMaxKHz = 2000000, .hardwareMaxKHz = 3500000},
                    {"the clock is capped at 2000000 kHz below the hardware's 3500000 kHz"}},
        WarningCase{"NotCapped", {.scalingMaxKHz = 3500000, .hardwareMaxKHz = 3500000}, {}},
        WarningCase{"OtherUseBelow", {.otherCpuUse = 0.19}, {}},
        WarningCase{"OtherUseAt", {.otherCpuUse = 0.2}, {"other programs kept 0.20 processors busy before the run"}},
        WarningCase{"StealBelow", {.stealShare = 0.029}, {}},
        WarningCase{"StealAt", {.stealShare = 0.03},
                    {"the hypervisor took 3.0 % of the processor time for other guests"}},
        WarningCase{"NoThrottle", {.throttleEvents = 0}, {}},
        WarningCase{"OneThrottle", {.throttleEvents = 1}, {"the processor was throttled 1 time during the run"}},
        WarningCase{"BoostAndHypervisorNeverWarn", {.boost = false, .hypervisor = "KVMKVMKVM"}, {}},
        WarningCase{"InMemberOrder", {.otherCpuUse = 1.255, .throttleEvents = 4, .onBattery = true},
                    {"running on battery: the clock is lowered and varies",
                     "other programs kept 1.25 processors busy before the run",
                     "the processor was throttled 4 times during the run"}}),
    qv::test::RowName());
// clang-format on
#pragma GCC diagnostic pop

TEST(SpreadWarnings, WarnFromTenPercentOverThreeOrMoreRuns)
{
    const std::vector<IndexSeries> series{{"At", {90, 100, 110}},
                                          {"Below", {90.1, 100, 109.9}},
                                          {"TwoRuns", {50, 150}},
                                          {"ZeroMean", {-1, 0, 1}},
                                          {"Wide", {50, 100, 150, 100}}};
    EXPECT_EQ(spreadWarnings(series),
              (std::vector<std::string>{"At varied by 10.0 % over 3 runs (standard deviation / mean)",
                                        "Wide varied by 40.8 % over 4 runs (standard deviation / mean)"}));
}

// The vendor text is EBX, ECX and EDX of leaf 0x40000000, four bytes each, lowest byte first.
std::shared_ptr<const RecordedCpuidSource> processor(bool hypervisorBit, const char (&vendor)[13])
{
    CpuidRegisters leaf;
    std::memcpy(&leaf.ebx, vendor, 4);
    std::memcpy(&leaf.ecx, vendor + 4, 4);
    std::memcpy(&leaf.edx, vendor + 8, 4);
    using qv::platform::formatCpuidDumpLine;
    const std::string dump = formatCpuidDumpLine(0, {0x16, 0, 0, 0}) + "\n" +
                             formatCpuidDumpLine(1, {0x906EA, 0, hypervisorBit ? 0x80000000u : 0u, 0}) +
                             "\n" + formatCpuidDumpLine(0x40000000, leaf) + "\n";
    return std::make_shared<RecordedCpuidSource>(RecordedCpuidSource::parse(dump));
}

TEST(HypervisorVendor, ReadsTheVendorLeafOnlyUnderAHypervisor)
{
    struct Case {
        std::shared_ptr<const RecordedCpuidSource> source;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {std::make_shared<RecordedCpuidSource>(RecordedCpuidSource::parse("")), std::nullopt},
        {processor(false, "KVMKVMKVM\0\0\0"), ""},
        {processor(true, "KVMKVMKVM\0\0\0"), "KVMKVMKVM"},
        {processor(true, " Ab\x01 c   \0\0\0"), " Ab c"},
        {processor(true, "\0\0\0\0\0\0\0\0\0\0\0\0"), "unknown"},
    };
    for (const Case& c : cases) {
        const ScopedCpuidSource installed(c.source);
        EXPECT_EQ(hypervisorVendor(), c.expected);
    }
}

const std::string kStat = "proc/stat";
const std::string kThrottle = "sys/devices/system/cpu/cpu0/thermal_throttle/core_throttle_count";

TEST(ConditionsRecorder, CountsSinceTheSampleBegan)
{
    qv::test::FakeTree root;
    root.write("sys/devices/system/cpu/online", "0-3\n");
    root.write("proc/loadavg", "4.00 3.00 2.00 5/100 1\n");
    root.write(kStat, "cpu 1000 0 0 3000 0 0 0 100\n");
    root.write(kThrottle, "5\n");
    const ScopedCpuidSource noCpuid(std::make_shared<RecordedCpuidSource>(RecordedCpuidSource::parse("")));

    // Others keep a quarter of four processors busy during the sample.
    std::chrono::milliseconds waited{};
    const ScopedSampleWait wait([&](std::chrono::milliseconds sample) {
        waited = sample;
        root.write(kStat, "cpu 1500 0 0 4500 0 0 0 100\n");
    });
    ConditionsRecorder recorder(qv::platform::RunConditionsProbe(root.path()),
                                std::chrono::milliseconds(250));
    recorder.begin();
    EXPECT_EQ(waited, std::chrono::milliseconds(250));

    root.write("proc/loadavg", "1.50 1.25 1.00 2/100 1\n");
    root.write(kStat, "cpu 2000 0 0 5700 0 0 0 400\n");
    root.write(kThrottle, "8\n");
    const RunConditions conditions = recorder.afterRun();
    EXPECT_EQ(conditions.loadAverage, (std::array<double, 3>{1.5, 1.25, 1.0}));
    EXPECT_EQ(conditions.runnableThreads, 2);
    EXPECT_EQ(conditions.onlineCpus, 4);
    EXPECT_EQ(conditions.otherCpuUse, 1.0);
    EXPECT_EQ(conditions.stealShare, 300.0 / 4000.0);
    EXPECT_EQ(conditions.throttleEvents, 3);
    EXPECT_EQ(conditions.hypervisor, std::nullopt);
    EXPECT_EQ(conditions.warnings,
              (std::vector<std::string>{"other programs kept 1.00 processors busy before the run",
                                        "the hypervisor took 7.5 % of the processor time for other guests",
                                        "the processor was throttled 3 times during the run"}));

    // Counters that stood still or went back give no figure rather than a wrong one.
    root.write(kThrottle, "1\n");
    ConditionsRecorder unchanged(qv::platform::RunConditionsProbe(root.path()), std::chrono::milliseconds(0));
    const ScopedSampleWait noChange([](std::chrono::milliseconds) {});
    unchanged.begin();
    root.write(kThrottle, "0\n");
    const RunConditions still = unchanged.afterRun();
    EXPECT_EQ(still.otherCpuUse, std::nullopt);
    EXPECT_EQ(still.stealShare, std::nullopt);
    EXPECT_EQ(still.throttleEvents, std::nullopt);
}

QJsonObject parsed(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

TEST(ConditionsJson, RoundTripsAndRoundsTheMeasuredShares)
{
    RunConditions full{
        {{0.5, 1.25, 2}}, 3,    4,  1.125,  "schedutil", "acpi-cpufreq", {{1200000, 3400000}}, 3000000,
        3500000,          true, "", 0.0312, 2,           false,          {"w1", "w2"}};
    EXPECT_EQ(conditionsFromJson(parsed(conditionsJson(full).text()), "C"), full);
    const RunConditions empty;
    EXPECT_EQ(conditionsJson(empty).text(),
              R"({"LoadAverage":null,"RunnableThreads":null,"OnlineCpus":null,"OtherCpuUse":null,)"
              R"("Governor":null,"Driver":null,"CurrentKHz":null,"ScalingMaxKHz":null,"HardwareMaxKHz":null,)"
              R"("Boost":null,"Hypervisor":null,"StealShare":null,"ThrottleEvents":null,"OnBattery":null,)"
              R"("Warnings":[]})");
    EXPECT_EQ(conditionsFromJson(parsed(conditionsJson(empty).text()), "C"), empty);
    EXPECT_EQ(conditionsFromJson(parsed(R"({"Governor":null,"Unknown":[1]})"), "C"), empty);

    full.otherCpuUse = 1.23456;
    full.stealShare = 0.0123456;
    const RunConditions back = conditionsFromJson(parsed(conditionsJson(full).text()), "C");
    EXPECT_EQ(back.otherCpuUse, 1.235);
    EXPECT_EQ(back.stealShare, 0.0123);
}

TEST(ConditionsJson, RejectsBadValuesNamingTheMember)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"("RunnableThreads":"3")", "RunnableThreads is not a number"},
        {R"("OnlineCpus":2.5)", "OnlineCpus is not a whole number"},
        {R"("OnlineCpus":-1)", "OnlineCpus is negative"},
        {R"("OnlineCpus":3000000000)", "OnlineCpus is too large"},
        {R"("ThrottleEvents":1e300)", "ThrottleEvents is too large"},
        {R"("LoadAverage":[1,2])", "LoadAverage must hold three numbers"},
        {R"("LoadAverage":1)", "LoadAverage is not a list"},
        {R"("LoadAverage":[1,"2",3])", "LoadAverage[1] is not a number"},
        {R"("LoadAverage":[1,2,-3])", "LoadAverage[2] is negative"},
        {R"("StealShare":-0.1)", "StealShare is negative"},
        {R"("OtherCpuUse":true)", "OtherCpuUse is not a number"},
        {R"("Governor":5)", "Governor is not a text"},
        {R"("Boost":"yes")", "Boost is not true or false"},
        {R"("CurrentKHz":{})", "CurrentKHz is not a list"},
        {R"("CurrentKHz":[1,2.5])", "CurrentKHz[1] is not a whole number"},
        {R"("Warnings":null)", "Warnings is not a list"},
        {R"("Warnings":[1])", "Warnings[0] is not a text"},
    };
    for (const auto& [member, message] : cases) {
        const QJsonObject object = parsed(std::string("{") + member + "}");
        ASSERT_FALSE(object.isEmpty()) << member;
        try {
            conditionsFromJson(object, "Runs[1].Conditions");
            ADD_FAILURE() << member << " was accepted";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.what(), std::string("Runs[1].Conditions.") + message);
        }
    }
    QJsonObject infinite;
    infinite.insert(QStringLiteral("StealShare"), std::numeric_limits<double>::infinity());
    EXPECT_THROW(conditionsFromJson(infinite, "C"), FormatError);
}

} // namespace
