#pragma once

#include "bench/charts/BarChart.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

namespace qv::charts {

// One reference machine on a comparison chart: its bar position (1 at the bottom), label and index.
struct ReferenceRow {
    int position = 0;
    QString label;
    std::int32_t index = 0;

    bool operator==(const ReferenceRow&) const = default;
};

// The reference bars are silver; the user's bar stands out in orange-brown.
inline const QColor kReferenceBarColour{192, 192, 192};
inline const QColor YourCpuColor{164, 75, 30};
inline const QColor kUserMemoryBarColour{164, 75, 30};

// The bars of a comparison chart: every reference row in its order in silver, then the user's bar
// at the position after the last row, whatever its value.
std::vector<ChartBar> comparisonBars(const std::vector<ReferenceRow>& rows, const QString& userLabel,
                                     std::int32_t userIndex, const QColor& userColour);

} // namespace qv::charts
