#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <array>

namespace qv::charts {

// The texts of a chart, each with its own font.
enum class TextRole {
    BarLabel,  // the label of a bar on the vertical axis (bold)
    TickLabel, // a value on the bottom axis
    AxisTitle, // the title under the bottom axis (bold)
    Mark,      // the value mark beside a bar
};

// The font of each role: Arial (resolved to a metric-compatible face) at pixel sizes.
QFont chartFont(TextRole role);

// Text sizes as the layout needs them; the geometry asks this instead of a paint device so that it
// can be computed and tested without a window.
class ChartTextMeasure {
public:
    virtual ~ChartTextMeasure() = default;
    virtual double width(TextRole role, const QString& text) const = 0;
    virtual double lineHeight(TextRole role) const = 0;
};

// Measures with the fonts of chartFont().
class FontTextMeasure final : public ChartTextMeasure {
public:
    FontTextMeasure();
    double width(TextRole role, const QString& text) const override;
    double lineHeight(TextRole role) const override;

private:
    std::array<QFontMetricsF, 4> m_metrics;
};

} // namespace qv::charts
