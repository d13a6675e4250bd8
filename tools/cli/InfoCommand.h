#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// "info [memory|drives|board|video|network|apps|summary] [--json] [--machine-tree DIR]": the hardware facts
// an information window shows, read from this machine or from a recorded machine tree; without a topic,
// the list of topics.
Subcommand infoCommand();

} // namespace qv::cli
