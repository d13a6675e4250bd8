#include "widgets/TransBtnLayout.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace qv::widgets;
using Btn = TTransparentButton;

namespace {

struct LayoutCase {
    const char* name;
    Btn::TTextAlign align;
    QSize control;
    QSize glyphStrip;
    int numGlyphs;
    QSize caption;
    QPoint glyph;
    QPoint captionAt;
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

// Control 100x60, a strip of two 20x16 frames, spacing 3, a 30x10 caption.
constexpr QSize kControl(100, 60);
constexpr QSize kStrip(40, 16);
constexpr QSize kCaption(30, 10);

class TransBtnLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(TransBtnLayoutTable, PlacesGlyphAndCaption)
{
    const LayoutCase& c = GetParam();
    const TransBtnLayout layout = layoutTransBtn(c.control, c.glyphStrip, c.numGlyphs, 3, c.align, c.caption);
    EXPECT_EQ(layout.glyphPos, c.glyph);
    EXPECT_EQ(layout.captionRect, QRect(c.captionAt, c.caption));
}

INSTANTIATE_TEST_SUITE_P(Alignments, TransBtnLayoutTable,
                         testing::Values(LayoutCase{"caption_top_left_sits_above_a_glyph_at_the_bottom",
                                                    Btn::ttaTopLeft,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 41},
                                                    {3, 28}},
                                         LayoutCase{"caption_top_is_centred_above_the_glyph",
                                                    Btn::ttaTop,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 41},
                                                    {35, 28}},
                                         LayoutCase{"caption_top_right_sits_at_the_right_above_the_glyph",
                                                    Btn::ttaTopRight,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 41},
                                                    {67, 28}},
                                         LayoutCase{"caption_right_faces_a_glyph_at_the_left",
                                                    Btn::ttaRight,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {3, 22},
                                                    {67, 25}},
                                         LayoutCase{"caption_bottom_right_sits_below_a_glyph_at_the_top",
                                                    Btn::ttaBottomRight,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 3},
                                                    {67, 22}},
                                         LayoutCase{"caption_bottom_is_centred_below_the_glyph",
                                                    Btn::ttaBottom,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 3},
                                                    {35, 22}},
                                         LayoutCase{"caption_bottom_left_sits_at_the_left_below_the_glyph",
                                                    Btn::ttaBottomLeft,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 3},
                                                    {3, 22}},
                                         LayoutCase{"caption_left_faces_a_glyph_at_the_right",
                                                    Btn::ttaLeft,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {77, 22},
                                                    {3, 25}},
                                         LayoutCase{"caption_centre_lies_over_a_centred_glyph",
                                                    Btn::ttaCenter,
                                                    kControl,
                                                    kStrip,
                                                    2,
                                                    kCaption,
                                                    {40, 22},
                                                    {35, 25}},
                                         LayoutCase{"odd_widths_are_halved_before_subtracting",
                                                    Btn::ttaCenter,
                                                    {40, 40},
                                                    {16, 16},
                                                    1,
                                                    {11, 9},
                                                    {12, 12},
                                                    {15, 16}},
                                         LayoutCase{"a_glyph_taller_than_the_control_rounds_toward_zero",
                                                    Btn::ttaCenter,
                                                    {20, 11},
                                                    {16, 16},
                                                    1,
                                                    {0, 0},
                                                    {2, -2},
                                                    {10, 5}},
                                         LayoutCase{"frames_narrower_than_a_pixel_use_the_whole_strip",
                                                    Btn::ttaLeft,
                                                    {20, 20},
                                                    {3, 4},
                                                    4,
                                                    {0, 0},
                                                    {14, 8},
                                                    {3, 10}},
                                         LayoutCase{"without_a_glyph_a_bottom_caption_sits_two_spacings_down",
                                                    Btn::ttaBottom,
                                                    {40, 40},
                                                    {0, 0},
                                                    1,
                                                    {20, 10},
                                                    {20, 3},
                                                    {10, 6}}),
                         qv::test::RowName());

TEST(MeasureCaption, TheAcceleratorMarkTakesNoRoom)
{
    const QFont font = QApplication::font();
    EXPECT_EQ(measureCaption(font, QStringLiteral("&Start"), 200, false),
              measureCaption(font, QStringLiteral("Start"), 200, false));
}

TEST(MeasureCaption, WordWrapBreaksWithinTheWidth)
{
    const QFont font = QApplication::font();
    const QString caption = QStringLiteral("Network connection check");
    const QSize oneLine = measureCaption(font, caption, 60, false);
    const QSize wrapped = measureCaption(font, caption, 60, true);

    EXPECT_LT(wrapped.width(), oneLine.width());
    EXPECT_GE(wrapped.height(), 2 * oneLine.height());
}

} // namespace
