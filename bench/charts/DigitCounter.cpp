#include "bench/charts/DigitCounter.h"

#include <algorithm>

namespace qv::charts {

std::int32_t nextCounterValue(std::int32_t current, std::int32_t target, int step)
{
    // In 64 bits, so that a target near the 32-bit limit cannot overflow the sum.
    return std::int32_t(std::min<std::int64_t>(std::int64_t(current) + step, target));
}

std::int32_t counterValueAfterTicks(std::int32_t target, int step, std::int64_t ticks)
{
    if (ticks <= 0)
        return 0;
    return std::int32_t(std::min<std::int64_t>(ticks * step, target));
}

std::int64_t counterTickCount(std::int32_t target, int step)
{
    if (target <= step)
        return 1;
    return (std::int64_t(target) + step - 1) / step;
}

std::vector<int> counterWheelDigits(std::int32_t value)
{
    std::vector<int> digits;
    for (std::int64_t rest = std::max<std::int64_t>(value, 0); rest > 0; rest /= 10)
        digits.push_back(int(rest % 10));
    if (digits.size() < std::size_t(kInitialCounterWheels))
        digits.resize(kInitialCounterWheels, 0);
    return digits;
}

DigitCounter::DigitCounter(std::int32_t target, int step)
    : m_target(target)
    , m_step(step)
{
}

bool DigitCounter::tick()
{
    if (!m_running)
        return false;
    m_value = nextCounterValue(m_value, m_target, m_step);
    m_running = m_value < m_target;
    return m_running;
}

} // namespace qv::charts
