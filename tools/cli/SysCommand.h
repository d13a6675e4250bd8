#pragma once

#include "tools/cli/Cli.h"
#include "tools/cli/Report.h"

namespace qv::cli {

// "sys [--json]": the system information texts, the helper functions' answers and the texts the
// operating-system window shows (its installation page as after the first page change).
Subcommand sysCommand();

// The operating-system texts, as "sys" prints them.
Report systemReport();

} // namespace qv::cli
