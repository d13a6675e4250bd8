#pragma once

#include "bench/charts/BarChart.h"
#include "bench/charts/ChartText.h"

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <vector>

namespace qv::charts {

// Share of its slot that a bar fills across its length.
inline constexpr double kBarSlotShare = 0.55;
// Minor ticks between two major ticks of the value axis.
inline constexpr int kMinorTicksPerMajor = 4;
inline constexpr double kMajorTickLength = 4;
inline constexpr double kMinorTickLength = 2;

// Where one bar, its label and its value mark go.
struct BarPlacement {
    std::size_t barIndex = 0; // into BarChart::bars()
    QRectF slot;              // the bar's band of the plotting area
    QRectF bar;               // clipped to the plotting area; empty when outside the value range
    QStringList labelLines;   // the label, broken where it is too wide for the label column
    QRectF labelRect;         // right-aligned against the plotting area, centred on the slot
    QString markText;
    QRectF markRect;
    bool markVisible = false;
    QLineF arrow; // from the bar's end to its mark; null when the mark has no arrow
};

struct TickPlacement {
    double value = 0;
    double x = 0;
    QString text;
    QRectF textRect;
};

// The layout of a whole chart in a rectangle of a given size with its origin at (0, 0). Pure: it
// depends only on the chart, the size and the text sizes, so the widget and every printer share it.
struct ChartGeometry {
    static ChartGeometry compute(const BarChart& chart, const QSizeF& size, const ChartTextMeasure& measure);

    QRectF bounds;
    QRectF plot;      // the plotting area: background picture, grid and bars
    ValueRange range; // the visible values, left to right
    double step = 1;  // between major ticks
    std::vector<TickPlacement> majorTicks;
    std::vector<double> minorTickX;
    std::vector<BarPlacement> bars; // in the chart's list order
    int firstPosition = 1;          // the position of the bottom slot
    int slotCount = 0;
    double slotHeight = 0;
    double labelScale = 1; // bar labels are drawn at this fraction of their font's size
    QRectF axisTitleRect;

    double xForValue(double value) const;
    double valueAtX(double x) const;
};

// Breaks `label` into lines no wider than `maxWidth`: unchanged when it fits; otherwise preferably
// in two lines before an opening parenthesis, else word by word. A single word wider than the limit
// stays whole.
QStringList wrapLabel(const QString& label, double maxWidth,
                      const std::function<double(const QString&)>& width);

} // namespace qv::charts
