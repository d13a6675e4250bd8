#include "hardware/ui/UsageBar.h"

#include "forms/Look.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace qv::hardwareui {

namespace {

// Past this share the bar turns to the warning colour.
constexpr int kNearlyFull = 90;

} // namespace

UsageBar::UsageBar(QWidget* parent)
    : QWidget(parent)
{
    setMinimumHeight(20);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void UsageBar::setUsage(int percent, const QString& caption)
{
    m_percent = std::clamp(percent, 0, 100);
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

int UsageBar::filledWidth(int innerWidth, int percent)
{
    return std::max(0, innerWidth) * std::clamp(percent, 0, 100) / 100;
}

void UsageBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QColor(96, 96, 140));
    p.setBrush(QColor(240, 240, 246));
    p.drawRoundedRect(frame, 3, 3);

    const QRect inner = rect().adjusted(2, 2, -2, -2);
    const QRect filled(inner.topLeft(), QSize(filledWidth(inner.width(), m_percent), inner.height()));
    if (filled.width() > 0) {
        const bool nearlyFull = m_percent >= kNearlyFull;
        QLinearGradient fill(filled.topLeft(), filled.bottomLeft());
        fill.setColorAt(0, nearlyFull ? QColor(232, 120, 96) : QColor(120, 136, 200));
        fill.setColorAt(1, nearlyFull ? QColor(176, 56, 40) : QColor(58, 66, 128));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(filled, 2, 2);
    }

    // The caption reads in white over the filled part and in the text colour over the rest.
    p.setFont(font());
    p.setPen(look::kDialogText);
    p.setClipRect(QRect(filled.right() + 1, 0, width(), height()));
    p.drawText(rect(), Qt::AlignCenter, m_caption);
    p.setPen(Qt::white);
    p.setClipRect(filled);
    p.drawText(rect(), Qt::AlignCenter, m_caption);
}

} // namespace qv::hardwareui
