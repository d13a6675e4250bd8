#include "Families.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

namespace qv::picgen {

using namespace colour;

namespace {

// The light panel behind the column of command buttons, with faint rules between the rows.
void commandPanel(QPainter& p, int rows)
{
    using namespace layout;
    const QRectF panel(ColumnLeft - 6, ColumnTop - 3, ColumnWidth + 12, rows * RowHeight + 6);
    const QPainterPath shape = roundedRect(panel, 7);
    dropShadow(p, shape, {1, 2}, 4, withAlpha(navy(), 60));
    p.fillPath(shape, verticalGradient(panel, withAlpha(white(), 200), withAlpha(paper(), 170)));
    p.strokePath(shape, QPen(withAlpha(navy(), 70), 1));
    for (int k = 1; k < rows; ++k) {
        const qreal y = ColumnTop + k * RowHeight - 0.5;
        p.fillRect(QRectF(ColumnLeft + 28, y, ColumnWidth - 40, 1),
                   horizontalGradient(panel, withAlpha(navy(), 40), withAlpha(navy(), 0)));
    }
}

void groupHeading(QPainter& p, const Group& group)
{
    shadowText(p, QRectF(18, 12, 220, 30), Qt::AlignLeft | Qt::AlignVCenter, group.title, uiFont(24, true),
               navy(), withAlpha(white(), 220));
    const QRectF rule(19, 44, 44, 3);
    roundedPanel(p, rule, 1.5, horizontalGradient(rule, accent(), accentLight()), Qt::transparent);
    p.setFont(uiFont(13));
    p.setPen(navyLight());
    p.drawText(QRectF(19, 52, 225, 20), Qt::AlignLeft | Qt::AlignVCenter, group.tagline);
}

void illustration(QPainter& p, Icon icon)
{
    const QRectF square(54, 86, 138, 138);
    glow(p, square.center(), 100, withAlpha(white(), 190));
    QPainterPath floor;
    floor.addEllipse(QPointF(square.center().x(), square.bottom() + 2), 56, 7);
    dropShadow(p, floor, {0, 0}, 6, withAlpha(navy(), 70));
    drawIcon(p, icon, square);
}

QImage page(int index)
{
    const Group& group = groups()[static_cast<size_t>(index)];
    QImage image = newPicture({500, 245});
    QPainter p(&image);
    prepare(p);

    const QRectF all(0, 0, 500, 245);
    p.fillRect(all, verticalGradient(all, mix(dialog(), white(), 0.35), dialog()));
    circuitTraces(p, QRectF(0, 0, 246, 245), 100 + static_cast<quint32>(index), 22, withAlpha(navy(), 16));
    groupHeading(p, group);
    illustration(p, group.illustration);
    commandPanel(p, commandCount(index));
    return image;
}

} // namespace

void makePagePictures(PictureSink& sink)
{
    for (int i = 0; i < static_cast<int>(groups().size()); ++i)
        sink.save(QStringLiteral("page%1").arg(i + 1), page(i), true);
}

} // namespace qv::picgen
