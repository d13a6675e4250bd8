#include "stress/ui/SensorPlot.h"

#include "bench/charts/NiceScale.h"
#include "forms/Look.h"

#include <QPainter>

#include <algorithm>

namespace qv::stress {

namespace {

constexpr double kShortestRunSeconds = 60;
constexpr int kTicks = 4;

double roundTop(double highest)
{
    if (highest <= 0)
        return 1;
    return charts::niceCeil(highest, charts::niceStep(highest / kTicks));
}

} // namespace

PlotLines plotLines(const std::vector<SensorSample>& history, const QRectF& area)
{
    PlotLines lines;
    double lastSeconds = kShortestRunSeconds;
    double hottest = 0;
    double fastest = 0;
    for (const SensorSample& sample : history) {
        lastSeconds = std::max(lastSeconds, sample.seconds);
        hottest = std::max(hottest, sample.hottestCelsius.value_or(0));
        fastest = std::max(fastest, sample.meanClockMHz.value_or(0));
    }
    lines.temperatureTop = roundTop(hottest);
    lines.clockTop = roundTop(fastest);
    const auto point = [&](double seconds, double value, double top) {
        return QPointF(area.left() + area.width() * seconds / lastSeconds,
                       area.bottom() - area.height() * value / top);
    };
    for (const SensorSample& sample : history) {
        if (sample.hottestCelsius)
            lines.temperature << point(sample.seconds, *sample.hottestCelsius, lines.temperatureTop);
        if (sample.meanClockMHz)
            lines.clock << point(sample.seconds, *sample.meanClockMHz, lines.clockTop);
    }
    return lines;
}

SensorPlot::SensorPlot(QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Temperature and clock plot"));
}

void SensorPlot::setHistory(std::vector<SensorSample> history, bool withoutTemperatures)
{
    m_history = std::move(history);
    m_withoutTemperatures = withoutTemperatures;
    update();
}

QRectF SensorPlot::plotArea() const
{
    return QRectF(rect()).adjusted(6, 18, -6, -6);
}

void SensorPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(look::kDialogText);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRectF area = plotArea();
    const PlotLines lines = plotLines(m_history, area);

    painter.setPen(QColor(220, 220, 230));
    for (int tick = 1; tick < kTicks; ++tick) {
        const double y = area.top() + area.height() * tick / kTicks;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kClockColour, 1.5));
    painter.drawPolyline(lines.clock);
    painter.setPen(QPen(kTemperatureColour, 2));
    painter.drawPolyline(lines.temperature);

    const QRectF legend = QRectF(rect()).adjusted(6, 2, -6, 0);
    // Without sensors the window's line above the plot says so; the plot only leaves that legend out.
    if (!m_withoutTemperatures) {
        painter.setPen(kTemperatureColour);
        painter.drawText(legend, Qt::AlignLeft | Qt::AlignTop,
                         tr("Hottest (up to %1 \u00b0C)").arg(lines.temperatureTop));
    }
    if (!lines.clock.isEmpty()) {
        painter.setPen(kClockColour);
        painter.drawText(legend, Qt::AlignRight | Qt::AlignTop,
                         tr("Mean clock (up to %1 MHz)").arg(lines.clockTop));
    }
}

} // namespace qv::stress
