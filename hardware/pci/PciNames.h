#pragma once

#include <cstddef>

namespace qv::hardware {

// The PCI names live in a module of their own (it brings libpci), loaded when a name is first asked for,
// so that the commands that show no PCI device never load libpci. This is its one entry point: it writes
// the vendor's name to `vendorName` and, when the database knows the device, the device's name to
// `deviceName` (else an empty text), and returns false when it knows neither. The build gives the
// module's file name as QV_PCI_NAMES_MODULE.
inline constexpr char kPciNamesEntryPoint[] = "qvLookUpPciNames";
using PciNamesEntryPoint = bool(unsigned vendor, unsigned device, char* vendorName, std::size_t vendorSize,
                                char* deviceName, std::size_t deviceSize);

} // namespace qv::hardware
