#include "bench/charts/BarChartView.h"

#include "bench/charts/ChartPainter.h"

#include <QPainter>

namespace qv::charts {

BarChartView::BarChartView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarChartView::clearBars()
{
    m_chart.clear();
    update();
}

void BarChartView::addBar(double value, int position, const QString& label, const QColor& colour)
{
    m_chart.addBar(value, position, label, colour);
    update();
}

void BarChartView::setBars(const std::vector<ChartBar>& bars)
{
    m_chart.clear();
    for (const ChartBar& bar : bars)
        m_chart.addBar(bar.value, bar.position, bar.label, bar.colour);
    update();
}

void BarChartView::setAxisTitle(const QString& title)
{
    m_chart.setAxisTitle(title);
    update();
}

void BarChartView::setMarkArrowLength(int length)
{
    m_chart.setMarkArrowLength(length);
    update();
}

void BarChartView::setBackgroundPicture(const QImage& picture)
{
    m_chart.setBackgroundPicture(picture);
    update();
}

void BarChartView::setValueRange(const ValueRange& range)
{
    m_chart.setValueRange(range);
    update();
}

void BarChartView::resetValueRange()
{
    m_chart.resetValueRange();
    update();
}

ChartGeometry BarChartView::chartGeometry() const
{
    return ChartGeometry::compute(m_chart, size(), FontTextMeasure());
}

QSize BarChartView::sizeHint() const
{
    return {694, 297};
}

QSize BarChartView::minimumSizeHint() const
{
    return {240, 120};
}

void BarChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    renderChart(painter, rect(), m_chart);
}

} // namespace qv::charts
