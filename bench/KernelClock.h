#pragma once

namespace qv::bench {

// The clock the kernels time their sections with: a monotonic clock read in milliseconds with their
// fraction, so that a loop lasting a few milliseconds is not quantised into whole ticks. Tests inject
// a scripted clock to check the rate formulas with exact figures.
class KernelClock {
public:
    virtual ~KernelClock() = default;
    virtual double nowMs() = 0;
};

// The process's monotonic clock (std::chrono::steady_clock).
KernelClock& steadyKernelClock();

} // namespace qv::bench
