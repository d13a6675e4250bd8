#include "hardware/Chipset.h"

#include "hardware/pci/PciNames.h"
#include "platform/LoadableModule.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace qv::hardware {

namespace {

constexpr std::string_view kPciDevices = "/sys/bus/pci/devices";
constexpr std::size_t kAttributeLimit = 64;

// A sysfs number such as "0x060000\n".
std::optional<std::uint32_t> hexAttribute(const MachineTree& tree, const std::string& path)
{
    const std::optional<std::string> text = tree.read(path, kAttributeLimit);
    if (!text || !text->starts_with("0x"))
        return std::nullopt;
    std::uint32_t value = 0;
    const char* begin = text->data() + 2;
    const char* end = text->data() + text->size();
    const auto [last, error] = std::from_chars(begin, end, value, 16);
    if (error != std::errc() || last == begin)
        return std::nullopt;
    return value;
}

std::string hex4(std::uint16_t value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", unsigned(value));
    return text.data();
}

} // namespace

std::vector<PciDevice> pciDevices(const MachineTree& tree)
{
    std::vector<PciDevice> devices;
    for (const std::string& address : tree.list(kPciDevices)) {
        const std::string folder = std::string(kPciDevices) + '/' + address + '/';
        const auto deviceClass = hexAttribute(tree, folder + "class");
        const auto vendor = hexAttribute(tree, folder + "vendor");
        const auto device = hexAttribute(tree, folder + "device");
        if (!deviceClass || !vendor || !device || *vendor > 0xffff || *device > 0xffff)
            continue;
        PciDevice found{address, PciId{std::uint16_t(*vendor), std::uint16_t(*device)}, *deviceClass,
                        std::nullopt};
        if (const auto revision = hexAttribute(tree, folder + "revision"); revision && *revision <= 0xff)
            found.revision = int(*revision);
        devices.push_back(std::move(found));
    }
    return devices;
}

std::optional<PciId> pciHostBridge(const MachineTree& tree)
{
    constexpr std::uint32_t kHostBridgeClass = 0x0600;
    for (const PciDevice& device : pciDevices(tree)) {
        if (device.deviceClass >> 8 == kHostBridgeClass)
            return device.id;
    }
    return std::nullopt;
}

std::string pciDeviceName(PciId id, std::string_view unknownKind)
{
    static const platform::LoadableModule module(QV_PCI_NAMES_MODULE);
    std::array<char, 256> vendorName{};
    std::array<char, 256> deviceName{};
    const auto lookUp = module.function<PciNamesEntryPoint>(kPciNamesEntryPoint);
    if (lookUp && lookUp(id.vendor, id.device, vendorName.data(), vendorName.size(), deviceName.data(),
                         deviceName.size())) {
        const std::string vendor = vendorName.data();
        const std::string device = deviceName.data();
        if (!device.empty())
            return vendor.empty() ? device : vendor + ' ' + device;
        return vendor + " device " + hex4(id.device);
    }
    return std::string(unknownKind) + ' ' + hex4(id.vendor) + ':' + hex4(id.device);
}

std::optional<std::string> collectChipset(const MachineTree& tree)
{
    const std::optional<PciId> bridge = pciHostBridge(tree);
    if (!bridge)
        return std::nullopt;
    return pciDeviceName(*bridge, "PCI host bridge");
}

} // namespace qv::hardware
