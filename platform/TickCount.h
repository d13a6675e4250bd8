#pragma once

#include "platform/ScopedHook.h"

#include <cstdint>
#include <functional>

namespace qv::platform {

// Milliseconds of the monotonic clock, wrapping at 2^32 like the system tick counter it stands for.
// Elapsed times are unsigned 32-bit differences, which stay right across the wrap.
std::uint32_t TickCount();

// Replaces where TickCount() reads (tests drive a simulated clock); an empty function restores the
// monotonic clock. Returns the counter it replaces.
using TickCounter = std::function<std::uint32_t()>;
TickCounter setTickCounter(TickCounter counter);
using ScopedTickCounter = ScopedHook<TickCounter, &setTickCounter>;

inline std::uint32_t elapsedTicks(std::uint32_t from, std::uint32_t to)
{
    return to - from;
}

} // namespace qv::platform
