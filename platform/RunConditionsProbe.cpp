#include "platform/RunConditionsProbe.h"

#include "platform/FileAccess.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace qv::platform {

namespace {

namespace fs = std::filesystem;

// Every file read here is a short kernel text; anything longer is not what the kernel writes.
constexpr std::size_t kFileLimit = 4096;
constexpr std::size_t kTextLimit = 64;
// Far above any kernel's processor limit; a list beyond it is garbage, not a machine.
constexpr std::uint64_t kProcessorLimit = 1u << 16;
// Power supplies worth looking at; more entries than this are not a real machine's.
constexpr int kSupplyLimit = 256;

const fs::path kCpuFolder = "sys/devices/system/cpu";

// The file's content, at most kFileLimit bytes; empty when it is not a regular file or cannot be read.
// With `firstLineOnly`, the text up to the first line break, which must lie inside the limit; otherwise
// the whole file, which must fit the limit.
std::optional<std::string> readSmallFile(const fs::path& path, bool firstLineOnly = false)
{
    std::optional<std::string> content = readFileHead(path.string(), kFileLimit + 1);
    if (!content)
        return std::nullopt;
    if (firstLineOnly) {
        const std::size_t end = content->find('\n');
        if (end == std::string::npos ? content->size() > kFileLimit : end >= kFileLimit)
            return std::nullopt;
        content->resize(std::min(end, content->size()));
    } else if (content->size() > kFileLimit) {
        return std::nullopt;
    }
    return content;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    text = trimmed(text);
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        result.push_back(text.substr(0, end));
        text = trimmed(text.substr(end));
    }
    return result;
}

// Decimal digits only: no sign, no blanks, no overflow.
template<typename Integer>
std::optional<Integer> parseWhole(std::string_view text)
{
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Digits with at most one decimal point, as the load averages are written.
std::optional<double> parseDecimal(std::string_view text)
{
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    for (const char c : text)
        if ((c < '0' || c > '9') && c != '.')
            return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template<typename Integer>
std::optional<Integer> readWhole(const fs::path& path)
{
    const auto content = readSmallFile(path);
    return content ? parseWhole<Integer>(trimmed(*content)) : std::nullopt;
}

// A short one-line text such as a governor's name.
std::optional<std::string> readText(const fs::path& path)
{
    const auto content = readSmallFile(path);
    if (!content)
        return std::nullopt;
    const std::string_view text = trimmed(*content);
    if (text.empty() || text.size() > kTextLimit)
        return std::nullopt;
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return std::nullopt;
    return std::string(text);
}

// "0.52 0.58 0.59 3/811 12345": three load averages, runnable/existing threads, the last process id.
void readLoadAverage(const fs::path& root, ConditionsReading& reading)
{
    const auto content = readSmallFile(root / "proc/loadavg");
    if (!content)
        return;
    const auto fields = words(*content);
    if (fields.size() != 5)
        return;
    std::array<double, 3> averages{};
    bool averagesOk = true;
    for (std::size_t i = 0; i < averages.size(); ++i) {
        const auto value = parseDecimal(fields[i]);
        averagesOk = averagesOk && value;
        averages[i] = value.value_or(0);
    }
    if (averagesOk)
        reading.loadAverage = averages;
    const std::size_t slash = fields[3].find('/');
    if (slash != std::string_view::npos && parseWhole<int>(fields[3].substr(slash + 1)))
        reading.runnableThreads = parseWhole<int>(fields[3].substr(0, slash));
}

// A processor list such as "0-3,6,8-9", ascending and without overlaps as the kernel writes it.
std::optional<std::vector<int>> parseProcessorList(std::string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    std::vector<int> processors;
    std::int64_t next = 0; // the lowest number the next range may start at
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view range = text.substr(0, comma);
        const std::size_t dash = range.find('-');
        const auto first = parseWhole<std::uint64_t>(range.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : parseWhole<std::uint64_t>(range.substr(dash + 1));
        if (!first || !last || *first < static_cast<std::uint64_t>(next) || *last < *first ||
            *last >= kProcessorLimit)
            return std::nullopt;
        for (std::uint64_t n = *first; n <= *last; ++n)
            processors.push_back(static_cast<int>(n));
        next = static_cast<std::int64_t>(*last) + 1;
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return processors;
}

// The aggregate "cpu" line of /proc/stat. Kernels before 2.6.11 write only user, nice, system and idle
// (and some fields after them); missing ones count as zero.
std::optional<CpuTicks> readTicks(const fs::path& root)
{
    const auto line = readSmallFile(root / "proc/stat", true);
    if (!line)
        return std::nullopt;
    const auto fields = words(*line);
    if (fields.empty() || fields[0] != "cpu" || fields.size() < 5)
        return std::nullopt;
    std::array<std::uint64_t, 8> values{}; // user nice system idle iowait irq softirq steal
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const auto value = parseWhole<std::uint64_t>(fields[i]);
        if (!value)
            return std::nullopt;
        if (i <= values.size())
            values[i - 1] = *value;
    }
    const auto sum = [](std::initializer_list<std::uint64_t> parts) -> std::optional<std::uint64_t> {
        std::uint64_t total = 0;
        for (const std::uint64_t part : parts)
            if (__builtin_add_overflow(total, part, &total))
                return std::nullopt;
        return total;
    };
    const auto busy = sum({values[0], values[1], values[2], values[5], values[6]});
    const auto idle = sum({values[3], values[4]});
    if (!busy || !idle || !sum({*busy, *idle, values[7]}))
        return std::nullopt;
    return CpuTicks{*busy, *idle, values[7]};
}

std::optional<bool> readFlag(const fs::path& path)
{
    const auto value = readWhole<unsigned>(path);
    if (!value || *value > 1)
        return std::nullopt;
    return *value == 1;
}

std::optional<bool> readBoost(const fs::path& root)
{
    if (const auto boost = readFlag(root / kCpuFolder / "cpufreq/boost"))
        return boost;
    if (const auto noTurbo = readFlag(root / kCpuFolder / "intel_pstate/no_turbo"))
        return !*noTurbo;
    return std::nullopt;
}

void readFrequencyPolicy(const fs::path& root, ConditionsReading& reading)
{
    std::error_code error;
    fs::path policy = root / kCpuFolder / "cpufreq/policy0";
    if (!fs::is_directory(policy, error))
        policy = root / kCpuFolder / "cpu0/cpufreq";
    reading.governor = readText(policy / "scaling_governor");
    reading.driver = readText(policy / "scaling_driver");
    reading.scalingMaxKHz = readWhole<std::int64_t>(policy / "scaling_max_freq");
    reading.hardwareMaxKHz = readWhole<std::int64_t>(policy / "cpuinfo_max_freq");
}

std::optional<std::vector<std::int64_t>> readCurrentKHz(const fs::path& root, const std::vector<int>& online)
{
    std::vector<std::int64_t> clocks;
    for (const int n : online) {
        const auto kHz = readWhole<std::int64_t>(root / kCpuFolder / ("cpu" + std::to_string(n)) /
                                                 "cpufreq/scaling_cur_freq");
        if (!kHz)
            return std::nullopt;
        clocks.push_back(*kHz);
    }
    return clocks;
}

// The sum of every online processor's core and package throttle counts. The package count repeats in
// each processor of the package, so it is counted once per processor: the sum only ever serves to see
// whether it rose. Missing files are skipped; a file that holds garbage spoils the sum.
std::optional<std::uint64_t> readThrottleCount(const fs::path& root, const std::vector<int>& online)
{
    std::uint64_t total = 0;
    bool found = false;
    for (const int n : online) {
        const fs::path folder = root / kCpuFolder / ("cpu" + std::to_string(n)) / "thermal_throttle";
        for (const char* name : {"core_throttle_count", "package_throttle_count"}) {
            const auto content = readSmallFile(folder / name);
            if (!content)
                continue;
            const auto count = parseWhole<std::uint64_t>(trimmed(*content));
            if (!count || __builtin_add_overflow(total, *count, &total))
                return std::nullopt;
            found = true;
        }
    }
    return found ? std::optional<std::uint64_t>(total) : std::nullopt;
}

// On battery when mains supplies exist and none is online while a battery does; without mains, when
// every battery discharges. Batteries of devices (mice, keyboards) say nothing about this machine.
std::optional<bool> readOnBattery(const fs::path& root)
{
    std::error_code error;
    fs::directory_iterator entry(root / "sys/class/power_supply", error);
    bool mains = false;
    bool mainsOnline = false;
    int batteries = 0;
    bool allDischarging = true;
    for (int seen = 0; !error && entry != fs::directory_iterator() && seen < kSupplyLimit;
         entry.increment(error), ++seen) {
        const fs::path supply = entry->path();
        const auto type = readText(supply / "type");
        if (type == "Mains") {
            mains = true;
            mainsOnline = mainsOnline || readText(supply / "online") == "1";
        } else if (type == "Battery" && readText(supply / "scope") != "Device") {
            ++batteries;
            allDischarging = allDischarging && readText(supply / "status") == "Discharging";
        }
    }
    if (mains)
        return !mainsOnline && batteries > 0;
    if (batteries > 0)
        return allDischarging;
    return std::nullopt;
}

} // namespace

RunConditionsProbe::RunConditionsProbe(std::filesystem::path root)
    : m_root(std::move(root))
{
}

ConditionsReading RunConditionsProbe::read() const
{
    ConditionsReading reading;
    readLoadAverage(m_root, reading);
    const auto onlineText = readSmallFile(m_root / kCpuFolder / "online");
    const auto online = onlineText ? parseProcessorList(*onlineText) : std::nullopt;
    if (online)
        reading.onlineCpus = static_cast<int>(online->size());
    reading.ticks = readTicks(m_root);
    readFrequencyPolicy(m_root, reading);
    if (online) {
        reading.currentKHz = readCurrentKHz(m_root, *online);
        reading.throttleCount = readThrottleCount(m_root, *online);
    }
    reading.boost = readBoost(m_root);
    reading.onBattery = readOnBattery(m_root);
    return reading;
}

} // namespace qv::platform
