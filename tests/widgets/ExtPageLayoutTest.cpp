#include "widgets/ExtPageLayout.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qv::widgets;

namespace {

struct MoveCase {
    const char* name;
    TabSide from;
    TabSide to;
    TabSizes before;
    TabSizes after;
    TabSizes base; // as the strip sees them at the new position
};

class TabPositionSizes : public testing::TestWithParam<MoveCase> {};

TEST_P(TabPositionSizes, FollowTheSwapRules)
{
    const MoveCase& c = GetParam();
    const TabSizes after = sizesAfterPositionChange(c.from, c.to, c.before);
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(baseTabSizes(c.to, after), c.base);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, TabPositionSizes,
    testing::Values(
        MoveCase{"top_to_left_with_system_sizes_gives_35_by_70",
                 TabSide::Top,
                 TabSide::Left,
                 {0, 0},
                 {35, 70},
                 {70, 35}},
        MoveCase{"bottom_to_right_keeps_chosen_sizes",
                 TabSide::Bottom,
                 TabSide::Right,
                 {20, 90},
                 {20, 90},
                 {90, 20}},
        MoveCase{
            "only_the_zero_size_is_defaulted", TabSide::Top, TabSide::Left, {0, 100}, {35, 100}, {100, 35}},
        MoveCase{"left_back_to_top_restores_the_unswapped_values",
                 TabSide::Left,
                 TabSide::Top,
                 {35, 70},
                 {35, 70},
                 {35, 70}},
        MoveCase{"top_to_bottom_swaps_nothing", TabSide::Top, TabSide::Bottom, {0, 0}, {0, 0}, {0, 0}},
        MoveCase{"left_to_right_keeps_zeros", TabSide::Left, TabSide::Right, {0, 0}, {0, 0}, {0, 0}}),
    qv::test::RowName());

TEST(StripFont, TheInactiveFontOnlyWhenItsWIsStrictlyWider)
{
    EXPECT_TRUE(stripUsesInactiveFont(9, 11));
    EXPECT_FALSE(stripUsesInactiveFont(11, 11));
    EXPECT_FALSE(stripUsesInactiveFont(12, 11));
}

struct RectCase {
    const char* name;
    TabSide side;
    bool buttons;
    bool selected;
    QRect fg;
    QRect bg;
};

class OwnerDrawnTabRects : public testing::TestWithParam<RectCase> {};

TEST_P(OwnerDrawnTabRects, MoveTheForegroundByStateAndSide)
{
    const RectCase& c = GetParam();
    const QRect strip(10, 20, 60, 18);
    const QRect item(8, 18, 64, 22);
    const TabRects rects = tabRects(c.side, c.buttons, c.selected, strip, item);
    EXPECT_EQ(rects.fg, c.fg);
    EXPECT_EQ(rects.bg, c.bg);
}

INSTANTIATE_TEST_SUITE_P(
    States, OwnerDrawnTabRects,
    testing::Values(
        RectCase{"selected_top_lifts_one", TabSide::Top, false, true, {10, 19, 60, 18}, {8, 18, 64, 22}},
        RectCase{
            "selected_left_moves_two_left", TabSide::Left, false, true, {8, 20, 60, 18}, {8, 18, 64, 22}},
        RectCase{
            "selected_right_moves_two_right", TabSide::Right, false, true, {12, 20, 60, 18}, {8, 18, 64, 22}},
        RectCase{"selected_bottom_stays", TabSide::Bottom, false, true, {10, 20, 60, 18}, {8, 18, 64, 22}},
        RectCase{"inactive_top_drops_one", TabSide::Top, false, false, {10, 21, 60, 18}, {10, 20, 60, 18}},
        RectCase{
            "inactive_bottom_rises_two", TabSide::Bottom, false, false, {10, 18, 60, 18}, {10, 20, 60, 18}},
        RectCase{"inactive_left_stays", TabSide::Left, false, false, {10, 20, 60, 18}, {10, 20, 60, 18}},
        RectCase{"selected_button_is_the_strip_rectangle",
                 TabSide::Top,
                 true,
                 true,
                 {10, 20, 60, 18},
                 {10, 20, 60, 18}}),
    qv::test::RowName());

TEST(CaptionPlacement, CentresTheMeasuredBlockAfterTheOffset)
{
    // Content 100 x 30 at (0, 0): inner (2, 2, 96, 26); a 40 x 12 caption after a 21-pixel glyph.
    const CaptionPlacement p = placeCaption(QRect(0, 0, 100, 30), {21, 0}, CaptionAlign::Centre, {40, 12});
    EXPECT_EQ(p.text, QRect(2 + 21 + (96 - 40 - 21) / 2, 9, 40, 19));
    EXPECT_EQ(p.block, QPoint(p.text.left() - 21, 9));
}

TEST(CaptionPlacement, ClampsAMeasureLargerThanTheRoom)
{
    const CaptionPlacement p = placeCaption(QRect(0, 0, 50, 20), {8, 0}, CaptionAlign::Left, {300, 40});
    EXPECT_EQ(p.text, QRect(10, 2, 38, 16)) << "left-aligned, from the top, as wide as the room";
    EXPECT_EQ(p.block, QPoint(2, 2));
}

struct PlanCase {
    const char* name;
    TabSide side;
    bool glyphs;
    bool disabled;
    bool onTop;
    QPoint offset;
    CaptionAlign align;
    bool drawGlyph;
};

class TabContent : public testing::TestWithParam<PlanCase> {};

TEST_P(TabContent, PlacesCaptionAndGlyph)
{
    const PlanCase& c = GetParam();
    const TabContentPlan plan = planTabContent(c.side, c.glyphs, c.disabled, c.onTop, QSize(16, 12), 5);
    EXPECT_EQ(plan.captionOffset, c.offset);
    EXPECT_EQ(plan.align, c.align);
    EXPECT_EQ(plan.drawGlyph, c.drawGlyph);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, TabContent,
    testing::Values(
        PlanCase{
            "no_glyph_top_centred", TabSide::Top, false, false, false, {0, 0}, CaptionAlign::Centre, false},
        PlanCase{"no_glyph_side_left_after_8",
                 TabSide::Left,
                 false,
                 false,
                 false,
                 {8, 0},
                 CaptionAlign::Left,
                 false},
        PlanCase{"disabled_tab_drops_the_glyph",
                 TabSide::Top,
                 true,
                 true,
                 false,
                 {0, 0},
                 CaptionAlign::Centre,
                 false},
        PlanCase{"glyph_left_on_top_tabs",
                 TabSide::Bottom,
                 true,
                 false,
                 false,
                 {21, 0},
                 CaptionAlign::Centre,
                 true},
        PlanCase{
            "glyph_left_on_side_tabs", TabSide::Right, true, false, false, {29, 0}, CaptionAlign::Left, true},
        PlanCase{
            "glyph_above_the_caption", TabSide::Top, true, false, true, {0, 17}, CaptionAlign::Centre, true}),
    qv::test::RowName());

TEST(GlyphPosition, FollowsTheCaptionBlock)
{
    const QRect r(10, 4, 80, 30);
    EXPECT_EQ(glyphPosition(TabSide::Top, false, r, {16, 12}, {37, 11}), QPoint(37, 4 + (30 - 12) / 2));
    EXPECT_EQ(glyphPosition(TabSide::Left, false, r, {16, 12}, {37, 11}), QPoint(18, 13));
    EXPECT_EQ(glyphPosition(TabSide::Top, true, r, {16, 12}, {37, 11}), QPoint(10 + (80 - 16) / 2, 11));
}

struct HintCase {
    const char* name;
    int tab;
    int page;
    const char* hint;
};

class TabHints : public testing::TestWithParam<HintCase> {};

TEST_P(TabHints, TakeTheLineOfThePage)
{
    const QStringList hints{QStringLiteral("first"), QStringLiteral("second")};
    EXPECT_EQ(tabHint(hints, GetParam().tab, GetParam().page), QString::fromLatin1(GetParam().hint));
}

INSTANTIATE_TEST_SUITE_P(Lines, TabHints,
                         testing::Values(HintCase{"first_tab", 0, 0, "first"},
                                         HintCase{"second_tab_of_the_second_page", 1, 1, "second"},
                                         HintCase{"third_tab_of_two_lines_has_none", 2, 2, ""},
                                         HintCase{"over_no_tab", -1, -1, ""},
                                         HintCase{"line_of_the_page_behind_a_hidden_one", 0, 1, "second"},
                                         HintCase{"page_beyond_the_lines", 1, 3, ""}),
                         qv::test::RowName());

TEST(Scaling, MultipliesThenDividesRounded)
{
    EXPECT_EQ(scaled(35, 120, 96), 44);
    EXPECT_EQ(scaled(70, 96, 120), 56);
    EXPECT_EQ(scaled(0, 120, 96), 0);
}

} // namespace
