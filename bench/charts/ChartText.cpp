#include "bench/charts/ChartText.h"

#include <cmath>

namespace qv::charts {

namespace {
int roleIndex(TextRole role)
{
    return static_cast<int>(role);
}
} // namespace

QFont chartFont(TextRole role)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    switch (role) {
    case TextRole::BarLabel:
        font.setPixelSize(11);
        font.setBold(true);
        break;
    case TextRole::TickLabel:
    case TextRole::Mark:
        font.setPixelSize(11);
        break;
    case TextRole::AxisTitle:
        font.setPixelSize(12);
        font.setBold(true);
        break;
    }
    return font;
}

FontTextMeasure::FontTextMeasure()
    : m_metrics{QFontMetricsF(chartFont(TextRole::BarLabel)), QFontMetricsF(chartFont(TextRole::TickLabel)),
                QFontMetricsF(chartFont(TextRole::AxisTitle)), QFontMetricsF(chartFont(TextRole::Mark))}
{
}

double FontTextMeasure::width(TextRole role, const QString& text) const
{
    return std::ceil(m_metrics[roleIndex(role)].horizontalAdvance(text));
}

double FontTextMeasure::lineHeight(TextRole role) const
{
    return std::ceil(m_metrics[roleIndex(role)].height());
}

} // namespace qv::charts
