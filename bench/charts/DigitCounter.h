#pragma once

#include <cstdint>
#include <vector>

namespace qv::charts {

// The counters of the comparison windows climb by a fixed step per timer tick and stop on the index.
inline constexpr int kCpuCounterStep = 3;
inline constexpr int kCpuCounterIntervalMs = 2;
inline constexpr int kMemoryCounterStep = 7;
inline constexpr int kMemoryCounterIntervalMs = 10;
// Wheels shown from the start (hundreds, tens, units); further ones appear as the number needs them.
inline constexpr int kInitialCounterWheels = 3;

// The value one tick after `current`: `step` more, but never beyond `target`.
std::int32_t nextCounterValue(std::int32_t current, std::int32_t target, int step);
// The value shown after `ticks` ticks from 0.
std::int32_t counterValueAfterTicks(std::int32_t target, int step, std::int64_t ticks);
// The number of ticks until the counter stops: the first tick that reaches the target (at least one,
// since the timer always fires once).
std::int64_t counterTickCount(std::int32_t target, int step);

// The digit of every wheel for `value`, units first: as many wheels as the number has digits, and
// never fewer than the initial three (which show 0 above a short number). The wheels have no minus
// sign, so a negative value shows zeros.
std::vector<int> counterWheelDigits(std::int32_t value);

// The counter of one chart window, driven by its timer.
class DigitCounter {
public:
    DigitCounter(std::int32_t target, int step);

    // Advances one tick; returns false once the counter has stopped (the timer stops with it).
    bool tick();
    bool running() const { return m_running; }
    std::int32_t value() const { return m_value; }
    // The wheels to show, units first; their number only grows during a count.
    std::vector<int> wheelDigits() const { return counterWheelDigits(m_value); }

private:
    std::int32_t m_target;
    int m_step;
    std::int32_t m_value = 0;
    bool m_running = true;
};

} // namespace qv::charts
