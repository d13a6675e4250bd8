#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv::platform {

// The tick counters of /proc/stat's "cpu" line (all processors together).
struct CpuTicks {
    std::uint64_t busy = 0;  // user, nice, system, irq, softirq (guest time is already inside user)
    std::uint64_t idle = 0;  // idle and iowait
    std::uint64_t steal = 0; // taken by the hypervisor for other guests
    std::uint64_t total() const { return busy + idle + steal; }
};

// What the kernel says about the machine's state at one moment. A field is empty when its file is
// missing, unreadable or holds something that is not what the kernel writes there.
struct ConditionsReading {
    std::optional<std::array<double, 3>> loadAverage; // 1, 5 and 15 minutes
    std::optional<int> runnableThreads;               // running or ready to run, this process included
    std::optional<int> onlineCpus;
    std::optional<CpuTicks> ticks;
    std::optional<std::string> governor; // of the first processor's frequency policy
    std::optional<std::string> driver;
    std::optional<std::vector<std::int64_t>> currentKHz; // per online processor, in processor order
    std::optional<std::int64_t> scalingMaxKHz;
    std::optional<std::int64_t> hardwareMaxKHz;
    std::optional<bool> boost;                  // turbo / boost frequencies allowed
    std::optional<std::uint64_t> throttleCount; // core and package throttle counts, all processors
    std::optional<bool> onBattery;              // mains offline, or no mains and only discharging batteries
};

// Reads that state from proc and sys files below a root folder: "/" on a real machine, a fake tree in
// tests. Reading never fails as a whole; each unreadable part stays empty.
class RunConditionsProbe {
public:
    explicit RunConditionsProbe(std::filesystem::path root = "/");

    ConditionsReading read() const;

private:
    std::filesystem::path m_root;
};

} // namespace qv::platform
