#pragma once

#include "results/SavedResult.h"

#include <string>
#include <string_view>

namespace qv::cli {

// A figure as the plain output shows it: whole numbers without decimals, others with two.
std::string figureText(double value);

// "Run 1: AluIndex 2210, ..." with its line break: a run's figures as "bench" prints them.
std::string plainFiguresLine(std::string_view label, const results::Figures& figures);

} // namespace qv::cli
