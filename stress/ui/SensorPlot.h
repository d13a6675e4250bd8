#pragma once

#include "stress/StressMonitor.h"

#include <QPolygonF>
#include <QRectF>
#include <QWidget>

#include <vector>

namespace qv::stress {

// Where the two lines of the sensor plot go: time across the whole run, the hottest temperature and the
// mean clock each from zero to a round top.
struct PlotLines {
    QPolygonF temperature;
    QPolygonF clock;
    double temperatureTop = 0; // °C at the top of the area
    double clockTop = 0;       // MHz at the top of the area
};

PlotLines plotLines(const std::vector<SensorSample>& history, const QRectF& area);

// The small live plot of the stability window: the hottest temperature and the mean clock over time.
class SensorPlot : public QWidget {
    Q_OBJECT

public:
    static inline const QColor kTemperatureColour{200, 32, 32};
    static inline const QColor kClockColour{32, 64, 176};

    explicit SensorPlot(QWidget* parent = nullptr);

    void setHistory(std::vector<SensorSample> history, bool withoutTemperatures);
    std::size_t sampleCount() const { return m_history.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;

    std::vector<SensorSample> m_history;
    bool m_withoutTemperatures = true;
};

} // namespace qv::stress
