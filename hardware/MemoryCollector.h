#pragma once

#include "hardware/MemoryDevices.h"
#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// The kernel's memory totals, in bytes.
struct MemoryTotals {
    std::optional<std::uint64_t> total;
    std::optional<std::uint64_t> available;
    std::optional<std::uint64_t> swapTotal;
    std::optional<std::uint64_t> swapFree;
};

// Everything the memory window and "info memory" show. The arrays and slots are empty when the firmware
// tables could not be read; `notes` then says why, in the words the user sees.
struct MemoryFacts {
    MemoryTotals totals;
    std::optional<std::string> smbiosVersion;
    std::optional<std::vector<MemoryArray>> memoryArrays;
    std::optional<std::vector<MemorySlot>> memorySlots;
    std::vector<std::string> notes;
};

// The notes, as the window and the tool print them.
namespace memory_notes {
inline constexpr const char* kNeedsAdministrator = "Slot details need administrator rights";
inline constexpr const char* kNoSlots = "This machine's firmware describes no memory slots";
inline constexpr const char* kDamagedTables = "The firmware's memory tables are damaged";
inline constexpr const char* kNoTotals = "The kernel's memory totals cannot be read";
} // namespace memory_notes

// The totals of a /proc/meminfo text; a line that is missing or unreadable leaves its total empty.
MemoryTotals parseMeminfo(std::string_view meminfo);

// /proc/meminfo and the SMBIOS memory structures of `tree`.
MemoryFacts collectMemory(const MachineTree& tree = installedMachineTree());

} // namespace qv::hardware
