#pragma once

#include "bench/CpuReferenceTables.h"
#include "bench/MemoryReferenceTables.h"
#include "bench/ReferenceRow.h"
#include "bench/charts/BarChart.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

namespace qv::charts {

// The reference bars are silver; the user's bar stands out in orange-brown.
inline const QColor kReferenceBarColour{192, 192, 192};
inline const QColor YourCpuColor{164, 75, 30};
inline const QColor kUserMemoryBarColour{164, 75, 30};

// The value marks of the memory chart hang on arrows of this length.
inline constexpr int kMemoryMarkArrowLength = 10;

// The bars of a comparison chart: every reference row in its order in silver, then the user's bar
// at the position after the last row, whatever its value.
std::vector<ChartBar> comparisonBars(const std::vector<bench::ReferenceRow>& rows, const QString& userLabel,
                                     std::int32_t userIndex, const QColor& userColour);

// Every bar of a CPU chart: the family's rows, then the user's bar after the last one.
std::vector<ChartBar> cpuChartBars(bench::CpuFamily family, bench::CpuChart chart, std::int32_t userIndex);
// Every bar of the memory chart: the family's rows, then the user's bar after the last one.
std::vector<ChartBar> memoryChartBars(bench::MemoryFamily family, std::int32_t userIndex);

} // namespace qv::charts
