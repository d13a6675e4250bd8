#include "widgets/Animate.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace qv::widgets {

int animatedFrameFor(int value, int frameCount)
{
    return value < 0 ? frameCount - 1 : value % frameCount;
}

QImage keyedStrip(const QImage& strip, const QColor& key)
{
    if (!key.isValid() || strip.isNull())
        return strip;
    QImage keyed = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb cut = key.rgb();
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] | 0xFF000000u) == cut)
                line[x] = 0;
    }
    return keyed;
}

} // namespace qv::widgets

using namespace qv::widgets;

namespace {
constexpr int kDefaultSize = 30;
}

TAnimated::TAnimated(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDefaultSize, kDefaultSize);
}

TAnimated::~TAnimated() = default;

QSize TAnimated::sizeHint() const
{
    return {kDefaultSize, kDefaultSize};
}

void TAnimated::setBitMap(const QPixmap& strip)
{
    m_strip = strip.copy();
    rebuildKeyedStrip();
    resize(width(), m_strip.height() > 0 ? m_strip.height() : kDefaultSize);
    update();
}

void TAnimated::setFrameCount(int count)
{
    count = std::max(count, 1);
    if (count == m_frameCount)
        return;
    m_frameCount = count;
    update();
}

void TAnimated::setFrame(int value)
{
    const int shown = animatedFrameFor(value, m_frameCount);
    if (shown == m_frame)
        return;
    m_frame = shown;
    if (OnChangeFrame)
        OnChangeFrame(value);
    update();
}

void TAnimated::setInterval(int milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    restartTimer();
}

void TAnimated::setPlay(bool play)
{
    if (play == m_play)
        return;
    m_play = play;
    restartTimer();
}

void TAnimated::restartTimer()
{
    // The timer may be stopped from its own timeout, so it is deleted once that has returned.
    if (m_timer) {
        m_timer->stop();
        m_timer.release()->deleteLater();
    }
    if (!m_play || m_interval <= 0)
        return;
    m_timer = std::make_unique<QTimer>(this);
    connect(m_timer.get(), &QTimer::timeout, this, &TAnimated::step);
    m_timer->start(m_interval);
}

void TAnimated::setTransparentColor(const QColor& colour)
{
    if (colour == m_transparentColor)
        return;
    m_transparentColor = colour;
    // With a transparent colour the parent shows through the cut-out pixels.
    setAttribute(Qt::WA_OpaquePaintEvent, !colour.isValid());
    rebuildKeyedStrip();
    update();
}

void TAnimated::rebuildKeyedStrip()
{
    m_keyed = m_transparentColor.isValid()
                  ? QPixmap::fromImage(keyedStrip(m_strip.toImage(), m_transparentColor))
                  : m_strip;
}

// A cycle ends on the last frame going forward and on frame 0 going backward; without Loop the animation
// stops there.
void TAnimated::step()
{
    const bool forward = !m_reverse;
    setFrame(forward ? m_frame + 1 : m_frame - 1);
    const bool cycleEnded = m_frame == (forward ? m_frameCount - 1 : 0);
    if (cycleEnded && !m_loop)
        setPlay(false);
}

void TAnimated::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_strip.height() == 0) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    if (!m_transparentColor.isValid())
        painter.fillRect(rect(), palette().color(backgroundRole()));
    painter.drawPixmap(0, 0, m_keyed, width() * m_frame, 0, width(), height());
}
