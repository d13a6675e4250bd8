// Any bytes as firmware tables. The first four bytes stand for the entry point's facts (the table length,
// and a structure count or none), so that the walk is reached without a valid checksum; the rest is the
// table, and is also read as an entry point. Nothing may crash or read out of bounds.
#include "hardware/MemoryDevices.h"
#include "hardware/Smbios.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    constexpr std::size_t kHeader = 4;
    if (size < kHeader)
        return 0;
    const std::string_view table(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    qv::hardware::parseSmbiosEntryPoint(table);

    qv::hardware::SmbiosEntryPoint entry;
    entry.tableLength = std::uint32_t(data[0] | data[1] << 8);
    if (data[2] & 1)
        entry.structureCount = data[3];
    const auto structures = qv::hardware::parseSmbiosStructures(table, entry);
    qv::hardware::smbiosMemoryArrays(structures);
    qv::hardware::smbiosMemorySlots(structures);
    return 0;
}
