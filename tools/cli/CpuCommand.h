#pragma once

#include "results/report/ProcessorReport.h"
#include "tools/cli/Cli.h"

namespace qv::cli {

// "cpu [--cpuid-dump FILE] [--no-clock] [--json] [--record-cpuid FILE]": the processor detection record
// and the characteristic lines, as the processor information window builds and shows them.
Subcommand cpuCommand();

} // namespace qv::cli
