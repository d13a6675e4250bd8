#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv::hardware {

struct PciId {
    std::uint16_t vendor = 0;
    std::uint16_t device = 0;
    bool operator==(const PciId&) const = default;
};

// The first PCI host bridge (class 06 00) under /sys/bus/pci/devices, in address order.
std::optional<PciId> pciHostBridge(const MachineTree& tree);

// The chipset as the PCI name database calls its host bridge: "Intel Corporation 440FX - 82441FX PMC
// [Natoma]"; "Intel Corporation device 0d57" when the database knows only the maker; "PCI host bridge
// 8086:0d57" when it knows neither or cannot be read. Nothing without a host bridge.
std::optional<std::string> collectChipset(const MachineTree& tree = installedMachineTree());

} // namespace qv::hardware
