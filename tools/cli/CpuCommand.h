#pragma once

#include "tools/cli/Cli.h"
#include "tools/cli/Report.h"

namespace qv::cli {

// "cpu [--cpuid-dump FILE] [--no-clock] [--json] [--record-cpuid FILE]": the processor detection record
// and the characteristic lines, as the processor information window builds and shows them.
Subcommand cpuCommand();

// The processor record and the window's lines, as "cpu" prints them; the clock is measured for 2 s
// unless `measureClock` is false.
Report processorReport(bool measureClock);

} // namespace qv::cli
