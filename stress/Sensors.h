#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv::stress {

// One temperature input of a hardware monitor.
struct Temperature {
    std::string chip;  // the monitor's name ("coretemp")
    std::string label; // its label, or "temp1" when it has none
    double celsius = 0;
    std::optional<double> criticalCelsius;
};

// What the sensors say at one moment.
struct SensorReading {
    std::vector<Temperature> temperatures;
    std::vector<double> clocksMHz;              // per processor that reports one, in processor order
    std::optional<std::uint64_t> throttleCount; // all processors together

    const Temperature* hottest() const;
    std::optional<double> meanClockMHz() const;
};

inline constexpr const char* kNoTemperatureSensors = "This machine has no temperature sensors";
// The limit of a sensor that gives none.
inline constexpr double kDefaultCriticalCelsius = 95;

// Reads the hardware monitors (/sys/class/hwmon) and the processors' current clocks (cpufreq) through the
// machine tree, and the throttle counters through the run-conditions probe rooted at the same folder.
class SensorReader {
public:
    // The installed tree; the probe reads the folder of a recorded tree, or the live machine.
    SensorReader();
    SensorReader(const hardware::MachineTree& tree, std::filesystem::path probeRoot);

    SensorReading read() const;

private:
    const hardware::MachineTree& m_tree;
    std::filesystem::path m_probeRoot;
};

// The first sensor at or above its critical limit (kDefaultCriticalCelsius where it gives none), as the
// reason the test stops: "coretemp Core 0 reached 101 °C (limit 100 °C)". Empty while all are below.
std::optional<std::string> thermalCutOff(const SensorReading& reading);

} // namespace qv::stress
