#pragma once

#include "results/report/SystemReport.h"
#include "tools/cli/Cli.h"

namespace qv::cli {

// "sys [--json]": the system information texts, the helper functions' answers and the texts the
// operating-system window shows (its installation page as after the first page change).
Subcommand sysCommand();

} // namespace qv::cli
