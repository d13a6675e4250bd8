#include "stress/StressMonitor.h"

namespace qv::stress {

StressMonitor::StressMonitor(StressTest& test, ReadSensors readSensors)
    : m_test(test)
    , m_readSensors(std::move(readSensors))
{
}

StressSnapshot StressMonitor::tick()
{
    m_last = m_readSensors();
    if (m_test.snapshot().running)
        if (const auto reason = thermalCutOff(m_last))
            m_test.stop("Thermal cut-off: " + *reason);
    StressSnapshot snapshot = m_test.snapshot();

    SensorSample sample;
    sample.seconds = static_cast<double>(snapshot.elapsed.count()) / 1000;
    if (const Temperature* hottest = m_last.hottest()) {
        sample.hottestCelsius = hottest->celsius;
        m_sawTemperature = true;
    }
    sample.meanClockMHz = m_last.meanClockMHz();
    m_history.push_back(sample);
    return snapshot;
}

std::string durationText(std::chrono::milliseconds duration)
{
    const long long seconds = duration.count() / 1000;
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 % 60;
    const long long rest = seconds % 60;
    if (hours > 0)
        return std::to_string(hours) + " h" + (minutes > 0 ? " " + std::to_string(minutes) + " min" : "");
    if (minutes > 0)
        return std::to_string(minutes) + " min" + (rest > 0 ? " " + std::to_string(rest) + " s" : "");
    return std::to_string(rest) + " s";
}

std::string verdictLine(const StressSnapshot& snapshot)
{
    std::string line = snapshot.errors == 0
                           ? std::string("No error")
                           : std::to_string(snapshot.errors) + (snapshot.errors == 1 ? " error" : " errors");
    line += " in " + durationText(snapshot.elapsed);
    if (!snapshot.stopReason.empty())
        line += " (" + snapshot.stopReason + ")";
    return line;
}

} // namespace qv::stress
