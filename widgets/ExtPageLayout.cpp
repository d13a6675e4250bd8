#include "widgets/ExtPageLayout.h"

#include <algorithm>
#include <cmath>

namespace qv::widgets {

TabSizes sizesAfterPositionChange(TabSide from, TabSide to, TabSizes sizes)
{
    if (!isSideTab(from) && isSideTab(to)) {
        if (sizes.height == 0)
            sizes.height = 35;
        if (sizes.width == 0)
            sizes.width = 70;
    }
    return sizes;
}

TabSizes baseTabSizes(TabSide side, TabSizes sizes)
{
    return isSideTab(side) ? TabSizes{sizes.width, sizes.height} : sizes;
}

bool stripUsesInactiveFont(int activeWidthOfW, int inactiveWidthOfW)
{
    return inactiveWidthOfW > activeWidthOfW;
}

TabRects tabRects(TabSide side, bool buttons, bool selected, const QRect& strip, const QRect& item)
{
    if (selected && !buttons) {
        const QPoint shifts[] = {{-2, 0}, {2, 0}, {0, -1}, {0, 0}};
        return {strip.translated(shifts[static_cast<int>(side)]), item};
    }
    QRect fg = strip;
    if (!buttons && side == TabSide::Top)
        fg.translate(0, 1);
    else if (!buttons && side == TabSide::Bottom)
        fg.translate(0, -2);
    return {fg, strip};
}

QRect captionTextArea(const QRect& r, QPoint offset)
{
    return r.adjusted(2 + offset.x(), 2 + offset.y(), -2, -2);
}

CaptionPlacement placeCaption(const QRect& r, QPoint offset, CaptionAlign align, QSize measured)
{
    const QRect inner = r.adjusted(2, 2, -2, -2);
    QRect t = captionTextArea(r, offset);
    const int h = std::min(measured.height(), t.height());
    const int w = std::min(measured.width(), t.width());
    t.setTop(t.top() + std::max(0, (t.height() - h) / 2));
    if (align == CaptionAlign::Centre) {
        t.moveLeft(inner.left() + offset.x() + (inner.width() - w - offset.x()) / 2);
        t.setWidth(w);
    }
    return {t, QPoint(t.left() - offset.x(), t.top() - offset.y())};
}

TabContentPlan planTabContent(TabSide side, bool hasGlyphs, bool disabled, bool glyphOnTop, QSize glyph,
                              int spacing)
{
    if (!hasGlyphs)
        return isSideTab(side) ? TabContentPlan{{8, 0}, CaptionAlign::Left, false}
                               : TabContentPlan{{0, 0}, CaptionAlign::Centre, false};
    if (disabled)
        return {{0, 0}, CaptionAlign::Centre, false};
    if (glyphOnTop)
        return {{0, glyph.height() + spacing}, CaptionAlign::Centre, true};
    if (isSideTab(side))
        return {{glyph.width() + spacing + 8, 0}, CaptionAlign::Left, true};
    return {{glyph.width() + spacing, 0}, CaptionAlign::Centre, true};
}

QPoint glyphPosition(TabSide side, bool glyphOnTop, const QRect& r, QSize glyph, QPoint block)
{
    if (glyphOnTop)
        return {r.left() + (r.width() - glyph.width()) / 2, block.y()};
    const int y = r.top() + (r.height() - glyph.height()) / 2;
    return {isSideTab(side) ? r.left() + 8 : block.x(), y};
}

QString tabHint(const QStringList& hints, int tabIndex, int pageIndex)
{
    if (tabIndex < 0 || hints.size() < tabIndex + 1 || pageIndex >= hints.size())
        return {};
    return hints.at(pageIndex);
}

int scaled(int value, int multiplier, int divider)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * multiplier / divider));
}

} // namespace qv::widgets
