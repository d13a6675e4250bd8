#include "widgets/GlyphImages.h"
#include "tests/support/TestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace qv::widgets;

namespace {

struct StripCase {
    const char* name;
    QSize strip;
    int before;
    int expected;
};

void PrintTo(const StripCase& c, std::ostream* os)
{
    *os << c.name;
}

class NumGlyphsForStrip : public testing::TestWithParam<StripCase> {};

TEST_P(NumGlyphsForStrip, CountsSquareFramesOrKeepsTheOldCount)
{
    EXPECT_EQ(numGlyphsFor(GetParam().strip, GetParam().before), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Strips, NumGlyphsForStrip,
                         testing::Values(StripCase{"a_64x16_strip_holds_four_frames", {64, 16}, 1, 4},
                                         StripCase{"a_32x16_strip_holds_two_frames", {32, 16}, 4, 2},
                                         StripCase{"a_square_glyph_is_one_frame", {16, 16}, 3, 1},
                                         StripCase{"five_squares_fall_back_to_one_frame", {80, 16}, 3, 1},
                                         StripCase{"a_50x16_strip_keeps_the_old_count", {50, 16}, 2, 2},
                                         StripCase{"an_empty_glyph_keeps_the_old_count", {0, 0}, 3, 3}),
                         qv::test::RowName());

TEST(GreyCopy, WeighsRedElevenGreenFiftyNineBlueThirtyAndKeepsAlpha)
{
    QImage frame(2, 1, QImage::Format_ARGB32);
    frame.setPixel(0, 0, qRgba(200, 100, 50, 255));
    frame.setPixel(1, 0, qRgba(10, 20, 30, 0));

    const QImage grey = greyCopy(frame);

    // (11*200 + 59*100 + 30*50) / 100 = 96; (110 + 1180 + 900) / 100 = 21 after truncation.
    EXPECT_EQ(grey.pixel(0, 0), qRgba(96, 96, 96, 255));
    EXPECT_EQ(grey.pixel(1, 0), qRgba(21, 21, 21, 0));
}

constexpr QRgb kHighlight = 0xffffffff;
constexpr QRgb kShadow = 0xff808080;

QImage embossed(const QImage& frame)
{
    return disabledCopy(frame, QColor::fromRgba(kHighlight), QColor::fromRgba(kShadow))
        .convertToFormat(QImage::Format_ARGB32);
}

TEST(DisabledCopy, DrawsTheShapeInShadowOverItsHighlightOneRightAndDown)
{
    // Background: the top-left colour, a white pixel and a transparent one. Shape: the two red pixels.
    constexpr QRgb bg = 0xff008000, red = 0xffff0000, white = 0xffffffff, clear = 0x00000000;
    const QRgb rows[3][4] = {{bg, bg, bg, bg}, {bg, red, red, white}, {bg, bg, clear, bg}};
    QImage frame(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            frame.setPixel(x, y, rows[y][x]);

    const QImage result = embossed(frame);

    const QRgb expected[3][4] = {{clear, clear, clear, clear},
                                 {clear, kShadow, kShadow, clear},
                                 {clear, clear, kHighlight, kHighlight}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(result.pixel(x, y), expected[y][x]) << "at " << x << "," << y;
}

TEST(DisabledCopy, OpaqueBlackIsShapeWhenTheCornerIsTransparentBlack)
{
    QImage frame(2, 1, QImage::Format_ARGB32);
    frame.setPixel(0, 0, qRgba(0, 0, 0, 0));
    frame.setPixel(1, 0, qRgba(0, 0, 0, 255));

    const QImage result = embossed(frame);

    EXPECT_EQ(qAlpha(result.pixel(0, 0)), 0);
    EXPECT_EQ(result.pixel(1, 0), kShadow);
}

// A strip of `frames` 8x8 frames on white, each with a 4x4 square of its own colour in the middle.
QPixmap strip(const std::vector<QColor>& colours)
{
    QImage image(8 * static_cast<int>(colours.size()), 8, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (std::size_t i = 0; i < colours.size(); ++i)
        painter.fillRect(static_cast<int>(i) * 8 + 2, 2, 4, 4, colours[i]);
    painter.end();
    return QPixmap::fromImage(image);
}

TEST(GlyphImageList, HoldsTheFramesInOrderThenGreyThenDisabled)
{
    const std::vector<QColor> colours{QColor(200, 100, 50), Qt::green, Qt::blue};
    GlyphImageList list;
    list.rebuild(strip(colours), 3, QColor::fromRgba(kHighlight), QColor::fromRgba(kShadow));

    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.imageSize(), QSize(8, 8));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.image(i).toImage().pixel(3, 3), colours[static_cast<std::size_t>(i)].rgba()) << i;
    EXPECT_EQ(list.image(3).toImage().pixel(3, 3), qRgb(96, 96, 96));
    const QImage disabled = list.image(4).toImage();
    EXPECT_EQ(disabled.pixel(2, 2), kShadow);
    EXPECT_EQ(disabled.pixel(6, 6), kHighlight);
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
}

} // namespace
