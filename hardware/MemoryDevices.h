#pragma once

#include "hardware/Smbios.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The memory arrays (SMBIOS type 16) and memory devices (type 17) of the firmware's tables. A fact the
// structure does not give (too old a version, "unknown", a value out of range) is empty.
namespace qv::hardware {

struct MemoryArray {
    std::uint16_t handle = 0;
    std::optional<std::string> location;          // "System board or motherboard"
    std::optional<std::string> use;               // "System memory"
    std::optional<std::string> errorCorrection;   // "None", "Single-bit ECC", …
    std::optional<std::uint64_t> maximumCapacity; // bytes
    std::optional<std::uint16_t> slotCount;
};

struct MemorySlot {
    std::uint16_t handle = 0;
    std::optional<std::uint16_t> arrayHandle;
    std::optional<std::string> locator;           // "DIMM_A1"
    std::optional<std::string> bank;              // "BANK 0"
    bool installed = false;                       // false for an empty slot, whose other facts are then empty
    std::optional<std::uint64_t> size;            // bytes
    std::optional<std::string> formFactor;        // "DIMM", "SODIMM", "Row of chips"
    std::optional<std::string> type;              // "DDR4", "LPDDR5"
    std::optional<std::uint32_t> speed;           // MT/s
    std::optional<std::uint32_t> configuredSpeed; // MT/s
    std::optional<std::string> manufacturer;
    std::optional<std::string> partNumber;
    std::optional<std::string> serialNumber;
    std::optional<std::uint8_t> rank;
};

std::vector<MemoryArray> smbiosMemoryArrays(const std::vector<SmbiosStructure>& structures);
std::vector<MemorySlot> smbiosMemorySlots(const std::vector<SmbiosStructure>& structures);

} // namespace qv::hardware
