#include "widgets/ExtPage.h"

#include "widgets/ExtTabBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>
#include <QShortcutEvent>
#include <QStackedWidget>

#include <utility>

using namespace qv::widgets;

namespace {
QTabWidget::TabPosition qtPosition(TExtPageControl::TExtTabPosition position)
{
    switch (position) {
    case TExtPageControl::tabPosLeft:
        return QTabWidget::West;
    case TExtPageControl::tabPosRight:
        return QTabWidget::East;
    case TExtPageControl::tabPosBottom:
        return QTabWidget::South;
    case TExtPageControl::tabPosTop:
        break;
    }
    return QTabWidget::North;
}

// The classic 3-D emboss shadow of a face colour.
QColor shadowOf(const QColor& face)
{
    return face.darker(150);
}
} // namespace

// --- TTabSheet ---

TTabSheet::TTabSheet(QWidget* parent)
    : QWidget(parent)
{
}

TTabSheet::~TTabSheet()
{
    if (m_control)
        m_control->releaseShortcut(m_mnemonicId);
}

void TTabSheet::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (m_control)
        m_control->pageCaptionChanged(this);
}

void TTabSheet::setTabVisible(bool visible)
{
    if (visible == m_tabVisible)
        return;
    m_tabVisible = visible;
    if (m_control)
        m_control->pageVisibilityChanged(this);
}

void TTabSheet::setPageControl(TExtPageControl* control)
{
    if (control == m_control)
        return;
    if (m_control) {
        m_control->releaseShortcut(std::exchange(m_mnemonicId, 0));
        m_control->removeTab(PageIndex());
        setParent(nullptr);
    }
    m_control = control;
    if (!m_control)
        return;
    const int index = m_control->addTab(this, withoutMnemonic(m_caption));
    m_control->setTabVisible(index, m_tabVisible);
    m_control->pageCaptionChanged(this);
}

int TTabSheet::PageIndex() const
{
    return m_control ? m_control->indexOf(this) : -1;
}

int TTabSheet::TabIndex() const
{
    if (!m_control || !m_tabVisible)
        return -1;
    int tab = 0;
    for (int i = 0; i < PageIndex(); ++i)
        tab += m_control->Pages(i)->TabVisible() ? 1 : 0;
    return tab;
}

void TTabSheet::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && m_control)
        m_control->pageEnabledChanged(this);
}

// --- TExtPageControl ---

TExtPageControl::TExtPageControl(QWidget* parent)
    : QTabWidget(parent)
    , m_color(palette().color(QPalette::Base))
    , m_tabActiveColor(palette().color(QPalette::Button))
    , m_tabActiveFont(QApplication::font())
    , m_tabInactiveFont(QApplication::font())
    , m_glyphs(new TExtGlyphs(this))
    , m_hottrack(new TExtHottrack(this))
{
    setTabBar(new ExtTabBar(this));
    connect(tabBar(), &QTabBar::currentChanged, this, &TExtPageControl::tabBarCurrentChanged);
    connect(m_glyphs, &TExtGlyphs::layoutChanged, this, [this] { RealignPages(true); });
    connect(m_glyphs, &TExtGlyphs::imagesChanged, this, [this] { RealignPages(true); });
    connect(m_hottrack, &TExtHottrack::changed, this, [this] {
        update();
        tabBar()->update();
    });
    TabFontChanged();
}

// The pages are deleted after this destructor, with the QWidget part: they must no longer call back.
TExtPageControl::~TExtPageControl()
{
    for (int i = 0; i < count(); ++i)
        if (TTabSheet* page = Pages(i))
            page->m_control = nullptr;
}

TTabSheet* TExtPageControl::Pages(int index) const
{
    return qobject_cast<TTabSheet*>(widget(index));
}

TTabSheet* TExtPageControl::ActivePage() const
{
    return qobject_cast<TTabSheet*>(currentWidget());
}

void TExtPageControl::setActivePage(TTabSheet* page)
{
    if (page == ActivePage() || !page || page->PageControl() != this)
        return;
    if (!page->pageEnabled())
        return;
    if (OnChanging) {
        bool allow = true;
        OnChanging(allow);
        if (!allow)
            return;
    }
    m_settingPage = true;
    QTabWidget::setCurrentWidget(page);
    m_settingPage = false;
    m_shownPage = page;
    RealignPages(false);
    if (OnChange)
        OnChange();
}

void TExtPageControl::setCurrentIndex(int index)
{
    setActivePage(Pages(index));
}

// The one place every change of the strip's selection passes: a click, Ctrl+Tab, Ctrl+PgDn, the wheel over
// the strip, the tab widget's or the bar's own selection. A change that did not come through ActivePage is
// undone and asked for again through it, so it runs the same sequence: a disabled page refused, OnChanging
// asked while the old page is still shown (and obeyed), then OnChange.
void TExtPageControl::tabBarCurrentChanged(int index)
{
    if (m_settingPage || m_reverting)
        return;
    TTabSheet* page = Pages(index);
    const int shown = m_shownPage ? m_shownPage->PageIndex() : -1;
    if (shown < 0 || shown == index || !m_shownPage->TabVisible()) {
        // The pages themselves changed (the first one added, the shown one removed or hidden from the strip).
        m_shownPage = page;
        if (page && OnChange)
            OnChange();
        return;
    }
    m_reverting = true;
    QTabWidget::setCurrentIndex(shown);
    m_reverting = false;
    setActivePage(page);
}

void TExtPageControl::pageCaptionChanged(TTabSheet* page)
{
    const int index = page->PageIndex();
    setTabText(index, withoutMnemonic(page->Caption()));
    releaseShortcut(std::exchange(page->m_mnemonicId, 0));
    const QKeySequence mnemonic = QKeySequence::mnemonic(page->Caption());
    if (!mnemonic.isEmpty())
        page->m_mnemonicId = grabShortcut(mnemonic);
    RealignPages(true);
}

void TExtPageControl::pageVisibilityChanged(TTabSheet* page)
{
    // The tabs after this one change their numbers: the hot tab is found again by the next mouse move.
    m_hottrack->setHotTab(-1);
    setTabVisible(page->PageIndex(), page->TabVisible());
    RealignPages(true);
}

void TExtPageControl::tabInserted(int index)
{
    m_hottrack->setHotTab(-1);
    QTabWidget::tabInserted(index);
}

void TExtPageControl::tabRemoved(int index)
{
    m_hottrack->setHotTab(-1);
    QTabWidget::tabRemoved(index);
}

void TExtPageControl::pageEnabledChanged(TTabSheet*)
{
    tabBar()->update();
}

bool TExtPageControl::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        for (int i = 0; i < count(); ++i)
            if (const TTabSheet* page = Pages(i); page && page->m_mnemonicId == shortcut->shortcutId()) {
                dispatchDialogChar(window(), shortcut->key());
                return true;
            }
    }
    return QTabWidget::event(event);
}

// Ctrl+PgDn and Ctrl+PgUp turn the pages as Ctrl+Tab and Ctrl+Shift+Tab do.
void TExtPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool pageKey = event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp;
    if (pageKey && event->modifiers() == Qt::ControlModifier) {
        const bool forward = event->key() == Qt::Key_PageDown;
        QKeyEvent tab(event->type(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                      forward ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        QTabWidget::keyPressEvent(&tab);
        event->setAccepted(tab.isAccepted());
        return;
    }
    QTabWidget::keyPressEvent(event);
}

bool TExtPageControl::dialogChar(const QKeySequence& key)
{
    for (int i = 0; i < count(); ++i)
        if (TTabSheet* page = Pages(i); page && page->m_mnemonicId != 0 && page->TabVisible() &&
                                        QKeySequence::mnemonic(page->Caption()) == key) {
            setActivePage(page);
            return true;
        }
    return false;
}

void TExtPageControl::changeEvent(QEvent* event)
{
    QTabWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        RealignPages(true);
}

int TExtPageControl::pageIndexOfTab(int tabIndex) const
{
    for (int p = std::max(tabIndex, 0); p < count(); ++p)
        if (const TTabSheet* page = Pages(p); page && page->TabIndex() == tabIndex)
            return p;
    return -1;
}

int TExtPageControl::GetPageIndexByTabIndex(int tabIndex) const
{
    if (const int page = pageIndexOfTab(tabIndex); page >= 0)
        return page;
    throw EExtPageInvalidCall(
        QStringLiteral("Function GetPageIndexByTabIndex of component %1 of class %2 was "
                       "called with an invalid parameter (CurrentTabIndex = %3).")
            .arg(objectName(), QString::fromLatin1(metaObject()->className()))
            .arg(tabIndex)
            .toStdString());
}

int TExtPageControl::tabCount() const
{
    int tabs = 0;
    for (int i = 0; i < count(); ++i)
        tabs += Pages(i) && Pages(i)->TabVisible() ? 1 : 0;
    return tabs;
}

QString TExtPageControl::hintForTab(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= tabCount())
        return {};
    return tabHint(m_tabHints, tabIndex, GetPageIndexByTabIndex(tabIndex));
}

QPoint TExtPageControl::hintPosition(int tabIndex) const
{
    const QRect r = GetTabRect(tabIndex);
    return mapToGlobal(QPoint(r.left() + 3, r.bottom() + 2));
}

void TExtPageControl::Loaded()
{
    m_savedHint = toolTip();
    if (m_initialPage >= 0)
        setActivePage(Pages(m_initialPage));
}

void TExtPageControl::ChangeScale(int multiplier, int divider)
{
    if (divider == 0)
        return;
    m_sizes = {scaled(m_sizes.height, multiplier, divider), scaled(m_sizes.width, multiplier, divider)};
    for (QFont* font : {&m_tabActiveFont, &m_tabInactiveFont}) {
        if (font->pixelSize() > 0)
            font->setPixelSize(scaled(font->pixelSize(), multiplier, divider));
        else
            font->setPointSizeF(font->pointSizeF() * multiplier / divider);
    }
    TabFontChanged();
}

// --- settings ---

void TExtPageControl::setColor(const QColor& colour)
{
    m_color = colour;
    m_parentColor = false;
    update();
}

void TExtPageControl::setParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    update();
}

void TExtPageControl::setTabActiveColor(const QColor& colour)
{
    if (colour == m_tabActiveColor)
        return;
    m_tabActiveColor = colour;
    RealignPages(true);
}

void TExtPageControl::setTabInactiveColor(const QColor& colour)
{
    if (colour == m_tabInactiveColor)
        return;
    m_tabInactiveColor = colour;
    RealignPages(true);
}

void TExtPageControl::setTabWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    RealignPages(true);
}

void TExtPageControl::setTabActiveFont(const QFont& font)
{
    m_tabActiveFont = font;
    TabFontChanged();
}

void TExtPageControl::setTabInactiveFont(const QFont& font)
{
    m_tabInactiveFont = font;
    TabFontChanged();
}

QFont TExtPageControl::stripFont() const
{
    const int active = QFontMetrics(m_tabActiveFont).horizontalAdvance(u'W');
    const int inactive = QFontMetrics(m_tabInactiveFont).horizontalAdvance(u'W');
    return stripUsesInactiveFont(active, inactive) ? m_tabInactiveFont : m_tabActiveFont;
}

void TExtPageControl::TabFontChanged()
{
    tabBar()->setFont(stripFont());
    RealignPages(true);
}

void TExtPageControl::setTabHeight(int height)
{
    m_sizes.height = std::max(height, 0);
    applyTabSizes();
}

void TExtPageControl::setTabWidth(int width)
{
    m_sizes.width = std::max(width, 0);
    applyTabSizes();
}

TabSizes TExtPageControl::baseTabSizes() const
{
    return qv::widgets::baseTabSizes(side(), m_sizes);
}

void TExtPageControl::applyTabSizes()
{
    // The strip asks for its tab sizes again.
    tabBar()->setIconSize(tabBar()->iconSize());
    RealignPages(true);
}

void TExtPageControl::setTabPosition(TExtTabPosition position)
{
    LockPaint();
    const auto unlock = qScopeGuard([this] { UnlockPaint(); });
    m_sizes = sizesAfterPositionChange(side(), static_cast<TabSide>(position), m_sizes);
    m_position = position;
    if (m_position != tabPosTop && m_style == tabStButton)
        m_style = tabStDefault;
    QTabWidget::setTabPosition(qtPosition(m_position));
    applyTabSizes();
}

void TExtPageControl::setTabStyle(TExtTabStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    if (m_style == tabStButton && m_position != tabPosTop)
        setTabPosition(tabPosTop);
    setDocumentMode(m_style == tabStButton);
    RealignPages(true);
}

void TExtPageControl::LockPaint()
{
    if (m_paintLock++ == 0)
        setUpdatesEnabled(false);
}

void TExtPageControl::UnlockPaint()
{
    if (m_paintLock == 0)
        return;
    --m_paintLock;
    if (m_paintLock == 0) {
        setUpdatesEnabled(true);
        update();
    }
}

void TExtPageControl::RealignPages(bool)
{
    if (m_paintLock > 0)
        return;
    tabBar()->updateGeometry();
    if (auto* bar = qobject_cast<ExtTabBar*>(tabBar()))
        bar->setUsesScrollButtons(true); // relayouts the tabs with their new size hints
    setUpdatesEnabled(true);
    update();
    tabBar()->update();
}

// --- geometry ---

QRect TExtPageControl::GetPageRect() const
{
    const auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QRect page = stack ? stack->geometry() : rect();
    page.adjust(-2, -2, 2, 2);
    if (m_style == tabStButton || tabCount() == 0)
        return page;
    const QRect bar = tabBar()->geometry();
    switch (side()) {
    case TabSide::Top:
        page.setTop(bar.bottom() + 1);
        break;
    case TabSide::Bottom:
        page.setBottom(bar.top() - 1);
        break;
    case TabSide::Left:
        page.setLeft(bar.right() + 1);
        break;
    case TabSide::Right:
        page.setRight(bar.left() - 1);
        break;
    }
    return page;
}

int TExtPageControl::TabAtPoint(QPoint point) const
{
    const int index = tabBar()->tabAt(tabBar()->mapFrom(this, point));
    const TTabSheet* page = Pages(index);
    return page ? page->TabIndex() : -1;
}

QRect TExtPageControl::GetTabRect(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= tabCount())
        return {};
    const QRect r = tabBar()->tabRect(GetPageIndexByTabIndex(tabIndex));
    return r.translated(tabBar()->mapTo(this, QPoint(0, 0)));
}

void TExtPageControl::RepaintTabs(int oldTab, int newTab)
{
    for (const int tab : {oldTab, newTab})
        if (tab >= 0)
            tabBar()->repaint(
                GetTabRect(tab).translated(-tabBar()->mapTo(this, QPoint(0, 0))).adjusted(-2, -2, 2, 2));
}

// --- painting ---

QColor TExtPageControl::parentColour() const
{
    const QWidget* parent = parentWidget();
    return parent ? parent->palette().color(parent->backgroundRole()) : palette().color(QPalette::Window);
}

QColor TExtPageControl::pageColour() const
{
    return m_parentColor ? parentColour() : m_color;
}

void TExtPageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect page = GetPageRect();
    QRegion outside = QRegion(rect()).subtracted(page);
    painter.fillRect(page, pageColour());
    if (m_style == tabStDefault) {
        const QColor face = pageColour();
        painter.setPen(face.lighter(150));
        painter.drawLine(page.topLeft(), page.topRight());
        painter.drawLine(page.topLeft(), page.bottomLeft());
        painter.setPen(shadowOf(face));
        painter.drawLine(page.bottomLeft(), page.bottomRight());
        painter.drawLine(page.topRight(), page.bottomRight());
    }
    if (OnDrawBkgndInside) {
        const TTabSheet* active = ActivePage();
        OnDrawBkgndInside(this, painter, active ? active->PageIndex() : -1, page);
    }
    for (int t = 0; t < tabCount(); ++t)
        outside -= GetTabRect(t);
    painter.setClipRegion(outside);
    painter.fillRect(rect(), parentColour());
    if (OnDrawBkgndOutside)
        OnDrawBkgndOutside(this, painter, outside);
}

void TExtPageControl::DrawTabBackground(QPainter& painter, const QRect& rect, const QColor& colour)
{
    painter.fillRect(rect, colour);
}

// A tab's frame: a light edge on the upper and left sides, a shadow on the others, rounded on the side away
// from the page; the side on the page stays open for the selected tab, so it flows into the page.
static void drawTabFrame(QPainter& painter, QRect r, TabSide side, bool buttons, bool selected,
                         const QColor& face)
{
    const QColor light = face.lighter(160);
    const QColor shadow = shadowOf(face);
    const QColor outline = face.darker(250);
    painter.save();
    if (buttons) {
        painter.setPen(selected ? shadow : light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(selected ? light : outline);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.restore();
        return;
    }
    // Drawn as for a tab on top, in a frame rotated to the strip's side.
    QTransform turn;
    QRect upright = r;
    switch (side) {
    case TabSide::Top:
        break;
    case TabSide::Bottom:
        turn = QTransform(1, 0, 0, -1, 0, r.top() + r.bottom() + 1);
        break;
    case TabSide::Left:
        turn = QTransform(0, 1, 1, 0, 0, 0);
        upright = QRect(r.top(), r.left(), r.height(), r.width());
        break;
    case TabSide::Right:
        turn = QTransform(0, 1, -1, 0, r.left() + r.right() + 1, 0);
        upright = QRect(r.top(), r.left(), r.height(), r.width());
        break;
    }
    painter.setTransform(turn, true);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF f = QRectF(upright).adjusted(0.5, 0.5, -0.5, selected ? 1.5 : -0.5);
    QPainterPath outlinePath(f.bottomLeft());
    outlinePath.lineTo(f.left(), f.top() + 3);
    outlinePath.quadTo(f.topLeft(), QPointF(f.left() + 3, f.top()));
    outlinePath.lineTo(f.right() - 3, f.top());
    outlinePath.quadTo(f.topRight(), QPointF(f.right(), f.top() + 3));
    outlinePath.lineTo(f.bottomRight());
    painter.setPen(QPen(outline, 1));
    painter.drawPath(outlinePath);
    painter.setPen(QPen(light, 1));
    painter.drawLine(QPointF(f.left() + 1, f.bottom() - (selected ? 1 : 0)),
                     QPointF(f.left() + 1, f.top() + 3));
    painter.drawLine(QPointF(f.left() + 3, f.top() + 1), QPointF(f.right() - 3, f.top() + 1));
    painter.setPen(QPen(shadow, 1));
    painter.drawLine(QPointF(f.right() - 1, f.top() + 3),
                     QPointF(f.right() - 1, f.bottom() - (selected ? 1 : 0)));
    painter.restore();
}

void TExtPageControl::paintTab(QPainter& painter, int index, const QRect& strip, const QRect& item, bool hot)
{
    const TTabSheet* page = Pages(index);
    if (!page)
        return;
    const bool selected = index == currentIndex();
    const bool buttons = m_style == tabStButton;
    QStyle::State state = QStyle::State_None;
    if (selected)
        state |= QStyle::State_Selected;
    if (!page->pageEnabled())
        state &= ~QStyle::State_Enabled;
    else
        state |= QStyle::State_Enabled;
    if (hot)
        state |= QStyle::State_MouseOver;

    const TabRects rects = tabRects(side(), buttons, selected, strip, item);
    painter.save();
    QFont font = selected ? m_tabActiveFont : m_tabInactiveFont;
    QColor text = palette().color(QPalette::WindowText);
    const QColor hotColour = selected ? m_hottrack->TabActiveColor() : m_hottrack->TabInactiveColor();
    if (hot && m_hottrack->Enabled() && hotColour.isValid())
        text = hotColour;
    painter.setFont(font);
    painter.setPen(text);
    const QColor face = selected ? m_tabActiveColor : m_tabInactiveColor;
    DrawTab(painter, index, selected, state, rects.bg, rects.fg);
    drawTabFrame(painter, rects.bg, side(), buttons, selected, face);
    painter.restore();
}

void TExtPageControl::DrawTab(QPainter& painter, int pageIndex, bool active, QStyle::State state,
                              const QRect& bg, const QRect& fg)
{
    DrawTabBackground(painter, bg, active ? m_tabActiveColor : m_tabInactiveColor);
    if (OnDrawTab)
        OnDrawTab(this, painter, pageIndex, active, fg, bg, state);
    else
        DrawTabContent(painter, pageIndex, fg, state);
}

void TExtPageControl::DrawTabContent(QPainter& painter, int pageIndex, const QRect& rect, QStyle::State state)
{
    const TTabSheet* page = Pages(pageIndex);
    const bool disabled = !(state & QStyle::State_Enabled);
    const bool glyphOnTop = m_glyphs->Position() == TExtGlyphs::glPosTop;
    const QSize glyph = m_glyphs->imageSize();
    const TabContentPlan plan =
        planTabContent(side(), m_glyphs->imageCount() > 0, disabled, glyphOnTop, glyph, m_glyphs->Spacing());
    const QPoint block =
        DrawTabCaption(painter, rect, plan.captionOffset, disabled, plan.align, page->Caption());
    if (plan.drawGlyph)
        painter.drawPixmap(glyphPosition(side(), glyphOnTop, rect, glyph, block),
                           m_glyphs->image(GetTabImageIndex(pageIndex)));
}

QPoint TExtPageControl::DrawTabCaption(QPainter& painter, const QRect& rect, QPoint offset, bool disabled,
                                       CaptionAlign align, const QString& text)
{
    int flags = Qt::TextShowMnemonic | (m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    if (align == CaptionAlign::Right)
        flags |= Qt::AlignRight;
    else if (align == CaptionAlign::Centre)
        flags |= Qt::AlignHCenter;
    const QRect area = captionTextArea(rect, offset);
    const QSize measured =
        painter.fontMetrics().boundingRect(QRect(QPoint(), area.size()), flags, text).size();
    const CaptionPlacement placement = placeCaption(rect, offset, align, measured);
    if (disabled) {
        const QColor previous = painter.pen().color();
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(placement.text.translated(1, 1), flags, text);
        painter.setPen(shadowOf(m_tabInactiveColor));
        painter.drawText(placement.text, flags, text);
        painter.setPen(previous);
    } else {
        painter.drawText(placement.text, flags, text);
    }
    return placement.block;
}
