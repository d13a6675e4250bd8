#include "IconDrawings.h"

#include "Palette.h"

#include <QtMath>

// Icons of tasks, tools and software.
namespace qv::picgen::icons {

using namespace colour;

void gauge(const IconPainter& ip)
{
    const QPointF c(11, 12);
    QRadialGradient face(QPointF(9, 8), 12);
    face.setColorAt(0, white());
    face.setColorAt(1, metalLight());
    ip.disc(c, 9.5, face);
    const auto at = [c](qreal degrees, qreal r) {
        const qreal a = qDegreesToRadians(degrees);
        return c + QPointF(r * qCos(a), -r * qSin(a));
    };
    for (int i = 0; i <= 6; ++i) {
        const qreal degrees = 225 - i * 45.0;
        ip.line(at(degrees, 6.4), at(degrees, 8), i >= 5 ? accent() : navy(), i >= 5 ? 1.3 : 0.9);
    }
    ip.line(c, at(28, 7.2), accentDark(), 1.8);
    ip.line(c, at(28, 7.2), accent(), 1.0);
    ip.disc(c, 1.8, navy());
}

void appWindow(const IconPainter& ip)
{
    ip.box({1.5, 3.5, 19, 15}, 1.5, paper());
    QPainterPath bar;
    bar.addRoundedRect(QRectF(1.5, 3.5, 19, 4.5), 1.5, 1.5);
    bar.addRect(QRectF(1.5, 6, 19, 2));
    ip.painter().fillPath(bar.simplified(), ip.vertical({1.5, 3.5, 19, 4.5}, navyLight(), navy()));
    ip.box({1.5, 3.5, 19, 15}, 1.5, Qt::NoBrush);
    ip.box({16.3, 4.8, 2.2, 2}, 0.3, accent());
    for (int i = 0; i < 3; ++i)
        ip.line({4.5, 11 + i * 2.4}, {i == 2 ? 11.5 : 17.5, 11 + i * 2.4}, slate(), 1.1);
}

void floppy(const IconPainter& ip)
{
    ip.shape(polygonPath({{1.5, 1.5}, {17.5, 1.5}, {20.5, 4.5}, {20.5, 20.5}, {1.5, 20.5}}),
             ip.body({1.5, 1.5, 19, 19}));
    ip.box({6, 1.5, 10, 6.5}, 0.4, ip.metal({6, 1.5, 10, 6.5}));
    ip.box({12, 2.8, 2.2, 4}, 0.2, navy());
    ip.box({4.5, 10.5, 13, 10}, 0.6, paper());
    ip.line({6.5, 13.5}, {15.5, 13.5}, accent(), 1.1);
    ip.line({6.5, 16.5}, {13, 16.5}, slate(), 1.1);
}

void clipboard(const IconPainter& ip)
{
    ip.box({3.5, 3, 15, 18}, 1.5, ip.body({3.5, 3, 15, 18}));
    ip.box({5.5, 5.5, 11, 13.5}, 0.4, paper());
    ip.box({7.5, 1.5, 7, 3.5}, 1.2, ip.metal({7.5, 1.5, 7, 3.5}));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 8.8 + i * 3.2;
        ip.painter().setPen(Qt::NoPen);
        ip.painter().setBrush(accent());
        ip.painter().drawEllipse(QPointF(8, y), 0.9, 0.9);
        ip.line({10, y}, {i == 2 ? 12.5 : 14.5, y}, slate(), 1.1);
    }
}

void networkTree(const IconPainter& ip)
{
    QPainterPath links(QPointF(11, 6));
    links.lineTo(11, 11);
    links.moveTo(4, 16);
    links.lineTo(4, 11);
    links.lineTo(18, 11);
    links.lineTo(18, 16);
    ip.stroke(links, navyDark(), 2.6);
    ip.stroke(links, slate(), 1.1);
    ip.box({8, 1.5, 6, 5.5}, 1, ip.amber({8, 1.5, 6, 5.5}));
    ip.box({1, 15, 6, 5.5}, 1, ip.body({1, 15, 6, 5.5}));
    ip.box({15, 15, 6, 5.5}, 1, ip.body({15, 15, 6, 5.5}));
}

void chartUp(const IconPainter& ip)
{
    const qreal heights[] = {5, 8.5, 12.5};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(4 + i * 5.5, 19.5 - heights[i], 4, heights[i]);
        ip.box(bar, 0.4, i == 2 ? ip.amber(bar) : ip.body(bar));
    }
    ip.line({2, 1.5}, {2, 20}, navyDark(), 1.2);
    ip.line({2, 20}, {21, 20}, navyDark(), 1.2);
    QPainterPath arrow(QPointF(4, 10));
    arrow.lineTo(10, 5.5);
    arrow.lineTo(13, 7.5);
    arrow.lineTo(19.5, 2);
    ip.stroke(arrow, white(), 2.8);
    ip.stroke(arrow, accentDark(), 1.4);
    ip.shape(polygonPath({{20.8, 1}, {20.3, 5.6}, {16.4, 1.8}}), accentDark());
}

void sliders(const IconPainter& ip)
{
    const qreal knobs[] = {12.5, 5.5, 14.5};
    for (int i = 0; i < 3; ++i) {
        const qreal x = 4.5 + i * 6.5;
        ip.line({x, 2}, {x, 20}, navyDark(), 2.2);
        ip.line({x, 2}, {x, 20}, slate(), 0.9);
        const QRectF knob(x - 3, knobs[i] - 1.8, 6, 3.6);
        ip.box(knob, 1, i == 1 ? ip.amber(knob) : ip.metal(knob));
    }
}

void pulse(const IconPainter& ip)
{
    ip.box({1.5, 3.5, 19, 15}, 1.5, ip.vertical({1.5, 3.5, 19, 15}, navyLight(), navyDark()));
    for (int i = 1; i < 3; ++i)
        ip.line({2.5, 3.5 + i * 5}, {19.5, 3.5 + i * 5}, withAlpha(white(), 40), 0.6);
    QPainterPath trace(QPointF(3, 11.5));
    trace.lineTo(7, 11.5);
    trace.lineTo(9, 6.5);
    trace.lineTo(12, 16);
    trace.lineTo(14, 9);
    trace.lineTo(15.5, 11.5);
    trace.lineTo(19, 11.5);
    ip.stroke(trace, accentLight(), 1.4);
}

void archive(const IconPainter& ip)
{
    ip.box({3, 10.5, 16, 10}, 0.8, ip.metal({3, 10.5, 16, 10}));
    ip.box({2, 8, 18, 3.5}, 0.8, ip.body({2, 8, 18, 3.5}));
    ip.box({8.5, 13, 5, 2}, 0.6, navy());
    QPainterPath arrow(QPointF(11, 0.8));
    arrow.lineTo(11, 6.5);
    ip.stroke(arrow, navyDark(), 3.4);
    ip.stroke(arrow, accent(), 1.8);
    ip.shape(polygonPath({{7, 4.5}, {15, 4.5}, {11, 9}}), accent());
}

void restore(const IconPainter& ip)
{
    const QPointF c(11.5, 11.5);
    QPainterPath arc;
    arc.arcMoveTo(QRectF(c.x() - 8, c.y() - 8, 16, 16), 150);
    arc.arcTo(QRectF(c.x() - 8, c.y() - 8, 16, 16), 150, -290);
    ip.stroke(arc, navyDark(), 3.6);
    ip.stroke(arc, navyLight(), 1.8);
    ip.shape(polygonPath({{0.8, 6.5}, {7.8, 6.2}, {3.2, 12.2}}), navyLight());
    ip.disc(c, 4.6, paper());
    ip.line(c, c + QPointF(0, -3), navy(), 1.1);
    ip.line(c, c + QPointF(2.2, 1), accent(), 1.1);
}

void wand(const IconPainter& ip)
{
    QPainterPath stick;
    stick.addRoundedRect(QRectF(-1.3, -9, 2.6, 18), 1, 1);
    ip.painter().save();
    ip.painter().translate(8.5, 13.5);
    ip.painter().rotate(45);
    ip.shape(stick, ip.vertical({-1.3, -9, 2.6, 18}, navyLight(), navyDark()));
    ip.box({-1.3, -9, 2.6, 4}, 0.8, white());
    ip.painter().restore();
    ip.sparkle({16, 5.5}, 5, accent());
    ip.sparkle({19.2, 12.5}, 2.4, accentLight());
    ip.sparkle({10, 2.8}, 2, accentLight());
}

void tools(const IconPainter& ip)
{
    QPainter& p = ip.painter();
    p.save();
    p.translate(11, 11);
    p.rotate(45);
    ip.box({-2, -0.8, 11, 1.6}, 0.3, ip.metal({-2, -0.8, 11, 1.6}));
    ip.box({-10, -2.3, 8, 4.6}, 2, ip.amber({-10, -2.3, 8, 4.6}));
    p.rotate(-90);
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(-10, -1.6, 14, 3.2), 1.6, 1.6);
    wrench.addEllipse(QPointF(6, 0), 4, 4);
    QPainterPath jaw;
    jaw.addRect(QRectF(6.5, -1.5, 5, 3));
    ip.shape(wrench.simplified().subtracted(jaw), ip.metal({-10, -4, 20, 8}));
    p.restore();
}

void info(const IconPainter& ip)
{
    ip.disc({11, 11}, 9.5, ip.vertical({1.5, 1.5, 19, 19}, navyLight(), navy()));
    drawMark(ip.painter(), Mark::Info, {11, 11}, 13, white());
}

} // namespace qv::picgen::icons
