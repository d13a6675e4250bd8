#include "IconShapes.h"

#include "Palette.h"

#include <algorithm>

namespace qv::picgen {

IconPainter::IconPainter(QPainter& p, const QRectF& target)
    : m_p(p)
{
    const qreal scale = target.width() / Grid;
    m_ink = std::min(1.0, (1.0 + 0.25 * (scale - 1)) / scale);
    m_p.save();
    m_p.translate(target.topLeft());
    m_p.scale(scale, scale);
}

IconPainter::~IconPainter()
{
    m_p.restore();
}

QBrush IconPainter::vertical(const QRectF& r, const QColor& top, const QColor& bottom) const
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QBrush IconPainter::metal(const QRectF& r) const
{
    return vertical(r, colour::metalLight(), colour::metalDark());
}
QBrush IconPainter::body(const QRectF& r) const
{
    return vertical(r, colour::navyLight(), colour::navy());
}
QBrush IconPainter::amber(const QRectF& r) const
{
    return vertical(r, colour::accentLight(), colour::accent());
}
QBrush IconPainter::screen(const QRectF& r) const
{
    return vertical(r, colour::slate(), colour::navyLight());
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void IconPainter::shape(const QPainterPath& path, const QBrush& fill) const
{
    m_p.setBrush(fill);
    m_p.setPen(QPen(colour::navyDark(), m_ink, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.drawPath(path);
}

void IconPainter::box(const QRectF& r, qreal radius, const QBrush& fill) const
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    shape(path, fill);
}

void IconPainter::disc(QPointF centre, qreal radius, const QBrush& fill) const
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    shape(path, fill);
}

void IconPainter::stroke(const QPainterPath& path, const QColor& colour, qreal width) const
{
    m_p.setBrush(Qt::NoBrush);
    m_p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.drawPath(path);
}

void IconPainter::line(QPointF a, QPointF b, const QColor& colour, qreal width) const
{
    QPainterPath path(a);
    path.lineTo(b);
    stroke(path, colour, width);
}

void IconPainter::sparkle(QPointF centre, qreal radius, const QColor& fill) const
{
    const qreal waist = radius * 0.28;
    QPainterPath path(centre + QPointF(0, -radius));
    path.quadTo(centre + QPointF(waist, -waist), centre + QPointF(radius, 0));
    path.quadTo(centre + QPointF(waist, waist), centre + QPointF(0, radius));
    path.quadTo(centre + QPointF(-waist, waist), centre + QPointF(-radius, 0));
    path.quadTo(centre + QPointF(-waist, -waist), centre + QPointF(0, -radius));
    shape(path, fill);
}

void IconPainter::badge(QPointF centre, qreal radius, const QColor& fill, Mark mark) const
{
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(colour::white());
    m_p.drawEllipse(centre, radius + 1, radius + 1);
    disc(centre, radius,
         vertical(QRectF(centre.x(), centre.y() - radius, 0, 2 * radius),
                  colour::mix(fill, colour::white(), 0.25), fill));
    drawMark(m_p, mark, centre, radius * 1.25, colour::white());
}

void IconPainter::within(const QRectF& unitRect, const std::function<void(const IconPainter&)>& draw) const
{
    const IconPainter inner(m_p, unitRect);
    draw(inner);
}

void drawMark(QPainter& p, Mark mark, QPointF c, qreal size, const QColor& colour)
{
    const qreal u = size / 10;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.9 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (mark) {
    case Mark::Check: {
        QPainterPath path(c + QPointF(-3.8 * u, 0.2 * u));
        path.lineTo(c + QPointF(-1.2 * u, 2.8 * u));
        path.lineTo(c + QPointF(3.8 * u, -2.8 * u));
        p.drawPath(path);
        break;
    }
    case Mark::ArrowDown: {
        p.drawLine(c + QPointF(0, -3.8 * u), c + QPointF(0, 3.2 * u));
        QPainterPath head(c + QPointF(-3.2 * u, 0.2 * u));
        head.lineTo(c + QPointF(0, 3.4 * u));
        head.lineTo(c + QPointF(3.2 * u, 0.2 * u));
        p.drawPath(head);
        break;
    }
    case Mark::ArrowRight:
    case Mark::ArrowLeft: {
        const qreal x = mark == Mark::ArrowRight ? 1 : -1; // the left arrow is the right one mirrored
        p.drawLine(c + QPointF(-3.8 * x * u, 0), c + QPointF(3.2 * x * u, 0));
        QPainterPath head(c + QPointF(0.2 * x * u, -3.2 * u));
        head.lineTo(c + QPointF(3.4 * x * u, 0));
        head.lineTo(c + QPointF(0.2 * x * u, 3.2 * u));
        p.drawPath(head);
        break;
    }
    case Mark::Cross:
        p.drawLine(c + QPointF(-3 * u, -3 * u), c + QPointF(3 * u, 3 * u));
        p.drawLine(c + QPointF(3 * u, -3 * u), c + QPointF(-3 * u, 3 * u));
        break;
    case Mark::Question: {
        QPainterPath hook;
        hook.arcMoveTo(QRectF(c.x() - 2.8 * u, c.y() - 4.6 * u, 5.6 * u, 5.2 * u), 160);
        hook.arcTo(QRectF(c.x() - 2.8 * u, c.y() - 4.6 * u, 5.6 * u, 5.2 * u), 160, -230);
        hook.quadTo(c + QPointF(0, 0.2 * u), c + QPointF(0, 1.6 * u));
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c + QPointF(0, 4.1 * u), 1.2 * u, 1.2 * u);
        break;
    }
    case Mark::Play: {
        QPainterPath tri(c + QPointF(-2.6 * u, -4 * u));
        tri.lineTo(c + QPointF(4.2 * u, 0));
        tri.lineTo(c + QPointF(-2.6 * u, 4 * u));
        tri.closeSubpath();
        p.setPen(QPen(colour, 1.2 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(tri);
        break;
    }
    case Mark::Slash:
        p.setPen(QPen(colour, 1.6 * u));
        p.drawEllipse(c, 4.2 * u, 4.2 * u);
        p.drawLine(c + QPointF(-3 * u, 3 * u), c + QPointF(3 * u, -3 * u));
        break;
    case Mark::Printer: {
        p.setPen(QPen(colour, 1.1 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRect(QRectF(c.x() - 2.6 * u, c.y() - 4.8 * u, 5.2 * u, 2.8 * u));
        p.drawRoundedRect(QRectF(c.x() - 4.8 * u, c.y() - 2 * u, 9.6 * u, 4.8 * u), 1 * u, 1 * u);
        p.setBrush(colour);
        p.drawRect(QRectF(c.x() - 2.6 * u, c.y() + 1.2 * u, 5.2 * u, 3.6 * u));
        p.setPen(Qt::NoPen);
        p.drawEllipse(c + QPointF(3.1 * u, -0.4 * u), 0.7 * u, 0.7 * u);
        break;
    }
    case Mark::Info:
        p.drawLine(c + QPointF(0, -0.6 * u), c + QPointF(0, 3.6 * u));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c + QPointF(0, -3.4 * u), 1.25 * u, 1.25 * u);
        break;
    }
    p.restore();
}

} // namespace qv::picgen
