#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace qv::widgets {

enum class TabSide { Left, Right, Top, Bottom };

inline bool isSideTab(TabSide side)
{
    return side == TabSide::Left || side == TabSide::Right;
}

// Tab sizes as seen with horizontal tabs; 0 lets the tab strip choose.
struct TabSizes {
    int height = 0;
    int width = 0;
    bool operator==(const TabSizes&) const = default;
};

// Moving the strip from the top or bottom to a side gives 35 x 70 tabs where the sizes were left to the
// strip; any other move keeps them.
TabSizes sizesAfterPositionChange(TabSide from, TabSide to, TabSizes sizes);

// The sizes handed to the tab strip: swapped for side tabs.
TabSizes baseTabSizes(TabSide side, TabSizes sizes);

// The font that sizes the strip: the inactive one when its "W" is strictly wider, else the active one.
bool stripUsesInactiveFont(int activeWidthOfW, int inactiveWidthOfW);

// The rectangles of one owner-drawn tab: the background filled with the tab colour and the foreground
// holding glyph and caption. `strip` is the tab's rectangle in the strip, `item` the larger rectangle of
// a selected tab.
struct TabRects {
    QRect fg;
    QRect bg;
};
TabRects tabRects(TabSide side, bool buttons, bool selected, const QRect& strip, const QRect& item);

enum class CaptionAlign { Left, Right, Centre };

// Where a caption of `measured` extent (measured within textArea(r, offset)) is drawn in tab content
// rectangle `r`, pushed by `offset`; `block` is the caption's top-left minus the offset, for placing the
// glyph beside it.
struct CaptionPlacement {
    QRect text;
    QPoint block;
};
QRect captionTextArea(const QRect& r, QPoint offset);
CaptionPlacement placeCaption(const QRect& r, QPoint offset, CaptionAlign align, QSize measured);

// How the default tab content is laid out: the caption's offset and alignment, and whether and how the
// glyph (`glyph` its size) is placed relative to the caption block.
struct TabContentPlan {
    QPoint captionOffset;
    CaptionAlign align = CaptionAlign::Centre;
    bool drawGlyph = false;
};
TabContentPlan planTabContent(TabSide side, bool hasGlyphs, bool disabled, bool glyphOnTop, QSize glyph,
                              int spacing);
// The glyph's top-left, from the content rectangle and the block position the caption returned.
QPoint glyphPosition(TabSide side, bool glyphOnTop, const QRect& r, QSize glyph, QPoint block);

// The hint of the tab `tabIndex` (of page `pageIndex`): empty over no tab or without a line for it.
QString tabHint(const QStringList& hints, int tabIndex, int pageIndex);

// `value` * multiplier / divider, rounded.
int scaled(int value, int multiplier, int divider);

} // namespace qv::widgets
