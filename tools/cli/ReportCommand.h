#pragma once

#include "tools/cli/BenchCommand.h"
#include "tools/cli/Cli.h"

namespace qv::cli {

// "report [--format json|html|text] [--output FILE] [--bench cpu|mem|disk|all] [--no-clock]": a description
// of this machine to hand over: processor, system, network (nothing sent) and, on request, benchmark
// sessions.
Subcommand reportCommand(BenchRunners runners = kernelBenchRunners());

} // namespace qv::cli
