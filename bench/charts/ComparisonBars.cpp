#include "bench/charts/ComparisonBars.h"

namespace qv::charts {

std::vector<ChartBar> comparisonBars(const std::vector<bench::ReferenceRow>& rows, const QString& userLabel,
                                     std::int32_t userIndex, const QColor& userColour)
{
    std::vector<ChartBar> bars;
    bars.reserve(rows.size() + 1);
    for (const bench::ReferenceRow& row : rows)
        bars.push_back({double(row.index), row.position, row.label, kReferenceBarColour});
    bars.push_back({double(userIndex), int(rows.size()) + 1, userLabel, userColour});
    return bars;
}

std::vector<ChartBar> cpuChartBars(bench::CpuFamily family, bench::CpuChart chart, std::int32_t userIndex)
{
    return comparisonBars(bench::cpuReferenceRows(family, chart), bench::cpuUserLabel(family, chart),
                          userIndex, YourCpuColor);
}

std::vector<ChartBar> memoryChartBars(bench::MemoryFamily family, std::int32_t userIndex)
{
    return comparisonBars(bench::memoryReferenceRows(family), bench::memoryUserLabel(), userIndex,
                          kUserMemoryBarColour);
}

} // namespace qv::charts
