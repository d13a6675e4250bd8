#pragma once

#include "bench/overall/Findings.h"
#include "bench/overall/OverallRun.h"
#include "tools/cli/BenchCommand.h"

#include <functional>
#include <ostream>

namespace qv::cli {

// The overall run's settings for the disk and display benchmarks.
SessionSettings overallSettings();

// Runs every benchmark of the overall run with `runners` in `settings`, one run each; a benchmark that
// cannot run here (no display, no OpenGL, no room for the test file) is skipped with its reason.
// `starting` hears of each benchmark before it runs.
bench::overall::OverallResult measureOverall(const BenchRunners& runners, const SessionSettings& settings,
                                             const std::function<void(results::Benchmark)>& starting = {});

// "bench all" as people read it: each benchmark's figures or why it was skipped, the combined index and
// the findings; or as JSON lines, one per benchmark and the summary last.
void writeOverall(std::ostream& out, const bench::overall::OverallResult& result,
                  const results::SavedResult& session, const std::vector<bench::overall::Finding>& findings,
                  bool json);

} // namespace qv::cli
