#pragma once

#include "widgets/TransBtn.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace qv::widgets {

// Where a transparent button draws its glyph and its caption.
struct TransBtnLayout {
    QPoint glyphPos;
    QRect captionRect;
};

// Places the glyph (one frame of a strip of `numGlyphs`) and a caption of extent `captionExtent` in a
// control of `size`: the caption at `align`, the glyph on the opposite side, `spacing` pixels apart. With
// a `glyphMark` (a picture drawn in the first pixels of a glyph as wide as the button), a centred or
// left caption is laid out in the space right of that mark.
TransBtnLayout layoutTransBtn(QSize size, QSize glyphStrip, int numGlyphs, int spacing,
                              TTransparentButton::TTextAlign align, QSize captionExtent, int glyphMark = 0);

// Text flags for measuring and drawing a caption (& marks the underlined accelerator).
int captionFlags(bool wordWrap);

// Extent of `caption` in `font`, on one line, or wrapped within `width` when `wordWrap`.
QSize measureCaption(const QFont& font, const QString& caption, int width, bool wordWrap);

} // namespace qv::widgets
