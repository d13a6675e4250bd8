#include "bench/charts/BarChart.h"

#include <cmath>

namespace qv::charts {

void BarChart::addBar(double value, int position, const QString& label, const QColor& colour)
{
    m_bars.push_back(ChartBar{value, position, label, colour});
}

void BarChart::setValueRange(const ValueRange& range)
{
    if (std::isfinite(range.minimum) && std::isfinite(range.maximum) && range.maximum > range.minimum)
        m_valueRange = range;
}

} // namespace qv::charts
