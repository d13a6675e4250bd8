#pragma once

#include "bench/ReferenceRow.h"
#include "bench/display/DisplayBench.h"
#include "results/SavedResult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

// The reference families a comparison may show: "Pentium III", "Athlon XP", … for cpu, "486", … for mem,
// one list of drive classes for disk, the baselines for the overall run.
std::vector<std::string> referenceFamilyNames(results::Benchmark benchmark);

// The display benchmarks' kind, for a display benchmark.
std::optional<bench::display::DisplayKind> displayKind(results::Benchmark benchmark);

// The family the comparison chart shows first for a session's figures (its general or memory index);
// 0 for disk and the display benchmarks.
int chartFamilyFor(results::Benchmark benchmark, const results::Figures& figures);

// The reference rows of family number `family` for one index ("GeneralIndex", "AluIndex", "FpuIndex",
// "MemoryIndex" or "DiskIndex").
std::vector<bench::ReferenceRow> referenceRows(results::Benchmark benchmark, int family,
                                               std::string_view index);

} // namespace qv::cli
