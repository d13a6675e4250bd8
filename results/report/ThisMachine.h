#pragma once

#include "results/SavedResult.h"

#include <string>

namespace qv::cli {

// This machine as a saved result names it: identifier key, host name, processor (no clock measured)
// and kernel release.
results::MachineIdentity thisMachine();

// The system's machine identifier (/etc/machine-id); empty where there is none. It must not leave the
// machine: results and reports carry its key instead.
std::string machineIdentifier();

} // namespace qv::cli
