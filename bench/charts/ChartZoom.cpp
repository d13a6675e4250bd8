#include "bench/charts/ChartZoom.h"

#include "bench/charts/ChartGeometry.h"

#include <algorithm>
#include <cmath>

namespace qv::charts {

ZoomDecision decideZoom(const ChartGeometry& geometry, QPointF from, QPointF to)
{
    const double dragged = to.x() - from.x();
    if (std::abs(dragged) < kMinZoomDragPixels || !geometry.plot.contains(from))
        return {};
    if (dragged < 0)
        return {ZoomAction::ZoomOut, {}};
    const double right = std::min(to.x(), geometry.plot.right());
    if (right - from.x() < kMinZoomDragPixels)
        return {};
    return {ZoomAction::ZoomIn, {geometry.valueAtX(from.x()), geometry.valueAtX(right)}};
}

ValueRange zoomStepRange(const ValueRange& from, const ValueRange& to, int step, int steps)
{
    if (steps <= 0 || step >= steps)
        return to;
    const double share = static_cast<double>(std::max(step, 0)) / steps;
    return {from.minimum + (to.minimum - from.minimum) * share,
            from.maximum + (to.maximum - from.maximum) * share};
}

} // namespace qv::charts
