#include "widgets/TransBtn.h"

#include "widgets/TransBtnLayout.h"
#include "widgets/TransBtnPainter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>
#include <utility>

using namespace qv::widgets;

namespace {
constexpr int kInitialSize = 40;

// While alive, swallows every mouse event of the application; used to drop the mouse input that queued up
// while a popup menu was open.
class MouseInputDropper : public QObject {
public:
    MouseInputDropper() { qApp->installEventFilter(this); }
    ~MouseInputDropper() override { qApp->removeEventFilter(this); }

    MouseInputDropper(const MouseInputDropper&) = delete;
    MouseInputDropper& operator=(const MouseInputDropper&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        default:
            return false;
        }
    }
};
} // namespace

TTransparentButton::TTransparentButton(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // Reached with Tab, never focused by a click: the mouse shows no focus mark.
    setFocusPolicy(Qt::TabFocus);
    resize(kInitialSize, kInitialSize);
}

TTransparentButton::~TTransparentButton() = default;

template<typename T>
void TTransparentButton::assign(T& member, const T& value)
{
    if (member == value)
        return;
    member = value;
    update();
}

void TTransparentButton::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    grabMnemonic();
    update();
}

void TTransparentButton::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    update();
    if (m_glyph.height() > 0)
        m_numGlyphs = numGlyphsFor(m_glyph.size(), m_numGlyphs);
    rebuildImages();
}

void TTransparentButton::setNumGlyphs(int numGlyphs)
{
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    if (numGlyphs == m_numGlyphs)
        return;
    m_numGlyphs = numGlyphs;
    rebuildImages();
    update();
}

void TTransparentButton::setFrameStyle(TFrameStyle style)
{
    assign(m_frameStyle, style);
}
void TTransparentButton::setTransparent(bool transparent)
{
    assign(m_transparent, transparent);
}
void TTransparentButton::setBorderWidth(int width)
{
    assign(m_borderWidth, width);
}
void TTransparentButton::setGlyphMark(int width)
{
    assign(m_glyphMark, width);
}

void TTransparentButton::setSpacing(int spacing)
{
    assign(m_spacing, spacing);
}
void TTransparentButton::setTextAlign(TTextAlign align)
{
    assign(m_textAlign, align);
}
void TTransparentButton::setWordWrap(bool wordWrap)
{
    assign(m_wordWrap, wordWrap);
}
void TTransparentButton::setShowPressed(bool showPressed)
{
    assign(m_showPressed, showPressed);
}
void TTransparentButton::setAutoGray(bool autoGray)
{
    assign(m_autoGray, autoGray);
}
void TTransparentButton::setMovable(bool movable)
{
    m_movable = movable;
}

void TTransparentButton::setDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    m_tracking = down;
    m_drawnPressed = down;
    repaint();
}

int TTransparentButton::currentImageIndex() const
{
    if (m_images.count() == 0)
        return -1;
    const bool showGrey = m_frameStyle == fsExplorer && m_autoGray && !m_hovering;
    return chooseGlyphImage(m_numGlyphs, isEnabled(), m_drawnPressed, showGrey);
}

void TTransparentButton::rebuildImages()
{
    if (m_glyph.height() <= 0) {
        m_images.clear();
        return;
    }
    const ButtonColors colours = ButtonColors::fromPalette(palette());
    m_images.rebuild(m_glyph, m_numGlyphs, colours.highlight, colours.shadow);
}

void TTransparentButton::grabMnemonic()
{
    if (m_mnemonicId != 0)
        releaseShortcut(std::exchange(m_mnemonicId, 0));
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_caption);
    if (!mnemonic.isEmpty())
        m_mnemonicId = grabShortcut(mnemonic);
}

void TTransparentButton::click()
{
    const QPointer<TTransparentButton> alive(this);
    if (OnClick)
        OnClick();
    if (alive)
        emit clicked();
}

bool TTransparentButton::dialogChar(const QKeySequence& key)
{
    if (m_mnemonicId == 0 || !isEnabled() || QKeySequence::mnemonic(m_caption) != key)
        return false;
    click();
    return true;
}

bool TTransparentButton::event(QEvent* event)
{
    // The window decides which control answers a character, never Qt's rotation among the controls that
    // share it.
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() != m_mnemonicId)
            return false;
        dispatchDialogChar(window(), shortcut->key());
        return true;
    }
    return QWidget::event(event);
}

void TTransparentButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled())
            m_drawnPressed = m_tracking = m_mouseDown = m_clickArmed = m_hovering = false;
        update();
        break;
    case QEvent::PaletteChange:
        rebuildImages();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
}

void TTransparentButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ButtonColors colours = ButtonColors::fromPalette(palette());
    paintFrame(
        painter, size(),
        {m_frameStyle, m_transparent, m_borderWidth, m_drawnPressed, m_hovering, m_down, m_showPressed},
        colours);

    const QSize captionExtent = measureCaption(font(), m_caption, width(), m_wordWrap);
    const TransBtnLayout layout =
        layoutTransBtn(size(), m_glyph.deviceIndependentSize().toSize(), m_numGlyphs, m_spacing, m_textAlign,
                       captionExtent, m_glyphMark);
    const QPoint shift = m_drawnPressed && m_showPressed ? QPoint(1, 1) : QPoint();

    const int image = currentImageIndex();
    if (!m_glyph.isNull() && image >= 0) {
        const QPoint at = layout.glyphPos + shift;
        if (!m_transparent)
            painter.fillRect(QRect(at, m_images.imageSize()), colours.face);
        painter.drawPixmap(at, m_images.image(image));
    }
    if (!m_caption.isEmpty())
        paintCaption(painter, layout.captionRect.translated(shift), m_caption, m_wordWrap, isEnabled(),
                     palette().color(QPalette::WindowText), colours);
    if (hasFocus())
        paintFocusMark(
            painter,
            focusMarkRect(size(), m_caption.isEmpty() ? QRect() : layout.captionRect.translated(shift)),
            palette().color(QPalette::WindowText));
}

// Space presses the focused button; Return the window's default button, or this one without a default.
void TTransparentButton::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    TTransparentButton* pressed = nullptr;
    if (plain && event->key() == Qt::Key_Space && !event->isAutoRepeat())
        pressed = this;
    else if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        pressed = defaultButton(window());
        if (!pressed)
            pressed = this;
    }
    if (!pressed || !pressed->isEnabled())
        return QWidget::keyPressEvent(event);
    event->accept();
    pressed->click();
}

void TTransparentButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TTransparentButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TTransparentButton::mousePressEvent(QMouseEvent* event)
{
    handlePress(event);
}

// A double click counts as a second press, so it gives a second click.
void TTransparentButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    handlePress(event);
}

void TTransparentButton::handlePress(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton)
        m_clickArmed = true;
    if (m_mouseDown)
        return;
    m_mouseDown = true;
    const QPoint at = event->position().toPoint();
    if (m_movable)
        m_pressPos = at;
    if (!fireSurviving(OnMouseDown, event))
        return;
    if (rect().contains(at)) {
        m_tracking = true;
        m_drawnPressed = true;
        repaint();
    }
    if (m_popUpMenu)
        showPopUpMenu(*event);
}

// Runs a mouse event handler, which may delete this button; true when the button is still there.
bool TTransparentButton::fireSurviving(const MouseHandler& handler, QMouseEvent* event)
{
    if (!handler)
        return true;
    const QPointer<TTransparentButton> alive(this);
    handler(event);
    return !alive.isNull();
}

void TTransparentButton::showPopUpMenu(const QMouseEvent& press)
{
    const QPointer<TTransparentButton> alive(this);
    m_popUpMenu->exec(mapToGlobal(QPoint(0, height())));
    if (!alive)
        return;
    {
        const MouseInputDropper dropper;
        QCoreApplication::processEvents();
    }
    if (!alive)
        return;
    m_clickArmed = false;
    QMouseEvent release(QEvent::MouseButtonRelease, press.position(), press.scenePosition(),
                        press.globalPosition(), press.button(), press.buttons(), press.modifiers());
    handleRelease(&release);
}

void TTransparentButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!fireSurviving(OnMouseMove, event) || !m_tracking)
        return;
    QPoint at = event->position().toPoint();
    if (m_movable && m_mouseDown) {
        const QPoint distance = at - m_pressPos;
        move(pos() + distance);
        at -= distance;
    }
    const bool inside = rect().contains(at);
    if (inside != m_drawnPressed) {
        m_drawnPressed = inside;
        repaint();
    }
}

void TTransparentButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    const bool clicks = event->button() == Qt::LeftButton && std::exchange(m_clickArmed, false) &&
                        rect().contains(event->position().toPoint());
    const QPointer<TTransparentButton> alive(this);
    handleRelease(event);
    // The click comes last, after the button looks released: its handler may open a modal window.
    if (clicks && alive)
        click();
}

void TTransparentButton::handleRelease(QMouseEvent* event)
{
    if (!m_mouseDown)
        return;
    m_mouseDown = false;
    if (m_down)
        return;
    m_tracking = false;
    m_drawnPressed = false;
    repaint();
    if (OnMouseUp)
        OnMouseUp(event);
}

void TTransparentButton::enterEvent(QEnterEvent*)
{
    if (!isEnabled())
        return;
    m_hovering = true;
    if (OnMouseEnter)
        OnMouseEnter();
    if (m_frameStyle == fsExplorer)
        update();
}

void TTransparentButton::leaveEvent(QEvent*)
{
    if (!isEnabled())
        return;
    m_hovering = false;
    if (OnMouseExit)
        OnMouseExit();
    if (m_frameStyle == fsExplorer)
        update();
}

namespace qv::widgets {

TTransparentButton* defaultButton(const QWidget* window)
{
    if (!window)
        return nullptr;
    for (auto* button : window->findChildren<TTransparentButton*>())
        if (button->Default() && button->isVisible() && button->isEnabled() && button->window() == window)
            return button;
    return nullptr;
}

} // namespace qv::widgets
