#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::hardware {

struct PciId {
    std::uint16_t vendor = 0;
    std::uint16_t device = 0;
    bool operator==(const PciId&) const = default;
};

// A PCI function as sysfs lists it under /sys/bus/pci/devices.
struct PciDevice {
    std::string address; // "0000:00:02.0"
    PciId id;
    std::uint32_t deviceClass = 0; // class, subclass and programming interface: 0x030000
    std::optional<int> revision;
};

// Every PCI function of `tree`, in address order.
std::vector<PciDevice> pciDevices(const MachineTree& tree);

// The name the PCI name database gives the device: "Intel Corporation 440FX - 82441FX PMC [Natoma]";
// "Intel Corporation device 0d57" when it knows only the maker; `unknownKind` and the numbers
// ("PCI host bridge 8086:0d57") when it knows neither or cannot be read. Loads libpci at the first call.
std::string pciDeviceName(PciId id, std::string_view unknownKind);

// The first PCI host bridge (class 06 00) under /sys/bus/pci/devices, in address order.
std::optional<PciId> pciHostBridge(const MachineTree& tree);

// The chipset as the PCI name database calls its host bridge: "Intel Corporation 440FX - 82441FX PMC
// [Natoma]"; "Intel Corporation device 0d57" when the database knows only the maker; "PCI host bridge
// 8086:0d57" when it knows neither or cannot be read. Nothing without a host bridge.
std::optional<std::string> collectChipset(const MachineTree& tree = installedMachineTree());

} // namespace qv::hardware
