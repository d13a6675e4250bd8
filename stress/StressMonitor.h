#pragma once

#include "stress/Sensors.h"
#include "stress/StressTest.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv::stress {

// One sample of the sensors during the run, for the plot.
struct SensorSample {
    double seconds = 0;
    std::optional<double> hottestCelsius;
    std::optional<double> meanClockMHz;
};

// Watches a running test once a second for the window and the tool: samples the sensors, keeps the
// history for the plot, and stops the test at once when a sensor reaches its critical limit.
class StressMonitor {
public:
    using ReadSensors = std::function<SensorReading()>;

    StressMonitor(StressTest& test, ReadSensors readSensors);

    // Samples the sensors and the counters; returns the counters as they stand after any cut-off.
    StressSnapshot tick();

    const std::vector<SensorSample>& history() const { return m_history; }
    const SensorReading& lastReading() const { return m_last; }
    // True when no sample so far has had a temperature.
    bool withoutTemperatures() const { return !m_sawTemperature; }

private:
    StressTest& m_test;
    ReadSensors m_readSensors;
    std::vector<SensorSample> m_history;
    SensorReading m_last;
    bool m_sawTemperature = false;
};

// "No error in 15 min", "1 error in 20 s", "3 errors in 1 min 30 s"; a stop before the time adds its reason.
std::string verdictLine(const StressSnapshot& snapshot);
// "20 s", "15 min", "1 min 30 s", "2 h 5 min".
std::string durationText(std::chrono::milliseconds duration);

} // namespace qv::stress
