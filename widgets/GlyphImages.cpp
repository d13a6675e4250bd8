#include "widgets/GlyphImages.h"

#include <QPainter>

#include <new>

namespace qv::widgets {

namespace {
constexpr int kMaxFrames = 4;

// Qt answers an image it cannot allocate with a null image, and writing its lines would then crash; the
// program meets it as it meets any other allocation that fails.
QImage allocated(QImage image)
{
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

bool isBackground(QRgb pixel, QRgb topLeft)
{
    return qAlpha(pixel) == 0 || pixel == topLeft || (pixel & RGB_MASK) == RGB_MASK;
}

// The shape in one colour; a shape pixel keeps its own alpha so anti-aliased edges stay soft.
QImage tinted(const QImage& shape, const QColor& colour)
{
    QImage result = allocated(QImage(shape.size(), QImage::Format_ARGB32));
    result.setDevicePixelRatio(shape.devicePixelRatio());
    for (int y = 0; y < shape.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < shape.width(); ++x)
            out[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(in[x]) * colour.alpha() / 255);
    }
    return result;
}
} // namespace

int numGlyphsFor(QSize stripSize, int current)
{
    if (stripSize.height() <= 0 || stripSize.width() % stripSize.height() != 0)
        return current;
    const int frames = stripSize.width() / stripSize.height();
    return frames > kMaxFrames ? 1 : frames;
}

QImage greyCopy(const QImage& frame)
{
    if (frame.isNull())
        return frame;
    QImage result = allocated(frame.convertToFormat(QImage::Format_ARGB32));
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb p = line[x];
            const int g = (11 * qRed(p) + 59 * qGreen(p) + 30 * qBlue(p)) / 100;
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return result;
}

QImage disabledCopy(const QImage& frame, const QColor& highlight, const QColor& shadow)
{
    if (frame.isNull())
        return frame;
    QImage shape = allocated(frame.convertToFormat(QImage::Format_ARGB32));
    const QRgb topLeft = shape.pixel(0, 0);
    for (int y = 0; y < shape.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < shape.width(); ++x)
            line[x] = isBackground(line[x], topLeft) ? 0u : qRgba(0, 0, 0, qAlpha(line[x]));
    }

    QImage result = allocated(QImage(shape.size(), QImage::Format_ARGB32));
    result.setDevicePixelRatio(shape.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawImage(QPoint(1, 1), tinted(shape, highlight));
    painter.drawImage(QPoint(0, 0), tinted(shape, shadow));
    return result;
}

void GlyphImageList::clear()
{
    m_images.clear();
    m_size = {};
}

void GlyphImageList::rebuild(const QPixmap& strip, int numGlyphs, const QColor& highlight,
                             const QColor& shadow)
{
    clear();
    if (strip.isNull() || numGlyphs < 1 || strip.width() / numGlyphs <= 0)
        return;
    // Frames are cut in pixels; a strip drawn for a denser screen keeps its pixel ratio, and its size in
    // the layout is the one it has on the screen.
    const qreal ratio = strip.devicePixelRatio();
    const QSize frame(strip.width() / numGlyphs, strip.height());
    m_size = (QSizeF(frame) / ratio).toSize();
    for (int i = 0; i < numGlyphs; ++i) {
        QPixmap image = strip.copy(QRect(QPoint(i * frame.width(), 0), frame));
        image.setDevicePixelRatio(ratio);
        m_images.push_back(image);
    }
    const QImage first = m_images.front().toImage();
    for (QImage derived : {greyCopy(first), disabledCopy(first, highlight, shadow)}) {
        derived.setDevicePixelRatio(ratio);
        m_images.push_back(QPixmap::fromImage(derived));
    }
}

int chooseGlyphImage(int numGlyphs, bool enabled, bool drawnPressed, bool showGrey)
{
    if (!enabled && numGlyphs == 1)
        return numGlyphs + 1;
    if (showGrey)
        return numGlyphs;
    if (numGlyphs >= 2 && !enabled)
        return 1;
    if (numGlyphs >= 3 && drawnPressed)
        return 2;
    return 0;
}

} // namespace qv::widgets
