#pragma once

#include "bench/BenchmarkRuns.h"
#include "results/SavedResult.h"

namespace qv::cli {

// Completes a session whose runs are recorded, as every saved session is completed: the median of
// every figure, the warnings (the conditions' of every run, each once, then the spread of the
// indices), whether it is reliable, and the label (host name and date) when none was given.
void completeSession(results::SavedResult& session);

// A run of the processor or memory benchmark as its session's figures, in the file's order.
results::Figures cpuFigures(const bench::CpuBenchmarkFigures& figures);
results::Figures memoryFigures(const bench::MemoryBenchmarkFigures& figures);

} // namespace qv::cli
