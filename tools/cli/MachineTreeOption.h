#pragma once

#include "hardware/tree/MachineTree.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace qv::cli {

// Installs the tree recorded in `folder` for the lifetime of the result (nothing without a folder) and
// says on `err` which of its sources were cut when it was recorded. InputError when it is no folder.
std::unique_ptr<hardware::ScopedMachineTree> replayedTree(const std::optional<std::string>& folder,
                                                          std::ostream& err);

} // namespace qv::cli
