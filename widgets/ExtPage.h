#pragma once

#include "widgets/DialogChar.h"
#include "widgets/ExtPageLayout.h"
#include "widgets/ExtPageParts.h"

#include <QFont>
#include <QPointer>
#include <QStringList>
#include <QStyle>
#include <QTabWidget>

#include <functional>
#include <stdexcept>

class TExtPageControl;
class QPainter;

// Raised when a tab index that no page carries is turned into a page index.
class EExtPageInvalidCall : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A page of an extended page control. A page hidden from the strip (TabVisible false) has no tab; a
// disabled page cannot be made active.
class TTabSheet : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE setTabVisible)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE setHelpContext)

public:
    explicit TTabSheet(QWidget* parent = nullptr);
    ~TTabSheet() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool TabVisible() const { return m_tabVisible; }
    void setTabVisible(bool visible);
    int HelpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }

    // Appends the page to `control` (or takes it out with nullptr).
    void setPageControl(TExtPageControl* control);
    TExtPageControl* PageControl() const { return m_control; }
    int PageIndex() const;
    // The index of the page's tab among the visible tabs; -1 when hidden from the strip.
    int TabIndex() const;
    // The page's own Enabled, whatever its parents say.
    bool pageEnabled() const { return !testAttribute(Qt::WA_Disabled); }

protected:
    void changeEvent(QEvent* event) override;

private:
    friend class TExtPageControl;
    QString m_caption;
    bool m_tabVisible = true;
    int m_helpContext = 0;
    int m_mnemonicId = 0;
    TExtPageControl* m_control = nullptr;
};

// Tabbed pages with owner-drawn tabs: active and inactive colours and fonts, glyphs cut from a strip,
// hot-tracking, a hint per tab, four strip positions or buttons, wrapped captions. However a page is asked
// for (click, keyboard, wheel, accelerator, ActivePage, the tab widget's own selection), a disabled page is
// refused and OnChanging is asked first.
class TExtPageControl : public QTabWidget, public qv::widgets::DialogCharTarget {
    Q_OBJECT
    Q_PROPERTY(TTabSheet* ActivePage READ ActivePage WRITE setActivePage)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(int InitialPage READ InitialPage WRITE setInitialPage)
    Q_PROPERTY(QColor TabActiveColor READ TabActiveColor WRITE setTabActiveColor)
    Q_PROPERTY(QFont TabActiveFont READ TabActiveFont WRITE setTabActiveFont)
    Q_PROPERTY(QColor TabInactiveColor READ TabInactiveColor WRITE setTabInactiveColor)
    Q_PROPERTY(QFont TabInactiveFont READ TabInactiveFont WRITE setTabInactiveFont)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE setTabHeight)
    Q_PROPERTY(int TabWidth READ TabWidth WRITE setTabWidth)
    Q_PROPERTY(QStringList TabHints READ TabHints WRITE setTabHints)
    Q_PROPERTY(TExtTabPosition TabPosition READ TabPosition WRITE setTabPosition)
    Q_PROPERTY(TExtTabStyle TabStyle READ TabStyle WRITE setTabStyle)
    Q_PROPERTY(bool TabWordWrap READ TabWordWrap WRITE setTabWordWrap)

public:
    enum TExtTabPosition { tabPosLeft, tabPosRight, tabPosTop, tabPosBottom };
    Q_ENUM(TExtTabPosition)
    enum TExtTabStyle { tabStDefault, tabStButton };
    Q_ENUM(TExtTabStyle)

    explicit TExtPageControl(QWidget* parent = nullptr);
    ~TExtPageControl() override;

    int PageCount() const { return count(); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const;
    void setActivePage(TTabSheet* page);
    // Routes the tab widget's own selection through ActivePage, so that disabled pages are refused. It
    // hides the base's function on purpose; a call through the base is undone and asked for again here.
    void setCurrentIndex(int index); // NOLINT(bugprone-derived-method-shadowing-base-method)
    // The first page whose tab caption carries `key` is asked for through ActivePage.
    bool dialogChar(const QKeySequence& key) override;

    QColor Color() const { return m_color; }
    void setColor(const QColor& colour);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    int InitialPage() const { return m_initialPage; }
    void setInitialPage(int page) { m_initialPage = page; }
    QColor TabActiveColor() const { return m_tabActiveColor; }
    void setTabActiveColor(const QColor& colour);
    QColor TabInactiveColor() const { return m_tabInactiveColor; }
    void setTabInactiveColor(const QColor& colour);
    QFont TabActiveFont() const { return m_tabActiveFont; }
    void setTabActiveFont(const QFont& font);
    QFont TabInactiveFont() const { return m_tabInactiveFont; }
    void setTabInactiveFont(const QFont& font);
    int TabHeight() const { return m_sizes.height; }
    void setTabHeight(int height);
    int TabWidth() const { return m_sizes.width; }
    void setTabWidth(int width);
    QStringList TabHints() const { return m_tabHints; }
    void setTabHints(const QStringList& hints) { m_tabHints = hints; }
    TExtTabPosition TabPosition() const { return m_position; }
    void setTabPosition(TExtTabPosition position);
    TExtTabStyle TabStyle() const { return m_style; }
    void setTabStyle(TExtTabStyle style);
    bool TabWordWrap() const { return m_wordWrap; }
    void setTabWordWrap(bool wordWrap);
    TExtGlyphs* TabGlyphs() const { return m_glyphs; }
    TExtHottrack* Hottrack() const { return m_hottrack; }

    // The tab sizes as the strip sees them: swapped for side tabs.
    qv::widgets::TabSizes baseTabSizes() const;
    // The font the strip is sized with (the one of the two tab fonts with the wider "W").
    QFont stripFont() const;
    qv::widgets::TabSide side() const { return static_cast<qv::widgets::TabSide>(m_position); }

    int GetPageIndexByTabIndex(int tabIndex) const;
    // The page of tab `tabIndex`, or -1 where there is none (never throws: painting asks with stale tabs).
    int pageIndexOfTab(int tabIndex) const;
    // Number of tabs in the strip (pages not hidden from it).
    int tabCount() const;
    // The hint shown over tab `tabIndex` and the screen point where it is shown.
    QString hintForTab(int tabIndex) const;
    QPoint hintPosition(int tabIndex) const;

    // After the window description is applied: remembers the hint and shows InitialPage.
    void Loaded();
    // Scales the tab sizes and both tab fonts by multiplier / divider.
    void ChangeScale(int multiplier, int divider);

    virtual void DrawTabBackground(QPainter& painter, const QRect& rect, const QColor& colour);
    virtual void TabFontChanged();
    virtual QPoint DrawTabCaption(QPainter& painter, const QRect& rect, QPoint offset, bool disabled,
                                  qv::widgets::CaptionAlign align, const QString& text);
    virtual void LockPaint();
    virtual void DrawTabContent(QPainter& painter, int pageIndex, const QRect& rect, QStyle::State state);
    virtual void DrawTab(QPainter& painter, int pageIndex, bool active, QStyle::State state, const QRect& bg,
                         const QRect& fg);
    virtual void UnlockPaint();
    virtual int GetTabImageIndex(int pageIndex) const { return pageIndex; }
    // The page area, in the control's coordinates.
    virtual QRect GetPageRect() const;
    // The tab at a point of the control, -1 over none.
    virtual int TabAtPoint(QPoint point) const;
    // The rectangle of tab `tabIndex` in the control's coordinates; empty for -1.
    virtual QRect GetTabRect(int tabIndex) const;
    virtual void RepaintTabs(int oldTab, int newTab);
    virtual void RealignPages(bool force);

    std::function<void()> OnChange;
    std::function<void(bool& allowChange)> OnChanging;
    std::function<void(TExtPageControl* control, QPainter& painter, int index, bool activeTab,
                       const QRect& rectFg, const QRect& rectBg, QStyle::State state)>
        OnDrawTab;
    std::function<void(TExtPageControl* control, QPainter& painter, int currPage, const QRect& rectBg)>
        OnDrawBkgndInside;
    std::function<void(TExtPageControl* control, QPainter& painter, const QRegion& rgnBg)> OnDrawBkgndOutside;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TTabSheet;
    friend class ExtTabBar;
    void pageCaptionChanged(TTabSheet* page);
    void pageVisibilityChanged(TTabSheet* page);
    void pageEnabledChanged(TTabSheet* page);
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
    void tabBarCurrentChanged(int index);
    void applyTabSizes();
    QColor pageColour() const;
    QColor parentColour() const;
    // Paints tab `index` of the bar (bar coordinates).
    void paintTab(QPainter& painter, int index, const QRect& strip, const QRect& item, bool hot);

    QColor m_color;
    bool m_parentColor = true;
    int m_initialPage = -1;
    QColor m_tabActiveColor;
    QColor m_tabInactiveColor{160, 160, 164};
    QFont m_tabActiveFont;
    QFont m_tabInactiveFont;
    qv::widgets::TabSizes m_sizes;
    QStringList m_tabHints;
    TExtTabPosition m_position = tabPosTop;
    TExtTabStyle m_style = tabStDefault;
    bool m_wordWrap = false;
    TExtGlyphs* m_glyphs;
    TExtHottrack* m_hottrack;
    QString m_savedHint;
    int m_paintLock = 0;
    bool m_settingPage = false;
    bool m_reverting = false;
    QPointer<TTabSheet> m_shownPage;
};
