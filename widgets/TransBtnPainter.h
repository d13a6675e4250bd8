#pragma once

#include "widgets/TransBtn.h"

#include <QColor>
#include <QPalette>
#include <QRect>

class QPainter;

namespace qv::widgets {

// The system colours of a button, taken from a widget's palette.
struct ButtonColors {
    QColor face;
    QColor highlight;
    QColor shadow;
    QColor darkShadow;
    QColor black;

    static ButtonColors fromPalette(const QPalette& palette);
};

// Draws `width` concentric one-pixel frames inward from `rect`'s border: top and left edges in `topLeft`,
// bottom and right edges in `bottomRight`. Shrinks `rect` by `width`, so a second call draws inside the
// first.
void frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width);

// Everything the background and frame of a transparent button depend on.
struct FrameLook {
    TTransparentButton::TFrameStyle style = TTransparentButton::fsExplorer;
    bool transparent = true;
    int borderWidth = 1;
    bool drawnPressed = false;
    bool hovering = false;
    bool down = false;
    bool showPressed = true;
};

// Fills the face (unless transparent) and draws the frame of a button of `size`.
void paintFrame(QPainter& painter, QSize size, const FrameLook& look, const ButtonColors& colours);

// Draws a caption centred in `rect`, unclipped; a disabled caption is embossed.
void paintCaption(QPainter& painter, const QRect& rect, const QString& caption, bool wordWrap, bool enabled,
                  const QColor& textColour, const ButtonColors& colours);

// Where the focus mark of a button of `size` is drawn: around the caption at `caption` when there is one,
// so that it stands on the button's picture in the caption's colour, else three pixels inside the edge;
// never outside that inner rectangle.
QRect focusMarkRect(QSize size, const QRect& caption = {});

// Draws the focus mark `mark`: a dotted rectangle in `textColour`.
void paintFocusMark(QPainter& painter, const QRect& mark, const QColor& textColour);

} // namespace qv::widgets
