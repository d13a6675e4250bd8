#include "tests/support/TestSupport.h"
#include "widgets/Animate.h"
#include "widgets/LED.h"

#include <QLabel>
#include <QMetaEnum>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A dialog-coloured panel with the program's dark blue text and "MS Sans Serif".
void dialogLook(QWidget& panel)
{
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, QColor(198, 198, 214));
    palette.setColor(QPalette::WindowText, QColor(41, 41, 82));
    panel.setPalette(palette);
    panel.setAutoFillBackground(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    panel.setFont(font);
}

QLabel* heading(QWidget& panel, const QString& text, const QRect& where)
{
    auto* label = new QLabel(text, &panel);
    QFont bold = panel.font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(where);
    return label;
}

TEST(IndicatorRendering, LedLabelsInEveryAlignmentColourAndState)
{
    struct Column {
        const char* title;
        TLED::TLEDColor colour;
        bool lit;
        bool enabled;
    };
    const Column columns[] = {{"Red, lit", TLED::lcRed, true, true},
                              {"Green, lit", TLED::lcGreen, true, true},
                              {"Yellow, lit", TLED::lcYellow, true, true},
                              {"Green, unlit", TLED::lcGreen, false, true},
                              {"Disabled", TLED::lcGreen, true, false}};
    constexpr int left = 70, step = 128, top = 28, rowHeight = 46;
    QWidget panel;
    dialogLook(panel);
    panel.resize(left + 5 * step + 8, top + 5 * rowHeight + 8);
    for (int c = 0; c < 5; ++c)
        heading(panel, QString::fromLatin1(columns[c].title), QRect(left + c * step, 6, step, 16));

    const QMetaEnum alignments = QMetaEnum::fromType<TLEDLabel::TCaptionAlignment>();
    for (int row = 0; row < alignments.keyCount(); ++row) {
        const auto alignment = static_cast<TLEDLabel::TCaptionAlignment>(alignments.value(row));
        const int y = top + row * rowHeight;
        heading(panel, QString::fromLatin1(alignments.key(row)), QRect(8, y, left - 8, 34));
        const bool vertical = alignment == TLEDLabel::caTop || alignment == TLEDLabel::caBottom;
        for (int c = 0; c < 5; ++c) {
            auto* label = new TLEDLabel(&panel);
            label->setGeometry(left + c * step, vertical ? y : y + 8, step - 8, vertical ? 34 : 17);
            label->setAlignment(alignment);
            label->setCaption(QStringLiteral("MMX instructions"));
            label->setColor(columns[c].colour);
            label->setLit(columns[c].lit);
            label->setEnabled(columns[c].enabled);
        }
    }
    heading(panel, QStringLiteral("TLED"), QRect(8, top + 4 * rowHeight, left - 8, 20));
    for (int i = 0; i < 7; ++i) {
        auto* led = new TLED(&panel);
        led->move(left + i * 22, top + 4 * rowHeight + 4);
        led->setColor(static_cast<TLED::TLEDColor>(i % 3));
        led->setLit(i < 3);
        led->setEnabled(i != 6);
    }
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage image(qv::test::saveScreenshot(panel, QStringLiteral("indicators-led-labels")));
    // Only the lit red LEDs (first column, and the first TLED below it) glow red.
    const auto glowingRed = [](const QColor& c) {
        return c.red() > 170 && c.green() < 110 && c.blue() < 110;
    };
    EXPECT_GT(qv::test::countPixels(image, glowingRed, QRect(left, 0, step, image.height())), 0);
    EXPECT_EQ(qv::test::countPixels(image, glowingRed, QRect(0, 0, left, image.height())), 0);
    EXPECT_EQ(qv::test::countPixels(image, glowingRed, QRect(left + step, 0, image.width(), image.height())),
              0);
}

TAnimated* strip(QWidget& panel, const QString& picture, int frameWidth, int frameCount, int frame, QPoint at)
{
    auto* animated = new TAnimated(&panel);
    animated->setBitMap(QPixmap(picture));
    animated->resize(frameWidth, animated->height());
    animated->setFrameCount(frameCount);
    animated->setFrame(frame);
    animated->move(at);
    return animated;
}

TEST(IndicatorRendering, DigitWheelsAndCheckMarks)
{
    QWidget panel;
    dialogLook(panel);
    panel.resize(300, 150);
    heading(panel, QStringLiteral("Counter 2003, grey-keyed check, every digit"), QRect(8, 4, 300, 16));
    const int score[] = {2, 0, 0, 3};
    for (int i = 0; i < 4; ++i)
        strip(panel, QStringLiteral(":/pictures/digits.png"), 19, 10, score[i], {8 + i * 19, 24});
    for (int digit = 0; digit < 10; ++digit)
        strip(panel, QStringLiteral(":/pictures/digits.png"), 19, 10, digit, {8 + digit * 20, 58});

    heading(panel, QStringLiteral("Check mark frames 0-7 (red key)"), QRect(8, 92, 300, 16));
    for (int frame = 0; frame < 8; ++frame) {
        strip(panel, QStringLiteral(":/pictures/check_red.png"), 24, 8, frame, {8 + frame * 26, 112})
            ->setTransparentColor(Qt::red);
    }
    strip(panel, QStringLiteral(":/pictures/check_grey.png"), 24, 8, 0, {8 + 4 * 19 + 16, 26})
        ->setTransparentColor(QColor(128, 128, 128));
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage image(qv::test::saveScreenshot(panel, QStringLiteral("indicators-animations")));
    // The strips' key colours are transparent: neither the red key nor the grey one shows.
    EXPECT_EQ(qv::test::countPixels(image, Qt::red), 0);
    EXPECT_EQ(qv::test::countPixels(image, QColor(128, 128, 128), QRect(8 + 4 * 19 + 16, 26, 24, 29)), 0);
}

} // namespace
