#include "platform/RunConditionsProbe.h"
#include "tests/support/FakeTree.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using qv::platform::ConditionsReading;
using qv::platform::RunConditionsProbe;

// A fake root with files written by their path below it.
class FakeRoot : public qv::test::FakeTree {
public:
    ConditionsReading read() const { return RunConditionsProbe(path()).read(); }
};

const std::string kCpu = "sys/devices/system/cpu/";
const std::string kPolicy = kCpu + "cpufreq/policy0/";
const std::string kSupply = "sys/class/power_supply/";

// Two processors with frequency scaling, boost, throttle counters and a laptop's power supplies.
void writeHealthyTree(FakeRoot& root)
{
    root.write("proc/loadavg", "0.52 0.58 0.59 3/811 12345\n")
        .write("proc/stat", "cpu  100 20 30 400 50 6 7 8 9 10\ncpu0 1 2 3 4 5 6 7 8 9 10\n")
        .write(kCpu + "online", "0-1\n")
        .write(kPolicy + "scaling_governor", "schedutil\n")
        .write(kPolicy + "scaling_driver", "acpi-cpufreq\n")
        .write(kPolicy + "scaling_max_freq", "3000000\n")
        .write(kPolicy + "cpuinfo_max_freq", "3500000\n")
        .write(kCpu + "cpu0/cpufreq/scaling_cur_freq", "1200000\n")
        .write(kCpu + "cpu1/cpufreq/scaling_cur_freq", "2800000\n")
        .write(kCpu + "cpufreq/boost", "1\n")
        .write(kCpu + "cpu0/thermal_throttle/core_throttle_count", "2\n")
        .write(kCpu + "cpu0/thermal_throttle/package_throttle_count", "3\n")
        .write(kCpu + "cpu1/thermal_throttle/core_throttle_count", "4\n")
        .write(kSupply + "AC/type", "Mains\n")
        .write(kSupply + "AC/online", "1\n")
        .write(kSupply + "BAT0/type", "Battery\n")
        .write(kSupply + "BAT0/status", "Charging\n");
}

TEST(RunConditionsProbe, ReadsEveryFieldOfAHealthyTree)
{
    FakeRoot root;
    writeHealthyTree(root);
    const ConditionsReading reading = root.read();
    EXPECT_EQ(reading.loadAverage, (std::array<double, 3>{0.52, 0.58, 0.59}));
    EXPECT_EQ(reading.runnableThreads, 3);
    EXPECT_EQ(reading.onlineCpus, 2);
    ASSERT_TRUE(reading.ticks);
    EXPECT_EQ(reading.ticks->busy, 100u + 20 + 30 + 6 + 7);
    EXPECT_EQ(reading.ticks->idle, 400u + 50);
    EXPECT_EQ(reading.ticks->steal, 8u);
    EXPECT_EQ(reading.governor, "schedutil");
    EXPECT_EQ(reading.driver, "acpi-cpufreq");
    EXPECT_EQ(reading.currentKHz, (std::vector<std::int64_t>{1200000, 2800000}));
    EXPECT_EQ(reading.scalingMaxKHz, 3000000);
    EXPECT_EQ(reading.hardwareMaxKHz, 3500000);
    EXPECT_EQ(reading.boost, true);
    EXPECT_EQ(reading.throttleCount, 9u);
    EXPECT_EQ(reading.onBattery, false);
}

TEST(RunConditionsProbe, AnEmptyTreeLeavesEveryFieldEmpty)
{
    FakeRoot root;
    const ConditionsReading reading = root.read();
    EXPECT_FALSE(reading.loadAverage || reading.runnableThreads || reading.onlineCpus || reading.ticks ||
                 reading.governor || reading.driver || reading.currentKHz || reading.scalingMaxKHz ||
                 reading.hardwareMaxKHz || reading.boost || reading.throttleCount || reading.onBattery);
}

struct GarbageCase {
    const char* name;
    std::string file;
    std::string content;
    std::function<bool(const ConditionsReading&)> isEmpty;
};

class RunConditionsProbeGarbage : public testing::TestWithParam<GarbageCase> {};

// Each row spoils one file of a healthy tree; the field it feeds must be empty, not a wrong value.
TEST_P(RunConditionsProbeGarbage, LeavesTheFieldEmpty)
{
    FakeRoot root;
    writeHealthyTree(root);
    ASSERT_FALSE(GetParam().isEmpty(root.read()));
    root.write(GetParam().file, GetParam().content);
    EXPECT_TRUE(GetParam().isEmpty(root.read()));
}

const auto kLoad = [](const ConditionsReading& r) { return !r.loadAverage; };
const auto kRunnable = [](const ConditionsReading& r) { return !r.runnableThreads; };
const auto kOnline = [](const ConditionsReading& r) { return !r.onlineCpus && !r.currentKHz; };
const auto kTicks = [](const ConditionsReading& r) { return !r.ticks; };
const auto kGovernor = [](const ConditionsReading& r) { return !r.governor; };
const auto kScalingMax = [](const ConditionsReading& r) { return !r.scalingMaxKHz; };
const auto kCurrent = [](const ConditionsReading& r) { return !r.currentKHz; };
const auto kBoost = [](const ConditionsReading& r) { return !r.boost; };
const auto kThrottle = [](const ConditionsReading& r) { return !r.throttleCount; };

INSTANTIATE_TEST_SUITE_P(
    Files, RunConditionsProbeGarbage,
    testing::Values(
        GarbageCase{"LoadTooFewFields", "proc/loadavg", "0.52 0.58\n", kLoad},
        GarbageCase{"LoadNegative", "proc/loadavg", "-0.5 0.58 0.59 3/811 1\n", kLoad},
        GarbageCase{"LoadNotANumber", "proc/loadavg", "nan 0.58 0.59 3/811 1\n", kLoad},
        GarbageCase{"RunnableNotANumber", "proc/loadavg", "0.52 0.58 0.59 x/811 1\n", kRunnable},
        GarbageCase{"RunnableOverflows", "proc/loadavg", "0.52 0.58 0.59 99999999999/811 1\n", kRunnable},
        GarbageCase{"OnlineEmpty", kCpu + "online", "\n", kOnline},
        GarbageCase{"OnlineBackwards", kCpu + "online", "3-1\n", kOnline},
        GarbageCase{"OnlineOverlapping", kCpu + "online", "0-3,2\n", kOnline},
        GarbageCase{"OnlineHuge", kCpu + "online", "0-4000000000\n", kOnline},
        GarbageCase{"StatThreeNumbers", "proc/stat", "cpu 1 2 3\n", kTicks},
        GarbageCase{"StatNegative", "proc/stat", "cpu 1 -2 3 4\n", kTicks},
        GarbageCase{"StatOtherLineFirst", "proc/stat", "intr 1 2 3 4 5\ncpu 1 2 3 4\n", kTicks},
        GarbageCase{"StatSumOverflows", "proc/stat", "cpu 18446744073709551615 1 0 0\n", kTicks},
        GarbageCase{"TextEmpty", kPolicy + "scaling_governor", " \n", kGovernor},
        GarbageCase{"TextControlCharacter", kPolicy + "scaling_governor", "sched\x01util\n", kGovernor},
        GarbageCase{"TextTwoLines", kPolicy + "scaling_governor", "a\nb\n", kGovernor},
        GarbageCase{"TextTooLong", kPolicy + "scaling_governor", std::string(65, 'a'), kGovernor},
        GarbageCase{"NumberNegative", kPolicy + "scaling_max_freq", "-1\n", kScalingMax},
        GarbageCase{"NumberFraction", kPolicy + "scaling_max_freq", "1.5\n", kScalingMax},
        GarbageCase{"NumberTwoWords", kPolicy + "scaling_max_freq", "12 34\n", kScalingMax},
        GarbageCase{"NumberOverflows", kPolicy + "scaling_max_freq", "9223372036854775808\n", kScalingMax},
        GarbageCase{"FileOverLimit", kPolicy + "scaling_max_freq", "1" + std::string(5000, ' '), kScalingMax},
        GarbageCase{"OneClockGarbage", kCpu + "cpu1/cpufreq/scaling_cur_freq", "fast\n", kCurrent},
        GarbageCase{"BoostNotAFlag", kCpu + "cpufreq/boost", "2\n", kBoost},
        GarbageCase{"ThrottleGarbage", kCpu + "cpu1/thermal_throttle/core_throttle_count", "x\n", kThrottle}),
    qv::test::RowName());

struct StatCase {
    const char* name;
    std::string line;
    std::uint64_t busy, idle, steal;
};

class RunConditionsProbeStat : public testing::TestWithParam<StatCase> {};

TEST_P(RunConditionsProbeStat, OlderKernelsLackTheLaterFields)
{
    FakeRoot root;
    root.write("proc/stat", GetParam().line);
    const auto ticks = root.read().ticks;
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->busy, GetParam().busy);
    EXPECT_EQ(ticks->idle, GetParam().idle);
    EXPECT_EQ(ticks->steal, GetParam().steal);
}

INSTANTIATE_TEST_SUITE_P(Lines, RunConditionsProbeStat,
                         testing::Values(StatCase{"FourNumbers", "cpu 1 2 3 4\n", 6, 4, 0},
                                         StatCase{"SevenNumbers", "cpu 1 2 3 4 5 6 7\n", 19, 9, 0},
                                         StatCase{"EightNumbers", "cpu 1 2 3 4 5 6 7 8", 19, 9, 8}),
                         qv::test::RowName());

TEST(RunConditionsProbe, OnlineListWithGapsGivesClocksInProcessorOrder)
{
    FakeRoot root;
    root.write(kCpu + "online", "0-3,6,8-9\n");
    const std::vector<int> online{0, 1, 2, 3, 6, 8, 9};
    for (const int n : online)
        root.write(kCpu + "cpu" + std::to_string(n) + "/cpufreq/scaling_cur_freq", std::to_string(1000 + n));
    root.write(kCpu + "cpu4/cpufreq/scaling_cur_freq", "garbage of an offline processor");
    const ConditionsReading reading = root.read();
    EXPECT_EQ(reading.onlineCpus, 7);
    EXPECT_EQ(reading.currentKHz, (std::vector<std::int64_t>{1000, 1001, 1002, 1003, 1006, 1008, 1009}));
}

TEST(RunConditionsProbe, FrequencyPolicyFallsBackToTheFirstProcessor)
{
    FakeRoot root;
    root.write(kCpu + "cpu0/cpufreq/scaling_governor", "performance\n")
        .write(kCpu + "cpu0/cpufreq/scaling_driver", "intel_pstate\n")
        .write(kCpu + "cpu0/cpufreq/scaling_max_freq", "4000000\n")
        .write(kCpu + "cpu0/cpufreq/cpuinfo_max_freq", "4500000\n");
    const ConditionsReading reading = root.read();
    EXPECT_EQ(reading.governor, "performance");
    EXPECT_EQ(reading.driver, "intel_pstate");
    EXPECT_EQ(reading.scalingMaxKHz, 4000000);
    EXPECT_EQ(reading.hardwareMaxKHz, 4500000);
}

TEST(RunConditionsProbe, BoostFromNoTurboIsInverted)
{
    for (const auto& [noTurbo, boost] : {std::pair{"1\n", false}, std::pair{"0\n", true}}) {
        FakeRoot root;
        root.write(kCpu + "intel_pstate/no_turbo", noTurbo);
        EXPECT_EQ(root.read().boost, boost) << "no_turbo " << noTurbo;
    }
}

struct Supply {
    std::string name, type, online, status, scope;
};

struct PowerCase {
    const char* name;
    std::vector<Supply> supplies;
    std::optional<bool> onBattery;
};

class RunConditionsProbePower : public testing::TestWithParam<PowerCase> {};

TEST_P(RunConditionsProbePower, DecidesWhetherTheMachineRunsOnBattery)
{
    FakeRoot root;
    for (const Supply& supply : GetParam().supplies) {
        const std::string folder = kSupply + supply.name + "/";
        root.write(folder + "type", supply.type + "\n");
        const std::pair<const char*, std::string> files[] = {
            {"online", supply.online}, {"status", supply.status}, {"scope", supply.scope}};
        for (const auto& [file, value] : files)
            if (!value.empty())
                root.write(folder + file, value + "\n");
    }
    EXPECT_EQ(root.read().onBattery, GetParam().onBattery);
}

const Supply kMainsOnline{"AC", "Mains", "1", "", ""};
const Supply kMainsOffline{"AC", "Mains", "0", "", ""};
const Supply kDischarging{"BAT0", "Battery", "", "Discharging", ""};
const Supply kMouse{"hidpp_battery_0", "Battery", "", "Discharging", "Device"};
const Supply kUsb{"ucsi-source-psy", "USB", "1", "", ""};

INSTANTIATE_TEST_SUITE_P(
    Layouts, RunConditionsProbePower,
    testing::Values(
        PowerCase{"MainsOnlineAndBattery", {kMainsOnline, kDischarging}, false},
        PowerCase{"MainsOfflineAndBattery", {kMainsOffline, kDischarging}, true},
        PowerCase{"MainsOfflineNoBattery", {kMainsOffline}, false},
        PowerCase{"NoMainsDischarging", {kUsb, kDischarging}, true},
        PowerCase{"NoMainsCharging", {{"BAT0", "Battery", "", "Charging", ""}}, false},
        PowerCase{"NoMainsFull", {{"BAT0", "Battery", "", "Full", ""}}, false},
        PowerCase{"NoMainsOneOfTwoDischarging", {kDischarging, {"BAT1", "Battery", "", "Full", ""}}, false},
        PowerCase{"OnlyADeviceBattery", {kMouse}, std::nullopt}, PowerCase{"Nothing", {}, std::nullopt}),
    qv::test::RowName());

// This machine has no frequency scaling, battery or throttle counters to check; the basics exist on
// every Linux system.
TEST(RunConditionsProbe, ReadsTheRealMachine)
{
    const ConditionsReading reading = RunConditionsProbe().read();
    EXPECT_TRUE(reading.loadAverage);
    EXPECT_TRUE(reading.runnableThreads);
    ASSERT_TRUE(reading.onlineCpus);
    EXPECT_GE(*reading.onlineCpus, 1);
    ASSERT_TRUE(reading.ticks);
    EXPECT_GT(reading.ticks->total(), 0u);
}

} // namespace
