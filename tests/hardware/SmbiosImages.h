#pragma once

#include "tests/support/FakeTree.h"

#include <cstdint>
#include <string>
#include <vector>

// SMBIOS tables made byte by byte from the published structure layouts, and the hand-made machines that
// hold them.
namespace qv::test {

// A structure's bytes after its 4-byte header, written field by field at their offsets.
class StructureBody {
public:
    StructureBody& byte(std::size_t offset, std::uint8_t value);
    StructureBody& word(std::size_t offset, std::uint16_t value);
    StructureBody& dword(std::size_t offset, std::uint32_t value);
    StructureBody& qword(std::size_t offset, std::uint64_t value);
    // The formatted area is `length` bytes long, header included.
    StructureBody& length(std::size_t length);
    const std::string& bytes() const { return m_bytes; }

private:
    void put(std::size_t offset, std::uint64_t value, std::size_t size);
    std::string m_bytes = std::string(4, '\0');
};

struct SmbiosImage {
    std::string entryPoint;
    std::string table;

    // The file "dmidecode --from-dump" reads: the entry point first, the table at offset 32 (where the
    // entry point's address points).
    std::string dump() const;
};

class SmbiosTableBuilder {
public:
    SmbiosTableBuilder& add(std::uint8_t type, std::uint16_t handle, const StructureBody& body,
                            const std::vector<std::string>& strings = {});
    // Ends the table with the end-of-table structure.
    SmbiosTableBuilder& end();
    SmbiosImage version3(int major, int minor, int revision) const;
    SmbiosImage version2(int major, int minor) const;

private:
    std::string m_table;
    std::uint16_t m_count = 0;
};

// One memory device (type 17) and its strings, numbered in the order locator, bank, maker, serial, part.
struct Module {
    std::string locator;
    std::string bank;
    std::uint16_t sizeCode = 0; // 0: empty slot
    std::uint32_t extendedSize = 0;
    std::uint8_t formFactor = 0;
    std::uint8_t type = 0;
    std::uint16_t speed = 0;
    std::uint16_t configuredSpeed = 0;
    std::string maker;
    std::string serial;
    std::string part;
    std::uint8_t rank = 0;
};
StructureBody memoryDevice(const Module& module, std::uint16_t arrayHandle, std::size_t length);
std::vector<std::string> memoryDeviceStrings(const Module& module);

// A desktop: SMBIOS 3.3 with BIOS and processor structures first, then 2 of 4 DDR4 slots filled (8 GB and
// 32 GB, the second through the extended size).
SmbiosImage desktopSmbios();
// A laptop: SMBIOS 2.8, two soldered LPDDR5 devices of 8 GB.
SmbiosImage laptopSmbios();

// A small desktop: SMBIOS 3.3, one 8 GB DDR4 module in the first of two slots.
SmbiosImage singleModuleSmbios();

void writeSmbios(FakeTree& tree, const SmbiosImage& image);
// A /proc/meminfo of 16 GiB total, 12 GiB available, 2 GiB swap of which 1.5 GiB free.
void writeMeminfo(FakeTree& tree);

// The machines with their memory, tables and /sys/class/dmi/id: a desktop in an LGA1200 socket, a notebook
// whose firmware leaves most identity fields out.
void writeDesktopTree(FakeTree& tree);
void writeLaptopTree(FakeTree& tree);
// A virtual machine with no DMI at all.
void writeVirtualMachineTree(FakeTree& tree);

} // namespace qv::test
