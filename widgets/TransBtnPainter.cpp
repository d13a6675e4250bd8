#include "widgets/TransBtnPainter.h"

#include "widgets/TransBtnLayout.h"

#include <QPainter>
#include <QPen>

namespace qv::widgets {

using Btn = TTransparentButton;

ButtonColors ButtonColors::fromPalette(const QPalette& palette)
{
    return {palette.color(QPalette::Button), palette.color(QPalette::Light), palette.color(QPalette::Dark),
            palette.color(QPalette::Shadow), QColor(Qt::black)};
}

void frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width)
{
    QRect line = rect;
    for (int i = 0; i < width && line.width() > 0 && line.height() > 0; ++i) {
        // The top-right and bottom-left corners belong to the bottom-right colour.
        painter.fillRect(QRect(line.left(), line.top(), line.width() - 1, 1), topLeft);
        painter.fillRect(QRect(line.left(), line.top(), 1, line.height() - 1), topLeft);
        painter.fillRect(QRect(line.right(), line.top(), 1, line.height()), bottomRight);
        painter.fillRect(QRect(line.left(), line.bottom(), line.width(), 1), bottomRight);
        line.adjust(1, 1, -1, -1);
    }
    rect.adjust(width, width, -width, -width);
}

namespace {
void filledOutline(QPainter& painter, QRect rect, const QColor& fill, const QColor& outline)
{
    painter.fillRect(rect, fill);
    frame3D(painter, rect, outline, outline, 1);
}

void paintBackground(QPainter& painter, QSize size, const FrameLook& look, const ButtonColors& c)
{
    const int bw = look.borderWidth;
    QRect inner(1, 1, size.width() - 1, size.height() - 1);
    switch (look.style) {
    case Btn::fsRegular:
        if (look.transparent)
            frame3D(painter, inner, c.black, c.black, bw);
        else
            filledOutline(painter, inner, c.face, c.black);
        break;
    case Btn::fsIndent: {
        QRect outer(0, 0, size.width() - 1, size.height() - 1);
        if (look.transparent)
            frame3D(painter, outer, c.shadow, c.shadow, bw);
        else
            filledOutline(painter, outer, c.face, c.shadow);
        frame3D(painter, inner, c.highlight, c.highlight, bw);
        break;
    }
    default:
        if (!look.transparent)
            painter.fillRect(QRect(QPoint(0, 0), size), c.face);
        break;
    }
}

void paintPressedFrame(QPainter& painter, QRect r, const FrameLook& look, const ButtonColors& c)
{
    const int bw = look.borderWidth;
    if (look.style == Btn::fsExplorer) {
        if (look.hovering || look.down) {
            if (look.showPressed)
                frame3D(painter, r, c.shadow, c.highlight, bw);
            else
                frame3D(painter, r, c.highlight, c.shadow, bw);
        }
        return;
    }
    if (!look.showPressed)
        return;
    switch (look.style) {
    case Btn::fsRegular:
    case Btn::fsIndent:
        frame3D(painter, r, c.black, c.highlight, bw);
        frame3D(painter, r, c.shadow, c.face, bw);
        break;
    case Btn::fsLight:
        frame3D(painter, r, c.shadow, c.highlight, 1);
        break;
    case Btn::fsDark:
        frame3D(painter, r, c.darkShadow, c.face, 1);
        break;
    case Btn::fsMono:
        frame3D(painter, r, c.darkShadow, c.highlight, 1);
        break;
    default:
        break;
    }
}

void paintRestingFrame(QPainter& painter, QRect r, const FrameLook& look, const ButtonColors& c)
{
    const int bw = look.borderWidth;
    switch (look.style) {
    case Btn::fsRegular:
        frame3D(painter, r, c.highlight, c.black, bw);
        frame3D(painter, r, c.face, c.shadow, bw);
        break;
    case Btn::fsIndent:
        frame3D(painter, r, c.shadow, c.highlight, bw);
        break;
    case Btn::fsExplorer:
        if (look.hovering)
            frame3D(painter, r, c.highlight, c.shadow, bw);
        break;
    case Btn::fsLight:
        frame3D(painter, r, c.highlight, c.shadow, 1);
        break;
    case Btn::fsDark:
        frame3D(painter, r, c.face, c.darkShadow, 1);
        break;
    case Btn::fsMono:
        frame3D(painter, r, c.highlight, c.darkShadow, 1);
        break;
    case Btn::fsNone:
        break;
    }
}
} // namespace

void paintFrame(QPainter& painter, QSize size, const FrameLook& look, const ButtonColors& colours)
{
    paintBackground(painter, size, look, colours);
    const QRect all(QPoint(0, 0), size);
    if (look.drawnPressed)
        paintPressedFrame(painter, all, look, colours);
    else
        paintRestingFrame(painter, all, look, colours);
}

void paintCaption(QPainter& painter, const QRect& rect, const QString& caption, bool wordWrap, bool enabled,
                  const QColor& textColour, const ButtonColors& colours)
{
    const int flags = Qt::AlignCenter | Qt::TextDontClip | captionFlags(wordWrap);
    painter.save();
    if (enabled) {
        painter.setPen(textColour);
    } else {
        painter.setPen(colours.highlight);
        painter.drawText(rect.translated(1, 1), flags, caption);
        painter.setPen(colours.shadow);
    }
    painter.drawText(rect, flags, caption);
    painter.restore();
}

QRect focusMarkRect(QSize size, const QRect& caption)
{
    constexpr int inset = 3;
    const QRect inner = QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset);
    if (caption.isEmpty())
        return inner;
    return caption.adjusted(-3, -2, 3, 2).intersected(inner);
}

void paintFocusMark(QPainter& painter, const QRect& mark, const QColor& textColour)
{
    if (mark.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(textColour, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    // A one-pixel outline drawn on the rectangle's last row and column, so it stays inside it.
    painter.drawRect(mark.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace qv::widgets
