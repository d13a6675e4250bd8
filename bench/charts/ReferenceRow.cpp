#include "bench/charts/ReferenceRow.h"

namespace qv::charts {

std::vector<ChartBar> comparisonBars(const std::vector<ReferenceRow>& rows, const QString& userLabel,
                                     std::int32_t userIndex, const QColor& userColour)
{
    std::vector<ChartBar> bars;
    bars.reserve(rows.size() + 1);
    for (const ReferenceRow& row : rows)
        bars.push_back({double(row.index), row.position, row.label, kReferenceBarColour});
    bars.push_back({double(userIndex), int(rows.size()) + 1, userLabel, userColour});
    return bars;
}

} // namespace qv::charts
