#pragma once

#include "hardware/tree/MachineTree.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// Maker, model and version of the system or of its main board.
struct BoardIdentity {
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> version;
    std::optional<std::string> serialNumber; // root-only on Linux
};

// Everything the motherboard window and "info board" show. A fact the firmware does not give, or that
// needs administrator rights, is empty; `notes` says why in the words the user sees.
struct BoardFacts {
    BoardIdentity system;
    BoardIdentity board;
    std::optional<std::string> biosVendor;
    std::optional<std::string> biosVersion;
    std::optional<std::string> biosDate;
    std::optional<std::string> chassisType; // "Desktop", "Notebook"
    std::optional<std::string> smbiosVersion;
    // "PCI is supported", "UEFI is supported", … from the SMBIOS BIOS structure.
    std::optional<std::vector<std::string>> biosCharacteristics;
    std::optional<std::string> processorSocket;  // "LGA1700", as the board names it
    std::optional<std::string> processorUpgrade; // "Socket LGA1700"
    std::optional<std::string> chipset;          // the PCI host bridge's name
    std::vector<std::string> notes;
};

namespace board_notes {
inline constexpr const char* kNoBoard = "This machine's firmware does not describe its board";
inline constexpr const char* kSerialsNeedAdministrator = "Serial numbers need administrator rights";
inline constexpr const char* kTablesNeedAdministrator =
    "BIOS features and the processor socket need administrator rights";
inline constexpr const char* kNoTables = "This machine's firmware gives no BIOS features or processor socket";
inline constexpr const char* kDamagedTables = "The firmware's tables are damaged";
} // namespace board_notes

// /sys/class/dmi/id and the SMBIOS BIOS (type 0) and processor (type 4) structures of `tree`, and the
// chipset (the PCI host bridge, which the firmware's identity does not depend on).
BoardFacts collectBoard(const MachineTree& tree = installedMachineTree());

} // namespace qv::hardware
