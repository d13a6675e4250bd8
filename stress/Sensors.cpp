#include "stress/Sensors.h"

#include "platform/RunConditionsProbe.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace qv::stress {

namespace {

constexpr std::size_t kSmallFile = 256;
constexpr std::string_view kHwmonFolder = "/sys/class/hwmon";
constexpr std::string_view kCpuFolder = "/sys/devices/system/cpu";

std::string firstLine(std::string text)
{
    text.erase(std::find(text.begin(), text.end(), '\n'), text.end());
    return text;
}

std::optional<std::int64_t> readInteger(const hardware::MachineTree& tree, const std::string& path)
{
    const auto text = tree.read(path, kSmallFile);
    if (!text)
        return std::nullopt;
    const std::string line = firstLine(*text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size())
        return std::nullopt;
    return value;
}

// The number in names like "temp3_input" or "cpu12"; empty when the name is not prefix + digits + suffix.
std::optional<int> numberIn(std::string_view name, std::string_view prefix, std::string_view suffix)
{
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::vector<int> numbered(const std::vector<std::string>& names, std::string_view prefix,
                          std::string_view suffix)
{
    std::vector<int> numbers;
    for (const std::string& name : names)
        if (const auto number = numberIn(name, prefix, suffix))
            numbers.push_back(*number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void readMonitor(const hardware::MachineTree& tree, const std::string& folder, std::vector<Temperature>& out)
{
    const std::string chip = firstLine(tree.read(folder + "/name", kSmallFile).value_or("hwmon"));
    for (const int n : numbered(tree.list(folder), "temp", "_input")) {
        const std::string base = folder + "/temp" + std::to_string(n);
        const auto milli = readInteger(tree, base + "_input");
        if (!milli)
            continue;
        Temperature temperature;
        temperature.chip = chip;
        temperature.label =
            firstLine(tree.read(base + "_label", kSmallFile).value_or("temp" + std::to_string(n)));
        temperature.celsius = static_cast<double>(*milli) / 1000;
        if (const auto critical = readInteger(tree, base + "_crit"); critical && *critical > 0)
            temperature.criticalCelsius = static_cast<double>(*critical) / 1000;
        out.push_back(std::move(temperature));
    }
}

std::vector<double> readClocks(const hardware::MachineTree& tree)
{
    std::vector<double> clocks;
    for (const int n : numbered(tree.list(kCpuFolder), "cpu", ""))
        if (const auto kHz = readInteger(tree, std::string(kCpuFolder) + "/cpu" + std::to_string(n) +
                                                   "/cpufreq/scaling_cur_freq"))
            clocks.push_back(static_cast<double>(*kHz) / 1000);
    return clocks;
}

std::string degrees(double celsius)
{
    return std::to_string(static_cast<long long>(std::lround(celsius))) + " \u00b0C";
}

std::filesystem::path probeRootOf(const hardware::MachineTree& tree)
{
    if (const auto* folder = dynamic_cast<const hardware::FolderTree*>(&tree))
        return folder->root();
    return "/";
}

} // namespace

const Temperature* SensorReading::hottest() const
{
    const auto it =
        std::max_element(temperatures.begin(), temperatures.end(),
                         [](const Temperature& a, const Temperature& b) { return a.celsius < b.celsius; });
    return it == temperatures.end() ? nullptr : &*it;
}

std::optional<double> SensorReading::meanClockMHz() const
{
    if (clocksMHz.empty())
        return std::nullopt;
    return std::accumulate(clocksMHz.begin(), clocksMHz.end(), 0.0) / static_cast<double>(clocksMHz.size());
}

SensorReader::SensorReader()
    : SensorReader(hardware::installedMachineTree(), probeRootOf(hardware::installedMachineTree()))
{
}

SensorReader::SensorReader(const hardware::MachineTree& tree, std::filesystem::path probeRoot)
    : m_tree(tree)
    , m_probeRoot(std::move(probeRoot))
{
}

SensorReading SensorReader::read() const
{
    SensorReading reading;
    for (const std::string& monitor : m_tree.list(kHwmonFolder))
        readMonitor(m_tree, std::string(kHwmonFolder) + "/" + monitor, reading.temperatures);
    reading.clocksMHz = readClocks(m_tree);
    reading.throttleCount = platform::RunConditionsProbe(m_probeRoot).read().throttleCount;
    return reading;
}

std::optional<std::string> thermalCutOff(const SensorReading& reading)
{
    for (const Temperature& temperature : reading.temperatures) {
        const double limit = temperature.criticalCelsius.value_or(kDefaultCriticalCelsius);
        if (temperature.celsius >= limit)
            return temperature.chip + " " + temperature.label + " reached " + degrees(temperature.celsius) +
                   " (limit " + degrees(limit) + ")";
    }
    return std::nullopt;
}

} // namespace qv::stress
