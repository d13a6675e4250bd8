#include "bench/overall/OverallIndex.h"

#include <algorithm>
#include <cmath>

namespace qv::bench::overall {

using results::Benchmark;

const std::array<IndexBaseline, 5>& indexBaselines()
{
    // The processor and memory rows are one machine of their reference tables (a Pentium III 800EB on
    // SDRAM133); the others are the baselines their benchmarks' indices already use.
    static const std::array<IndexBaseline, 5> kBaselines{{
        {Benchmark::Cpu, "GeneralIndex", 100, "Pentium III 800EB (SDRAM133-i815EP)"},
        {Benchmark::Mem, "MemoryIndex", 133, "SD-RAM / 32K / 256K FS / 133MHz (Pentium III / 4)"},
        {Benchmark::Disk, "DiskIndex", 1000, "SATA SSD"},
        {Benchmark::Display2D, "Display2DIndex", 100, "Xvfb 24-bit, 2 virtual processors"},
        {Benchmark::Display3D, "Display3DIndex", 100, "llvmpipe on Xvfb, 2 virtual processors"},
    }};
    return kBaselines;
}

const IndexBaseline& indexBaseline(Benchmark benchmark)
{
    const auto& baselines = indexBaselines();
    const auto found =
        std::find_if(baselines.begin(), baselines.end(),
                     [benchmark](const IndexBaseline& row) { return row.benchmark == benchmark; });
    return found == baselines.end() ? baselines.front() : *found;
}

double relativeIndex(const results::SavedResult& session)
{
    const IndexBaseline& baseline = indexBaseline(session.benchmark);
    if (baseline.benchmark != session.benchmark)
        return 0;
    return results::figureValue(session.summary, baseline.index) / baseline.baselineScore;
}

double combinedIndex(std::span<const results::SavedResult> sessions)
{
    if (sessions.empty())
        return 0;
    double logSum = 0;
    for (const results::SavedResult& session : sessions) {
        const double relative = relativeIndex(session);
        if (!(relative > 0))
            return 0;
        logSum += std::log(relative);
    }
    return kBaselineIndex * std::exp(logSum / double(sessions.size()));
}

} // namespace qv::bench::overall
