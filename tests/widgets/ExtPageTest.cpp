#include "widgets/ExtPage.h"
#include "platform/HelpEngine.h"
#include "tests/support/TestSupport.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Ctl = TExtPageControl;

// A page control of 300 x 200 with pages "&General", "&Detailled" and "&Network".
struct Fixture {
    std::unique_ptr<Ctl> control = std::make_unique<Ctl>();
    std::vector<TTabSheet*> pages;
    int changes = 0;

    Fixture()
    {
        control->setObjectName(QStringLiteral("PageControl1"));
        control->resize(300, 200);
        for (const char* caption : {"&General", "&Detailled", "&Network"}) {
            auto* page = new TTabSheet;
            page->setCaption(QString::fromLatin1(caption));
            page->setPageControl(control.get());
            pages.push_back(page);
        }
        control->OnChange = [this] { ++changes; };
    }

    // Shows the control on its own, so that the tab widget lays out its strip.
    void show()
    {
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
    }

    // Shows the control in an active window of its own, as keyboard and wheel input need.
    void showInActiveWindow(QWidget& window)
    {
        control->setParent(&window);
        window.resize(320, 220);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QPoint centreOfTab(int tab) const
    {
        return control->tabBar()->mapFrom(control.get(), control->GetTabRect(tab).center());
    }
};

TEST(TExtPageControl, MapsTabIndicesToPagesAroundHiddenPages)
{
    Fixture f;
    f.pages[1]->setTabVisible(false);
    EXPECT_EQ(f.control->tabCount(), 2);
    EXPECT_EQ(f.pages[2]->TabIndex(), 1);
    EXPECT_EQ(f.pages[1]->TabIndex(), -1);
    EXPECT_EQ(f.control->GetPageIndexByTabIndex(0), 0);
    EXPECT_EQ(f.control->GetPageIndexByTabIndex(1), 2);
    try {
        f.control->GetPageIndexByTabIndex(2);
        ADD_FAILURE() << "no exception";
    } catch (const EExtPageInvalidCall& e) {
        EXPECT_STREQ(e.what(),
                     "Function GetPageIndexByTabIndex of component PageControl1 of class TExtPageControl "
                     "was called with an invalid parameter (CurrentTabIndex = 2).");
    }
}

TEST(TExtPageControl, SideTabsGet35By70AndTheStripSeesThemSwapped)
{
    Fixture f;
    f.control->setTabPosition(Ctl::tabPosLeft);
    EXPECT_EQ(f.control->TabHeight(), 35);
    EXPECT_EQ(f.control->TabWidth(), 70);
    EXPECT_EQ(f.control->baseTabSizes(), (qv::widgets::TabSizes{70, 35}));
    EXPECT_EQ(f.control->tabPosition(), QTabWidget::West);
    EXPECT_EQ(f.control->tabBar()->tabRect(0).size(), QSize(70, 35)) << "70 wide, 35 high on the screen";

    f.control->setTabPosition(Ctl::tabPosTop);
    EXPECT_EQ(f.control->baseTabSizes(), (qv::widgets::TabSizes{35, 70}));
    EXPECT_EQ(f.control->tabBar()->tabRect(0).size(), QSize(70, 35));
}

TEST(TExtPageControl, ButtonsStandOnTopOnly)
{
    Fixture f;
    f.control->setTabPosition(Ctl::tabPosBottom);
    f.control->setTabStyle(Ctl::tabStButton);
    EXPECT_EQ(f.control->TabPosition(), Ctl::tabPosTop);
    EXPECT_EQ(f.control->TabStyle(), Ctl::tabStButton);
    f.control->setTabPosition(Ctl::tabPosLeft);
    EXPECT_EQ(f.control->TabStyle(), Ctl::tabStDefault);
}

TEST(TExtPageControl, StripIsSizedWithTheFontOfTheWiderW)
{
    Fixture f;
    QFont narrow(QStringLiteral("Liberation Sans"));
    narrow.setPixelSize(10);
    QFont wide = narrow;
    wide.setPixelSize(20);
    f.control->setTabActiveFont(narrow);
    f.control->setTabInactiveFont(wide);
    EXPECT_EQ(f.control->tabBar()->font().pixelSize(), 20);
    f.control->setTabActiveFont(wide);
    f.control->setTabInactiveFont(narrow);
    EXPECT_EQ(f.control->tabBar()->font().pixelSize(), 20) << "the active font, now the wider";
}

// One way of asking for another page (the second).
struct PageRequest {
    const char* name;
    std::function<void(Fixture&)> ask;
};

// Every way of asking for a disabled page, and what becomes of it.
class DisabledPage : public testing::TestWithParam<PageRequest> {};

TEST_P(DisabledPage, IsNeverShown)
{
    Fixture f;
    QWidget window;
    f.showInActiveWindow(window);
    f.pages[1]->setEnabled(false);
    GetParam().ask(f);
    EXPECT_EQ(f.control->ActivePage(), f.pages[0]);
    EXPECT_EQ(f.control->currentIndex(), 0);
    EXPECT_EQ(f.changes, 0);
    f.control->setParent(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DisabledPage,
    testing::Values(
        PageRequest{
            "click_on_its_tab",
            [](Fixture& f) { QTest::mouseClick(f.control->tabBar(), Qt::LeftButton, {}, f.centreOfTab(1)); }},
        PageRequest{"ActivePage", [](Fixture& f) { f.control->setActivePage(f.pages[1]); }},
        PageRequest{"alt_and_its_accelerator",
                    [](Fixture& f) { QTest::keyClick(f.control.get(), Qt::Key_D, Qt::AltModifier); }},
        PageRequest{"the_tab_widget_selection",
                    [](Fixture& f) { static_cast<QTabWidget*>(f.control.get())->setCurrentIndex(1); }},
        PageRequest{"the_tab_bar_selection", [](Fixture& f) { f.control->tabBar()->setCurrentIndex(1); }}),
    qv::test::RowName());

TEST(TExtPageControl, EnabledPagesChangeByClickAcceleratorAndActivePage)
{
    Fixture f;
    QWidget window;
    f.control->setParent(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(f.control->tabBar(), Qt::LeftButton, {}, f.centreOfTab(1));
    EXPECT_EQ(f.control->ActivePage(), f.pages[1]);
    QTest::keyClick(f.control.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(f.control->ActivePage(), f.pages[2]);
    f.control->setActivePage(f.pages[0]);
    EXPECT_EQ(f.control->ActivePage(), f.pages[0]);
    EXPECT_EQ(f.changes, 3);
    f.control->setActivePage(f.pages[0]);
    EXPECT_EQ(f.changes, 3) << "the current page again changes nothing";
    f.control->setParent(nullptr);
}

// Every way of asking for the next page.
class PageChange : public testing::TestWithParam<PageRequest> {};

TEST_P(PageChange, AsksOnChangingFirstAndObeysItsRefusal)
{
    Fixture f;
    QWidget window;
    f.showInActiveWindow(window);
    f.control->setFocus();
    int asked = 0;
    bool allow = false;
    f.control->OnChanging = [&](bool& allowChange) {
        ++asked;
        EXPECT_EQ(f.control->ActivePage(), f.pages[0]) << "asked while the old page is shown";
        allowChange = allow;
    };
    GetParam().ask(f);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(f.control->ActivePage(), f.pages[0]) << "refused";
    EXPECT_EQ(f.control->tabBar()->currentIndex(), 0);
    EXPECT_EQ(f.changes, 0);

    allow = true;
    GetParam().ask(f);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(f.control->ActivePage(), f.pages[1]);
    EXPECT_EQ(f.changes, 1);
    f.control->setParent(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PageChange,
    testing::Values(
        PageRequest{
            "click_on_its_tab",
            [](Fixture& f) { QTest::mouseClick(f.control->tabBar(), Qt::LeftButton, {}, f.centreOfTab(1)); }},
        PageRequest{"ctrl_tab",
                    [](Fixture& f) { QTest::keyClick(f.control.get(), Qt::Key_Tab, Qt::ControlModifier); }},
        PageRequest{
            "ctrl_page_down",
            [](Fixture& f) { QTest::keyClick(f.control.get(), Qt::Key_PageDown, Qt::ControlModifier); }},
        PageRequest{"right_arrow_on_the_strip",
                    [](Fixture& f) {
                        f.control->tabBar()->setFocus();
                        QTest::keyClick(f.control->tabBar(), Qt::Key_Right);
                    }},
        PageRequest{"wheel_over_the_strip",
                    [](Fixture& f) {
                        QTabBar* bar = f.control->tabBar();
                        const QPointF at = f.centreOfTab(0);
                        QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                                          Qt::NoModifier, Qt::NoScrollPhase, false);
                        QCoreApplication::sendEvent(bar, &wheel);
                    }},
        PageRequest{"alt_and_its_accelerator",
                    [](Fixture& f) { QTest::keyClick(f.control.get(), Qt::Key_D, Qt::AltModifier); }},
        PageRequest{"ActivePage", [](Fixture& f) { f.control->setActivePage(f.pages[1]); }},
        PageRequest{"the_tab_widget_selection",
                    [](Fixture& f) { static_cast<QTabWidget*>(f.control.get())->setCurrentIndex(1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TExtPageControl, ChangingCanRefuseAChange)
{
    Fixture f;
    f.control->OnChanging = [](bool& allow) { allow = false; };
    f.control->setActivePage(f.pages[2]);
    EXPECT_EQ(f.control->ActivePage(), f.pages[0]);
    EXPECT_EQ(f.changes, 0);
}

TEST(TExtPageControl, LoadedShowsTheInitialPage)
{
    Fixture f;
    f.control->setInitialPage(2);
    f.control->Loaded();
    EXPECT_EQ(f.control->ActivePage(), f.pages[2]);
}

TEST(TExtPageControl, HintsFollowTheLinesOfTheVisibleTabs)
{
    Fixture f;
    f.control->setTabHints({QStringLiteral("General facts"), QStringLiteral("Every detail")});
    f.show();
    EXPECT_EQ(f.control->hintForTab(0), QStringLiteral("General facts"));
    EXPECT_EQ(f.control->hintForTab(1), QStringLiteral("Every detail"));
    EXPECT_EQ(f.control->hintForTab(2), QString()) << "two lines, three tabs";
    const QRect tab = f.control->GetTabRect(1);
    EXPECT_EQ(f.control->hintPosition(1), f.control->mapToGlobal(QPoint(tab.left() + 3, tab.bottom() + 2)))
        << "just under the tab";
}

// Three 16 x 16 glyphs in red, green and blue on the magenta key.
QPixmap rgbGlyphs()
{
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    p.fillRect(2, 2, 12, 12, Qt::red);
    p.fillRect(18, 2, 12, 12, Qt::green);
    p.fillRect(34, 2, 12, 12, Qt::blue);
    return QPixmap::fromImage(strip);
}

int count(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

TEST(TExtPageControl, EachTabShowsTheGlyphOfItsPage)
{
    Fixture f;
    f.control->TabGlyphs()->setGlyph(rgbGlyphs());
    f.control->TabGlyphs()->setNumGlyphs(3);
    f.show();
    EXPECT_EQ(f.control->TabGlyphs()->imageSize(), QSize(16, 16));
    EXPECT_EQ(f.control->TabGlyphs()->imageCount(), 3);

    const QImage image = f.control->grab().toImage();
    const QRect third = f.control->GetTabRect(2);
    EXPECT_EQ(count(image, third, qRgb(0, 0, 255)), 144);
    EXPECT_EQ(count(image, third, qRgb(255, 0, 0)), 0);
    EXPECT_EQ(count(image, third, qRgb(255, 0, 255)), 0) << "the key colour is cut out";
    EXPECT_EQ(count(image, f.control->GetTabRect(0), qRgb(255, 0, 0)), 144);

    f.pages[2]->setEnabled(false);
    EXPECT_EQ(count(f.control->grab().toImage(), third, qRgb(0, 0, 255)), 0) << "a disabled tab has no glyph";
}

TEST(TExtPageControl, HelpOverATabIsThePagesHelp)
{
    Fixture f;
    f.pages[1]->setHelpContext(2401);
    const QPoint at = f.centreOfTab(1);
    QHelpEvent help(QEvent::WhatsThis, at, f.control->tabBar()->mapToGlobal(at));
    QCoreApplication::sendEvent(f.control->tabBar(), &help);
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), 2401);
}

TEST(TExtPageControl, HotTrackingFollowsTheMouse)
{
    Fixture f;
    f.control->Hottrack()->setEnabled(true);
    f.show();
    QTest::mouseMove(f.control->tabBar(), f.centreOfTab(2));
    EXPECT_EQ(f.control->Hottrack()->hotTab(), 2);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(f.control->tabBar(), &leave);
    EXPECT_EQ(f.control->Hottrack()->hotTab(), -1);
}

// A tab that goes away under the pointer leaves no stale hot tab for the strip to paint.
TEST(TExtPageControl, HidingOrRemovingTheHotTabRepaintsWithoutError)
{
    Fixture f;
    f.control->Hottrack()->setEnabled(true);
    f.show();
    QTest::mouseMove(f.control->tabBar(), f.centreOfTab(0));
    QTest::mouseMove(f.control->tabBar(), f.centreOfTab(2));
    ASSERT_EQ(f.control->Hottrack()->hotTab(), 2);
    f.pages[2]->setTabVisible(false);
    EXPECT_EQ(f.control->Hottrack()->hotTab(), -1);
    f.control->grab();

    f.pages[2]->setTabVisible(true);
    QTest::mouseMove(f.control->tabBar(), f.centreOfTab(0));
    QTest::mouseMove(f.control->tabBar(), f.centreOfTab(2));
    ASSERT_EQ(f.control->Hottrack()->hotTab(), 2);
    delete f.pages[2];
    EXPECT_EQ(f.control->Hottrack()->hotTab(), -1);
    f.control->grab();
    f.control->Hottrack()->setHotTab(5); // set from outside: painting still copes
    f.control->grab();
}

// The pages are deleted with the control's QWidget part, after the control's own destructor: by then
// they must no longer see (and call into) the finished control.
TEST(TExtPageControl, DeletingTheControlDeletesItsPagesSafely)
{
    struct WatchedPage : TTabSheet {
        explicit WatchedPage(bool& sawControl)
            : sawControl(sawControl)
        {
        }
        ~WatchedPage() override { sawControl = PageControl() != nullptr; }
        bool& sawControl;
    };
    Fixture f;
    bool sawControl = true;
    auto* page = new WatchedPage(sawControl);
    page->setCaption(QStringLiteral("&Watched"));
    page->setPageControl(f.control.get());
    f.control.reset();
    EXPECT_FALSE(sawControl);
}

TEST(TExtPageControl, ChangeScaleScalesTabSizesAndFonts)
{
    Fixture f;
    f.control->setTabHeight(20);
    f.control->setTabWidth(80);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    f.control->setTabActiveFont(font);
    f.control->setTabInactiveFont(font);
    f.control->ChangeScale(120, 96);
    EXPECT_EQ(f.control->TabHeight(), 25);
    EXPECT_EQ(f.control->TabWidth(), 100);
    EXPECT_EQ(f.control->TabActiveFont().pixelSize(), 14);
    EXPECT_EQ(f.control->TabInactiveFont().pixelSize(), 14);
}

} // namespace
