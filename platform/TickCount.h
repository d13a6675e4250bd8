#pragma once

#include <cstdint>

namespace qv::platform {

// Milliseconds of the monotonic clock, wrapping at 2^32 like the system tick counter it stands for.
// Elapsed times are unsigned 32-bit differences, which stay right across the wrap.
std::uint32_t TickCount();

inline std::uint32_t elapsedTicks(std::uint32_t from, std::uint32_t to)
{
    return to - from;
}

} // namespace qv::platform
