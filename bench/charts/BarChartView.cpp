#include "bench/charts/BarChartView.h"

#include "bench/charts/ChartPainter.h"
#include "bench/charts/ChartZoom.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QTimer>

#include <algorithm>

namespace qv::charts {

BarChartView::BarChartView(QWidget* parent)
    : QWidget(parent)
    , m_zoomTimer(new QTimer(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_zoomTimer->setInterval(kZoomStepMs);
    connect(m_zoomTimer, &QTimer::timeout, this, &BarChartView::stepZoom);
}

void BarChartView::clearBars()
{
    discardZoom();
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
    clearBars();
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
    emit valueRangeChanged();
}

void BarChartView::resetValueRange()
{
    m_chart.resetValueRange();
    update();
    emit valueRangeChanged();
}

// Ends a drag or an animation under way and returns to the automatic range.
void BarChartView::discardZoom()
{
    m_zoomTimer->stop();
    m_dragStart.reset();
    if (m_rubberBand)
        m_rubberBand->hide();
    if (m_chart.valueRange())
        resetValueRange();
}

void BarChartView::setDragZoomEnabled(bool enabled)
{
    m_dragZoomEnabled = enabled;
    setCursor(enabled ? Qt::CrossCursor : Qt::ArrowCursor);
}

bool BarChartView::zoomAnimating() const
{
    return m_zoomTimer->isActive();
}

void BarChartView::mousePressEvent(QMouseEvent* event)
{
    if (!m_dragZoomEnabled || event->button() != Qt::LeftButton ||
        !chartGeometry().plot.contains(event->position()))
        return QWidget::mousePressEvent(event);
    m_dragStart = event->position().toPoint();
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle, this);
}

// The band spans the plotting area's height between the two horizontal positions of the drag.
void BarChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragStart)
        return QWidget::mouseMoveEvent(event);
    const QRectF plot = chartGeometry().plot;
    const int x = std::clamp(event->position().toPoint().x(), int(plot.left()), int(plot.right()));
    m_rubberBand->setGeometry(QRect(QPoint(std::min(m_dragStart->x(), x), int(plot.top())),
                                    QPoint(std::max(m_dragStart->x(), x), int(plot.bottom()))));
    m_rubberBand->show();
}

void BarChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragStart || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const QPoint start = *m_dragStart;
    m_dragStart.reset();
    m_rubberBand->hide();
    const ZoomDecision decision = decideZoom(chartGeometry(), start, event->position());
    if (decision.action == ZoomAction::ZoomIn) {
        animateZoom(decision.range, false);
    } else if (decision.action == ZoomAction::ZoomOut && m_chart.valueRange()) {
        BarChart automatic = m_chart;
        automatic.resetValueRange();
        animateZoom(ChartGeometry::compute(automatic, size(), FontTextMeasure()).range, true);
    }
}

void BarChartView::animateZoom(const ValueRange& target, bool automaticAtEnd)
{
    m_zoomFrom = chartGeometry().range;
    m_zoomTo = target;
    m_zoomStep = 0;
    m_automaticAtEnd = automaticAtEnd;
    m_zoomTimer->start();
}

void BarChartView::stepZoom()
{
    ++m_zoomStep;
    if (m_zoomStep < kZoomAnimationSteps) {
        setValueRange(zoomStepRange(m_zoomFrom, m_zoomTo, m_zoomStep, kZoomAnimationSteps));
        return;
    }
    m_zoomTimer->stop();
    if (m_automaticAtEnd)
        resetValueRange();
    else
        setValueRange(m_zoomTo);
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
