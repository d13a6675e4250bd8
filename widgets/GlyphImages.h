#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <vector>

namespace qv::widgets {

// Number of frames in a glyph strip: width ÷ height when the width is an exact multiple of the height
// (1 when that gives more than 4 frames); `current` is kept when it is not, or when the strip is empty.
int numGlyphsFor(QSize stripSize, int current);

// Each pixel becomes the grey level (11 R + 59 G + 30 B) / 100; alpha is kept.
QImage greyCopy(const QImage& frame);

// Embossed copy of a frame: pixels that are transparent, pure white or of the top-left pixel's colour are
// background, every other pixel belongs to the shape. The shape is drawn in `highlight` one pixel right and
// down, then in `shadow` at its place, on a transparent face so the window's background shows through.
QImage disabledCopy(const QImage& frame, const QColor& highlight, const QColor& shadow);

// The frames cut from a glyph strip followed by the grey and the disabled copy of frame 0.
class GlyphImageList {
public:
    void rebuild(const QPixmap& strip, int numGlyphs, const QColor& highlight, const QColor& shadow);
    void clear();

    int count() const { return static_cast<int>(m_images.size()); }
    const QPixmap& image(int index) const { return m_images.at(static_cast<std::size_t>(index)); }
    QSize imageSize() const { return m_size; }

private:
    std::vector<QPixmap> m_images;
    QSize m_size;
};

// Index into a GlyphImageList of `numGlyphs` frames: a frame chosen by state, the grey image
// (index numGlyphs) when `showGrey`, the disabled image (numGlyphs + 1) for a disabled single frame.
int chooseGlyphImage(int numGlyphs, bool enabled, bool drawnPressed, bool showGrey);

} // namespace qv::widgets
