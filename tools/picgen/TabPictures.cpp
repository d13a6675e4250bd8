#include "Families.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

namespace qv::picgen {

using namespace colour;

namespace {

// A tab with rounded upper corners standing on the hint band.
QPainterPath tabShape(const QRectF& r)
{
    const qreal radius = 6;
    QPainterPath path(r.bottomLeft());
    path.lineTo(r.left(), r.top() + radius);
    path.quadTo(r.topLeft(), QPointF(r.left() + radius, r.top()));
    path.lineTo(r.right() - radius, r.top());
    path.quadTo(r.topRight(), QPointF(r.right(), r.top() + radius));
    path.lineTo(r.bottomRight());
    return path;
}

void drawTab(QPainter& p, const Group& group, const QRectF& r, bool selected)
{
    const QPainterPath shape = tabShape(r);
    if (selected) {
        p.fillPath(shape, verticalGradient(r, navyLight(), navy()));
        glossHighlight(p, shape, 50);
        p.save();
        p.setClipPath(shape);
        p.fillRect(QRectF(r.left(), r.top(), r.width(), 3), horizontalGradient(r, accent(), accentLight()));
        p.restore();
    } else {
        p.fillPath(shape, verticalGradient(r, paper(), dialog()));
    }
    p.strokePath(shape, QPen(selected ? navyDark() : mix(windowGrey(), navy(), 0.45), 1));

    const QFont font = uiFont(13, true);
    const qreal icon = 18, gap = 6;
    const qreal width = icon + gap + QFontMetricsF(font).horizontalAdvance(group.title);
    const qreal left = qRound(r.center().x() - width / 2);
    const qreal middle = r.top() + 1 + (r.height() - 1) / 2;
    if (selected)
        glow(p, {left + icon / 2, middle}, 13, withAlpha(white(), 150));
    drawIcon(p, group.icon, QRectF(left, qRound(middle - icon / 2), icon, icon));
    const QRectF text(left + icon + gap, r.top(), width, r.height());
    if (selected)
        shadowText(p, text, Qt::AlignLeft | Qt::AlignVCenter, group.title, font, white(), navyDark());
    else
        shadowText(p, text, Qt::AlignLeft | Qt::AlignVCenter, group.title, font, navy(),
                   withAlpha(white(), 200));
}

QImage tabStrip(int selected)
{
    using namespace layout;
    QImage image = newPicture({500, 63});
    QPainter p(&image);
    prepare(p);

    const QRectF top(0, 0, 500, HintBandTop);
    p.fillRect(top, verticalGradient(top, mix(windowGrey(), white(), 0.3), windowGrey()));
    const QRectF band(0, HintBandTop, 500, 63 - HintBandTop);
    p.fillRect(band, verticalGradient(band, navy(), navyDark()));

    const auto all = groups();
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        // Tabs reach down to the band so the selected one flows into it.
        const QRectF r(TabLeft + i * TabStep + 0.5, TabTop + 0.5, TabWidth - 1, HintBandTop - TabTop);
        drawTab(p, all[static_cast<size_t>(i)], r, i == selected);
    }
    p.fillRect(QRectF(0, HintBandTop, 500, 1), navyDark());
    const QRectF joint(TabLeft + selected * TabStep + 1, HintBandTop - 1, TabWidth - 2, 2);
    p.fillRect(joint, navy());
    return image;
}

} // namespace

void makeTabPictures(PictureSink& sink)
{
    for (int i = 0; i < static_cast<int>(groups().size()); ++i)
        sink.save(QStringLiteral("menu%1").arg(i + 1), tabStrip(i), true);
}

} // namespace qv::picgen
