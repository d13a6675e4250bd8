#pragma once

#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"

#include <functional>
#include <string>

namespace qv::cli {

// What every hardware collector gives, read through the installed machine tree.
struct MachineFacts {
    hardware::MemoryFacts memory;
    hardware::DrivesFacts drives;
    hardware::BoardFacts board;
};

MachineFacts collectMachineFacts();

// Replaces every serial number of `facts` by what `keyOf` gives for it.
using SerialKey = std::function<std::string(const std::string& serial)>;
void replaceSerialNumbers(MachineFacts& facts, const SerialKey& keyOf);

} // namespace qv::cli
