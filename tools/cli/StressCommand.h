#pragma once

#include "stress/Sensors.h"
#include "tools/cli/Cli.h"

#include <functional>

namespace qv::cli {

// What "stress" reads besides its arguments; tests replace each.
struct StressEnvironment {
    // Whether progress lines go out: only to a terminal, never into a pipe or a file.
    std::function<bool(const std::ostream& out)> isTerminal;
    std::function<stress::SensorReading()> readSensors;
};

// Standard output on a terminal, and the installed machine tree's sensors.
StressEnvironment liveStressEnvironment();

// "stress [--duration S] [--cpu N] [--memory MiB|--memory-share P] [--json]" and "stress --self-check
// [--json]": the stability test with its summary; status 0 without error, 1 with errors. SIGINT and
// SIGTERM end it with the summary so far.
Subcommand stressCommand(StressEnvironment environment = liveStressEnvironment());

} // namespace qv::cli
