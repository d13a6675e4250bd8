#pragma once

#include <QPainter>
#include <QPainterPath>

#include <functional>

// Primitives of the icon style: shapes filled with a colour or gradient and outlined in dark navy,
// drawn on a 22 x 22 unit grid mapped onto any target square. The outline keeps about one pixel
// at small sizes and grows slowly on large illustrations.
namespace qv::picgen {

enum class Mark { Check, ArrowDown, ArrowRight, ArrowLeft, Cross, Info, Question, Play, Slash, Printer };

class IconPainter {
public:
    static constexpr qreal Grid = 22;

    IconPainter(QPainter& p, const QRectF& target);
    ~IconPainter();
    IconPainter(const IconPainter&) = delete;
    IconPainter& operator=(const IconPainter&) = delete;

    QPainter& painter() const { return m_p; }
    qreal ink() const { return m_ink; }

    QBrush vertical(const QRectF& r, const QColor& top, const QColor& bottom) const;
    // The fills of the style, as vertical gradients over r.
    QBrush metal(const QRectF& r) const;
    QBrush body(const QRectF& r) const;
    QBrush amber(const QRectF& r) const;
    QBrush screen(const QRectF& r) const;
    void shape(const QPainterPath& path, const QBrush& fill) const;
    void box(const QRectF& r, qreal radius, const QBrush& fill) const;
    void disc(QPointF centre, qreal radius, const QBrush& fill) const;
    // A stroke without outline, in unit width.
    void stroke(const QPainterPath& path, const QColor& colour, qreal width) const;
    void line(QPointF a, QPointF b, const QColor& colour, qreal width) const;
    // A four-pointed sparkle.
    void sparkle(QPointF centre, qreal radius, const QColor& fill) const;
    // A round badge with a white mark, set over a corner of another icon.
    void badge(QPointF centre, qreal radius, const QColor& fill, Mark mark) const;
    // Draws into a sub-square of this icon's grid, on a grid of its own.
    void within(const QRectF& unitRect, const std::function<void(const IconPainter&)>& draw) const;

private:
    QPainter& m_p;
    qreal m_ink;
};

QPainterPath polygonPath(std::initializer_list<QPointF> points);

// The white mark of a badge or button, drawn in a square of side `size` centred on `centre`.
void drawMark(QPainter& p, Mark mark, QPointF centre, qreal size, const QColor& colour);

} // namespace qv::picgen
