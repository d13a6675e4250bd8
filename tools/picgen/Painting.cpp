#include "Painting.h"

#include "Palette.h"

#include <QRadialGradient>

#include <algorithm>
#include <random>
#include <vector>

namespace qv::picgen {

namespace {
int g_scale = 1;
} // namespace

void setPictureScale(int scale)
{
    g_scale = scale;
}

int pictureScale()
{
    return g_scale;
}

QImage newPicture(QSize size)
{
    QImage image(size * g_scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(g_scale);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient horizontalGradient(const QRectF& r, const QColor& left, const QColor& right)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

QPainterPath roundedRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    return path;
}

void roundedPanel(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill, const QColor& outline)
{
    p.save();
    p.setBrush(fill);
    p.setPen(outline.alpha() ? QPen(outline, 1) : QPen(Qt::NoPen));
    p.drawPath(roundedRect(r, radius));
    p.restore();
}

void glossHighlight(QPainter& p, const QPainterPath& shape, int topAlpha)
{
    const QRectF r = shape.boundingRect();
    QLinearGradient g(r.topLeft(), QPointF(r.left(), r.center().y()));
    g.setColorAt(0, QColor(255, 255, 255, topAlpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.save();
    p.setClipPath(shape, Qt::IntersectClip);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2 + 1), g);
    p.restore();
}

namespace {

// One horizontal then one vertical box-blur pass over a premultiplied image.
void boxBlur(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<quint32> line;
    const auto pass = [&](int count, int length, auto pixelAt) {
        line.resize(static_cast<size_t>(length));
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < length; ++j)
                line[static_cast<size_t>(j)] = *pixelAt(i, j);
            for (int j = 0; j < length; ++j) {
                int sum[4] = {0, 0, 0, 0};
                int n = 0;
                for (int k = std::max(0, j - radius); k <= std::min(length - 1, j + radius); ++k, ++n)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += static_cast<int>((line[static_cast<size_t>(k)] >> (8 * c)) & 0xFF);
                quint32 v = 0;
                for (int c = 0; c < 4; ++c)
                    v |= static_cast<quint32>(sum[c] / n) << (8 * c);
                *pixelAt(i, j) = v;
            }
        }
    };
    pass(h, w, [&](int y, int x) { return reinterpret_cast<quint32*>(image.scanLine(y)) + x; });
    pass(w, h, [&](int x, int y) { return reinterpret_cast<quint32*>(image.scanLine(y)) + x; });
}

} // namespace

void dropShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int blur, const QColor& colour)
{
    const QRect bounds =
        shape.boundingRect().toAlignedRect().adjusted(-2 * blur, -2 * blur, 2 * blur, 2 * blur);
    QImage layer = newPicture(bounds.size());
    {
        QPainter lp(&layer);
        prepare(lp);
        lp.translate(-bounds.topLeft());
        lp.fillPath(shape, colour);
    }
    for (int i = 0; i < 3; ++i)
        boxBlur(layer, std::max(1, blur / 2) * g_scale);
    p.drawImage(QPointF(bounds.topLeft()) + offset, layer);
}

void glow(QPainter& p, QPointF centre, qreal radius, const QColor& colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    g.setColorAt(1, colour::withAlpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void shadowText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
                const QColor& colour, const QColor& shadow)
{
    p.save();
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(r.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void circuitTraces(QPainter& p, const QRectF& area, quint32 seed, int count, const QColor& colour)
{
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<quint32>(n)); };
    const qreal grid = 8;
    const int columns = static_cast<int>(area.width() / grid);
    const int rows = static_cast<int>(area.height() / grid);

    p.save();
    p.setClipRect(area);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        QPointF at = area.topLeft() + QPointF(pick(columns) * grid + 0.5, pick(rows) * grid + 0.5);
        const qreal dx = pick(2) ? grid : -grid;
        const qreal dy = pick(2) ? grid : -grid;
        QPainterPath trace(at);
        for (int leg = 0; leg < 3; ++leg) {
            const int steps = 1 + pick(leg == 1 ? 3 : 6);
            at += (leg == 1 ? QPointF(dx, dy) : QPointF(dx, 0)) * steps;
            trace.lineTo(at);
        }
        p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(trace);
        p.setPen(QPen(colour, 1.2));
        p.drawEllipse(trace.elementAt(0), 2, 2);
        p.drawEllipse(at, 2.5, 2.5);
    }
    p.restore();
}

} // namespace qv::picgen
