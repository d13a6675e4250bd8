#include "bench/charts/ChartPainter.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qv::charts {

namespace {

const QColor kAxisColour(64, 64, 72);
const QColor kPlotGradientTop(198, 198, 214); // the dialogs' grey-blue, fading to white below
const QColor kMarkBorder(150, 150, 160);

void paintPlotBackground(QPainter& painter, const BarChart& chart, const QRectF& plot)
{
    QLinearGradient fade(plot.topLeft(), plot.bottomLeft());
    fade.setColorAt(0, kPlotGradientTop);
    fade.setColorAt(1, Qt::white);
    painter.fillRect(plot, fade);
    if (!chart.backgroundPicture().isNull())
        painter.drawImage(plot, chart.backgroundPicture());
}

void paintGrid(QPainter& painter, const ChartGeometry& geometry)
{
    painter.setPen(QPen(Qt::white, 1));
    for (const TickPlacement& tick : geometry.majorTicks) {
        const double x = std::round(tick.x) + 0.5;
        painter.drawLine(QPointF(x, geometry.plot.top()), QPointF(x, geometry.plot.bottom()));
    }
}

// A bar lit from above: a light edge, its own colour through the middle and a darker lower edge.
void paintBar(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    if (rect.width() <= 0)
        return;
    QLinearGradient shade(rect.topLeft(), rect.bottomLeft());
    shade.setColorAt(0, colour.lighter(145));
    shade.setColorAt(0.45, colour);
    shade.setColorAt(1, colour.darker(135));
    painter.fillRect(rect, shade);
}

void paintMark(QPainter& painter, const BarPlacement& placement)
{
    if (!placement.markVisible)
        return;
    if (!placement.arrow.isNull()) {
        painter.setPen(QPen(Qt::black, 1));
        const double y = std::round(placement.arrow.y1()) + 0.5;
        painter.drawLine(QPointF(placement.arrow.x1(), y), QPointF(placement.arrow.x2(), y));
    }
    const QRectF box = placement.markRect.toAlignedRect().toRectF().adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kMarkBorder, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.setFont(chartFont(TextRole::Mark));
    painter.drawText(placement.markRect, Qt::AlignCenter, placement.markText);
}

void paintLabel(QPainter& painter, const BarPlacement& placement, double scale)
{
    painter.save();
    painter.translate(placement.labelRect.topRight());
    painter.scale(scale, scale);
    const double lineHeight =
        placement.labelRect.height() / scale / std::max<qsizetype>(1, placement.labelLines.size());
    for (qsizetype i = 0; i < placement.labelLines.size(); ++i) {
        const QRectF line(-placement.labelRect.width() / scale, double(i) * lineHeight,
                          placement.labelRect.width() / scale, lineHeight);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, placement.labelLines.at(i));
    }
    painter.restore();
}

void paintAxes(QPainter& painter, const BarChart& chart, const ChartGeometry& geometry)
{
    const QRectF& plot = geometry.plot;
    const double bottom = plot.bottom() + 0.5;
    const double left = plot.left() - 0.5;
    painter.setPen(QPen(kAxisColour, 1));
    painter.drawLine(QPointF(left, plot.top()), QPointF(left, bottom));
    painter.drawLine(QPointF(left, bottom), QPointF(plot.right(), bottom));
    for (const TickPlacement& tick : geometry.majorTicks) {
        const double x = std::round(tick.x) + 0.5;
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + kMajorTickLength));
    }
    for (const double minorX : geometry.minorTickX) {
        const double x = std::round(minorX) + 0.5;
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + kMinorTickLength));
    }

    painter.setPen(Qt::black);
    painter.setFont(chartFont(TextRole::TickLabel));
    for (const TickPlacement& tick : geometry.majorTicks)
        painter.drawText(tick.textRect, Qt::AlignCenter | Qt::TextDontClip, tick.text);
    if (!chart.axisTitle().isEmpty()) {
        painter.setFont(chartFont(TextRole::AxisTitle));
        painter.drawText(geometry.axisTitleRect, Qt::AlignCenter | Qt::TextDontClip, chart.axisTitle());
    }
}

} // namespace

void paintChart(QPainter& painter, const BarChart& chart, const ChartGeometry& geometry)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(geometry.bounds, Qt::white);

    painter.save();
    painter.setClipRect(geometry.plot);
    paintPlotBackground(painter, chart, geometry.plot);
    paintGrid(painter, geometry);
    for (const BarPlacement& placement : geometry.bars)
        paintBar(painter, placement.bar, chart.bars()[placement.barIndex].colour);
    painter.restore();

    paintAxes(painter, chart, geometry);
    painter.setPen(Qt::black);
    painter.setFont(chartFont(TextRole::BarLabel));
    for (const BarPlacement& placement : geometry.bars)
        paintLabel(painter, placement, geometry.labelScale);
    for (const BarPlacement& placement : geometry.bars)
        paintMark(painter, placement);
    painter.restore();
}

void renderChart(QPainter& painter, const QRectF& target, const BarChart& chart, QSizeF logicalSize)
{
    if (logicalSize.isEmpty())
        logicalSize = target.size();
    if (logicalSize.isEmpty() || target.isEmpty())
        return;
    const FontTextMeasure measure;
    const ChartGeometry geometry = ChartGeometry::compute(chart, logicalSize, measure);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / logicalSize.width(), target.height() / logicalSize.height());
    painter.setClipRect(geometry.bounds, Qt::IntersectClip);
    paintChart(painter, chart, geometry);
    painter.restore();
}

} // namespace qv::charts
