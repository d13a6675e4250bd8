#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// "tips [--json]": every tip of the tip library, one per line.
Subcommand tipsCommand();

} // namespace qv::cli
