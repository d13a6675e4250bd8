#include "Families.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

namespace qv::picgen {

namespace {

// A 22 x 22 icon at the left, then the label in bold text colour from x = 30.
QImage commandGlyph(const Command& command)
{
    QImage image = newPicture({236, 24});
    QPainter p(&image);
    prepare(p);
    drawIcon(p, command.icon, QRectF(1, 1, 22, 22));
    p.setFont(uiFont(13, true));
    p.setPen(colour::navy());
    p.drawText(QRectF(30, 0, 206, 24), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(command.label));
    return image;
}

} // namespace

void makeCommandGlyphs(PictureSink& sink)
{
    for (const Command& command : commands())
        sink.save(QStringLiteral("cmd_") + QString::fromUtf8(command.name), commandGlyph(command), false);
}

} // namespace qv::picgen
