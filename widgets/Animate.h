#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

namespace qv::widgets {

// The frame shown for a requested frame `value`: the last one when it is negative, otherwise `value`
// modulo the number of frames.
int animatedFrameFor(int value, int frameCount);

// A copy of `strip` in which the pixels of `key` are transparent; `strip` unchanged when `key` is invalid.
QImage keyedStrip(const QImage& strip, const QColor& key);

} // namespace qv::widgets

// One frame of a horizontal strip of equal frames, each as wide as the control; steps through them on a
// timer while Play is on. The timer exists exactly while playing with a positive Interval.
class TAnimated : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap BitMap READ BitMap WRITE setBitMap)
    Q_PROPERTY(int FrameCount READ FrameCount WRITE setFrameCount)
    Q_PROPERTY(int Frame READ Frame WRITE setFrame)
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
    Q_PROPERTY(bool Play READ Play WRITE setPlay)
    Q_PROPERTY(bool Reverse READ Reverse WRITE setReverse)
    Q_PROPERTY(bool Loop READ Loop WRITE setLoop)
    Q_PROPERTY(QColor TransparentColor READ TransparentColor WRITE setTransparentColor)

public:
    explicit TAnimated(QWidget* parent = nullptr);
    ~TAnimated() override;

    QPixmap BitMap() const { return m_strip; }
    // Copies the strip and takes its height (30 for an empty strip).
    void setBitMap(const QPixmap& strip);
    int FrameCount() const { return m_frameCount; }
    void setFrameCount(int count);
    int Frame() const { return m_frame; }
    void setFrame(int value);
    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);
    bool Play() const { return m_play; }
    void setPlay(bool play);
    bool Reverse() const { return m_reverse; }
    void setReverse(bool reverse) { m_reverse = reverse; }
    bool Loop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }
    // An invalid colour means none: the strip is drawn as it is.
    QColor TransparentColor() const { return m_transparentColor; }
    void setTransparentColor(const QColor& colour);

    bool hasTimer() const { return m_timer != nullptr; }
    QSize sizeHint() const override;

    // Fired with the requested frame value when the shown frame changes.
    std::function<void(int)> OnChangeFrame;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void step();
    void restartTimer();
    void rebuildKeyedStrip();

    QPixmap m_strip;
    QPixmap m_keyed; // the strip with the transparent colour cut out
    int m_frameCount = 1;
    int m_frame = 0;
    int m_interval = 0;
    bool m_play = false;
    bool m_reverse = false;
    bool m_loop = true;
    QColor m_transparentColor;
    std::unique_ptr<QTimer> m_timer;
};
