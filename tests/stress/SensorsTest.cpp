// The sensors over recorded machines: a desktop, a laptop and a virtual machine with none.
#include "stress/Sensors.h"
#include "stress/StressChoices.h"
#include "stress/StressMonitor.h"
#include "tests/support/FakeTree.h"

#include <gtest/gtest.h>

using namespace qv::stress;
using qv::hardware::FolderTree;
using qv::test::FakeTree;

namespace {

void writeClocks(FakeTree& files, std::initializer_list<const char*> kHz)
{
    int n = 0;
    for (const char* value : kHz)
        files.write("sys/devices/system/cpu/cpu" + std::to_string(n++) + "/cpufreq/scaling_cur_freq", value);
    files.write("sys/devices/system/cpu/online", "0-" + std::to_string(n - 1) + "\n");
}

// Two monitors, one without a critical limit; the monitor folders hold links, as sysfs does.
void writeDesktop(FakeTree& files)
{
    files.write("sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon1/name", "k10temp\n")
        .write("sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon1/temp1_input", "61250\n")
        .write("sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon1/temp1_label", "Tctl\n")
        .write("sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon1/temp3_input", "58000\n")
        .write("sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon1/temp3_label", "Tccd1\n")
        .write("sys/devices/nvme/hwmon/hwmon2/name", "nvme\n")
        .write("sys/devices/nvme/hwmon/hwmon2/temp1_input", "44850\n")
        .write("sys/devices/nvme/hwmon/hwmon2/temp1_label", "Composite\n")
        .write("sys/devices/nvme/hwmon/hwmon2/temp1_crit", "84850\n");
    std::filesystem::create_directories(files.path() / "sys/class/hwmon");
    std::filesystem::create_symlink("../../devices/pci0000:00/0000:00:18.3/hwmon/hwmon1",
                                    files.path() / "sys/class/hwmon/hwmon1");
    std::filesystem::create_symlink("../../devices/nvme/hwmon/hwmon2",
                                    files.path() / "sys/class/hwmon/hwmon2");
    writeClocks(files, {"3600000\n", "4200000\n", "2200000\n", "3000000\n"});
}

// An unlabelled ACPI zone, a package sensor with its limit, and throttle counters.
void writeLaptop(FakeTree& files)
{
    files.write("sys/class/hwmon/hwmon0/name", "acpitz\n")
        .write("sys/class/hwmon/hwmon0/temp1_input", "52000\n")
        .write("sys/class/hwmon/hwmon3/name", "coretemp\n")
        .write("sys/class/hwmon/hwmon3/temp1_input", "99000\n")
        .write("sys/class/hwmon/hwmon3/temp1_label", "Package id 0\n")
        .write("sys/class/hwmon/hwmon3/temp1_crit", "100000\n")
        .write("sys/class/hwmon/hwmon3/temp2_input", "not a number\n")
        .write("sys/devices/system/cpu/cpu0/thermal_throttle/core_throttle_count", "3\n")
        .write("sys/devices/system/cpu/cpu0/thermal_throttle/package_throttle_count", "7\n")
        .write("sys/devices/system/cpu/cpu1/thermal_throttle/core_throttle_count", "2\n")
        .write("sys/devices/system/cpu/cpu1/thermal_throttle/package_throttle_count", "7\n");
    writeClocks(files, {"800000\n", "1600000\n"});
}

SensorReading readFrom(const FakeTree& files)
{
    const FolderTree tree(files.path());
    return SensorReader(tree, files.path()).read();
}

TEST(SensorsTest, DesktopMonitorsThroughTheirLinksAndEveryClock)
{
    FakeTree files;
    writeDesktop(files);
    const SensorReading reading = readFrom(files);

    ASSERT_EQ(reading.temperatures.size(), 3U);
    EXPECT_EQ(reading.temperatures[0].chip, "k10temp");
    EXPECT_EQ(reading.temperatures[1].label, "Tccd1");
    EXPECT_DOUBLE_EQ(reading.temperatures[1].celsius, 58);
    EXPECT_FALSE(reading.temperatures[0].criticalCelsius);
    EXPECT_DOUBLE_EQ(reading.temperatures[2].criticalCelsius.value_or(0), 84.85);
    ASSERT_NE(reading.hottest(), nullptr);
    EXPECT_EQ(reading.hottest()->label, "Tctl");
    EXPECT_EQ(reading.clocksMHz.size(), 4U);
    EXPECT_DOUBLE_EQ(reading.meanClockMHz().value_or(0), 3250);
    EXPECT_FALSE(thermalCutOff(reading));
}

TEST(SensorsTest, LaptopUnlabelledZoneUnreadableInputAndThrottleCounts)
{
    FakeTree files;
    writeLaptop(files);
    const SensorReading reading = readFrom(files);

    ASSERT_EQ(reading.temperatures.size(), 2U) << "an input that is not a number is left out";
    EXPECT_EQ(reading.temperatures[0].label, "temp1");
    EXPECT_EQ(reading.temperatures[1].label, "Package id 0");
    EXPECT_EQ(reading.throttleCount.value_or(0), 19U) << "the sum only has to rise with every throttle";
    EXPECT_DOUBLE_EQ(reading.meanClockMHz().value_or(0), 1200);
}

TEST(SensorsTest, VirtualMachineHasNothingToShow)
{
    FakeTree files;
    files.write("sys/devices/system/cpu/cpu0/topology/core_id", "0\n");
    const SensorReading reading = readFrom(files);

    EXPECT_TRUE(reading.temperatures.empty());
    EXPECT_EQ(reading.hottest(), nullptr);
    EXPECT_FALSE(reading.meanClockMHz());
    EXPECT_FALSE(thermalCutOff(reading));
}

TEST(SensorsTest, ThermalCutOffAtTheSensorsLimitOrNinetyFiveDegrees)
{
    FakeTree files;
    writeLaptop(files);
    SensorReading reading = readFrom(files);
    EXPECT_FALSE(thermalCutOff(reading)) << "99 °C is below this sensor's own 100 °C";

    reading.temperatures[1].celsius = 100;
    EXPECT_EQ(thermalCutOff(reading).value_or(""),
              "coretemp Package id 0 reached 100 \u00b0C (limit 100 \u00b0C)");

    reading.temperatures[1].celsius = 60;
    reading.temperatures[0].celsius = 95.2;
    EXPECT_EQ(thermalCutOff(reading).value_or(""), "acpitz temp1 reached 95 \u00b0C (limit 95 \u00b0C)");
}

} // namespace

namespace {

TEST(StressMonitorTest, ThermalCutOffStopsTheTestAndSaysWhy)
{
    StressTest test;
    StressPlan plan;
    plan.processors = 1;
    plan.memory = false;
    test.start(plan);
    double celsius = 70;
    StressMonitor monitor(test, [&] {
        SensorReading reading;
        reading.temperatures.push_back({"k10temp", "Tctl", celsius, std::nullopt});
        return reading;
    });
    EXPECT_TRUE(monitor.tick().running);
    celsius = 95;
    const StressSnapshot snapshot = monitor.tick();

    EXPECT_FALSE(snapshot.running);
    EXPECT_EQ(snapshot.stopReason, "Thermal cut-off: k10temp Tctl reached 95 \u00b0C (limit 95 \u00b0C)");
    EXPECT_EQ(verdictLine(snapshot).find("No error in "), 0U);
    ASSERT_EQ(monitor.history().size(), 2U);
    EXPECT_EQ(monitor.history()[1].hottestCelsius.value_or(0), 95);
    EXPECT_FALSE(monitor.withoutTemperatures());
}

TEST(StressMonitorTest, VerdictCountsErrorsAndNamesTheDuration)
{
    StressSnapshot snapshot;
    snapshot.elapsed = std::chrono::minutes(15);
    EXPECT_EQ(verdictLine(snapshot), "No error in 15 min");
    snapshot.errors = 3;
    snapshot.elapsed = std::chrono::seconds(90);
    EXPECT_EQ(verdictLine(snapshot), "3 errors in 1 min 30 s");
    snapshot.errors = 1;
    snapshot.elapsed = std::chrono::milliseconds(20'400);
    EXPECT_EQ(verdictLine(snapshot), "1 error in 20 s");
}

} // namespace

namespace {

TEST(StressChoicesTest, LoadAndDurationMakeThePlan)
{
    const StressPlan memoryOnly = planFor(2, LoadChoice::Memory);
    EXPECT_EQ(memoryOnly.duration, std::chrono::minutes(15));
    EXPECT_EQ(memoryOnly.processors.value_or(-1), 0);
    EXPECT_TRUE(memoryOnly.memory);
    const StressPlan processors = planFor(kDurationChoices.size(), LoadChoice::Processors);
    EXPECT_EQ(processors.duration.count(), 0);
    EXPECT_FALSE(processors.processors) << "one worker per processor";
    EXPECT_FALSE(processors.memory);

    EXPECT_EQ(remainingText(planFor(0, LoadChoice::Processors), std::chrono::milliseconds(30'500)), "30 s");
    EXPECT_EQ(remainingText(planFor(0, LoadChoice::Processors), std::chrono::minutes(2)), "0 s");
    EXPECT_EQ(remainingText(processors, std::chrono::minutes(2)), "Until stopped");
}

} // namespace
