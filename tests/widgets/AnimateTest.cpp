#include "widgets/Animate.h"
#include "tests/support/TestSupport.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using qv::widgets::animatedFrameFor;
using qv::widgets::keyedStrip;

namespace {

struct FrameCase {
    const char* name;
    int value;
    int frameCount;
    int shown;
};

class AnimatedFrameFor : public testing::TestWithParam<FrameCase> {};

TEST_P(AnimatedFrameFor, SelectsTheShownFrame)
{
    EXPECT_EQ(animatedFrameFor(GetParam().value, GetParam().frameCount), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Frames, AnimatedFrameFor,
                         testing::Values(FrameCase{"thirteen_of_ten_is_three", 13, 10, 3},
                                         FrameCase{"minus_one_is_the_last", -1, 10, 9},
                                         FrameCase{"any_negative_is_the_last", -25, 10, 9},
                                         FrameCase{"the_count_itself_wraps_to_zero", 10, 10, 0},
                                         FrameCase{"in_range_is_kept", 4, 5, 4},
                                         FrameCase{"single_frame_is_always_zero", 7, 1, 0}),
                         qv::test::RowName());

TEST(TAnimated, ChangeFrameFiresWithTheRequestedValueWhenTheShownFrameChanges)
{
    TAnimated animated;
    animated.setFrameCount(10);
    std::vector<int> fired;
    animated.OnChangeFrame = [&](int value) { fired.push_back(value); };
    animated.setFrame(13);
    animated.setFrame(23); // also frame 3
    animated.setFrame(-1);
    EXPECT_EQ(animated.Frame(), 9);
    EXPECT_EQ(fired, (std::vector<int>{13, -1}));
}

TEST(TAnimated, TimerExistsExactlyWhilePlayingWithAPositiveInterval)
{
    TAnimated animated;
    const struct {
        const char* step;
        std::function<void()> action;
        bool timer;
    } steps[] = {
        {"interval while stopped", [&] { animated.setInterval(50); }, false},
        {"play", [&] { animated.setPlay(true); }, true},
        {"another interval while playing", [&] { animated.setInterval(80); }, true},
        {"interval zero while playing", [&] { animated.setInterval(0); }, false},
        {"stop", [&] { animated.setPlay(false); }, false},
        {"play with interval zero", [&] { animated.setPlay(true); }, false},
        {"positive interval while playing", [&] { animated.setInterval(20); }, true},
        {"stop again", [&] { animated.setPlay(false); }, false},
    };
    for (const auto& s : steps) {
        s.action();
        EXPECT_EQ(animated.hasTimer(), s.timer) << s.step;
    }
}

struct RunCase {
    const char* name;
    bool reverse;
    bool loop;
    int start;
    std::vector<int> frames; // shown frames, tick by tick
    bool stillPlaying;
};

class TAnimatedRun : public testing::TestWithParam<RunCase> {};

// Plays a five-frame strip on a 1 ms timer until it stops or has stepped as often as the row expects.
TEST_P(TAnimatedRun, StepsThroughTheFrames)
{
    const RunCase& c = GetParam();
    TAnimated animated;
    animated.setFrameCount(5);
    animated.setFrame(c.start);
    animated.setReverse(c.reverse);
    animated.setLoop(c.loop);
    animated.setInterval(1);
    std::vector<int> shown;
    animated.OnChangeFrame = [&](int) {
        if (shown.size() < c.frames.size())
            shown.push_back(animated.Frame());
    };
    animated.setPlay(true);
    const auto done = [&] { return !animated.Play() || shown.size() >= c.frames.size(); };
    ASSERT_TRUE(QTest::qWaitFor(done, 3000));
    QTest::qWait(20); // a stopped animation must stay where it stopped
    EXPECT_EQ(shown, c.frames);
    if (!c.stillPlaying) {
        EXPECT_EQ(animated.Frame(), c.frames.back());
    }
    EXPECT_EQ(animated.Play(), c.stillPlaying);
    EXPECT_EQ(animated.hasTimer(), c.stillPlaying);
}

INSTANTIATE_TEST_SUITE_P(
    Play, TAnimatedRun,
    testing::Values(
        RunCase{
            "forward_once_stops_on_the_last_frame_after_four_ticks", false, false, 0, {1, 2, 3, 4}, false},
        RunCase{"reverse_once_stops_on_frame_zero", true, false, 3, {2, 1, 0}, false},
        RunCase{"reverse_from_zero_wraps_to_the_last_first", true, false, 0, {4, 3, 2, 1, 0}, false},
        RunCase{"forward_loop_goes_round_again", false, true, 2, {3, 4, 0, 1, 2, 3}, true}),
    qv::test::RowName());

TEST(KeyedStrip, CutsOutExactlyTheTransparentColour)
{
    QImage strip(3, 1, QImage::Format_RGB32);
    strip.setPixel(0, 0, qRgb(255, 0, 0));
    strip.setPixel(1, 0, qRgb(254, 0, 0));
    strip.setPixel(2, 0, qRgb(0, 0, 255));
    const QImage keyed = keyedStrip(strip, Qt::red);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(254, 0, 0));
    EXPECT_EQ(keyed.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(keyedStrip(strip, QColor()), strip) << "no transparent colour";
}

// Three 10 x 12 frames: red, green, blue.
QPixmap rgbStrip()
{
    QImage strip(30, 12, QImage::Format_RGB32);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 10, 12, Qt::red);
    painter.fillRect(10, 0, 10, 12, Qt::green);
    painter.fillRect(20, 0, 10, 12, Qt::blue);
    return QPixmap::fromImage(strip);
}

TEST(TAnimated, StripSetsTheHeightAndEachFrameFillsTheControl)
{
    TAnimated animated;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(200, 200, 200));
    animated.setPalette(palette);
    EXPECT_EQ(animated.size(), QSize(30, 30));
    EXPECT_EQ(animated.grab().toImage().pixel(15, 15), qRgb(255, 255, 255)) << "an empty strip is white";

    animated.setBitMap(rgbStrip());
    animated.setFrameCount(3);
    animated.resize(10, animated.height());
    EXPECT_EQ(animated.height(), 12);
    animated.setFrame(2);
    EXPECT_EQ(animated.grab().toImage().pixel(9, 11), qRgb(0, 0, 255));

    animated.setTransparentColor(Qt::green);
    animated.setFrame(1);
    EXPECT_EQ(animated.grab().toImage().pixel(5, 5), qRgb(200, 200, 200)) << "the control's colour";
    animated.setFrame(0);
    EXPECT_EQ(animated.grab().toImage().pixel(5, 5), qRgb(255, 0, 0));

    animated.setBitMap(QPixmap());
    EXPECT_EQ(animated.height(), 30);
}

TEST(TAnimated, ThePictureBehindShowsThroughTheTransparentColour)
{
    QWidget parent;
    parent.resize(20, 20);
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::magenta);
    parent.setPalette(palette);
    auto* animated = new TAnimated(&parent);
    QPalette own;
    own.setColor(QPalette::Window, Qt::gray);
    animated->setPalette(own);
    animated->setBitMap(rgbStrip());
    animated->setFrameCount(3);
    animated->setGeometry(0, 0, 10, 12);
    animated->setTransparentColor(Qt::green);
    animated->setFrame(1);
    EXPECT_EQ(parent.grab().toImage().pixel(5, 5), qRgb(255, 0, 255));
    animated->setFrame(0);
    EXPECT_EQ(parent.grab().toImage().pixel(5, 5), qRgb(255, 0, 0));
}

} // namespace
