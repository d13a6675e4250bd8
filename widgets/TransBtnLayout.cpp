#include "widgets/TransBtnLayout.h"

#include <QFontMetrics>

#include <algorithm>

namespace qv::widgets {

using Align = TTransparentButton::TTextAlign;

namespace {
bool captionOnTop(Align a)
{
    return a == TTransparentButton::ttaTopLeft || a == TTransparentButton::ttaTop ||
           a == TTransparentButton::ttaTopRight;
}

bool captionAtBottom(Align a)
{
    return a == TTransparentButton::ttaBottomLeft || a == TTransparentButton::ttaBottom ||
           a == TTransparentButton::ttaBottomRight;
}
} // namespace

TransBtnLayout layoutTransBtn(QSize size, QSize glyphStrip, int numGlyphs, int spacing, Align align,
                              QSize captionExtent, int glyphMark)
{
    const int W = size.width();
    const int H = size.height();
    int gw = numGlyphs > 0 ? glyphStrip.width() / numGlyphs : 0;
    if (gw <= 0)
        gw = glyphStrip.width();
    const int gh = glyphStrip.height();
    const int s = spacing;
    const int w = captionExtent.width();
    const int h = captionExtent.height();

    const int glyphTop = captionAtBottom(align) ? s : captionOnTop(align) ? H - gh - s : (H - gh) / 2;
    const int glyphLeft = align == TTransparentButton::ttaLeft    ? W - gw - s
                          : align == TTransparentButton::ttaRight ? s
                                                                  : (W - gw) / 2;
    const int glyphBottom = glyphTop + gh;

    // The space the glyph's mark leaves, or the whole width.
    const int areaLeft = glyphMark > 0 ? glyphLeft + glyphMark + s : 0;
    const int left = std::max(s, areaLeft);
    const int centre = areaLeft + (W - areaLeft) / 2 - w / 2;
    const int right = W - w - s;
    const int above = glyphTop - h - s;
    const int middle = H / 2 - h / 2;
    const int below = glyphBottom + s;

    QPoint caption;
    switch (align) {
    case TTransparentButton::ttaTopLeft:
        caption = {left, above};
        break;
    case TTransparentButton::ttaTop:
        caption = {centre, above};
        break;
    case TTransparentButton::ttaTopRight:
        caption = {right, above};
        break;
    case TTransparentButton::ttaRight:
        caption = {right, middle};
        break;
    case TTransparentButton::ttaBottomRight:
        caption = {right, below};
        break;
    case TTransparentButton::ttaBottom:
        caption = {centre, below};
        break;
    case TTransparentButton::ttaBottomLeft:
        caption = {left, below};
        break;
    case TTransparentButton::ttaLeft:
        caption = {left, middle};
        break;
    case TTransparentButton::ttaCenter:
        caption = {centre, middle};
        break;
    }
    return {QPoint(glyphLeft, glyphTop), QRect(caption, captionExtent)};
}

int captionFlags(bool wordWrap)
{
    return Qt::TextShowMnemonic | (wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

QSize measureCaption(const QFont& font, const QString& caption, int width, bool wordWrap)
{
    if (caption.isEmpty())
        return {};
    const QFontMetrics metrics(font);
    return metrics
        .boundingRect(QRect(0, 0, width, 0), Qt::AlignLeft | Qt::AlignTop | captionFlags(wordWrap), caption)
        .size();
}

} // namespace qv::widgets
