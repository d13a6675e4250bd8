#pragma once

#include "results/SavedResult.h"
#include "results/report/ReferenceRows.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// One of our own rows in a comparison: a saved result (named by its file) or the run just made.
struct ComparedResult {
    std::string source; // the file, or "This run"
    results::SavedResult result;
};

// The comparison table: the reference machines of one family (by default the family the chart shows
// first for the first own row's index; "all" for every family), then each own row with its label,
// date, indices, stars and its percentage of the first own row. Marks: '!' unreliable, 'M' measured on
// another machine than `thisMachineKey`, 'R' another kernel revision than the first own row (no
// percentage then). Below it, the conditions that differ between the own rows. Throws UsageError
// for an unknown family.
std::string comparisonTable(results::Benchmark benchmark, const std::vector<ComparedResult>& rows,
                            const std::optional<std::string>& family, const std::string& thisMachineKey);

} // namespace qv::cli
