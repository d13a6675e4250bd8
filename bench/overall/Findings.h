#pragma once

#include "bench/overall/FindingsInput.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::bench::overall {

// What limits this machine, in plain words with the figure behind it.
struct Finding {
    std::string_view rule;
    std::string text;

    bool operator==(const Finding&) const = default;
};

// One rule of the performances wizard. Its text's "{}" are filled, in order, with the figures the rule
// reads; it says nothing when a fact it needs is unknown or its threshold is not passed.
struct FindingRule {
    std::string_view id;
    std::string_view needs; // the facts it reads, as the documentation lists them
    double threshold;       // in the unit `thresholdText` names
    std::string_view thresholdText;
    std::string_view text;
    std::optional<std::vector<std::string>> (*figures)(const FindingsInput& input, double threshold);
};
std::span<const FindingRule> findingRules();

// The findings of every rule that speaks, in the table's order.
std::vector<Finding> evaluateFindings(const FindingsInput& input);

// "{}" in `text` replaced by the figures in order.
std::string fillText(std::string_view text, const std::vector<std::string>& figures);

} // namespace qv::bench::overall
