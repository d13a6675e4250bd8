#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace qv::charts {

// One horizontal bar: its length is `value`, it sits in slot `position` of the vertical axis
// (position 1 at the bottom) and carries `label` on that axis.
struct ChartBar {
    double value = 0;
    int position = 1;
    QString label;
    QColor colour;

    bool operator==(const ChartBar&) const = default;
};

// A closed interval of the value axis.
struct ValueRange {
    double minimum = 0;
    double maximum = 0;

    double span() const { return maximum - minimum; }
    bool operator==(const ValueRange&) const = default;
};

// What one chart shows: its bars in the order they were added, the title of the value axis, how its
// value marks are attached and the picture inside its plotting area. Bars are never sorted; equal
// labels stay separate bars.
class BarChart {
public:
    // Removes every bar.
    void clear() { m_bars.clear(); }
    void addBar(double value, int position, const QString& label, const QColor& colour);
    const std::vector<ChartBar>& bars() const { return m_bars; }

    const QString& axisTitle() const { return m_axisTitle; }
    void setAxisTitle(const QString& title) { m_axisTitle = title; }

    // Length of the line from a bar's end to its value mark; 0 puts the mark just beside the bar.
    int markArrowLength() const { return m_markArrowLength; }
    void setMarkArrowLength(int length) { m_markArrowLength = length < 0 ? 0 : length; }

    const QImage& backgroundPicture() const { return m_background; }
    void setBackgroundPicture(const QImage& picture) { m_background = picture; }

    // The visible part of the value axis; without one the axis is chosen to fit every bar and mark.
    // Zooming is setting a narrower range; an empty or inverted range is ignored.
    const std::optional<ValueRange>& valueRange() const { return m_valueRange; }
    void setValueRange(const ValueRange& range);
    void resetValueRange() { m_valueRange.reset(); }

private:
    std::vector<ChartBar> m_bars;
    QString m_axisTitle;
    int m_markArrowLength = 0;
    QImage m_background;
    std::optional<ValueRange> m_valueRange;
};

} // namespace qv::charts
