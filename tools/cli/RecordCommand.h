#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// "record-machine DIR [--anonymise] [--machine-tree SRC]": records what the hardware collectors read into
// a machine tree that "info --machine-tree DIR" replays, with the JSON of each topic beside it.
Subcommand recordMachineCommand();

} // namespace qv::cli
