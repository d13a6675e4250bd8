#include "bench/charts/ChartGeometry.h"

#include "bench/charts/NiceScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::charts {

namespace {

constexpr double kPadding = 4;
constexpr double kLabelGap = 8;          // between the bar labels and the plotting area
constexpr double kTickLabelGap = 2;      // between a tick and its value
constexpr double kTitleGap = 4;          // between the values and the axis title
constexpr double kTickLabelSpacing = 18; // least free space between two values of the axis
constexpr double kMostTickIntervals = 10;
constexpr double kMarkPaddingX = 4;
constexpr double kMarkPaddingY = 1;
constexpr double kMarkGapWithoutArrow = 3;
constexpr double kLabelColumnShare = 0.45; // of the chart's width, before labels are broken
constexpr double kLabelScales[] = {1.0, 0.92, 0.85};

struct LabelColumn {
    double width = 0;
    double scale = 1;
    std::vector<QStringList> lines; // per bar
};

// Lays the labels out for the widest column allowed, breaking and then shrinking them until every
// label fits its slot.
LabelColumn layoutLabels(const std::vector<ChartBar>& bars, double maxWidth, double slotHeight,
                         const ChartTextMeasure& measure)
{
    const auto width = [&](const QString& text) { return measure.width(TextRole::BarLabel, text); };
    const double lineHeight = measure.lineHeight(TextRole::BarLabel);
    LabelColumn column;
    for (const double scale : kLabelScales) {
        column = LabelColumn{0, scale, {}};
        bool fits = true;
        for (const ChartBar& bar : bars) {
            QStringList lines = wrapLabel(bar.label, maxWidth / scale, width);
            for (const QString& line : lines)
                column.width = std::max(column.width, std::ceil(width(line) * scale));
            fits = fits && double(lines.size()) * lineHeight * scale <= slotHeight;
            column.lines.push_back(std::move(lines));
        }
        if (fits && column.width <= maxWidth)
            break;
    }
    return column;
}

struct MarkSize {
    QString text;
    double width = 0;
    double height = 0;
};

MarkSize markSize(double value, const ChartTextMeasure& measure)
{
    MarkSize size{formatMarkValue(value), 0, measure.lineHeight(TextRole::Mark) + 2 * kMarkPaddingY};
    size.width = measure.width(TextRole::Mark, size.text) + 2 * kMarkPaddingX;
    return size;
}

double markOffset(int arrowLength)
{
    return arrowLength > 0 ? arrowLength : kMarkGapWithoutArrow;
}

// The step whose values fit side by side along `plotWidth`.
double stepForLabels(const ValueRange& range, double plotWidth, const ChartTextMeasure& measure)
{
    const double trial = niceStep(range.span() / 10);
    const double labelWidth =
        std::max(measure.width(TextRole::TickLabel, formatAxisValue(range.minimum, trial)),
                 measure.width(TextRole::TickLabel, formatAxisValue(range.maximum, trial)));
    const double count =
        std::clamp(std::floor(plotWidth / (labelWidth + kTickLabelSpacing)), 1.0, kMostTickIntervals);
    return niceStep(range.span() / count);
}

// The automatic value range: from 0 (or below, for negative bars) to a whole step beyond the point
// where every bar's mark still fits inside the plotting area.
ValueRange fittedRange(const BarChart& chart, double plotWidth, const ChartTextMeasure& measure, double& step)
{
    double low = 0;
    double high = 0;
    for (const ChartBar& bar : chart.bars()) {
        const double room = markSize(bar.value, measure).width + markOffset(chart.markArrowLength()) + 2;
        // The bar may use the share of the width that its mark leaves free.
        const double share = std::max(0.1, 1 - room / plotWidth);
        if (bar.value > 0)
            high = std::max(high, bar.value / share);
        else if (bar.value < 0)
            low = std::min(low, bar.value / share);
    }
    if (high - low <= 0)
        high = low + 10;
    ValueRange range{low, high};
    step = stepForLabels(range, plotWidth, measure);
    range = {niceFloor(low, step), niceCeil(high, step)};
    // Rounding out can leave room for a coarser step; recompute it for the final range.
    step = stepForLabels(range, plotWidth, measure);
    return {niceFloor(range.minimum, step), niceCeil(range.maximum, step)};
}

void placeTicks(ChartGeometry& geometry, const ChartTextMeasure& measure)
{
    const AxisTicks ticks = axisTicks(geometry.range, geometry.step, kMinorTicksPerMajor);
    const double top = geometry.plot.bottom() + kMajorTickLength + kTickLabelGap;
    const double height = measure.lineHeight(TextRole::TickLabel);
    for (const double value : ticks.major) {
        TickPlacement tick{value, geometry.xForValue(value), formatAxisValue(value, geometry.step), {}};
        const double width = measure.width(TextRole::TickLabel, tick.text);
        tick.textRect = QRectF(tick.x - width / 2, top, width, height);
        geometry.majorTicks.push_back(std::move(tick));
    }
    for (const double value : ticks.minor)
        geometry.minorTickX.push_back(geometry.xForValue(value));
}

void placeMark(BarPlacement& placement, const ChartBar& bar, const ChartGeometry& geometry, int arrowLength,
               const ChartTextMeasure& measure)
{
    const MarkSize size = markSize(bar.value, measure);
    const ValueRange& range = geometry.range;
    // Bars grow from zero, so the sign decides on which side the mark goes, even when zero is out of view.
    const bool rightwards = bar.value >= 0;
    placement.markText = size.text;
    placement.markVisible = rightwards ? bar.value >= range.minimum : bar.value <= range.maximum;
    const double end = geometry.xForValue(std::clamp(bar.value, range.minimum, range.maximum));
    const double centreY = placement.slot.center().y();
    const double offset = markOffset(arrowLength);
    double left = rightwards ? end + offset : end - offset - size.width;
    const bool outside = rightwards ? left + size.width > geometry.plot.right() : left < geometry.plot.left();
    if (outside) {
        // A bar cut off by a zoomed range: its mark goes inside the plotting area, without an arrow.
        left = rightwards ? geometry.plot.right() - 2 - size.width : geometry.plot.left() + 2;
    } else if (arrowLength > 0) {
        placement.arrow = QLineF(end, centreY, rightwards ? left : left + size.width, centreY);
    }
    placement.markRect = QRectF(left, centreY - size.height / 2, size.width, size.height);
}

} // namespace

double ChartGeometry::xForValue(double value) const
{
    return plot.left() + (value - range.minimum) / range.span() * plot.width();
}

double ChartGeometry::valueAtX(double x) const
{
    return range.minimum + (x - plot.left()) / plot.width() * range.span();
}

ChartGeometry ChartGeometry::compute(const BarChart& chart, const QSizeF& size,
                                     const ChartTextMeasure& measure)
{
    ChartGeometry geometry;
    geometry.bounds = QRectF(QPointF(0, 0), size);
    const std::vector<ChartBar>& bars = chart.bars();

    const double titleHeight =
        chart.axisTitle().isEmpty() ? 0 : measure.lineHeight(TextRole::AxisTitle) + kTitleGap;
    const double bottomAxisHeight =
        kMajorTickLength + kTickLabelGap + measure.lineHeight(TextRole::TickLabel) + titleHeight;
    const double top = kPadding + 2;
    const double bottom = std::max(top + 1, std::round(size.height() - kPadding - bottomAxisHeight));

    if (!bars.empty()) {
        const auto [lowest, highest] =
            std::minmax_element(bars.begin(), bars.end(),
                                [](const ChartBar& a, const ChartBar& b) { return a.position < b.position; });
        geometry.firstPosition = lowest->position;
        geometry.slotCount = highest->position - lowest->position + 1;
        geometry.slotHeight = (bottom - top) / geometry.slotCount;
    }
    const LabelColumn labels =
        layoutLabels(bars, std::floor(size.width() * kLabelColumnShare), geometry.slotHeight, measure);
    geometry.labelScale = labels.scale;

    const double left = std::round(kPadding + labels.width + kLabelGap);
    // The last value of the axis is centred on the right edge: leave room for half of it. Its text
    // depends on the range, which depends on the width, so settle the two in a second pass.
    double rightReserve = kPadding;
    for (int pass = 0; pass < 2; ++pass) {
        const double right = std::max(left + 1, std::round(size.width() - rightReserve));
        geometry.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
        if (chart.valueRange()) {
            geometry.range = *chart.valueRange();
            geometry.step = stepForLabels(geometry.range, geometry.plot.width(), measure);
        } else {
            geometry.range = fittedRange(chart, geometry.plot.width(), measure, geometry.step);
        }
        const double lastLabel =
            measure.width(TextRole::TickLabel,
                          formatAxisValue(niceFloor(geometry.range.maximum, geometry.step), geometry.step));
        rightReserve = kPadding + std::ceil(lastLabel / 2);
    }
    placeTicks(geometry, measure);
    if (titleHeight > 0) {
        const double titleTop = size.height() - kPadding - measure.lineHeight(TextRole::AxisTitle);
        geometry.axisTitleRect = QRectF(geometry.plot.left(), titleTop, geometry.plot.width(),
                                        measure.lineHeight(TextRole::AxisTitle));
    }

    const double labelLineHeight = measure.lineHeight(TextRole::BarLabel) * labels.scale;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const ChartBar& bar = bars[i];
        BarPlacement placement;
        placement.barIndex = i;
        const int slot = bar.position - geometry.firstPosition;
        placement.slot =
            QRectF(geometry.plot.left(), geometry.plot.bottom() - (slot + 1) * geometry.slotHeight,
                   geometry.plot.width(), geometry.slotHeight);
        const double thickness = geometry.slotHeight * kBarSlotShare;
        const double centreY = placement.slot.center().y();
        const ValueRange& range = geometry.range;
        const double from = geometry.xForValue(std::clamp(0.0, range.minimum, range.maximum));
        const double to = geometry.xForValue(std::clamp(bar.value, range.minimum, range.maximum));
        placement.bar = QRectF(std::min(from, to), centreY - thickness / 2, std::fabs(to - from), thickness);
        placeMark(placement, bar, geometry, chart.markArrowLength(), measure);

        placement.labelLines = labels.lines[i];
        const double labelHeight = double(placement.labelLines.size()) * labelLineHeight;
        placement.labelRect =
            QRectF(left - kLabelGap - labels.width, centreY - labelHeight / 2, labels.width, labelHeight);
        geometry.bars.push_back(std::move(placement));
    }
    return geometry;
}

QStringList wrapLabel(const QString& label, double maxWidth,
                      const std::function<double(const QString&)>& width)
{
    if (width(label) <= maxWidth)
        return {label};

    // Two lines before a parenthesis, the break that balances them best.
    QStringList best;
    double bestWidth = std::numeric_limits<double>::infinity();
    for (qsizetype i = label.indexOf(QLatin1Char('(')); i > 0; i = label.indexOf(QLatin1Char('('), i + 1)) {
        if (!label.at(i - 1).isSpace())
            continue;
        const QString first = label.left(i).trimmed();
        const QString second = label.mid(i);
        const double widest = std::max(width(first), width(second));
        if (!first.isEmpty() && widest <= maxWidth && widest < bestWidth) {
            best = {first, second};
            bestWidth = widest;
        }
    }
    if (!best.isEmpty())
        return best;

    // Word by word, keeping the spacing inside each line as it is.
    QStringList lines;
    QString line;
    const QStringList words = label.split(QLatin1Char(' '));
    QString pendingSpaces;
    for (const QString& word : words) {
        if (word.isEmpty()) {
            pendingSpaces += QLatin1Char(' ');
            continue;
        }
        const QString candidate = line.isEmpty() ? word : line + pendingSpaces + QLatin1Char(' ') + word;
        if (!line.isEmpty() && width(candidate) > maxWidth) {
            lines.append(line);
            line = word;
        } else {
            line = candidate;
        }
        pendingSpaces.clear();
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

} // namespace qv::charts
