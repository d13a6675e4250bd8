#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// "serve [--port N] [--bind ADDRESS] [--once]": answers the network benchmark's sessions until Ctrl+C.
Subcommand serveCommand();

} // namespace qv::cli
