#pragma once

#include "bench/display/DisplayBench.h"
#include "results/SavedResult.h"

namespace qv::cli {

// One run of a display benchmark as it is recorded: each test's rate (3D: frames and triangles per
// second), the screen's scale (2D) and the index; how it ran (platform, window, OpenGL's strings).
struct DisplayBenchSession {
    results::Figures figures;
    results::SetupFacts setup;
};

DisplayBenchSession displayBenchSession(const bench::display::DisplaySettings& settings,
                                        const bench::display::DisplayResult& result);

} // namespace qv::cli
