#include "widgets/LED.h"

#include "widgets/Accessibility.h"
#include "widgets/LedLabelLayout.h"
#include "widgets/LedSheet.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

using namespace qv::widgets;

namespace {
const QSize kLedSize(LedPictureSheet::kPictureWidth, LedPictureSheet::kPictureHeight);
const QSize kLabelSize(97, 17);

// The shadow of an embossed caption: the background at two thirds of its brightness, as the classic 3-D
// shadow relates to the button face, so the caption reads on any background.
QColor embossShadow(const QColor& background)
{
    return background.darker(150);
}
} // namespace

TLED::TLED(QWidget* parent)
    : QWidget(parent)
{
    LedPictureSheet::addUser(this);
    setMouseTracking(true);
    setFixedSize(kLedSize);
}

TLED::~TLED()
{
    LedPictureSheet::removeUser(this);
}

QSize TLED::sizeHint() const
{
    return kLedSize;
}

void TLED::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    stateChanged();
    if (isEnabled())
        notifyCheckedChanged(this);
}

void TLED::setColor(TLEDColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    stateChanged();
}

// Only the light is redrawn; the caption of a label stays as it is.
void TLED::stateChanged()
{
    update(ledRect());
    if (OnChangeState)
        OnChangeState();
}

void TLED::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (m_lit)
        notifyCheckedChanged(this);
    if (OnChangeState)
        OnChangeState();
    update();
}

QColor TLED::parentColour() const
{
    const QWidget* parent = parentWidget();
    return parent ? parent->palette().color(parent->backgroundRole()) : palette().color(QPalette::Window);
}

void TLED::paintLed(QPainter& painter, const QRect& target) const
{
    painter.fillRect(target, parentColour());
    const QPixmap sheet = LedPictureSheet::pixmap();
    if (!sheet.isNull())
        painter.drawPixmap(target, sheet, ledSourceRect(m_lit, m_color, isEnabled()));
}

void TLED::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintLed(painter, rect());
}

void TLED::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_clickArmed = true;
    if (OnMouseDown)
        OnMouseDown(event);
}

void TLED::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnDblClick)
        OnDblClick();
    if (OnMouseDown)
        OnMouseDown(event);
}

void TLED::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event);
}

void TLED::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicks = event->button() == Qt::LeftButton && std::exchange(m_clickArmed, false) &&
                        rect().contains(event->position().toPoint());
    if (OnMouseUp)
        OnMouseUp(event);
    if (clicks && OnClick)
        OnClick();
}

TLEDLabel::TLEDLabel(QWidget* parent)
    : TLED(parent)
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    resize(kLabelSize);
}

QSize TLEDLabel::sizeHint() const
{
    return kLabelSize;
}

void TLEDLabel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TLEDLabel::setAlignment(TCaptionAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TLEDLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

QRect TLEDLabel::ledRect() const
{
    return layoutLedLabel(size(), m_alignment).led;
}

QRect TLEDLabel::captionRect() const
{
    return layoutLedLabel(size(), m_alignment).caption;
}

void TLEDLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), parentColour());
    const LedLabelLayout layout = layoutLedLabel(size(), m_alignment);
    paintLed(painter, layout.led);

    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic | layout.captionAlignment;
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
    } else {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(layout.caption.translated(1, 1), flags, m_caption);
        painter.setPen(embossShadow(parentColour()));
    }
    painter.drawText(layout.caption, flags, m_caption);
}

void TLEDLabel::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        TLED::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
    event->accept();
}
