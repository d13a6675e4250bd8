#include "hardware/MemoryDevices.h"

#include "hardware/EnumNames.h"

#include <array>
#include <string_view>

namespace qv::hardware {

namespace {

constexpr std::uint8_t kMemoryArray = 16;
constexpr std::uint8_t kMemoryDevice = 17;
constexpr std::array<std::string_view, 10> kLocations{"Other",
                                                      "Unknown",
                                                      "System board or motherboard",
                                                      "ISA add-on card",
                                                      "EISA add-on card",
                                                      "PCI add-on card",
                                                      "MCA add-on card",
                                                      "PCMCIA add-on card",
                                                      "Proprietary add-on card",
                                                      "NuBus"};
// The PC-98 and CXL locations start at 0xA0.
constexpr std::uint8_t kFirstAddOnLocation = 0xA0;
constexpr std::array<std::string_view, 5> kAddOnLocations{"PC-98/C20 add-on card", "PC-98/C24 add-on card",
                                                          "PC-98/E add-on card",
                                                          "PC-98/Local bus add-on card", "CXL add-on card"};

constexpr std::array<std::string_view, 7> kUses{
    "Other", "Unknown", "System memory", "Video memory", "Flash memory", "Non-volatile RAM", "Cache memory"};

constexpr std::array<std::string_view, 7> kErrorCorrections{
    "Other", "Unknown", "None", "Parity", "Single-bit ECC", "Multi-bit ECC", "CRC"};

constexpr std::array<std::string_view, 16> kFormFactors{
    "Other", "Unknown", "SIMM",         "SIP",  "Chip",   "DIP",   "ZIP",     "Proprietary card",
    "DIMM",  "TSOP",    "Row of chips", "RIMM", "SODIMM", "SRIMM", "FB-DIMM", "Die"};

constexpr std::array<std::string_view, 36> kMemoryTypes{"Other",
                                                        "Unknown",
                                                        "DRAM",
                                                        "EDRAM",
                                                        "VRAM",
                                                        "SRAM",
                                                        "RAM",
                                                        "ROM",
                                                        "Flash",
                                                        "EEPROM",
                                                        "FEPROM",
                                                        "EPROM",
                                                        "CDRAM",
                                                        "3DRAM",
                                                        "SDRAM",
                                                        "SGRAM",
                                                        "RDRAM",
                                                        "DDR",
                                                        "DDR2",
                                                        "DDR2 FB-DIMM",
                                                        "",
                                                        "",
                                                        "",
                                                        "DDR3",
                                                        "FBD2",
                                                        "DDR4",
                                                        "LPDDR",
                                                        "LPDDR2",
                                                        "LPDDR3",
                                                        "LPDDR4",
                                                        "Logical non-volatile device",
                                                        "HBM",
                                                        "HBM2",
                                                        "DDR5",
                                                        "LPDDR5",
                                                        "HBM3"};

std::optional<std::string> locationName(std::optional<std::uint8_t> value)
{
    if (value && *value >= kFirstAddOnLocation) {
        const std::size_t index = *value - kFirstAddOnLocation;
        return index < kAddOnLocations.size() ? std::optional<std::string>(kAddOnLocations[index])
                                              : std::nullopt;
    }
    return enumName(kLocations, value);
}

// Array capacity: kilobytes, or bytes in the extended field when the kilobytes say 0x80000000.
std::optional<std::uint64_t> maximumCapacity(const SmbiosStructure& array)
{
    constexpr std::uint32_t kUseExtended = 0x80000000;
    const auto kilobytes = array.dword(0x07);
    if (!kilobytes)
        return std::nullopt;
    if (*kilobytes == kUseExtended)
        return array.qword(0x0F);
    return std::uint64_t(*kilobytes) * 1024;
}

// Device size: 0 is an empty slot, 0xFFFF unknown; bit 15 chooses kilobytes over megabytes, and 0x7FFF
// sends to the extended size (megabytes in bits 0 to 30) where the structure has one.
struct DeviceSize {
    bool installed = false;
    std::optional<std::uint64_t> bytes;
};

DeviceSize deviceSize(const SmbiosStructure& device)
{
    constexpr std::uint16_t kUnknownSize = 0xFFFF;
    constexpr std::uint16_t kUseExtended = 0x7FFF;
    constexpr std::uint16_t kKilobytes = 0x8000;
    constexpr std::uint64_t kMegabyte = 1 << 20;
    const auto code = device.word(0x0C);
    if (!code || *code == 0)
        return {};
    if (*code == kUnknownSize)
        return {true, std::nullopt};
    if (*code == kUseExtended) {
        if (const auto extended = device.dword(0x1C))
            return {true, std::uint64_t(*extended & 0x7FFFFFFF) * kMegabyte};
    }
    if (*code & kKilobytes)
        return {true, std::uint64_t(*code & 0x7FFF) * 1024};
    return {true, std::uint64_t(*code) * kMegabyte};
}

// A speed in MT/s: 0 is unknown, 0xFFFF sends to the 32-bit extended field.
std::optional<std::uint32_t> speed(const SmbiosStructure& device, std::size_t offset, std::size_t extended)
{
    constexpr std::uint16_t kUseExtended = 0xFFFF;
    std::optional<std::uint32_t> value = device.word(offset);
    if (value == kUseExtended)
        value = device.dword(extended);
    if (!value || (*value & 0x7FFFFFFF) == 0)
        return std::nullopt;
    return *value & 0x7FFFFFFF;
}

MemorySlot memorySlot(const SmbiosStructure& device)
{
    MemorySlot slot;
    slot.handle = device.handle();
    slot.arrayHandle = device.word(0x04);
    slot.locator = device.string(0x10);
    slot.bank = device.string(0x11);
    const DeviceSize size = deviceSize(device);
    slot.installed = size.installed;
    if (!slot.installed)
        return slot;
    slot.size = size.bytes;
    slot.formFactor = enumName(kFormFactors, device.byte(0x0E));
    slot.type = enumName(kMemoryTypes, device.byte(0x12));
    slot.speed = speed(device, 0x15, 0x54);
    slot.manufacturer = device.string(0x17);
    slot.serialNumber = device.string(0x18);
    slot.partNumber = device.string(0x1A);
    if (const auto attributes = device.byte(0x1B); attributes && (*attributes & 0x0F) != 0)
        slot.rank = std::uint8_t(*attributes & 0x0F);
    slot.configuredSpeed = speed(device, 0x20, 0x58);
    return slot;
}

} // namespace

std::vector<MemoryArray> smbiosMemoryArrays(const std::vector<SmbiosStructure>& structures)
{
    std::vector<MemoryArray> arrays;
    for (const SmbiosStructure& structure : structures) {
        if (structure.type() != kMemoryArray)
            continue;
        MemoryArray array;
        array.handle = structure.handle();
        array.location = locationName(structure.byte(0x04));
        array.use = enumName(kUses, structure.byte(0x05));
        array.errorCorrection = enumName(kErrorCorrections, structure.byte(0x06));
        array.maximumCapacity = maximumCapacity(structure);
        array.slotCount = structure.word(0x0D);
        arrays.push_back(std::move(array));
    }
    return arrays;
}

std::vector<MemorySlot> smbiosMemorySlots(const std::vector<SmbiosStructure>& structures)
{
    std::vector<MemorySlot> found;
    for (const SmbiosStructure& structure : structures)
        if (structure.type() == kMemoryDevice)
            found.push_back(memorySlot(structure));
    return found;
}

} // namespace qv::hardware
