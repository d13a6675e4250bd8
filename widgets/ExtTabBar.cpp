#include "widgets/ExtTabBar.h"

#include "platform/HelpEngine.h"
#include "widgets/ExtPage.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace qv::widgets;

namespace {
// Room around a caption chosen by the strip when the tab sizes are left to it.
constexpr int kPaddingX = 12;
constexpr int kPaddingY = 6;
// A selected tab stands this much above the others.
constexpr int kRaise = 2;
} // namespace

ExtTabBar::ExtTabBar(TExtPageControl* control)
    : QTabBar(control)
    , m_control(control)
{
    setMouseTracking(true);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
}

QSize ExtTabBar::tabSizeHint(int index) const
{
    const TabSizes sizes{m_control->TabHeight(), m_control->TabWidth()};
    const QFontMetrics metrics(m_control->stripFont());
    QSize text = metrics.size(Qt::TextShowMnemonic,
                              m_control->Pages(index) ? m_control->Pages(index)->Caption() : tabText(index));
    const TExtGlyphs* glyphs = m_control->TabGlyphs();
    if (glyphs->imageCount() > 0) {
        const QSize glyph = glyphs->imageSize();
        if (glyphs->Position() == TExtGlyphs::glPosTop)
            text = QSize(std::max(text.width(), glyph.width()),
                         text.height() + glyph.height() + glyphs->Spacing());
        else
            text = QSize(text.width() + glyph.width() + glyphs->Spacing(),
                         std::max(text.height(), glyph.height()));
    }
    const int sideExtra = isSideTab(m_control->side()) ? 8 : 0;
    return {sizes.width > 0 ? sizes.width : text.width() + 2 * kPaddingX + sideExtra,
            sizes.height > 0 ? sizes.height : text.height() + 2 * kPaddingY + kRaise};
}

QRect ExtTabBar::stripRect(int index) const
{
    QRect r = tabRect(index);
    if (m_control->TabStyle() == TExtPageControl::tabStButton)
        return r.adjusted(1, 1, -1, -1);
    switch (m_control->side()) {
    case TabSide::Top:
        return r.adjusted(0, kRaise, 0, 0);
    case TabSide::Bottom:
        return r.adjusted(0, 0, 0, -kRaise);
    case TabSide::Left:
        return r.adjusted(kRaise, 0, 0, 0);
    case TabSide::Right:
        return r.adjusted(0, 0, -kRaise, 0);
    }
    return r;
}

void ExtTabBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int selected = currentIndex();
    const int hotTab = m_control->Hottrack()->Enabled() ? m_control->Hottrack()->hotTab() : -1;
    const int hot = hotTab >= 0 ? m_control->pageIndexOfTab(hotTab) : -1;
    // The selected tab last, so that it overlaps its neighbours.
    for (int i = 0; i < count(); ++i)
        if (i != selected && isTabVisible(i))
            m_control->paintTab(painter, i, stripRect(i), tabRect(i), hot == i);
    if (selected >= 0 && isTabVisible(selected))
        m_control->paintTab(painter, selected, stripRect(selected), tabRect(selected), hot == selected);
}

void ExtTabBar::mouseMoveEvent(QMouseEvent* event)
{
    QTabBar::mouseMoveEvent(event);
    TExtHottrack* hottrack = m_control->Hottrack();
    if (!hottrack->Enabled())
        return;
    const int tab = m_control->TabAtPoint(mapTo(m_control, event->position().toPoint()));
    if (tab != hottrack->hotTab()) {
        const int old = hottrack->hotTab();
        hottrack->setHotTab(tab);
        m_control->RepaintTabs(old, tab);
    }
}

void ExtTabBar::leaveEvent(QEvent* event)
{
    QTabBar::leaveEvent(event);
    TExtHottrack* hottrack = m_control->Hottrack();
    if (hottrack->hotTab() != -1) {
        const int old = hottrack->hotTab();
        hottrack->setHotTab(-1);
        m_control->RepaintTabs(old, -1);
    }
}

bool ExtTabBar::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int tab = m_control->TabAtPoint(mapTo(m_control, help->pos()));
        const QString hint = m_control->hintForTab(tab);
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(m_control->hintPosition(tab), hint, this, m_control->GetTabRect(tab));
        return true;
    }
    case QEvent::QueryWhatsThis:
        return true;
    case QEvent::WhatsThis: {
        // Help over a tab is the help of its page.
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = tabAt(help->pos());
        if (TTabSheet* page = m_control->Pages(index)) {
            qv::platform::HelpEngine::instance().showHelp(page, page->HelpContext());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QTabBar::event(event);
}
