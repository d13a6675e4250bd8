#pragma once

#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"
#include "hardware/tree/MachineTree.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
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

// Installs the tree recorded in `folder` for the lifetime of the result (nothing without a folder) and
// says on `err` which of its sources were cut when it was recorded. InputError when it is no folder.
std::unique_ptr<hardware::ScopedMachineTree> replayedTree(const std::optional<std::string>& folder,
                                                          std::ostream& err);

} // namespace qv::cli
