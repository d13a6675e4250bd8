#pragma once

#include "bench/charts/BarChart.h"
#include "bench/charts/ChartGeometry.h"

#include <QWidget>

#include <vector>

namespace qv::charts {

// A chart on screen. It owns the chart's data and paints what the geometry lays out for its size;
// printing goes through renderChart() with the same data.
class BarChartView : public QWidget {
    Q_OBJECT

public:
    explicit BarChartView(QWidget* parent = nullptr);

    const BarChart& chart() const { return m_chart; }

    void clearBars();
    void addBar(double value, int position, const QString& label, const QColor& colour);
    // Clears the bars and adds `bars` in their order.
    void setBars(const std::vector<ChartBar>& bars);
    void setAxisTitle(const QString& title);
    void setMarkArrowLength(int length);
    void setBackgroundPicture(const QImage& picture);
    void setValueRange(const ValueRange& range);
    void resetValueRange();

    // The layout for the widget's current size, e.g. to turn a mouse position into a value.
    ChartGeometry chartGeometry() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChart m_chart;
};

} // namespace qv::charts
