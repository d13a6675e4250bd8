#pragma once

#include "stress/StressTest.h"

#include <array>
#include <chrono>
#include <string>

namespace qv::stress {

// The durations the window offers; the choice after the last runs until stopped.
inline constexpr std::array<std::chrono::minutes, 4> kDurationChoices = {
    std::chrono::minutes(1), std::chrono::minutes(5), std::chrono::minutes(15), std::chrono::minutes(60)};

enum class LoadChoice { ProcessorsAndMemory, Processors, Memory };

// The plan for a duration choice (an index into kDurationChoices, or past it for "until stopped") and
// what to load.
StressPlan planFor(std::size_t durationChoice, LoadChoice load);

// The time left of a plan after `elapsed`: "14 min 30 s", "0 s" at the end, "Until stopped" without a
// duration.
std::string remainingText(const StressPlan& plan, std::chrono::milliseconds elapsed);

} // namespace qv::stress
