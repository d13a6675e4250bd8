#pragma once

#include "bench/charts/BarChart.h"
#include "bench/charts/ChartGeometry.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace qv::charts {

// Draws `chart` into `target` on any painter (widget, image, PDF writer, printer). The chart is laid
// out at `logicalSize` (the target's own size when empty) and scaled to fill the target, so a printed
// page shows what the screen shows.
void renderChart(QPainter& painter, const QRectF& target, const BarChart& chart, QSizeF logicalSize = {});

// Draws a chart whose layout is already computed, at the painter's origin.
void paintChart(QPainter& painter, const BarChart& chart, const ChartGeometry& geometry);

} // namespace qv::charts
