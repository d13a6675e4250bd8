#pragma once

#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/FactTexts.h"
#include "hardware/MemoryCollector.h"
#include "hardware/NetworkCollector.h"
#include "hardware/PeripheralTexts.h"
#include "hardware/VideoCollector.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// The processor as its identification names it; no clock is measured.
struct ProcessorSummary {
    std::string vendor;
    std::string name;
    int count = 0;
    std::int32_t signature = 0;
};
ProcessorSummary summariseProcessor();

struct OperatingSystemSummary {
    std::optional<std::string> name;   // os-release's PRETTY_NAME: "Debian GNU/Linux 12 (bookworm)"
    std::optional<std::string> kernel; // the kernel release
};

// "What is in this PC": every collector's facts that need no waiting: no clock measurement, no NetBIOS
// query, no display or OpenGL context.
struct SystemSummary {
    ProcessorSummary processor;
    MemoryFacts memory;
    OperatingSystemSummary system;
    BoardFacts board;
    VideoFacts video;
    DrivesFacts drives;
    NetworkFacts network;
};
SystemSummary collectSummary(const MachineTree& tree = installedMachineTree());

// The summary's pages as the window and the text form show them, in order.
struct SummaryPage {
    std::string title; // "Processor", "Memory", "Operating system", "Board", "Video", "Drives", "Network"
    std::vector<FactLine> lines;
};
std::vector<SummaryPage> summaryPages(const SystemSummary& summary);

} // namespace qv::hardware
