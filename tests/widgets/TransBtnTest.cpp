#include "widgets/TransBtn.h"
#include "tests/support/TestSupport.h"
#include "tests/widgets/TransBtnTestSupport.h"
#include "widgets/TransBtnLayout.h"

#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using Btn = TTransparentButton;
using qv::test::hover;
using qv::test::unhover;

namespace {

// A strip of `frames` opaque 16x16 frames on a transparent background.
QPixmap glyphStrip(int frames, int width = -1)
{
    QImage image(width < 0 ? 16 * frames : width, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int i = 0; i < frames; ++i)
        painter.fillRect(i * 16 + 4, 4, 8, 8, QColor::fromHsv(i * 80, 255, 255));
    painter.end();
    return QPixmap::fromImage(image);
}

// A shown window holding one button at (20, 20), 60x40.
class TransBtnWidget : public testing::Test {
protected:
    void SetUp() override
    {
        host.resize(200, 150);
        button = new Btn(&host);
        button->setGeometry(20, 20, 60, 40);
        button->OnClick = [this] { ++clicks; };
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QWidget host;
    Btn* button = nullptr;
    int clicks = 0;
    const QPoint inside{10, 10};
    const QPoint outside{-15, 50};
};

TEST(TransBtnGlyph, TakesItsFrameCountFromTheStrip)
{
    Btn button;
    button.setGlyph(glyphStrip(4));
    EXPECT_EQ(button.NumGlyphs(), 4);
    EXPECT_EQ(button.imageCount(), 6);

    button.setGlyph(glyphStrip(5));
    EXPECT_EQ(button.NumGlyphs(), 1);
    EXPECT_EQ(button.imageCount(), 3);

    button.setNumGlyphs(2);
    button.setGlyph(glyphStrip(3, 50));
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.imageCount(), 4);

    button.setGlyph(QPixmap());
    EXPECT_EQ(button.imageCount(), 0);
    EXPECT_EQ(button.currentImageIndex(), -1);
}

TEST(TransBtnGlyph, ReCutsTheStripWhenNumGlyphsChanges)
{
    Btn button;
    button.setGlyph(glyphStrip(3, 50));
    button.setNumGlyphs(2);
    EXPECT_EQ(button.imageCount(), 4);
    button.setNumGlyphs(9);
    EXPECT_EQ(button.NumGlyphs(), 4);
}

struct ChoiceCase {
    const char* name;
    int frames;
    Btn::TFrameStyle style;
    bool autoGray;
    bool enabled;
    bool hovering;
    bool pressed;
    int expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.name;
}

class TransBtnImageChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(TransBtnImageChoice, DrawsTheImageForItsState)
{
    const ChoiceCase& c = GetParam();
    Btn button;
    button.setGlyph(glyphStrip(c.frames));
    button.setFrameStyle(c.style);
    button.setAutoGray(c.autoGray);
    if (c.hovering)
        hover(button);
    button.setDown(c.pressed);
    button.setEnabled(c.enabled);

    EXPECT_EQ(button.currentImageIndex(), c.expected);
}

constexpr auto X = Btn::fsExplorer;
constexpr auto R = Btn::fsRegular;

INSTANTIATE_TEST_SUITE_P(
    States, TransBtnImageChoice,
    testing::Values(
        ChoiceCase{"one_frame_resting_shows_it", 1, R, true, true, false, false, 0},
        ChoiceCase{"one_frame_disabled_shows_the_embossed_copy", 1, R, true, false, false, false, 2},
        ChoiceCase{"one_frame_explorer_at_rest_is_grey", 1, X, true, true, false, false, 1},
        ChoiceCase{"one_frame_explorer_hovered_is_in_colour", 1, X, true, true, true, false, 0},
        ChoiceCase{"one_frame_explorer_disabled_is_embossed_not_grey", 1, X, true, false, false, false, 2},
        ChoiceCase{"two_frames_pressed_still_shows_the_first", 2, R, true, true, false, true, 0},
        ChoiceCase{"two_frames_disabled_shows_the_second", 2, R, true, false, false, false, 1},
        ChoiceCase{"two_frames_explorer_disabled_is_grey", 2, X, true, false, false, false, 2},
        ChoiceCase{"three_frames_pressed_shows_the_third", 3, R, true, true, false, true, 2},
        ChoiceCase{"three_frames_explorer_pressed_and_hovered_shows_the_third", 3, X, true, true, true, true,
                   2},
        ChoiceCase{"four_frames_pressed_shows_the_third", 4, R, true, true, false, true, 2},
        ChoiceCase{"four_frames_explorer_pressed_away_from_the_pointer_is_grey", 4, X, true, true, false,
                   true, 4}),
    qv::test::RowName());

TEST_F(TransBtnWidget, DraggingOutAndBackInFollowsThePointer)
{
    QSignalSpy clicked(button, &Btn::clicked);

    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(button->isDrawnPressed());
    EXPECT_TRUE(button->isTracking());

    QTest::mouseMove(button, outside);
    EXPECT_FALSE(button->isDrawnPressed());
    EXPECT_TRUE(button->isTracking());

    QTest::mouseMove(button, inside);
    EXPECT_TRUE(button->isDrawnPressed());

    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->isDrawnPressed());
    EXPECT_FALSE(button->isTracking());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(TransBtnWidget, ReleasingOutsideDoesNotClick)
{
    QSignalSpy clicked(button, &Btn::clicked);
    int ups = 0;
    button->OnMouseUp = [&](QMouseEvent*) { ++ups; };

    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseMove(button, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);

    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(ups, 1);
    EXPECT_FALSE(button->isDrawnPressed() || button->isTracking());
}

TEST_F(TransBtnWidget, ADoubleClickCountsAsTwoClicks)
{
    QSignalSpy clicked(button, &Btn::clicked);
    int downs = 0;
    button->OnMouseDown = [&](QMouseEvent*) { ++downs; };

    // What the system delivers for a double click: press, release, double-click, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);

    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(downs, 2);
}

TEST_F(TransBtnWidget, DownKeepsThePressedLookThroughAPressAndRelease)
{
    button->setDown(true);
    EXPECT_TRUE(button->isDrawnPressed());
    EXPECT_TRUE(button->isTracking());

    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(button->isDrawnPressed());
    EXPECT_EQ(clicks, 1);

    button->setDown(false);
    EXPECT_FALSE(button->isDrawnPressed() || button->isTracking());
}

TEST_F(TransBtnWidget, BecomingDisabledClearsTheFlagsAndIgnoresPresses)
{
    int downs = 0;
    button->OnMouseDown = [&](QMouseEvent*) { ++downs; };
    hover(*button);
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(button->isDrawnPressed() && button->isHovering());

    button->setEnabled(false);
    EXPECT_FALSE(button->isDrawnPressed() || button->isTracking() || button->isHovering());
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    hover(*button);

    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->isDrawnPressed() || button->isHovering());

    // Enabled again, the first press starts afresh.
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TransBtnWidget, PointerEnterAndLeaveFollowHover)
{
    int enters = 0;
    int exits = 0;
    button->OnMouseEnter = [&] { ++enters; };
    button->OnMouseExit = [&] { ++exits; };

    hover(*button);
    EXPECT_TRUE(button->isHovering());
    unhover(*button);
    EXPECT_FALSE(button->isHovering());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
}

TEST_F(TransBtnWidget, TheAcceleratorClicksOnlyWhenEnabled)
{
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    QSignalSpy clicked(button, &Btn::clicked);
    button->setCaption(QStringLiteral("&Start"));

    QTest::keyClick(&host, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicked.count(), 1);

    button->setEnabled(false);
    QTest::keyClick(&host, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicked.count(), 1);

    button->setEnabled(true);
    button->setCaption(QStringLiteral("&Close"));
    QTest::keyClick(&host, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&host, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(TransBtnWidget, ASharedAcceleratorClicksTheFirstEnabledButtonEveryTime)
{
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    button->setCaption(QStringLiteral("&Check"));
    auto* cancel = new Btn(&host);
    auto* close = new Btn(&host);
    cancel->setCaption(QStringLiteral("&Cancel"));
    close->setCaption(QStringLiteral("&Close"));
    cancel->show();
    close->show();
    QSignalSpy cancelled(cancel, &Btn::clicked);
    QSignalSpy closed(close, &Btn::clicked);

    for (int press = 0; press < 3; ++press)
        QTest::keyClick(&host, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks, 3) << "never in turn with the others";
    EXPECT_EQ(cancelled.count() + closed.count(), 0);

    button->setEnabled(false);
    QTest::keyClick(&host, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(&host, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(cancelled.count(), 2);
    EXPECT_EQ(closed.count(), 0);
}

TEST_F(TransBtnWidget, AMovableButtonFollowsTheDrag)
{
    button->setMovable(true);
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(button, {25, 15});
    EXPECT_EQ(button->pos(), QPoint(40, 30));
    EXPECT_TRUE(button->isDrawnPressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(button->pos(), QPoint(40, 30));
}

TEST_F(TransBtnWidget, ThePopUpMenuOpensBelowAndEndsThePress)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    button->setPopUpMenu(&menu);
    int ups = 0;
    button->OnMouseUp = [&](QMouseEvent*) { ++ups; };
    QPoint shownAt;
    bool pressedWhileOpen = false;
    QTimer::singleShot(0, &menu, [&] {
        shownAt = menu.pos();
        pressedWhileOpen = button->isDrawnPressed();
        menu.close();
    });

    QTest::mousePress(button, Qt::LeftButton, {}, inside);

    EXPECT_EQ(shownAt, button->mapToGlobal(QPoint(0, button->height())));
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_EQ(ups, 1);
    EXPECT_FALSE(button->isDrawnPressed() || button->isTracking());
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 0);
}

// A mouse handler may delete the button (closing the window it sits on, say): nothing after it touches
// the deleted button.
TEST_F(TransBtnWidget, AMouseHandlerMayDeleteTheButton)
{
    button->OnMouseDown = [this](QMouseEvent*) { delete std::exchange(button, nullptr); };
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(button, nullptr);

    button = new Btn(&host);
    button->setGeometry(20, 20, 60, 40);
    button->OnClick = [this] { ++clicks; };
    button->OnMouseUp = [this](QMouseEvent*) { delete std::exchange(button, nullptr); };
    Btn* const pressed = button;
    QTest::mousePress(pressed, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, inside);
    EXPECT_EQ(button, nullptr);
    EXPECT_EQ(clicks, 0);
}

TEST(TransBtnPopUpMenu, TheReferenceIsClearedWhenTheMenuIsDestroyed)
{
    Btn button;
    auto menu = std::make_unique<QMenu>();
    button.setPopUpMenu(menu.get());
    ASSERT_EQ(button.PopUpMenu(), menu.get());
    menu.reset();
    EXPECT_EQ(button.PopUpMenu(), nullptr);
}

} // namespace
