#pragma once

#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The hardware facts as the information windows word them: plain texts, no widgets.
namespace qv::hardware {

// What a window shows for a fact the machine does not give.
inline constexpr const char* kUnknownText = "Unknown";

// 17179869184 gives "16 GiB", 1610612736 "1.5 GiB", 524288 "512 KiB".
std::string sizeText(std::uint64_t bytes);

// One labelled fact of a window's page.
struct FactLine {
    std::string label;
    std::string value;
    bool operator==(const FactLine&) const = default;
};

// How much of a whole is in use: total minus available, and its share in whole percent.
struct Usage {
    std::uint64_t used = 0;
    std::uint64_t total = 0;
    int percent = 0;
};
// Nothing when either is unknown or the total is zero.
std::optional<Usage> usageOf(std::optional<std::uint64_t> total, std::optional<std::uint64_t> available);
// "62 % in use (9.9 GiB of 16 GiB)".
std::string usageText(const Usage& usage);
// The usage's text, "None" for a total of nothing (no swap space), "Unknown" when a figure is missing.
std::string usageCaption(std::optional<std::uint64_t> total, std::optional<std::uint64_t> available);

// The memory window: its summary, and one row per slot under the column titles.
std::vector<FactLine> memorySummaryLines(const MemoryFacts& facts);
const std::vector<std::string>& memorySlotColumns();
// An empty slot reads "Empty" in the size column and leaves the module's columns blank; the type joins
// the memory type and the form factor ("DDR4 DIMM").
std::vector<std::string> memorySlotRow(const MemorySlot& slot);

// The motherboard window's pages.
std::vector<FactLine> systemLines(const BoardFacts& facts);
std::vector<FactLine> biosLines(const BoardFacts& facts);
std::vector<FactLine> boardLines(const BoardFacts& facts);

// The drives window: a disk in the list ("sda  Samsung SSD 870, 500 GiB"), its facts, and its volumes
// as rows under the column titles, nested as the disk nests them.
std::string driveListText(const Drive& drive);
std::vector<FactLine> driveLines(const Drive& drive);
const std::vector<std::string>& volumeColumns();
std::vector<std::string> volumeRow(const BlockVolume& volume);
// A device as a volume with its volumes below it, for a disk formatted without partitions and for loop
// and RAM devices.
BlockVolume driveAsVolume(const Drive& drive);
bool holdsFileSystem(const Drive& drive);

} // namespace qv::hardware
