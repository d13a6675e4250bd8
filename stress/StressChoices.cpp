#include "stress/StressChoices.h"

#include "stress/StressMonitor.h"

#include <algorithm>

namespace qv::stress {

StressPlan planFor(std::size_t durationChoice, LoadChoice load)
{
    StressPlan plan;
    if (durationChoice < kDurationChoices.size())
        plan.duration = kDurationChoices[durationChoice];
    plan.memory = load != LoadChoice::Processors;
    if (load == LoadChoice::Memory)
        plan.processors = 0;
    return plan;
}

std::string remainingText(const StressPlan& plan, std::chrono::milliseconds elapsed)
{
    if (plan.duration.count() == 0)
        return "Until stopped";
    // Rounded up, so that the last second reads "1 s" until the end.
    const auto left =
        std::max(std::chrono::milliseconds(0), plan.duration - elapsed) + std::chrono::milliseconds(999);
    return durationText(left);
}

} // namespace qv::stress
