#include "widgets/Accessibility.h"
#include "forms/Look.h"
#include "tests/support/Accessible.h"
#include "tests/support/TestSupport.h"
#include "widgets/LED.h"
#include "widgets/TabOrder.h"
#include "widgets/TransBtn.h"

#include <QAccessibleActionInterface>
#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

using qv::test::offersAction;
using qv::test::ScopedAccessibleEvents;

namespace {

QAccessibleInterface& accessible(QObject& object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&object);
    EXPECT_NE(iface, nullptr);
    return *iface;
}

void press(QAccessibleInterface& iface)
{
    iface.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// A shown window of transparent buttons, placed where each test says.
class ButtonWindow : public testing::Test {
protected:
    TTransparentButton* addButton(const QString& caption, QRect geometry)
    {
        auto* button = new TTransparentButton(&window);
        button->setCaption(caption);
        button->setGeometry(geometry);
        button->OnClick = [this, caption] { clicked << caption; };
        return button;
    }

    void show()
    {
        window.resize(300, 200);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QStringList clicked;
};

TEST_F(ButtonWindow, ReadsAsANamedDescribedPushButtonThatPressClicks)
{
    TTransparentButton* close = addButton(QStringLiteral("&Close"), {10, 10, 80, 30});
    close->setToolTip(QStringLiteral("Close this window"));
    TTransparentButton* picture = addButton(QString(), {100, 10, 80, 30});
    picture->setAccessibleName(QStringLiteral("Memory"));
    picture->setStatusTip(QStringLiteral("Display memory information"));
    show();

    QAccessibleInterface& closeIface = accessible(*close);
    EXPECT_EQ(closeIface.role(), QAccessible::Button);
    EXPECT_EQ(closeIface.text(QAccessible::Name), QStringLiteral("Close"));
    EXPECT_EQ(closeIface.text(QAccessible::Description), QStringLiteral("Close this window"));
    EXPECT_TRUE(closeIface.state().focusable);
    QAccessibleInterface& pictureIface = accessible(*picture);
    EXPECT_EQ(pictureIface.text(QAccessible::Name), QStringLiteral("Memory"));
    EXPECT_EQ(pictureIface.text(QAccessible::Description), QStringLiteral("Display memory information"));

    ASSERT_TRUE(offersAction(closeIface, QAccessibleActionInterface::pressAction()));
    press(closeIface);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("&Close")});

    // A disabled button says so and cannot be pressed.
    close->setEnabled(false);
    EXPECT_TRUE(closeIface.state().disabled);
    press(closeIface);
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(ButtonWindow, SelectedStateIsReportedOnlyForButtonsThatHaveOne)
{
    TTransparentButton* tab = addButton(QString(), {10, 10, 80, 30});
    TTransparentButton* plain = addButton(QStringLiteral("OK"), {100, 10, 80, 30});
    const ScopedAccessibleEvents events;
    qv::widgets::setAccessibleSelected(*tab, true);
    EXPECT_TRUE(accessible(*tab).state().selectable);
    EXPECT_TRUE(accessible(*tab).state().selected);
    EXPECT_FALSE(accessible(*plain).state().selectable);
    qv::widgets::setAccessibleSelected(*tab, true);
    qv::widgets::setAccessibleSelected(*tab, false);
    EXPECT_FALSE(accessible(*tab).state().selected);
    EXPECT_EQ(events.selectedChanges(), (QList<const QObject*>{tab, tab})) << "one event per real change";
}

// Tab follows the rows on the screen, not the order the buttons were made in; Space presses the focused
// button, Return the window's default button or, without one, the focused button.
TEST_F(ButtonWindow, TabGoesInVisualOrderSpaceAndReturnPress)
{
    TTransparentButton* bottom = addButton(QStringLiteral("Bottom"), {10, 120, 80, 30});
    TTransparentButton* right = addButton(QStringLiteral("Right"), {150, 10, 80, 30});
    TTransparentButton* left = addButton(QStringLiteral("Left"), {10, 10, 80, 30});
    addButton(QStringLiteral("Hidden"), {10, 60, 80, 30})->hide();
    TTransparentButton* disabled = addButton(QStringLiteral("Disabled"), {10, 90, 80, 30});
    disabled->setEnabled(false);
    qv::widgets::orderTabsVisually(window);
    show();

    QStringList visited;
    left->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 3; ++i) {
        visited << qobject_cast<TTransparentButton*>(QApplication::focusWidget())->Caption();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited,
              (QStringList{QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Bottom")}));

    right->setFocus(Qt::TabFocusReason);
    QTest::keyClick(right, Qt::Key_Space);
    QTest::keyClick(right, Qt::Key_Return);
    bottom->setDefault(true);
    QTest::keyClick(right, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicked,
              (QStringList{QStringLiteral("Right"), QStringLiteral("Right"), QStringLiteral("Bottom")}));
}

TEST_F(ButtonWindow, ClickingDoesNotTakeTheFocus)
{
    TTransparentButton* button = addButton(QStringLiteral("OK"), {10, 10, 80, 30});
    show();
    button->clearFocus(); // activating the window focused its first control
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.size(), 1);
    EXPECT_FALSE(button->hasFocus()) << "a mouse user would see a focus mark after every click";
}

// The focused button shows a dotted rectangle around its caption in the text colour (a dialog's white),
// on the button's picture right of its mark; nothing when unfocused.
TEST_F(ButtonWindow, TheFocusedButtonShowsADottedMarkInTheTextColour)
{
    TTransparentButton* button = addButton(QStringLiteral("&Close"), {10, 10, 115, 43});
    button->setGlyph(qv::look::picture(QStringLiteral(":/pictures/btn_close.png")));
    button->setFrameStyle(TTransparentButton::fsNone);
    qv::look::styleDialogButton(*button);
    qv::look::applyDialogLook(window);
    show();

    button->clearFocus();
    const QImage unfocused = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    const QImage focused = button->grab().toImage();
    qv::test::saveScreenshot(*button, QStringLiteral("transbtn-focus-mark"));

    // The pixels that turned white with the focus, and the rectangle around them.
    QRect mark;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (focused.pixelColor(x, y) == Qt::white && unfocused.pixelColor(x, y) != Qt::white)
                mark |= QRect(x, y, 1, 1);
    ASSERT_FALSE(mark.isEmpty()) << "no mark";
    EXPECT_GT(mark.left(), button->GlyphMark()) << "clear of the picture's mark";
    EXPECT_TRUE(QRect(3, 3, 109, 37).contains(mark)) << "inside the button's edge";
    const int dots =
        qv::test::countPixels(focused, QColor(Qt::white), QRect(mark.topLeft(), QSize(mark.width(), 1)));
    EXPECT_GT(dots, mark.width() / 4) << "a line along the top";
    EXPECT_LT(dots, mark.width()) << "dotted, not solid";
}

TEST_F(ButtonWindow, TabLandsOnTheCheckedRadioButtonOfAGroup)
{
    TTransparentButton* before = addButton(QStringLiteral("Before"), {10, 10, 80, 20});
    std::array<QRadioButton*, 3> radios{};
    for (int i = 0; i < 3; ++i) {
        radios[i] = new QRadioButton(QStringLiteral("Choice %1").arg(i), &window);
        radios[i]->setGeometry(10, 40 + i * 20, 100, 20);
    }
    radios[2]->setChecked(true);
    qv::widgets::orderTabsVisually(window);
    show();

    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), radios[2]);
    radios[1]->setChecked(true);
    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), radios[1]) << "the Tab stop follows the check";
}

TEST(LedAccessibility, ReadsAsAReadOnlyCheckBoxCheckedWhileItShowsLit)
{
    QWidget window;
    auto* led = new TLEDLabel(&window);
    led->setCaption(QStringLiteral("MMX"));
    led->setToolTip(QStringLiteral("Multi Media Extension"));
    const ScopedAccessibleEvents events;

    QAccessibleInterface& iface = accessible(*led);
    EXPECT_EQ(iface.role(), QAccessible::CheckBox);
    EXPECT_EQ(iface.text(QAccessible::Name), QStringLiteral("MMX"));
    EXPECT_EQ(iface.text(QAccessible::Description), QStringLiteral("Multi Media Extension"));
    EXPECT_TRUE(iface.state().readOnly);
    EXPECT_FALSE(iface.state().checked);

    led->setLit(true);
    EXPECT_TRUE(iface.state().checked);
    led->setEnabled(false);
    EXPECT_FALSE(iface.state().checked) << "a disabled light shows unlit";
    led->setColor(TLED::lcRed);
    led->setEnabled(true);
    EXPECT_TRUE(iface.state().checked);
    EXPECT_EQ(events.checkedChanges(), (QList<const QObject*>{led, led, led}))
        << "lighting, the light going out with the control disabled, and back; not the colour";
}

} // namespace
