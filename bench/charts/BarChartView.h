#pragma once

#include "bench/charts/BarChart.h"
#include "bench/charts/ChartGeometry.h"

#include <QWidget>

#include <optional>
#include <vector>

class QRubberBand;
class QTimer;

namespace qv::charts {

// A chart on screen. It owns the chart's data and paints what the geometry lays out for its size;
// printing goes through renderChart() with the same data.
class BarChartView : public QWidget {
    Q_OBJECT

public:
    explicit BarChartView(QWidget* parent = nullptr);

    const BarChart& chart() const { return m_chart; }

    // New bars are shown whole: clearing them also ends any zoom (the automatic range returns).
    void clearBars();
    void addBar(double value, int position, const QString& label, const QColor& colour);
    // Clears the bars and adds `bars` in their order.
    void setBars(const std::vector<ChartBar>& bars);
    void setAxisTitle(const QString& title);
    void setMarkArrowLength(int length);
    void setBackgroundPicture(const QImage& picture);
    void setValueRange(const ValueRange& range);
    void resetValueRange();

    // Drag-to-zoom on the value axis with a short animation (off unless switched on): drag to the right
    // to zoom onto the values dragged over, to the left to go back to the automatic range.
    void setDragZoomEnabled(bool enabled);
    bool dragZoomEnabled() const { return m_dragZoomEnabled; }
    bool zoomAnimating() const;

    // The layout for the widget's current size, e.g. to turn a mouse position into a value.
    ChartGeometry chartGeometry() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The value axis was set to a new range, or back to the automatic one (each animation step too).
    void valueRangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void discardZoom();
    void animateZoom(const ValueRange& target, bool automaticAtEnd);
    void stepZoom();

    BarChart m_chart;
    bool m_dragZoomEnabled = false;
    std::optional<QPoint> m_dragStart;
    QRubberBand* m_rubberBand = nullptr;
    QTimer* m_zoomTimer = nullptr;
    ValueRange m_zoomFrom;
    ValueRange m_zoomTo;
    int m_zoomStep = 0;
    bool m_automaticAtEnd = false;
};

} // namespace qv::charts
