#pragma once

#include "bench/overall/OverallRun.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"
#include "hardware/VideoCollector.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv::bench::overall {

// Everything the performances wizard's rules read, as plain facts. An empty member is a fact this machine
// did not give (no cpufreq, no SMBIOS, no display…): the rules that need it say nothing.
struct FindingsInput {
    // The processor, at the end of the processor benchmark (else of the first benchmark that ran).
    std::optional<std::string> governor;
    std::optional<std::int64_t> clockKHz; // the highest clock of any processor
    std::optional<std::int64_t> hardwareMaxKHz;
    std::optional<std::int64_t> scalingMaxKHz;
    std::optional<std::int64_t> throttleEvents;
    std::optional<bool> onBattery;
    std::optional<double> otherCpuUse; // processors' worth kept busy by other programs
    // Memory: /proc/meminfo and the SMBIOS slots.
    std::optional<std::uint64_t> totalMemory; // bytes
    std::optional<int> installedModules;
    std::optional<int> memorySlots;
    // The drive the disk benchmark measured.
    std::optional<std::string> diskName;
    std::optional<bool> diskRotational;
    std::optional<double> randomReadMBs; // random 4 KiB reads at queue 1
    // Graphics: OpenGL's renderer, from the 3D benchmark or the video collector.
    std::optional<std::string> renderer;
    std::optional<double> display3DIndex;
};

// The input from the overall run's results and the collectors' facts.
FindingsInput findingsInput(const OverallResult& result, const hardware::MemoryFacts& memory,
                            const hardware::DrivesFacts& drives, const hardware::VideoFacts& video);

// The same with this machine's facts, from the installed machine tree (a recorded tree replays its
// display's OpenGL strings; the live machine gives them only where a caller installed a display source,
// else the renderer comes from the 3D benchmark alone).
FindingsInput findingsInputHere(const OverallResult& result);

} // namespace qv::bench::overall
