#pragma once

#include "hardware/AppsCollector.h"
#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"
#include "hardware/NetworkCollector.h"
#include "hardware/VideoCollector.h"

#include <functional>
#include <string>

namespace qv::cli {

// What every hardware collector gives, read through the installed machine tree.
struct MachineFacts {
    hardware::MemoryFacts memory;
    hardware::DrivesFacts drives;
    hardware::BoardFacts board;
    hardware::VideoFacts video;
    hardware::NetworkFacts network;
    hardware::ApplicationsFacts applications;
};

// `askAround`: whether the screens (where a display is usable and a display session lives) and the
// NetBIOS workgroup are asked for; the report asks neither, so that it opens no display and sends nothing.
MachineFacts collectMachineFacts(bool askAround = false);

// Replaces every serial number of `facts` by what `keyOf` gives for it.
using SerialKey = std::function<std::string(const std::string& serial)>;
void replaceSerialNumbers(MachineFacts& facts, const SerialKey& keyOf);
// Replaces what names a person or a device beyond the serial numbers: the user's full name, the
// interfaces' MAC addresses, the monitors' serial numbers.
void replacePersonalFacts(MachineFacts& facts, const SerialKey& keyOf);

} // namespace qv::cli
