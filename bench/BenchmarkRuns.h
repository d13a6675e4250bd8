#pragma once

#include "bench/KernelClock.h"
#include "bench/MemoryKernel.h"

#include <cstdint>

namespace qv::bench {

// Raised whenever a kernel or the scoring changes, so that saved results measured before are not
// compared with later ones as if they were alike.
inline constexpr int kKernelRevision = 1;

// The scales the program runs the kernels with.
inline constexpr double kDhrystoneScale = 100'000;
inline constexpr double kWhetstoneScale = 100'000;
inline constexpr double kLivermoreScale = 15'000;

struct CpuBenchmarkFigures {
    double dhrystoneRate = 0;
    double whetstoneRate = 0;
    double livermoreMflops = 0;
    std::int32_t aluIndex = 0;
    std::int32_t fpuIndex = 0;
    std::int32_t generalIndex = 0;
    double elapsedMs = 0; // the whole run, kernels and scoring included
};

// The CPU benchmark as the program runs it: Dhrystone, ALU index, Whetstone, Livermore, FPU index,
// general index. `clock` times the kernels and the whole run.
CpuBenchmarkFigures runCpuBenchmark(KernelClock& clock = steadyKernelClock());

// The memory benchmark as the program runs it (runMemoryKernel with the system allocator).
MemoryBenchmarkFigures runMemoryBenchmark(KernelClock& clock = steadyKernelClock());

} // namespace qv::bench
