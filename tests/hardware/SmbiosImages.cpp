#include "tests/hardware/SmbiosImages.h"

#include "tests/hardware/DriveTrees.h"
#include "tests/hardware/PeripheralTrees.h"

#include <map>
#include <numeric>

namespace qv::test {

namespace {

constexpr std::uint8_t kDdr4 = 0x1A;
constexpr std::uint8_t kLpddr5 = 0x23;
constexpr std::uint8_t kDimm = 0x09;
constexpr std::uint8_t kRowOfChips = 0x0B;
constexpr std::uint8_t kUnknownFormFactor = 0x02;
constexpr std::uint32_t kTableOffset = 32;

void setChecksum(std::string& bytes, std::size_t at, std::size_t from, std::size_t length)
{
    bytes[at] = 0;
    const unsigned sum = std::accumulate(bytes.begin() + long(from), bytes.begin() + long(from + length), 0U,
                                         [](unsigned total, char c) { return total + std::uint8_t(c); });
    bytes[at] = char(std::uint8_t(256 - sum % 256));
}

void putLittle(std::string& bytes, std::size_t offset, std::uint64_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes[offset + i] = char(std::uint8_t(value >> (8 * i)));
}

// A memory array (type 16) on the system board without error correction.
StructureBody memoryArray(std::uint64_t capacityBytes, std::uint16_t slotCount)
{
    StructureBody body;
    body.length(0x17)
        .byte(0x04, 0x03)
        .byte(0x05, 0x03)
        .byte(0x06, 0x03)
        .word(0x0B, 0xFFFE)
        .word(0x0D, slotCount);
    if (capacityBytes / 1024 >= 0x80000000)
        body.dword(0x07, 0x80000000).qword(0x0F, capacityBytes);
    else
        body.dword(0x07, std::uint32_t(capacityBytes / 1024));
    return body;
}

// BIOS information (type 0) of a UEFI desktop: PCI, upgradeable, shadowing, boot from CD, selectable
// boot, EDD, print screen; ACPI, USB legacy; network boot, UEFI.
StructureBody biosInformation()
{
    constexpr std::uint64_t kCharacteristics =
        (1U << 7) | (1U << 11) | (1U << 12) | (1U << 15) | (1U << 16) | (1U << 19) | (1U << 26);
    StructureBody body;
    return body.length(0x1A)
        .byte(0x04, 1)
        .byte(0x05, 2)
        .word(0x06, 0xF000)
        .byte(0x08, 3)
        .byte(0x09, 0xFF)
        .qword(0x0A, kCharacteristics)
        .byte(0x12, 0x03)
        .byte(0x13, 0x0A)
        .byte(0x14, 1)
        .byte(0x15, 40)
        .byte(0x16, 0xFF)
        .byte(0x17, 0xFF)
        .word(0x18, 32);
}

// Processor information (type 4) of a populated socket with the given upgrade value.
StructureBody processorInformation(std::uint8_t upgrade)
{
    StructureBody body;
    return body.length(0x30)
        .byte(0x04, 1)
        .byte(0x05, 0x03)
        .byte(0x06, 0xC6)
        .byte(0x07, 2)
        .byte(0x10, 3)
        .word(0x12, 100)
        .word(0x14, 5400)
        .word(0x16, 3400)
        .byte(0x18, 0x41)
        .byte(0x19, upgrade)
        .word(0x1A, 0xFFFF)
        .word(0x1C, 0xFFFF)
        .word(0x1E, 0xFFFF);
}

} // namespace

void StructureBody::put(std::size_t offset, std::uint64_t value, std::size_t size)
{
    if (m_bytes.size() < offset + size)
        m_bytes.resize(offset + size, '\0');
    putLittle(m_bytes, offset, value, size);
}

StructureBody& StructureBody::byte(std::size_t offset, std::uint8_t value)
{
    put(offset, value, 1);
    return *this;
}

StructureBody& StructureBody::word(std::size_t offset, std::uint16_t value)
{
    put(offset, value, 2);
    return *this;
}

StructureBody& StructureBody::dword(std::size_t offset, std::uint32_t value)
{
    put(offset, value, 4);
    return *this;
}

StructureBody& StructureBody::qword(std::size_t offset, std::uint64_t value)
{
    put(offset, value, 8);
    return *this;
}

StructureBody& StructureBody::length(std::size_t length)
{
    m_bytes.resize(length, '\0');
    return *this;
}

std::string SmbiosImage::dump() const
{
    std::string bytes = entryPoint;
    bytes.resize(kTableOffset, '\0');
    return bytes + table;
}

SmbiosTableBuilder& SmbiosTableBuilder::add(std::uint8_t type, std::uint16_t handle,
                                            const StructureBody& body,
                                            const std::vector<std::string>& strings)
{
    std::string structure = body.bytes();
    structure[0] = char(type);
    structure[1] = char(std::uint8_t(structure.size()));
    putLittle(structure, 2, handle, 2);
    for (const std::string& text : strings)
        structure += text + '\0';
    if (strings.empty())
        structure += '\0';
    structure += '\0';
    m_table += structure;
    ++m_count;
    return *this;
}

SmbiosTableBuilder& SmbiosTableBuilder::end()
{
    return add(127, 0xFEFF, StructureBody());
}

SmbiosImage SmbiosTableBuilder::version3(int major, int minor, int revision) const
{
    std::string entry(0x18, '\0');
    entry.replace(0, 5, "_SM3_");
    entry[6] = 0x18;
    entry[7] = char(major);
    entry[8] = char(minor);
    entry[9] = char(revision);
    entry[0x0A] = 1;
    putLittle(entry, 0x0C, m_table.size(), 4);
    putLittle(entry, 0x10, kTableOffset, 8);
    setChecksum(entry, 5, 0, entry.size());
    return {entry, m_table};
}

SmbiosImage SmbiosTableBuilder::version2(int major, int minor) const
{
    std::string entry(0x1F, '\0');
    entry.replace(0, 4, "_SM_");
    entry[5] = 0x1F;
    entry[6] = char(major);
    entry[7] = char(minor);
    putLittle(entry, 0x08, 0x100, 2);
    entry.replace(0x10, 5, "_DMI_");
    putLittle(entry, 0x16, m_table.size(), 2);
    putLittle(entry, 0x18, kTableOffset, 4);
    putLittle(entry, 0x1C, m_count, 2);
    entry[0x1E] = char((major << 4) | minor);
    setChecksum(entry, 0x15, 0x10, 0x0F);
    setChecksum(entry, 4, 0, entry.size());
    return {entry, m_table};
}

StructureBody memoryDevice(const Module& module, std::uint16_t arrayHandle, std::size_t length)
{
    const bool installed = module.sizeCode != 0;
    StructureBody body;
    body.length(length)
        .word(0x04, arrayHandle)
        .word(0x06, 0xFFFE)
        .word(0x08, installed ? 64 : 0xFFFF)
        .word(0x0A, installed ? 64 : 0xFFFF)
        .word(0x0C, module.sizeCode)
        .byte(0x0E, installed ? module.formFactor : kUnknownFormFactor)
        .byte(0x10, 1)
        .byte(0x11, 2)
        .byte(0x12, installed ? module.type : 0x02)
        .word(0x15, module.speed)
        .byte(0x17, module.maker.empty() ? 0 : 3)
        .byte(0x18, module.serial.empty() ? 0 : 4)
        .byte(0x1A, module.part.empty() ? 0 : 5)
        .byte(0x1B, module.rank)
        .dword(0x1C, module.extendedSize)
        .word(0x20, module.configuredSpeed);
    return body;
}

std::vector<std::string> memoryDeviceStrings(const Module& module)
{
    return {module.locator, module.bank, module.maker.empty() ? "-" : module.maker,
            module.serial.empty() ? "-" : module.serial, module.part.empty() ? "-" : module.part};
}

SmbiosImage desktopSmbios()
{
    constexpr std::size_t kLength33 = 0x5C;
    const std::vector<Module> modules{
        {"DIMM_A1", "BANK 0", 8192, 0, kDimm, kDdr4, 3200, 2933, "Kingston", "1A2B3C4D",
         "KHX3200C16D4/8GX   ", 1},
        {"DIMM_A2", "BANK 1", 0, 0, 0, 0, 0, 0, "", "", "", 0},
        {"DIMM_B1", "BANK 2", 0x7FFF, 32768, kDimm, kDdr4, 3600, 2933, "G Skill", "00000000",
         "F4-3600C18-32GTZN", 2},
        {"DIMM_B2", "BANK 3", 0, 0, 0, 0, 0, 0, "", "", "", 0},
    };
    SmbiosTableBuilder builder;
    builder.add(0, 0x0000, biosInformation(), {"Firmware Works Inc.", "1.40", "03/15/2024"})
        .add(4, 0x0040, processorInformation(0x3E), {"LGA1200", "Intel(R) Corporation", "Core i7"})
        .add(16, 0x1000, memoryArray(128ULL << 30, 4));
    std::uint16_t handle = 0x1100;
    for (const Module& module : modules)
        builder.add(17, handle++, memoryDevice(module, 0x1000, kLength33), memoryDeviceStrings(module));
    return builder.end().version3(3, 3, 0);
}

SmbiosImage laptopSmbios()
{
    constexpr std::size_t kLength28 = 0x28;
    const std::vector<Module> modules{
        {"Controller0-ChannelA", "BANK 0", 8192, 0, kRowOfChips, kLpddr5, 6400, 6400, "Samsung", "00000000",
         "K3LKBKB0BM-MGCP", 2},
        {"Controller1-ChannelA", "BANK 0", 8192, 0, kRowOfChips, kLpddr5, 6400, 6400, "Samsung", "00000000",
         "K3LKBKB0BM-MGCP", 2},
    };
    SmbiosTableBuilder builder;
    builder.add(16, 0x0030, memoryArray(64ULL << 30, 2));
    std::uint16_t handle = 0x0031;
    for (const Module& module : modules)
        builder.add(17, handle++, memoryDevice(module, 0x0030, kLength28), memoryDeviceStrings(module));
    return builder.end().version2(2, 8);
}

SmbiosImage singleModuleSmbios()
{
    constexpr std::size_t kLength33 = 0x5C;
    const std::vector<Module> modules{
        {"DIMM_A1", "BANK 0", 8192, 0, kDimm, kDdr4, 3200, 3200, "Kingston", "5E6F7A8B", "KVR32N22S8/8", 1},
        {"DIMM_B1", "BANK 1", 0, 0, 0, 0, 0, 0, "", "", "", 0},
    };
    SmbiosTableBuilder builder;
    builder.add(16, 0x1000, memoryArray(64ULL << 30, 2));
    std::uint16_t handle = 0x1100;
    for (const Module& module : modules)
        builder.add(17, handle++, memoryDevice(module, 0x1000, kLength33), memoryDeviceStrings(module));
    return builder.end().version3(3, 3, 0);
}

void writeSmbios(FakeTree& tree, const SmbiosImage& image)
{
    tree.write("sys/firmware/dmi/tables/smbios_entry_point", image.entryPoint)
        .write("sys/firmware/dmi/tables/DMI", image.table);
}

void writeMeminfo(FakeTree& tree)
{
    tree.write("proc/meminfo", "MemTotal:       16777216 kB\n"
                               "MemFree:         8388608 kB\n"
                               "MemAvailable:   12582912 kB\n"
                               "Buffers:          102400 kB\n"
                               "SwapTotal:       2097152 kB\n"
                               "SwapFree:        1572864 kB\n"
                               "HugePages_Total:       0\n");
}

void writeDmiIdentity(FakeTree& tree, const std::map<std::string, std::string>& attributes)
{
    for (const auto& [name, value] : attributes)
        tree.write("sys/class/dmi/id/" + name, value + '\n');
}

void writeDesktopTree(FakeTree& tree)
{
    writeMeminfo(tree);
    writeSmbios(tree, desktopSmbios());
    writeDmiIdentity(tree, {{"sys_vendor", "Northwind Computers"},
                            {"product_name", "NW-7000 Desktop"},
                            {"product_version", "1.0"},
                            {"product_serial", "NW7000-123456"},
                            {"board_vendor", "Northwind Computers"},
                            {"board_name", "Z790-NW"},
                            {"board_version", "Rev 1.02"},
                            {"board_serial", "BSN-98765"},
                            {"bios_vendor", "Firmware Works Inc."},
                            {"bios_version", "1.40"},
                            {"bios_date", "03/15/2024"},
                            {"chassis_type", "3"}});
    writeDesktopDrives(tree);
    writeDesktopVideo(tree);
    writeDesktopNetwork(tree);
    writePackages(tree);
}

void writeLaptopTree(FakeTree& tree)
{
    writeMeminfo(tree);
    writeSmbios(tree, laptopSmbios());
    writeDmiIdentity(tree, {{"sys_vendor", "Northwind Computers"},
                            {"product_name", "NW Book 14"},
                            {"board_name", "NWB14"},
                            {"product_serial", "   "},
                            {"bios_version", "0.9.1"},
                            {"chassis_type", "10"}});
    writeLaptopDrives(tree);
    writeLaptopVideo(tree);
    writeLaptopNetwork(tree);
}

void writeVirtualMachineTree(FakeTree& tree)
{
    writeMeminfo(tree);
    tree.write("sys/firmware/acpi/tables/DSDT", "DSDT");
    writeVirtualMachineDrives(tree);
}

} // namespace qv::test
