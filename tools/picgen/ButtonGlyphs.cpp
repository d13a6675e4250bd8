#include "Families.h"
#include "IconShapes.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

namespace qv::picgen {

using namespace colour;

namespace {

// A navy pill with a glassy top; the program centres a white caption on it, so only the left
// end carries the mark.
QImage buttonGlyph(Mark mark)
{
    QImage image = newPicture({111, 39});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 111, 39);
    const QPainterPath pill = roundedRect(all, 19);
    QLinearGradient fill(all.topLeft(), all.bottomLeft());
    fill.setColorAt(0, mix(navy(), navyLight(), 0.9));
    fill.setColorAt(0.5, navy());
    fill.setColorAt(1, navyDark());
    p.fillPath(pill, fill);
    glossHighlight(p, roundedRect(all.adjusted(2, 2, -2, -2), 17), 80);
    p.strokePath(pill, QPen(mix(navyDark(), QColor(0, 0, 0), 0.3), 1));

    const QPointF centre(17, 19.5);
    p.setPen(QPen(withAlpha(accent(), 220), 1.2));
    p.setBrush(withAlpha(white(), 30));
    p.drawEllipse(centre, 9, 9);
    drawMark(p, mark, centre, 12, white());
    return image;
}

} // namespace

void makeButtonGlyphs(PictureSink& sink)
{
    const std::pair<const char*, Mark> buttons[] = {
        {"ok", Mark::Check},      {"next", Mark::ArrowRight}, {"close", Mark::Cross},
        {"help", Mark::Question}, {"start", Mark::Play},      {"cancel", Mark::Slash},
        {"print", Mark::Printer}, {"back", Mark::ArrowLeft},
    };
    for (const auto& [name, mark] : buttons)
        sink.save(QStringLiteral("btn_") + QString::fromUtf8(name), buttonGlyph(mark), false);
}

} // namespace qv::picgen
