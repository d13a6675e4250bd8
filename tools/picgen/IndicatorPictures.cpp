#include "IndicatorPictures.h"

#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

#include <QRadialGradient>

#include <array>

namespace qv::picgen {

using namespace colour;

namespace {

// LED sheet: two columns (unlit, lit) of 12 x 13 pictures in four rows (red, green, yellow, disabled).
constexpr int kLedWidth = 12;
constexpr int kLedHeight = 13;

struct LedHue {
    QColor lit;
    QColor core; // the hot centre of a lit lens
};

const std::array<LedHue, 3>& ledHues()
{
    static const std::array<LedHue, 3> hues{{
        {QColor(226, 38, 30), QColor(255, 196, 170)},
        {QColor(34, 188, 62), QColor(200, 255, 190)},
        {QColor(244, 196, 30), QColor(255, 248, 200)},
    }};
    return hues;
}

// A round lens in a dark metal bezel; `centre` and `rim` colour the lens from its middle to its edge.
void drawLed(QPainter& p, QPointF at, const QColor& centre, const QColor& rim, int highlightAlpha)
{
    const QPointF c = at + QPointF(kLedWidth / 2.0, kLedHeight / 2.0);
    QLinearGradient bezel(c - QPointF(0, 5.5), c + QPointF(0, 5.5));
    bezel.setColorAt(0, mix(navy(), QColor(0, 0, 0), 0.2));
    bezel.setColorAt(1, mix(metalDark(), white(), 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(bezel);
    p.drawEllipse(c, 5.6, 5.6);

    QRadialGradient lens(c + QPointF(-0.8, -1.0), 5.2);
    lens.setColorAt(0, centre);
    lens.setColorAt(1, rim);
    p.setBrush(lens);
    p.drawEllipse(c, 4.4, 4.4);

    p.setBrush(withAlpha(white(), highlightAlpha));
    p.drawEllipse(c + QPointF(-1.4, -1.8), 1.9, 1.3);
}

QImage ledSheet()
{
    QImage image = newPicture({2 * kLedWidth, 4 * kLedHeight});
    QPainter p(&image);
    prepare(p);
    const auto& hues = ledHues();
    for (int row = 0; row < 3; ++row) {
        const LedHue& hue = hues[static_cast<size_t>(row)];
        const QPointF unlit(0, row * kLedHeight);
        drawLed(p, unlit, mix(hue.lit, navyDark(), 0.45), mix(hue.lit, QColor(0, 0, 0), 0.72), 110);
        const QPointF lit(kLedWidth, row * kLedHeight);
        drawLed(p, lit, hue.core, mix(hue.lit, QColor(0, 0, 0), 0.15), 230);
    }
    // A disabled LED is a flat grey lens, the same in both columns.
    for (int column = 0; column < 2; ++column)
        drawLed(p, QPointF(column * kLedWidth, 3 * kLedHeight), mix(dialog(), white(), 0.35),
                mix(dialog(), navy(), 0.3), 120);
    return image;
}

// Counter digits: ten wheels of 19 x 29, white figures on a dark rounded drum.
QImage digitStrip()
{
    const QSize frame(19, 29);
    QImage image = newPicture({10 * frame.width(), frame.height()});
    QPainter p(&image);
    prepare(p);
    const QFont font = uiFont(23, true);
    for (int digit = 0; digit < 10; ++digit) {
        const QRectF r(digit * frame.width(), 0, frame.width(), frame.height());
        p.fillRect(r, navyDark());
        QLinearGradient drum(r.topLeft(), r.bottomLeft());
        drum.setColorAt(0, mix(navyDark(), QColor(0, 0, 0), 0.4));
        drum.setColorAt(0.45, navyLight());
        drum.setColorAt(0.55, navy());
        drum.setColorAt(1, mix(navyDark(), QColor(0, 0, 0), 0.4));
        const QPainterPath shape = roundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5);
        p.fillPath(shape, drum);
        p.strokePath(shape, QPen(mix(navy(), white(), 0.4), 1));
        shadowText(p, r.adjusted(0, 1, 0, 0), Qt::AlignCenter, QString::number(digit), font, white(),
                   QColor(0, 0, 0, 170));
        glossHighlight(p, shape, 45);
    }
    return image;
}

// Check marks: frame 0 is the plain mark, the others sweep a glint across it. The strip is opaque;
// `key` is the colour the control replaces by its own, and soft edges are blended over the dialog colour
// so that no fringe of the key colour shows.
constexpr int kCheckSize = 24;
constexpr int kCheckFrames = 8;

QPainterPath checkShape(QPointF at)
{
    QPainterPath path;
    path.moveTo(at + QPointF(3.5, 13));
    path.lineTo(at + QPointF(9.5, 19.5));
    path.lineTo(at + QPointF(21, 5));
    QPainterPathStroker stroker;
    stroker.setWidth(4.6);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QImage checkFrame(int frame)
{
    QImage image = newPicture({kCheckSize, kCheckSize});
    QPainter p(&image);
    prepare(p);
    const QPainterPath shape = checkShape({0, 0});
    p.fillPath(shape.translated(0.8, 1.2), withAlpha(navyDark(), 90));
    const QColor green = ledHues()[1].lit;
    p.fillPath(shape,
               verticalGradient(shape.boundingRect(), mix(green, white(), 0.35), mix(green, navy(), 0.3)));
    p.strokePath(shape, QPen(mix(green, navyDark(), 0.55), 1));
    if (frame > 0) {
        const qreal x = -8 + frame * 36.0 / kCheckFrames;
        QLinearGradient glint(QPointF(x, 0), QPointF(x + 8, 8));
        glint.setColorAt(0, withAlpha(white(), 0));
        glint.setColorAt(0.5, withAlpha(white(), 210));
        glint.setColorAt(1, withAlpha(white(), 0));
        p.setClipPath(shape);
        p.fillRect(QRectF(0, 0, kCheckSize, kCheckSize), glint);
    }
    return image;
}

QImage checkStrip(const QColor& key)
{
    const int size = kCheckSize * pictureScale();
    QImage strip(kCheckFrames * size, size, QImage::Format_RGB32);
    strip.setDevicePixelRatio(pictureScale());
    for (int frame = 0; frame < kCheckFrames; ++frame) {
        const QImage mark = checkFrame(frame).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor c = mark.pixelColor(x, y);
                const QColor shown = c.alpha() < 96 ? key : mix(dialog(), withAlpha(c, 255), c.alphaF());
                strip.setPixelColor(frame * size + x, y, shown);
            }
    }
    return strip;
}

} // namespace

void makeIndicatorPictures(PictureSink& sink)
{
    sink.save(QStringLiteral("led_pics"), ledSheet(), false);
    sink.save(QStringLiteral("digits"), digitStrip(), true);
    sink.save(QStringLiteral("check_red"), checkStrip(QColor(255, 0, 0)), true);
    sink.save(QStringLiteral("check_grey"), checkStrip(QColor(128, 128, 128)), true);
}

} // namespace qv::picgen
