#pragma once

#include "bench/charts/BarChart.h"

#include <QPointF>

namespace qv::charts {

struct ChartGeometry;

// Drag-to-zoom on the value axis: a drag to the right over the plotting area zooms onto the values
// under it, a drag to the left goes back to the automatic range, a drag shorter than this does nothing.
inline constexpr double kMinZoomDragPixels = 5;
// The zoom is animated in this many steps of this many milliseconds.
inline constexpr int kZoomAnimationSteps = 2;
inline constexpr int kZoomStepMs = 25;

enum class ZoomAction { None, ZoomIn, ZoomOut };

struct ZoomDecision {
    ZoomAction action = ZoomAction::None;
    ValueRange range; // ZoomIn: the values under the drag, within the range shown now
};

// What a drag from `from` to `to` asks of the chart laid out as `geometry`.
ZoomDecision decideZoom(const ChartGeometry& geometry, QPointF from, QPointF to);

// The range shown after `step` of `steps` steps on the way from `from` to `to`; the last step is `to`.
ValueRange zoomStepRange(const ValueRange& from, const ValueRange& to, int step, int steps);

} // namespace qv::charts
