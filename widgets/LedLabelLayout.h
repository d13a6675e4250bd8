#pragma once

#include "widgets/LED.h"

#include <QRect>
#include <QSize>

namespace qv::widgets {

// Where an LED label of a given size draws its light and its single-line caption.
struct LedLabelLayout {
    QRect led;
    QRect caption;
    Qt::Alignment captionAlignment;
};

LedLabelLayout layoutLedLabel(QSize size, TLEDLabel::TCaptionAlignment alignment);

} // namespace qv::widgets
