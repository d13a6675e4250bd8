#include "widgets/LED.h"
#include "tests/support/TestSupport.h"
#include "widgets/LedLabelLayout.h"
#include "widgets/LedSheet.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using qv::widgets::layoutLedLabel;
using qv::widgets::LedPictureSheet;
using qv::widgets::ledSourceRect;

namespace {

TEST(LedPictureSheet, IsLoadedWithTheFirstLedAndFreedWithTheLast)
{
    ASSERT_FALSE(LedPictureSheet::isLoaded()) << "an LED control of another test is still alive";
    auto first = std::make_unique<TLED>();
    ASSERT_TRUE(LedPictureSheet::isLoaded());
    EXPECT_EQ(LedPictureSheet::pixmap().size(), QSize(24, 52));
    auto second = std::make_unique<TLEDLabel>();
    EXPECT_EQ(LedPictureSheet::userCount(), 2);

    first.reset();
    EXPECT_TRUE(LedPictureSheet::isLoaded()) << "freed while a label still uses it";
    second.reset();
    EXPECT_FALSE(LedPictureSheet::isLoaded());
    EXPECT_TRUE(LedPictureSheet::pixmap().isNull());

    const TLED again;
    EXPECT_TRUE(LedPictureSheet::isLoaded());
    EXPECT_FALSE(LedPictureSheet::pixmap().isNull());
}

struct SourceCase {
    const char* name;
    bool lit;
    TLED::TLEDColor colour;
    bool enabled;
    QPoint topLeft;
};

class LedSourceRect : public testing::TestWithParam<SourceCase> {};

TEST_P(LedSourceRect, PicksColumnByLitAndRowByColour)
{
    const SourceCase& c = GetParam();
    EXPECT_EQ(ledSourceRect(c.lit, c.colour, c.enabled), QRect(c.topLeft, QSize(12, 13)));
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, LedSourceRect,
    testing::Values(
        SourceCase{"unlit_red", false, TLED::lcRed, true, {0, 0}},
        SourceCase{"lit_red", true, TLED::lcRed, true, {12, 0}},
        SourceCase{"lit_green", true, TLED::lcGreen, true, {12, 13}},
        SourceCase{"unlit_yellow", false, TLED::lcYellow, true, {0, 26}},
        SourceCase{
            "disabled_lit_green_shows_the_unlit_disabled_picture", true, TLED::lcGreen, false, {0, 39}},
        SourceCase{"disabled_unlit_yellow_too", false, TLED::lcYellow, false, {0, 39}}),
    qv::test::RowName());

struct LayoutCase {
    const char* name;
    QSize size;
    TLEDLabel::TCaptionAlignment alignment;
    QRect led;
    QRect caption;
    Qt::Alignment captionAlignment;
};

class LedLabelLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LedLabelLayoutTest, PlacesLightAndCaption)
{
    const LayoutCase& c = GetParam();
    const auto layout = layoutLedLabel(c.size, c.alignment);
    EXPECT_EQ(layout.led, c.led);
    EXPECT_EQ(layout.caption, c.caption);
    EXPECT_EQ(layout.captionAlignment, c.captionAlignment);
}

constexpr Qt::Alignment kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;

INSTANTIATE_TEST_SUITE_P(Alignments, LedLabelLayoutTest,
                         testing::Values(LayoutCase{"caption_left_light_at_the_right_edge",
                                                    {97, 17},
                                                    TLEDLabel::caLeft,
                                                    {85, 2, 12, 13},
                                                    {0, 0, 82, 17},
                                                    kLeftMiddle},
                                         LayoutCase{"caption_right_light_at_the_left_edge",
                                                    {97, 17},
                                                    TLEDLabel::caRight,
                                                    {0, 2, 12, 13},
                                                    {15, 0, 82, 17},
                                                    kLeftMiddle},
                                         LayoutCase{"caption_on_top_centred_at_its_bottom",
                                                    {61, 40},
                                                    TLEDLabel::caTop,
                                                    {24, 27, 12, 13},
                                                    {0, 0, 61, 24},
                                                    Qt::AlignHCenter | Qt::AlignBottom},
                                         LayoutCase{"caption_below_centred_at_its_top",
                                                    {61, 40},
                                                    TLEDLabel::caBottom,
                                                    {24, 0, 12, 13},
                                                    {0, 16, 61, 24},
                                                    Qt::AlignHCenter | Qt::AlignTop},
                                         LayoutCase{"odd_height_truncates_the_half",
                                                    {97, 18},
                                                    TLEDLabel::caRight,
                                                    {0, 2, 12, 13},
                                                    {15, 0, 82, 18},
                                                    kLeftMiddle},
                                         LayoutCase{"lower_than_the_light_rounds_towards_zero",
                                                    {97, 10},
                                                    TLEDLabel::caRight,
                                                    {0, -1, 12, 13},
                                                    {15, 0, 82, 10},
                                                    kLeftMiddle}),
                         qv::test::RowName());

TEST(TLED, KeepsItsFixedSizeWhateverItIsResizedTo)
{
    TLED led;
    EXPECT_EQ(led.size(), QSize(12, 13));
    led.resize(40, 40);
    EXPECT_EQ(led.size(), QSize(12, 13));
    led.setGeometry(5, 6, 30, 8);
    EXPECT_EQ(led.geometry(), QRect(5, 6, 12, 13));
}

TEST(TLEDLabel, StartsAt97By17AndCanBeResized)
{
    TLEDLabel label;
    EXPECT_EQ(label.size(), QSize(97, 17));
    EXPECT_EQ(label.Alignment(), TLEDLabel::caRight);
    label.resize(150, 30);
    EXPECT_EQ(label.size(), QSize(150, 30));
    EXPECT_EQ(label.ledRect(), QRect(0, 8, 12, 13)) << "layout follows the size";
    label.setAlignment(TLEDLabel::caLeft);
    EXPECT_EQ(label.ledRect(), QRect(138, 8, 12, 13));
}

TEST(TLED, ChangeStateFiresOnRealChangesOfLitColourAndEnabledState)
{
    TLEDLabel led;
    int fired = 0;
    led.OnChangeState = [&] { ++fired; };
    const struct {
        const char* step;
        std::function<void()> action;
        int expected;
    } steps[] = {
        {"light it", [&] { led.setLit(true); }, 1},
        {"light it again", [&] { led.setLit(true); }, 1},
        {"make it green", [&] { led.setColor(TLED::lcGreen); }, 2},
        {"green again", [&] { led.setColor(TLED::lcGreen); }, 2},
        {"disable it", [&] { led.setEnabled(false); }, 3},
        {"disable it again", [&] { led.setEnabled(false); }, 3},
        {"enable it", [&] { led.setEnabled(true); }, 4},
    };
    for (const auto& s : steps) {
        s.action();
        EXPECT_EQ(fired, s.expected) << s.step;
    }
    EXPECT_TRUE(led.Lit());
    EXPECT_EQ(led.Color(), TLED::lcGreen);
}

TEST(TLED, ClickFiresOnlyWhenReleasedOverTheLight)
{
    TLED led;
    int clicks = 0;
    int downs = 0;
    led.OnClick = [&] { ++clicks; };
    led.OnMouseDown = [&](QMouseEvent*) { ++downs; };
    QTest::mouseClick(&led, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&led, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(&led, Qt::LeftButton, {}, {40, 40});
    EXPECT_EQ(clicks, 1) << "released outside";
    EXPECT_EQ(downs, 2);
}

// A parent that paints a colour other than its palette's, as a window with a background picture does.
class PaintedParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(250, 240, 20)); }
};

struct LabelPixels {
    QImage image;
    QRect led;
    QRect caption;
};

// Renders a label with clear colours (parent blue, text black, highlight white, text drawn without
// anti-aliasing so its pixels keep those colours exactly).
LabelPixels renderLabel(bool enabled, bool transparent)
{
    PaintedParent parent;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0, 0, 200));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    parent.setPalette(palette);
    parent.resize(140, 30);
    auto* label = new TLEDLabel(&parent);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->setGeometry(0, 0, 140, 30);
    label->setCaption(QStringLiteral("MMX instructions"));
    label->setColor(TLED::lcGreen);
    label->setLit(true);
    label->setTransparent(transparent);
    label->setEnabled(enabled);
    return {parent.grab().toImage(), label->ledRect(), label->captionRect()};
}

int countPixels(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// The sheet picture at `source` over the blue parent colour, as a label must show it.
QImage expectedLight(const QRect& source)
{
    QImage light(12, 13, QImage::Format_RGB32);
    light.fill(QColor(0, 0, 200));
    QPainter painter(&light);
    painter.drawPixmap(0, 0, QPixmap(LedPictureSheet::resourcePath()), source.x(), source.y(), 12, 13);
    return light;
}

TEST(TLEDLabel, DisabledShowsTheDisabledLightAndAnEmbossedCaption)
{
    const LabelPixels disabled = renderLabel(false, false);
    EXPECT_EQ(disabled.image.copy(disabled.led).convertToFormat(QImage::Format_RGB32),
              expectedLight(QRect(0, 39, 12, 13)));
    EXPECT_GT(countPixels(disabled.image, disabled.caption, qRgb(255, 255, 255)), 20) << "highlight";
    EXPECT_GT(countPixels(disabled.image, disabled.caption, QColor(0, 0, 200).darker(150).rgb()), 20)
        << "shadow: the parent colour darkened";
    EXPECT_EQ(countPixels(disabled.image, disabled.caption, qRgb(0, 0, 0)), 0);

    const LabelPixels enabled = renderLabel(true, false);
    EXPECT_EQ(enabled.image.copy(enabled.led).convertToFormat(QImage::Format_RGB32),
              expectedLight(QRect(12, 13, 12, 13)));
    EXPECT_GT(countPixels(enabled.image, enabled.caption, qRgb(0, 0, 0)), 20);
    EXPECT_EQ(countPixels(enabled.image, enabled.caption, qRgb(255, 255, 255)), 0);
}

TEST(TLEDLabel, PaintsTheParentColourUnlessTransparent)
{
    const QPoint blank(138, 28); // a corner of the caption area that no letter reaches
    const LabelPixels opaque = renderLabel(true, false);
    EXPECT_EQ(opaque.image.pixel(blank), qRgb(0, 0, 200));
    const LabelPixels transparent = renderLabel(true, true);
    EXPECT_EQ(transparent.image.pixel(blank), qRgb(250, 240, 20)) << "the parent's own painting shows";
    EXPECT_EQ(transparent.image.pixel(transparent.led.topLeft()), qRgb(0, 0, 200))
        << "the light still stands on the parent's colour";
}

} // namespace
