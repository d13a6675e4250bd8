#include "widgets/LedLabelLayout.h"

#include "widgets/LedSheet.h"

namespace qv::widgets {

namespace {
// Rectangle from its left, top, right and bottom edges (right and bottom exclusive).
QRect edges(int left, int top, int right, int bottom)
{
    return {left, top, right - left, bottom - top};
}
} // namespace

LedLabelLayout layoutLedLabel(QSize size, TLEDLabel::TCaptionAlignment alignment)
{
    constexpr int ledW = LedPictureSheet::kPictureWidth;
    constexpr int ledH = LedPictureSheet::kPictureHeight;
    const int w = size.width();
    const int h = size.height();
    const int middleY = (h - ledH) / 2;
    const int middleX = (w - ledW) / 2;
    switch (alignment) {
    case TLEDLabel::caLeft:
        return {edges(w - ledW, middleY, w, middleY + ledH), edges(0, 0, w - 15, h),
                Qt::AlignLeft | Qt::AlignVCenter};
    case TLEDLabel::caTop:
        return {edges(middleX, h - ledH, middleX + ledW, h), edges(0, 0, w, h - 16),
                Qt::AlignHCenter | Qt::AlignBottom};
    case TLEDLabel::caBottom:
        return {edges(middleX, 0, middleX + ledW, ledH), edges(0, 16, w, h), Qt::AlignHCenter | Qt::AlignTop};
    case TLEDLabel::caRight:
        break;
    }
    return {edges(0, middleY, ledW, middleY + ledH), edges(15, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter};
}

} // namespace qv::widgets
