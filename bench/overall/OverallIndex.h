#pragma once

#include "results/SavedResult.h"

#include <array>
#include <span>
#include <string_view>

namespace qv::bench::overall {

// One benchmark of the overall run, in run order, with the index it contributes and the baseline that
// index is read against: the baseline scores `baselineScore`.
struct IndexBaseline {
    results::Benchmark benchmark;
    std::string_view index;    // the figure: "GeneralIndex", "DiskIndex", …
    double baselineScore;      // what the baseline scores on that index
    std::string_view baseline; // what the baseline is
};
const std::array<IndexBaseline, 5>& indexBaselines();
const IndexBaseline& indexBaseline(results::Benchmark benchmark);

// The session's index over its baseline's (1: as fast as the baseline); 0 when the index is missing or zero.
double relativeIndex(const results::SavedResult& session);

// The combined index of a machine as fast as every baseline.
inline constexpr double kBaselineIndex = 100;

// The combined index: the geometric mean of the relative indices of the sessions that ran, times 100 (a
// machine as fast as every baseline scores 100); 0 when none ran or one scored 0.
double combinedIndex(std::span<const results::SavedResult> sessions);

} // namespace qv::bench::overall
