#include "Families.h"
#include "Icons.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

#include <QtMath>

namespace qv::picgen {

using namespace colour;

namespace {

QImage lightBulb()
{
    QImage image = newPicture({41, 56});
    QPainter p(&image);
    prepare(p);
    const QPointF centre(20.5, 18);
    glow(p, centre, 20, withAlpha(accentLight(), 150));

    QPainterPath glass;
    glass.addEllipse(centre, 13.5, 13.5);
    QPainterPath neck(QPointF(12, 26));
    neck.cubicTo(QPointF(14.5, 30), QPointF(14.5, 33), QPointF(14.5, 37.5));
    neck.lineTo(26.5, 37.5);
    neck.cubicTo(QPointF(26.5, 33), QPointF(26.5, 30), QPointF(29, 26));
    neck.closeSubpath();
    glass = glass.united(neck);
    QRadialGradient light(centre + QPointF(-3, -4), 18);
    light.setColorAt(0, white());
    light.setColorAt(0.45, mix(accentLight(), white(), 0.5));
    light.setColorAt(1, accent());
    p.setBrush(light);
    p.setPen(QPen(accentDark(), 1.2));
    p.drawPath(glass);

    QPainterPath filament(QPointF(17, 37));
    filament.lineTo(17, 26);
    filament.cubicTo(QPointF(17, 20), QPointF(24, 20), QPointF(24, 26));
    filament.lineTo(24, 37);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accentDark(), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(filament);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(white(), 210));
    p.drawEllipse(QPointF(14.5, 12), 3, 4.5);

    for (int i = 0; i < 3; ++i) {
        const QRectF ring(14, 38 + i * 3.6, 13, 3.6);
        roundedPanel(p, ring, 1.6, verticalGradient(ring, metalLight(), metalDark()), navyLight());
    }
    const QRectF tip(17, 48.8, 7, 4.5);
    roundedPanel(p, tip, 2, verticalGradient(tip, navyLight(), navyDark()), navyDark());
    return image;
}

QImage appIcon(int size)
{
    QImage image = newPicture({size, size});
    QPainter p(&image);
    prepare(p);
    drawIcon(p, Icon::Product, QRectF(0, 0, size, size));
    return image;
}

// The wait cursor: a white clock face in a black rim, readable on any background.
QImage clockCursor()
{
    QImage image = newPicture({32, 32});
    QPainter p(&image);
    prepare(p);
    const QPointF c(16, 16);
    p.setPen(QPen(withAlpha(white(), 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 13.5, 13.5);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(white());
    p.drawEllipse(c, 12, 12);
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0);
        const QPointF dir(qSin(a), -qCos(a));
        const bool major = i % 3 == 0;
        p.setPen(QPen(major ? Qt::black : navyLight(), major ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + dir * (major ? 7.5 : 8.5), c + dir * 10);
    }
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(-4.3, -2.5));
    p.drawLine(c, c + QPointF(0, -8));
    p.setPen(QPen(accentDark(), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(5.5, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(c, 1.6, 1.6);
    return image;
}

// A folder, 16 x 16: closed for a share, open for the selected directory.
QImage folder(bool open)
{
    QImage image = newPicture({16, 16});
    QPainter p(&image);
    prepare(p);
    const QRectF back(1.5, 3.5, 13, 10);
    QPainterPath tab(QPointF(1.5, 4.5));
    tab.lineTo(1.5, 2.5);
    tab.lineTo(6, 2.5);
    tab.lineTo(7.5, 4);
    p.setPen(QPen(navy(), 1));
    p.setBrush(accentDark());
    p.drawPath(tab);
    roundedPanel(p, back, 1, verticalGradient(back, accent(), accentDark()), navy());
    if (open) {
        QPainterPath front(QPointF(3.5, 7.5));
        front.lineTo(15.5, 7.5);
        front.lineTo(13.5, 13.5);
        front.lineTo(1.5, 13.5);
        front.closeSubpath();
        p.setBrush(verticalGradient(QRectF(1.5, 7.5, 14, 6), accentLight(), accent()));
        p.drawPath(front);
    } else {
        p.setPen(QPen(withAlpha(white(), 160), 1));
        p.drawLine(QPointF(2.5, 5.5), QPointF(13.5, 5.5));
    }
    return image;
}

// One of the network tree's node pictures, 16 x 16.
QImage treeNode(Icon icon)
{
    QImage image = newPicture({16, 16});
    QPainter p(&image);
    prepare(p);
    drawIcon(p, icon, QRectF(0, 0, 16, 16));
    return image;
}

} // namespace

void makeSmallPictures(PictureSink& sink)
{
    sink.save(QStringLiteral("tip"), lightBulb(), false);
    sink.save(QStringLiteral("app_icon"), appIcon(64), false);
    // The desktop's sizes of the program's icon (64 is app_icon).
    for (const int size : {16, 32, 48, 128, 256})
        sink.save(QStringLiteral("app_icon_%1").arg(size), appIcon(size), false);
    sink.save(QStringLiteral("clock_cursor"), clockCursor(), false);
    // The network tree: provider, workgroup, computer, share, open directory.
    sink.save(QStringLiteral("net_node_0"), treeNode(Icon::Globe), false);
    sink.save(QStringLiteral("net_node_1"), treeNode(Icon::NetworkedPcs), false);
    sink.save(QStringLiteral("net_node_2"), treeNode(Icon::Monitor), false);
    sink.save(QStringLiteral("net_node_3"), folder(false), false);
    sink.save(QStringLiteral("net_node_4"), folder(true), false);
}

} // namespace qv::picgen
