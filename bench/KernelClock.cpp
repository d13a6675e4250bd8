#include "bench/KernelClock.h"

#include <chrono>

namespace qv::bench {

namespace {

class SteadyKernelClock final : public KernelClock {
public:
    double nowMs() override
    {
        // Measured from the first reading so that the fraction keeps its precision in a double.
        const auto sinceOrigin = std::chrono::steady_clock::now() - m_origin;
        return std::chrono::duration<double, std::milli>(sinceOrigin).count();
    }

private:
    const std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};

} // namespace

KernelClock& steadyKernelClock()
{
    static SteadyKernelClock clock;
    return clock;
}

} // namespace qv::bench
