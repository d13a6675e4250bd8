#pragma once

#include "bench/display/DisplayBench.h"
#include "results/SavedResult.h"

#include <functional>

namespace qv::cli {

// One run of a display benchmark as the tool records it: each test's rate (3D: frames and triangles per
// second), the screen's scale (2D) and the index; how it ran (platform, window, OpenGL's strings).
struct DisplayBenchSession {
    results::Figures figures;
    results::SetupFacts setup;
};
using DisplayRunner =
    std::function<DisplayBenchSession(bench::display::DisplayKind, const bench::display::DisplaySettings&)>;

DisplayBenchSession displayBenchSession(const bench::display::DisplaySettings& settings,
                                        const bench::display::DisplayResult& result);

// Throws std::runtime_error, with the message to show, where no display answers.
void requireDisplay(bench::display::DisplayKind kind);

// Runs the benchmark in a window on this display. Throws std::runtime_error, with the message to show,
// where there is no display or the benchmark cannot run on it.
DisplayBenchSession runDisplayBenchSession(bench::display::DisplayKind kind,
                                           const bench::display::DisplaySettings& settings);

} // namespace qv::cli
