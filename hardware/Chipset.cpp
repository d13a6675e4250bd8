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

std::optional<PciId> pciHostBridge(const MachineTree& tree)
{
    constexpr std::uint32_t kHostBridgeClass = 0x0600;
    for (const std::string& address : tree.list(kPciDevices)) {
        const std::string folder = std::string(kPciDevices) + '/' + address + '/';
        const auto deviceClass = hexAttribute(tree, folder + "class");
        if (!deviceClass || *deviceClass >> 8 != kHostBridgeClass)
            continue;
        const auto vendor = hexAttribute(tree, folder + "vendor");
        const auto device = hexAttribute(tree, folder + "device");
        if (vendor && device && *vendor <= 0xffff && *device <= 0xffff)
            return PciId{std::uint16_t(*vendor), std::uint16_t(*device)};
    }
    return std::nullopt;
}

std::optional<std::string> collectChipset(const MachineTree& tree)
{
    const std::optional<PciId> bridge = pciHostBridge(tree);
    if (!bridge)
        return std::nullopt;
    static const platform::LoadableModule module(QV_PCI_NAMES_MODULE);
    std::array<char, 256> vendorName{};
    std::array<char, 256> deviceName{};
    const auto lookUp = module.function<PciNamesEntryPoint>(kPciNamesEntryPoint);
    if (lookUp && lookUp(bridge->vendor, bridge->device, vendorName.data(), vendorName.size(),
                         deviceName.data(), deviceName.size())) {
        const std::string vendor = vendorName.data();
        const std::string device = deviceName.data();
        if (!device.empty())
            return vendor.empty() ? device : vendor + ' ' + device;
        return vendor + " device " + hex4(bridge->device);
    }
    return "PCI host bridge " + hex4(bridge->vendor) + ':' + hex4(bridge->device);
}

} // namespace qv::hardware
