#include "bench/BenchmarkRuns.h"

#include "bench/Dhrystone.h"
#include "bench/Livermore.h"
#include "bench/Scoring.h"
#include "bench/Whetstone.h"

namespace qv::bench {

CpuBenchmarkFigures runCpuBenchmark(KernelClock& clock)
{
    CpuBenchmarkFigures figures;
    const double start = clock.nowMs();
    figures.dhrystoneRate = DhrystoneRate(kDhrystoneScale, clock);
    figures.aluIndex = ScoreAlu(figures.dhrystoneRate);
    figures.whetstoneRate = WhetstoneRate(kWhetstoneScale, clock);
    figures.livermoreMflops = LivermoreMflops(kLivermoreScale, clock);
    figures.fpuIndex = ScoreFpu(figures.whetstoneRate, figures.livermoreMflops);
    figures.generalIndex = ScoreGeneral(figures.aluIndex, figures.fpuIndex);
    figures.elapsedMs = clock.nowMs() - start;
    return figures;
}

MemoryBenchmarkFigures runMemoryBenchmark(KernelClock& clock)
{
    return runMemoryKernel(clock, systemBlockAllocator());
}

} // namespace qv::bench
