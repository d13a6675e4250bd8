#include "widgets/TransBtnPainter.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace qv::widgets;
using Btn = TTransparentButton;

namespace {

const QColor kBehind(255, 0, 255); // the parent's background
const ButtonColors kColours{QColor(200, 200, 200), QColor(255, 255, 255), QColor(128, 128, 128),
                            QColor(64, 64, 64), QColor(0, 0, 0)};
const QColor& F = kColours.face;
const QColor& L = kColours.highlight;
const QColor& S = kColours.shadow;
const QColor& D = kColours.darkShadow;
const QColor& K = kColours.black;
const QColor& _ = kBehind;

constexpr QSize kSize(10, 8);

QImage paint(const FrameLook& look)
{
    QImage image(kSize, QImage::Format_ARGB32);
    image.fill(kBehind);
    QPainter painter(&image);
    paintFrame(painter, kSize, look, kColours);
    return image;
}

struct FrameCase {
    const char* name;
    FrameLook look;
    // Colours at the outer top-left, outer bottom-right, inner top-left, inner bottom-right and centre.
    QColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight, centre;
};

void PrintTo(const FrameCase& c, std::ostream* os)
{
    *os << c.name;
}

class PaintFrameTable : public testing::TestWithParam<FrameCase> {};

TEST_P(PaintFrameTable, DrawsTheStyleFrame)
{
    const FrameCase& c = GetParam();
    const QImage image = paint(c.look);
    const int r = kSize.width() - 1;
    const int b = kSize.height() - 1;
    EXPECT_EQ(image.pixelColor(0, 0), c.outerTopLeft);
    EXPECT_EQ(image.pixelColor(r, b), c.outerBottomRight);
    EXPECT_EQ(image.pixelColor(1, 1), c.innerTopLeft);
    EXPECT_EQ(image.pixelColor(r - 1, b - 1), c.innerBottomRight);
    EXPECT_EQ(image.pixelColor(4, 4), c.centre);
}

FrameLook look(Btn::TFrameStyle style, bool pressed = false, bool hovering = false)
{
    FrameLook result;
    result.style = style;
    result.drawnPressed = pressed;
    result.hovering = hovering;
    return result;
}

FrameLook with(FrameLook l, void (*change)(FrameLook&))
{
    change(l);
    return l;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PaintFrameTable,
    testing::Values(
        FrameCase{"regular_at_rest_is_raised", look(Btn::fsRegular), L, K, F, S, _},
        FrameCase{"regular_pressed_is_sunken", look(Btn::fsRegular, true), K, L, S, F, _},
        FrameCase{"regular_pressed_without_show_pressed_keeps_its_black_outline",
                  with(look(Btn::fsRegular, true), [](FrameLook& l) { l.showPressed = false; }), _, K, K, _,
                  _},
        FrameCase{"opaque_regular_fills_the_face",
                  with(look(Btn::fsRegular), [](FrameLook& l) { l.transparent = false; }), L, K, F, S, F},
        FrameCase{"regular_with_border_width_two_draws_double_lines",
                  with(look(Btn::fsRegular), [](FrameLook& l) { l.borderWidth = 2; }), L, K, L, K, S},
        FrameCase{"indent_at_rest_is_etched", look(Btn::fsIndent), S, L, L, S, _},
        FrameCase{"indent_pressed_is_sunken", look(Btn::fsIndent, true), K, L, S, F, _},
        FrameCase{"explorer_at_rest_has_no_frame", look(Btn::fsExplorer), _, _, _, _, _},
        FrameCase{"explorer_hovered_is_raised", look(Btn::fsExplorer, false, true), L, S, _, _, _},
        FrameCase{"explorer_pressed_and_hovered_is_sunken", look(Btn::fsExplorer, true, true), S, L, _, _, _},
        FrameCase{"explorer_down_is_sunken_without_the_pointer",
                  with(look(Btn::fsExplorer, true), [](FrameLook& l) { l.down = true; }), S, L, _, _, _},
        FrameCase{"explorer_pressed_without_show_pressed_stays_raised",
                  with(look(Btn::fsExplorer, true, true), [](FrameLook& l) { l.showPressed = false; }), L, S,
                  _, _, _},
        FrameCase{"none_pressed_has_no_frame", look(Btn::fsNone, true, true), _, _, _, _, _},
        FrameCase{"light_at_rest_is_raised", look(Btn::fsLight), L, S, _, _, _},
        FrameCase{"light_pressed_is_sunken", look(Btn::fsLight, true), S, L, _, _, _},
        FrameCase{"dark_at_rest_has_a_dark_shadow", look(Btn::fsDark), F, D, _, _, _},
        FrameCase{"dark_pressed_is_sunken", look(Btn::fsDark, true), D, F, _, _, _},
        FrameCase{"mono_at_rest_is_raised", look(Btn::fsMono), L, D, _, _, _},
        FrameCase{"mono_pressed_is_sunken", look(Btn::fsMono, true), D, L, _, _, _}),
    qv::test::RowName());

TEST(Frame3D, GivesTheTopRightAndBottomLeftCornersToTheBottomColourAndShrinks)
{
    QImage image(kSize, QImage::Format_ARGB32);
    image.fill(kBehind);
    QPainter painter(&image);
    QRect rect(QPoint(0, 0), kSize);
    frame3D(painter, rect, L, S, 2);
    painter.end();

    EXPECT_EQ(image.pixelColor(8, 0), L);
    EXPECT_EQ(image.pixelColor(9, 0), S);
    EXPECT_EQ(image.pixelColor(0, 6), L);
    EXPECT_EQ(image.pixelColor(0, 7), S);
    EXPECT_EQ(image.pixelColor(8, 1), S);
    EXPECT_EQ(image.pixelColor(2, 2), kBehind);
    EXPECT_EQ(rect, QRect(2, 2, 6, 4));
}

} // namespace
