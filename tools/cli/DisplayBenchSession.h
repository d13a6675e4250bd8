#pragma once

#include "bench/display/DisplayBench.h"
#include "results/report/DisplayRun.h"

#include <functional>

namespace qv::cli {

using DisplayRunner =
    std::function<DisplayBenchSession(bench::display::DisplayKind, const bench::display::DisplaySettings&)>;

// Throws std::runtime_error, with the message to show, where no display answers.
void requireDisplay(bench::display::DisplayKind kind);

// Runs the benchmark in a window on this display. Throws std::runtime_error, with the message to show,
// where there is no display or the benchmark cannot run on it.
DisplayBenchSession runDisplayBenchSession(bench::display::DisplayKind kind,
                                           const bench::display::DisplaySettings& settings);

} // namespace qv::cli
