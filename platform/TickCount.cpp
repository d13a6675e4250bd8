#include "platform/TickCount.h"

#include <ctime>
#include <utility>

namespace qv::platform {

namespace {

TickCounter& replacement()
{
    static TickCounter counter;
    return counter;
}

} // namespace

TickCounter setTickCounter(TickCounter counter)
{
    return std::exchange(replacement(), std::move(counter));
}

std::uint32_t TickCount()
{
    if (const TickCounter& counter = replacement())
        return counter();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds =
        static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace qv::platform
