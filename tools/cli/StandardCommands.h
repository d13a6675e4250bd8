#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// Every subcommand of quorvex-cli, in the order the general usage lists them.
CommandRegistry standardCommands();

} // namespace qv::cli
