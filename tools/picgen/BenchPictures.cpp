#include "BenchPictures.h"

#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

#include <QtMath>

#include <cmath>

namespace qv::picgen {

using namespace colour;

namespace {

// A five-pointed star centred on `centre`.
QPainterPath starPath(QPointF centre, qreal outer)
{
    const qreal inner = outer * 0.42;
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void drawStar(QPainter& p, QPointF centre, qreal outer, bool lit)
{
    const QPainterPath star = starPath(centre, outer);
    if (lit) {
        glow(p, centre, outer * 1.6, withAlpha(accent(), 90));
        p.fillPath(star, verticalGradient(star.boundingRect(), accentLight(), accentDark()));
        p.strokePath(star, QPen(mix(accent(), white(), 0.6), 1));
        glossHighlight(p, star, 110);
    } else {
        p.fillPath(star, withAlpha(navyDark(), 150));
        p.strokePath(star, QPen(withAlpha(slate(), 130), 1));
    }
}

// The rating panel 296 x 102: stars at the top left, room for the white verdict under them and a
// bay at the right for the counter wheels (19 x 29 each, right edge at x 282, top at y 60).
QImage starsPicture(int stars)
{
    QImage image = newPicture({296, 102});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 296, 102);
    QLinearGradient sky(all.topLeft(), all.bottomRight());
    sky.setColorAt(0, navyLight());
    sky.setColorAt(0.55, navy());
    sky.setColorAt(1, navyDark());
    p.fillRect(all, sky);
    circuitTraces(p, all, 31, 14, withAlpha(white(), 18));
    p.fillRect(QRectF(0, 0, 296, 2), horizontalGradient(all, accent(), accentDark()));
    for (int i = 0; i < 4; ++i)
        drawStar(p, QPointF(30 + i * 40, 30), 16, i < stars);

    const QRectF bay(161, 55, 127, 39);
    roundedPanel(p, bay, 4, verticalGradient(bay, navyDark(), mix(navyDark(), QColor(0, 0, 0), 0.3)),
                 withAlpha(white(), 70));
    p.fillRect(QRectF(12, 82, 140, 1), withAlpha(white(), 60));
    return image;
}

// A soft blue wash with faint rising bars, drawn inside the charts' plotting areas over white.
QImage chartBackground()
{
    QImage image = newPicture({480, 300});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 480, 300);
    QLinearGradient wash(all.topLeft(), all.bottomRight());
    wash.setColorAt(0, withAlpha(mix(dialog(), navyLight(), 0.35), 200));
    wash.setColorAt(1, withAlpha(mix(dialog(), white(), 0.6), 120));
    p.fillRect(all, wash);
    circuitTraces(p, all, 77, 30, withAlpha(white(), 60));
    glow(p, {400, 50}, 200, withAlpha(white(), 120));
    return image;
}

// A processor package of 50 x 50 (or near) with four pins on each side and a "CPU" die.
void drawProcessor(QPainter& p, const QRectF& chip)
{
    for (int i = 0; i < 4; ++i) {
        const qreal at = chip.top() + 8 + i * 11;
        p.fillRect(QRectF(chip.left() - 6, at, 6, 3), metalLight());
        p.fillRect(QRectF(chip.right(), at, 6, 3), metalLight());
        const qreal across = chip.left() + 8 + i * 11;
        p.fillRect(QRectF(across, chip.top() - 6, 3, 6), metalLight());
        p.fillRect(QRectF(across, chip.bottom(), 3, 6), metalLight());
    }
    roundedPanel(p, chip, 5, verticalGradient(chip, metalLight(), metalDark()), navyDark());
    const QRectF die = chip.adjusted(11, 11, -11, -11);
    roundedPanel(p, die, 3, verticalGradient(die, accentLight(), accentDark()), accentDark());
    p.setFont(uiFont(10, true));
    p.setPen(navyDark());
    p.drawText(die, Qt::AlignCenter, QStringLiteral("CPU"));
}

// A memory module: a circuit board with four chips and a row of gold contacts along its lower edge.
void drawMemoryModule(QPainter& p, const QRectF& board)
{
    roundedPanel(p, board, 2, verticalGradient(board, mix(slate(), navyDark(), 0.2), navyDark()),
                 mix(navy(), white(), 0.45));
    const qreal chipWidth = (board.width() - 10) / 4 - 3;
    for (int i = 0; i < 4; ++i) {
        const QRectF chip(board.left() + 5 + i * (chipWidth + 3), board.top() + 3, chipWidth,
                          board.height() - 11);
        roundedPanel(p, chip, 1, verticalGradient(chip, QColor(70, 72, 88), QColor(28, 29, 38)),
                     QColor(20, 20, 28));
    }
    const qreal contactsTop = board.bottom() - 5;
    for (int contact = 0;; ++contact) {
        const qreal x = board.left() + 3 + contact * 3.5;
        if (x + 2 > board.right() - 3)
            break;
        if (std::abs(x - board.center().x()) < 3)
            continue; // the key notch
        p.fillRect(QRectF(x, contactsTop, 2, 4), accentLight());
    }
}

// The introduction windows' picture, shared by the processor and memory benchmarks: a processor and a
// memory module under a stopwatch, and rising bars.
QImage benchmarkIllustration()
{
    QImage image = newPicture({150, 150});
    QPainter p(&image);
    prepare(p);
    const QRectF plate(3, 3, 144, 144);
    roundedPanel(p, plate, 10, verticalGradient(plate, navyLight(), navyDark()), mix(navy(), white(), 0.45));
    circuitTraces(p, plate.adjusted(6, 6, -6, -6), 5, 16, withAlpha(white(), 30));

    drawProcessor(p, QRectF(24, 26, 50, 50));
    drawMemoryModule(p, QRectF(62, 78, 74, 20));

    const QPointF dial(106, 44);
    glow(p, dial, 34, withAlpha(accent(), 80));
    p.setBrush(verticalGradient(QRectF(dial.x() - 24, dial.y() - 24, 48, 48), white(), paper()));
    p.setPen(QPen(navyDark(), 2));
    p.drawEllipse(dial, 24, 24);
    p.fillRect(QRectF(dial.x() - 4, dial.y() - 32, 8, 6), metalDark());
    for (int tick = 0; tick < 12; ++tick) {
        const qreal angle = qDegreesToRadians(tick * 30.0);
        p.setPen(QPen(navy(), tick % 3 == 0 ? 2 : 1));
        p.drawLine(dial + QPointF(19 * qCos(angle), 19 * qSin(angle)),
                   dial + QPointF(22 * qCos(angle), 22 * qSin(angle)));
    }
    p.setPen(QPen(accentDark(), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(dial, dial + QPointF(11, -11));
    p.setPen(QPen(navy(), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(dial, dial + QPointF(0, 15));

    const qreal heights[] = {12, 19, 15, 26, 34};
    for (int i = 0; i < 5; ++i) {
        const QRectF bar(20 + i * 22, 136 - heights[i], 16, heights[i]);
        const QColor top = i == 4 ? accentLight() : slate();
        roundedPanel(p, bar, 2, verticalGradient(bar, top, withAlpha(top, 140)), withAlpha(white(), 90));
    }
    return image;
}

// The top of the processor window's first page: a navy band with the processor over circuit traces,
// fading into a light area that carries the processor's name in dark blue.
QImage processorWindowPicture()
{
    QImage image = newPicture({434, 136});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 434, 136);
    p.fillRect(all, verticalGradient(all, mix(dialog(), white(), 0.35), white()));
    const QRectF band(0, 0, 434, 62);
    p.fillRect(band, horizontalGradient(band, navyDark(), navyLight()));
    circuitTraces(p, band, 2401, 18, withAlpha(white(), 40));
    p.fillRect(QRectF(0, 62, 434, 2), horizontalGradient(all, accent(), accentDark()));
    glow(p, {52, 31}, 46, withAlpha(accent(), 70));
    drawProcessor(p, QRectF(30, 9, 44, 44));
    shadowText(p, QRectF(96, 8, 320, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Processor"),
               uiFont(22, true), white(), withAlpha(navyDark(), 200));
    circuitTraces(p, QRectF(0, 66, 434, 70), 77, 8, withAlpha(navy(), 16));
    return image;
}

// The benchmark windows' backdrop: the dialog colour brightening downwards with faint traces.
QImage greyBackground()
{
    QImage image = newPicture({520, 427});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 520, 427);
    p.fillRect(all, verticalGradient(all, mix(dialog(), navyLight(), 0.12), mix(dialog(), white(), 0.55)));
    circuitTraces(p, all, 2002, 40, withAlpha(white(), 45));
    glow(p, {470, 40}, 220, withAlpha(white(), 70));
    return image;
}

// Page button glyphs, 32 x 32: the overall index, the integer unit and the floating-point unit.
QImage pageGlyph(int page)
{
    QImage image = newPicture({32, 32});
    QPainter p(&image);
    prepare(p);
    const QRectF tile(1, 1, 30, 30);
    const QColor face = page == 0 ? accent() : page == 1 ? navyLight() : mix(navyLight(), accent(), 0.35);
    roundedPanel(p, tile, 6, verticalGradient(tile, mix(face, white(), 0.35), mix(face, navyDark(), 0.2)),
                 navyDark());
    if (page == 0) {
        const qreal heights[] = {8, 13, 19};
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(7 + i * 7, 25 - heights[i], 5, heights[i]), white());
    } else {
        p.setFont(uiFont(page == 1 ? 12 : 15, true));
        shadowText(p, tile, Qt::AlignCenter, page == 1 ? QStringLiteral("123") : QStringLiteral("π"),
                   p.font(), white(), withAlpha(navyDark(), 200));
    }
    glossHighlight(p, roundedRect(tile, 6), 70);
    return image;
}

} // namespace

void makeBenchPictures(PictureSink& sink)
{
    for (int stars = 0; stars <= 4; ++stars)
        sink.save(QStringLiteral("stars_%1").arg(stars), starsPicture(stars), true);
    sink.save(QStringLiteral("chart_background"), chartBackground(), false);
    sink.save(QStringLiteral("bench_illustration"), benchmarkIllustration(), false);
    sink.save(QStringLiteral("cpu_info"), processorWindowPicture(), false);
    sink.save(QStringLiteral("grey_background"), greyBackground(), true);
    const char* pages[] = {"general", "alu", "fpu"};
    for (int page = 0; page < 3; ++page)
        sink.save(QStringLiteral("chart_page_") + QString::fromLatin1(pages[page]), pageGlyph(page), false);
}

} // namespace qv::picgen
