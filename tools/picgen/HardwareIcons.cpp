#include "IconDrawings.h"

#include "Palette.h"

#include <QtMath>

// Icons of pieces of hardware.
namespace qv::picgen::icons {

using namespace colour;

namespace {

void smallMonitor(const IconPainter& ip, QPointF at)
{
    ip.box({at.x(), at.y(), 10, 8}, 1, ip.body({at.x(), at.y(), 10, 8}));
    ip.box({at.x() + 1.5, at.y() + 1.5, 7, 4.5}, 0.3, ip.screen({at.x(), at.y(), 7, 5}));
    ip.box({at.x() + 2.5, at.y() + 8.5, 5, 1.5}, 0.5, ip.metal({at.x(), at.y() + 8, 5, 2}));
}

} // namespace

void chip(const IconPainter& ip)
{
    for (int i = 0; i < 4; ++i) {
        const qreal at = 6.5 + i * 3;
        ip.line({at, 1.8}, {at, 20.2}, metalDark(), 1.6);
        ip.line({1.8, at}, {20.2, at}, metalDark(), 1.6);
    }
    ip.box({4.5, 4.5, 13, 13}, 1.5, ip.body({4.5, 4.5, 13, 13}));
    ip.box({8, 8, 6, 6}, 0.8, ip.amber({8, 8, 6, 6}));
}

void memory(const IconPainter& ip)
{
    ip.box({1.5, 5.5, 19, 10}, 1, ip.body({1.5, 5.5, 19, 10}));
    for (int i = 0; i < 4; ++i)
        ip.box({3.5 + i * 4.25, 7.5, 3, 4}, 0.4, navyDark());
    for (int i = 0; i < 7; ++i)
        ip.line({3.5 + i * 2.5, 13.5}, {3.5 + i * 2.5, 15}, accent(), 1.3);
    ip.line({11, 15.5}, {11, 17}, navyDark(), 1.2);
}

void hardDisk(const IconPainter& ip)
{
    ip.box({1.5, 2.5, 19, 17}, 2, ip.metal({1.5, 2.5, 19, 17}));
    QRadialGradient platter(QPointF(9, 9), 8);
    platter.setColorAt(0, white());
    platter.setColorAt(1, slate());
    ip.disc({9.5, 11}, 6.5, platter);
    ip.disc({9.5, 11}, 1.5, navy());
    ip.line({17.5, 5}, {12, 14}, navyDark(), 1.8);
    ip.disc({17.5, 5}, 1.3, accent());
}

void drives(const IconPainter& ip)
{
    ip.within({0, 0, 18, 18}, hardDisk);
    ip.within({9, 9, 13, 13}, disc);
}

void monitor(const IconPainter& ip)
{
    ip.box({8, 15.5, 6, 3}, 0.5, ip.metal({8, 15.5, 6, 3}));
    ip.box({4.5, 18.5, 13, 2.5}, 1.2, ip.metal({4.5, 18.5, 13, 2.5}));
    ip.box({1.5, 2.5, 19, 13.5}, 1.5, ip.body({1.5, 2.5, 19, 13.5}));
    ip.box({3.5, 4.5, 15, 9.5}, 0.5, ip.screen({3.5, 4.5, 15, 9.5}));
    ip.painter().fillPath(polygonPath({{4, 5}, {12, 5}, {6, 13.5}, {4, 13.5}}), withAlpha(white(), 70));
}

void cube(const IconPainter& ip)
{
    ip.shape(polygonPath({{11, 1.5}, {20, 6.2}, {11, 10.9}, {2, 6.2}}), mix(accentLight(), white(), 0.3));
    ip.shape(polygonPath({{2, 6.2}, {11, 10.9}, {11, 20.5}, {2, 15.8}}), slate());
    ip.shape(polygonPath({{11, 10.9}, {20, 6.2}, {20, 15.8}, {11, 20.5}}), navyLight());
}

void disc(const IconPainter& ip)
{
    QConicalGradient sheen(QPointF(11, 11), 30);
    sheen.setColorAt(0.0, metalLight());
    sheen.setColorAt(0.15, accentLight());
    sheen.setColorAt(0.3, white());
    sheen.setColorAt(0.5, slate());
    sheen.setColorAt(0.65, white());
    sheen.setColorAt(0.8, accentLight());
    sheen.setColorAt(1.0, metalLight());
    QPainterPath path;
    path.addEllipse(QPointF(11, 11), 9.5, 9.5);
    path.addEllipse(QPointF(11, 11), 2, 2);
    ip.shape(path, sheen);
    QPainterPath ring;
    ring.addEllipse(QPointF(11, 11), 4, 4);
    ip.stroke(ring, withAlpha(navy(), 110), ip.ink());
}

void globe(const IconPainter& ip)
{
    QRadialGradient sea(QPointF(8, 7), 13);
    sea.setColorAt(0, slate());
    sea.setColorAt(1, navy());
    ip.disc({11, 11}, 9.5, sea);
    const QColor grid = withAlpha(white(), 170);
    QPainterPath lines;
    lines.addEllipse(QPointF(11, 11), 4.2, 9.5);
    lines.moveTo(11, 1.5);
    lines.lineTo(11, 20.5);
    lines.moveTo(1.5, 11);
    lines.lineTo(20.5, 11);
    lines.moveTo(3.2, 6);
    lines.quadTo(11, 8.2, 18.8, 6);
    lines.moveTo(3.2, 16);
    lines.quadTo(11, 13.8, 18.8, 16);
    ip.stroke(lines, grid, 0.8);
    QPainterPath outline;
    outline.addEllipse(QPointF(11, 11), 9.5, 9.5);
    ip.stroke(outline, navyDark(), ip.ink());
}

void networkedPcs(const IconPainter& ip)
{
    QPainterPath cable(QPointF(5.5, 11));
    cable.lineTo(5.5, 15.5);
    cable.lineTo(11.5, 15.5);
    ip.stroke(cable, navyDark(), 2.6);
    ip.stroke(cable, accent(), 1.2);
    smallMonitor(ip, {0.5, 1.5});
    smallMonitor(ip, {11.5, 10.5});
}

void videoCard(const IconPainter& ip)
{
    ip.box({18.5, 3, 2.5, 16}, 0.5, ip.metal({18.5, 3, 2.5, 16}));
    ip.box({1.5, 4.5, 17, 11}, 1, ip.body({1.5, 4.5, 17, 11}));
    for (int i = 0; i < 5; ++i)
        ip.line({4 + i * 2.2, 16}, {4 + i * 2.2, 17.8}, accent(), 1.3);
    ip.disc({7.5, 10}, 4, navyDark());
    for (int i = 0; i < 3; ++i) {
        const qreal a = qDegreesToRadians(30 + i * 120.0);
        ip.line({7.5, 10}, {7.5 + 3.2 * qCos(a), 10 - 3.2 * qSin(a)}, slate(), 1.2);
    }
    ip.box({13, 7.5, 4, 4}, 0.4, ip.amber({13, 7.5, 4, 4}));
}

void motherboard(const IconPainter& ip)
{
    ip.box({1.5, 1.5, 19, 19}, 1, ip.vertical({1.5, 1.5, 19, 19}, slate(), navyLight()));
    ip.line({10.5, 7.5}, {13.5, 7.5}, withAlpha(white(), 150), 0.8);
    ip.line({7.5, 10.5}, {7.5, 13}, withAlpha(white(), 150), 0.8);
    ip.box({4, 4, 7, 7}, 0.6, ip.metal({4, 4, 7, 7}));
    ip.box({5.8, 5.8, 3.4, 3.4}, 0.3, accent());
    for (int i = 0; i < 2; ++i)
        ip.box({14 + i * 2.5, 3.5, 1.6, 8}, 0.3, navyDark());
    for (int i = 0; i < 3; ++i)
        ip.box({4, 13.5 + i * 2.2, 12, 1.3}, 0.3, i == 0 ? accentDark() : navyDark());
}

void tower(const IconPainter& ip)
{
    ip.box({4.5, 1.5, 13, 19}, 1.2, ip.metal({4.5, 1.5, 13, 19}));
    ip.box({6.5, 4, 9, 2.2}, 0.3, navy());
    ip.box({6.5, 7.4, 9, 2.2}, 0.3, navy());
    ip.disc({11, 12.8}, 1.4, accent());
    for (int i = 0; i < 3; ++i)
        ip.line({7, 16 + i * 1.5}, {15, 16 + i * 1.5}, metalDark(), 0.8);
}

void plug(const IconPainter& ip)
{
    ip.line({11, 15}, {11, 21.5}, navyDark(), 3.4);
    ip.box({7.5, 12.5, 7, 3.5}, 0.6, slate());
    ip.box({3.5, 1.5, 15, 11.5}, 1.2, ip.vertical({3.5, 1.5, 15, 11.5}, white(), metalDark()));
    for (int i = 0; i < 5; ++i)
        ip.line({6.4 + i * 2.3, 3.2}, {6.4 + i * 2.3, 6.8}, accent(), 1.2);
}

void product(const IconPainter& ip)
{
    for (int i = 0; i < 4; ++i) {
        const qreal at = 6.5 + i * 3;
        ip.line({at, 1.5}, {at, 20.5}, metalDark(), 1.5);
        ip.line({1.5, at}, {20.5, at}, metalDark(), 1.5);
    }
    ip.box({3.5, 3.5, 15, 15}, 2, ip.body({3.5, 3.5, 15, 15}));
    const QRectF dial(5.5, 7, 11, 11);
    QPainterPath scale;
    scale.arcMoveTo(dial, 210);
    scale.arcTo(dial, 210, -150);
    ip.stroke(scale, slate(), 1.5);
    QPainterPath hot;
    hot.arcMoveTo(dial, 60);
    hot.arcTo(dial, 60, -90);
    ip.stroke(hot, accent(), 1.5);
    ip.line(dial.center(), dial.center() + QPointF(3.6, -3.6), white(), 1.3);
    ip.disc(dial.center(), 1.2, accent());
}

} // namespace qv::picgen::icons
