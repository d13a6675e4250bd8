#include "Families.h"
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

} // namespace

void makeSmallPictures(PictureSink& sink)
{
    sink.save(QStringLiteral("tip"), lightBulb(), false);
    sink.save(QStringLiteral("app_icon"), appIcon(64), false);
    // The desktop's sizes of the program's icon (64 is app_icon).
    for (const int size : {16, 32, 48, 128, 256})
        sink.save(QStringLiteral("app_icon_%1").arg(size), appIcon(size), false);
    sink.save(QStringLiteral("clock_cursor"), clockCursor(), false);
}

} // namespace qv::picgen
