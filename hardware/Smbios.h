#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The firmware's SMBIOS tables, read from the structure layouts the SMBIOS reference publishes. Every
// length, count and string index comes from the firmware and may lie: nothing is read past what was
// given, and a damaged structure ends the walk with the structures before it kept.
namespace qv::hardware {

struct SmbiosEntryPoint {
    int major = 0;
    int minor = 0;
    int revision = 0; // the third part of "3.3.0"; 0 for entry points that do not give one
    // The table's length (2.x), or its largest possible length (3.x, whose walk ends at type 127).
    std::uint32_t tableLength = 0;
    // How many structures the table holds (2.x only).
    std::optional<std::uint16_t> structureCount;

    // "3.3.0", "2.7"
    std::string versionText() const;
};

// The entry point of a 3.x ("_SM3_"), 2.x ("_SM_") or legacy ("_DMI_") table; nothing when the anchor,
// the length or the checksum is wrong.
std::optional<SmbiosEntryPoint> parseSmbiosEntryPoint(std::string_view bytes);

// One structure: its formatted area (header included) and its strings. The accessors answer nothing for
// a field past the formatted area, so a structure of an older version reads as "not given".
class SmbiosStructure {
public:
    SmbiosStructure(std::string_view formatted, std::vector<std::string_view> strings);

    std::uint8_t type() const { return std::uint8_t(m_formatted[0]); }
    std::uint16_t handle() const { return word(2).value_or(0); }
    std::size_t length() const { return m_formatted.size(); }

    std::optional<std::uint8_t> byte(std::size_t offset) const;
    std::optional<std::uint16_t> word(std::size_t offset) const;
    std::optional<std::uint32_t> dword(std::size_t offset) const;
    std::optional<std::uint64_t> qword(std::size_t offset) const;
    // The string whose number is the byte at `offset`, without the blanks firmware pads it with; nothing
    // for number 0 ("none"), a number past the strings or a string of blanks only.
    std::optional<std::string> string(std::size_t offset) const;

private:
    std::optional<std::uint64_t> little(std::size_t offset, std::size_t size) const;

    std::string_view m_formatted;
    std::vector<std::string_view> m_strings;
};

// The structures of `table` in order. The walk stops at the end-of-table structure (type 127), after the
// entry point's structure count, at the end of the table, and at a structure that is damaged (a length
// below the header, a formatted area past the table); a structure whose strings run past the table is
// kept with the strings that end inside it, and the walk stops there. The views point into `table`.
std::vector<SmbiosStructure> parseSmbiosStructures(std::string_view table, const SmbiosEntryPoint& entry);

// What a machine's firmware tables gave.
struct SmbiosTables {
    enum class State {
        Absent,  // the firmware describes nothing (no entry point, as on many virtual machines)
        Denied,  // they exist but only the administrator may read them
        Damaged, // the entry point cannot be read
        Read,
    };
    State state = State::Absent;
    SmbiosEntryPoint entry;
    // The bytes the structures point into; held apart so that moving the tables keeps them in place.
    std::unique_ptr<const std::string> table;
    std::vector<SmbiosStructure> structures;
};

// The tables as the kernel exposes them, /sys/firmware/dmi/tables/smbios_entry_point and DMI.
SmbiosTables readSmbiosTables(const MachineTree& tree);

// The tables from their bytes as a dump holds them (entry point and table apart).
SmbiosTables smbiosTablesFrom(std::string_view entryPoint, std::string table);

} // namespace qv::hardware
