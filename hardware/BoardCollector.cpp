#include "hardware/BoardCollector.h"

#include "hardware/Chipset.h"
#include "hardware/EnumNames.h"
#include "hardware/Smbios.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace qv::hardware {

namespace {

constexpr std::string_view kDmiFolder = "/sys/class/dmi/id";
constexpr std::size_t kAttributeLimit = 256;
constexpr std::uint8_t kBiosStructure = 0;
constexpr std::uint8_t kProcessorStructure = 4;

constexpr std::array<std::string_view, 36> kChassisTypes{"Other",
                                                         "Unknown",
                                                         "Desktop",
                                                         "Low Profile Desktop",
                                                         "Pizza Box",
                                                         "Mini Tower",
                                                         "Tower",
                                                         "Portable",
                                                         "Laptop",
                                                         "Notebook",
                                                         "Hand Held",
                                                         "Docking Station",
                                                         "All in One",
                                                         "Sub Notebook",
                                                         "Space-saving",
                                                         "Lunch Box",
                                                         "Main Server Chassis",
                                                         "Expansion Chassis",
                                                         "SubChassis",
                                                         "Bus Expansion Chassis",
                                                         "Peripheral Chassis",
                                                         "RAID Chassis",
                                                         "Rack Mount Chassis",
                                                         "Sealed-case PC",
                                                         "Multi-system chassis",
                                                         "Compact PCI",
                                                         "Advanced TCA",
                                                         "Blade",
                                                         "Blade Enclosure",
                                                         "Tablet",
                                                         "Convertible",
                                                         "Detachable",
                                                         "IoT Gateway",
                                                         "Embedded PC",
                                                         "Mini PC",
                                                         "Stick PC"};

constexpr std::array<std::string_view, 72> kProcessorUpgrades{"Other",
                                                              "Unknown",
                                                              "Daughter Board",
                                                              "ZIF Socket",
                                                              "Replaceable Piggy Back",
                                                              "None",
                                                              "LIF Socket",
                                                              "Slot 1",
                                                              "Slot 2",
                                                              "370-pin socket",
                                                              "Slot A",
                                                              "Slot M",
                                                              "Socket 423",
                                                              "Socket A (Socket 462)",
                                                              "Socket 478",
                                                              "Socket 754",
                                                              "Socket 940",
                                                              "Socket 939",
                                                              "Socket mPGA604",
                                                              "Socket LGA771",
                                                              "Socket LGA775",
                                                              "Socket S1",
                                                              "Socket AM2",
                                                              "Socket F (1207)",
                                                              "Socket LGA1366",
                                                              "Socket G34",
                                                              "Socket AM3",
                                                              "Socket C32",
                                                              "Socket LGA1156",
                                                              "Socket LGA1567",
                                                              "Socket PGA988A",
                                                              "Socket BGA1288",
                                                              "Socket rPGA988B",
                                                              "Socket BGA1023",
                                                              "Socket BGA1224",
                                                              "Socket LGA1155",
                                                              "Socket LGA1356",
                                                              "Socket LGA2011",
                                                              "Socket FS1",
                                                              "Socket FS2",
                                                              "Socket FM1",
                                                              "Socket FM2",
                                                              "Socket LGA2011-3",
                                                              "Socket LGA1356-3",
                                                              "Socket LGA1150",
                                                              "Socket BGA1168",
                                                              "Socket BGA1234",
                                                              "Socket BGA1364",
                                                              "Socket AM4",
                                                              "Socket LGA1151",
                                                              "Socket BGA1356",
                                                              "Socket BGA1440",
                                                              "Socket BGA1515",
                                                              "Socket LGA3647-1",
                                                              "Socket SP3",
                                                              "Socket SP3r2",
                                                              "Socket LGA2066",
                                                              "Socket BGA1392",
                                                              "Socket BGA1510",
                                                              "Socket BGA1528",
                                                              "Socket LGA4189",
                                                              "Socket LGA1200",
                                                              "Socket LGA4677",
                                                              "Socket LGA1700",
                                                              "Socket BGA1744",
                                                              "Socket BGA1781",
                                                              "Socket BGA1211",
                                                              "Socket BGA2422",
                                                              "Socket LGA1211",
                                                              "Socket LGA2422",
                                                              "Socket LGA5773",
                                                              "Socket BGA5773"};

// The BIOS characteristics: bits 4 to 31 of the quadword, then the two extension bytes.
struct Characteristic {
    std::size_t bit; // 0-63 in the quadword at 0x0A, 64-71 in the byte at 0x12, 72-79 in the byte at 0x13
    std::string_view text;
};
constexpr std::array<Characteristic, 43> kCharacteristics{{
    {4, "ISA is supported"},
    {5, "MCA is supported"},
    {6, "EISA is supported"},
    {7, "PCI is supported"},
    {8, "PC Card (PCMCIA) is supported"},
    {9, "Plug and Play is supported"},
    {10, "APM is supported"},
    {11, "BIOS is upgradeable"},
    {12, "BIOS shadowing is allowed"},
    {13, "VL-VESA is supported"},
    {14, "ESCD support is available"},
    {15, "Boot from CD is supported"},
    {16, "Selectable boot is supported"},
    {17, "BIOS ROM is socketed"},
    {18, "Boot from PC Card (PCMCIA) is supported"},
    {19, "EDD is supported"},
    {20, "Japanese floppy for NEC 9800 1.2 MB is supported (int 13h)"},
    {21, "Japanese floppy for Toshiba 1.2 MB is supported (int 13h)"},
    {22, "5.25\"/360 kB floppy services are supported (int 13h)"},
    {23, "5.25\"/1.2 MB floppy services are supported (int 13h)"},
    {24, "3.5\"/720 kB floppy services are supported (int 13h)"},
    {25, "3.5\"/2.88 MB floppy services are supported (int 13h)"},
    {26, "Print screen service is supported (int 5h)"},
    {27, "8042 keyboard services are supported (int 9h)"},
    {28, "Serial services are supported (int 14h)"},
    {29, "Printer services are supported (int 17h)"},
    {30, "CGA/mono video services are supported (int 10h)"},
    {31, "NEC PC-98"},
    {64, "ACPI is supported"},
    {65, "USB legacy is supported"},
    {66, "AGP is supported"},
    {67, "I2O boot is supported"},
    {68, "LS-120 boot is supported"},
    {69, "ATAPI Zip drive boot is supported"},
    {70, "IEEE 1394 boot is supported"},
    {71, "Smart battery is supported"},
    {72, "BIOS boot device selection (BBS) is supported"},
    {73, "Function key-initiated network boot is supported"},
    {74, "Targeted content distribution is supported"},
    {75, "UEFI is supported"},
    {76, "System is a virtual machine"},
    {77, "Manufacturing mode is supported"},
    {78, "Manufacturing mode is enabled"},
}};

// Bit 3 of the quadword: the firmware does not give its characteristics.
constexpr std::uint64_t kCharacteristicsNotSupported = 1U << 3;

std::vector<std::string> biosCharacteristics(const SmbiosStructure& bios)
{
    std::vector<std::string> texts;
    const auto base = bios.qword(0x0A);
    if (!base || (*base & kCharacteristicsNotSupported))
        return texts;
    const std::uint64_t extension1 = bios.byte(0x12).value_or(0);
    const std::uint64_t extension2 = bios.byte(0x13).value_or(0);
    for (const Characteristic& characteristic : kCharacteristics) {
        const bool set = characteristic.bit < 64   ? (*base >> characteristic.bit) & 1
                         : characteristic.bit < 72 ? (extension1 >> (characteristic.bit - 64)) & 1
                                                   : (extension2 >> (characteristic.bit - 72)) & 1;
        if (set)
            texts.emplace_back(characteristic.text);
    }
    return texts;
}

// A DMI attribute without its line break and padding; nothing when it is missing, unreadable or blank.
std::optional<std::string> attribute(const MachineTree& tree, std::string_view name)
{
    auto text = tree.read(std::string(kDmiFolder) + '/' + std::string(name), kAttributeLimit);
    if (!text)
        return std::nullopt;
    const auto first = text->find_first_not_of(" \t\n");
    if (first == std::string::npos)
        return std::nullopt;
    return text->substr(first, text->find_last_not_of(" \t\n") - first + 1);
}

std::optional<std::string> chassisName(const std::optional<std::string>& number)
{
    unsigned value = 0;
    if (!number ||
        std::from_chars(number->data(), number->data() + number->size(), value).ec != std::errc() ||
        value > 0xFF)
        return std::nullopt;
    return enumName(kChassisTypes, std::uint8_t(value & 0x7F));
}

// The serial numbers are root-only: a serial file that exists and cannot be read needs the administrator.
BoardIdentity identity(const MachineTree& tree, std::string_view prefix, std::string_view maker,
                       bool& serialDenied)
{
    const std::string serialName = std::string(prefix) + "_serial";
    BoardIdentity found{attribute(tree, maker), attribute(tree, std::string(prefix) + "_name"),
                        attribute(tree, std::string(prefix) + "_version"), attribute(tree, serialName)};
    const std::string serialPath = std::string(kDmiFolder) + '/' + serialName;
    if (!tree.read(serialPath, kAttributeLimit) && tree.exists(serialPath))
        serialDenied = true;
    return found;
}

void addTables(const SmbiosTables& tables, BoardFacts& facts)
{
    using State = SmbiosTables::State;
    switch (tables.state) {
    case State::Absent:
        facts.notes.emplace_back(board_notes::kNoTables);
        return;
    case State::Denied:
        facts.notes.emplace_back(board_notes::kTablesNeedAdministrator);
        return;
    case State::Damaged:
        facts.notes.emplace_back(board_notes::kDamagedTables);
        return;
    case State::Read:
        break;
    }
    facts.smbiosVersion = tables.entry.versionText();
    const auto& structures = tables.structures;
    const auto bios = std::find_if(structures.begin(), structures.end(),
                                   [](const SmbiosStructure& s) { return s.type() == kBiosStructure; });
    if (bios != structures.end())
        facts.biosCharacteristics = biosCharacteristics(*bios);
    const auto processor = std::find_if(structures.begin(), structures.end(), [](const SmbiosStructure& s) {
        return s.type() == kProcessorStructure;
    });
    if (processor != structures.end()) {
        facts.processorSocket = processor->string(0x04);
        facts.processorUpgrade = enumName(kProcessorUpgrades, processor->byte(0x19));
    }
    if (bios == structures.end() && processor == structures.end())
        facts.notes.emplace_back(board_notes::kNoTables);
}

} // namespace

BoardFacts collectBoard(const MachineTree& tree)
{
    BoardFacts facts;
    facts.chipset = collectChipset(tree);
    if (!tree.exists(kDmiFolder)) {
        facts.notes.emplace_back(board_notes::kNoBoard);
        return facts;
    }
    bool serialDenied = false;
    facts.system = identity(tree, "product", "sys_vendor", serialDenied);
    facts.board = identity(tree, "board", "board_vendor", serialDenied);
    facts.biosVendor = attribute(tree, "bios_vendor");
    facts.biosVersion = attribute(tree, "bios_version");
    facts.biosDate = attribute(tree, "bios_date");
    facts.chassisType = chassisName(attribute(tree, "chassis_type"));
    if (serialDenied)
        facts.notes.emplace_back(board_notes::kSerialsNeedAdministrator);
    addTables(readSmbiosTables(tree), facts);
    return facts;
}

} // namespace qv::hardware
