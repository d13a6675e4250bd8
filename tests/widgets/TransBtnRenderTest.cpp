#include "forms/Look.h"
#include "tests/support/TestSupport.h"
#include "tests/widgets/TransBtnTestSupport.h"
#include "widgets/GlyphImages.h"
#include "widgets/TransBtn.h"

#include <QLinearGradient>
#include <QMetaEnum>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using Btn = TTransparentButton;
using qv::test::hover;

namespace {

// A 24x24 picture with soft edges on a transparent background.
QPixmap chipGlyph()
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 2, 0, 22);
    body.setColorAt(0, QColor(90, 140, 230));
    body.setColorAt(1, QColor(30, 60, 150));
    painter.setPen(QPen(QColor(20, 30, 80), 1));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 200, 60));
    painter.drawEllipse(QRectF(8, 8, 8, 8));
    for (int i = 0; i < 3; ++i) {
        painter.fillRect(QRectF(6 + i * 5, 0.5, 2, 3), QColor(150, 150, 160));
        painter.fillRect(QRectF(6 + i * 5, 20.5, 2, 3), QColor(150, 150, 160));
    }
    return QPixmap::fromImage(image);
}

// The window's background picture, which must show through the buttons, with a few labels.
class GradientPanel : public QWidget {
public:
    std::vector<std::pair<QRect, QString>> labels;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(198, 198, 214));
        gradient.setColorAt(1, QColor(120, 130, 170));
        painter.fillRect(rect(), gradient);
        painter.setPen(QColor(41, 41, 82));
        for (const auto& [area, text] : labels)
            painter.drawText(area, Qt::AlignVCenter, text);
    }
};

TEST(TransBtnRendering, EveryFrameStyleAtRestHoveredPressedAndDisabled)
{
    GradientPanel panel;
    panel.resize(80 + 4 * 88, 16 + 7 * 64);
    std::vector<Btn*> pressed;
    const QMetaEnum styles = QMetaEnum::fromType<Btn::TFrameStyle>();
    for (int row = 0; row < styles.keyCount(); ++row) {
        panel.labels.emplace_back(QRect(6, 8 + row * 64, 70, 56), QString::fromLatin1(styles.key(row)));
        for (int column = 0; column < 4; ++column) {
            auto* button = new Btn(&panel);
            button->setGeometry(80 + column * 88, 8 + row * 64, 80, 56);
            button->setFrameStyle(static_cast<Btn::TFrameStyle>(row));
            button->setGlyph(chipGlyph());
            button->setCaption(QStringLiteral("&Start"));
            button->setTextAlign(Btn::ttaBottom);
            if (column == 1 || column == 2)
                hover(*button);
            if (column == 2)
                pressed.push_back(button);
            if (column == 3)
                button->setEnabled(false);
        }
    }
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    for (Btn* button : pressed)
        QTest::mousePress(button, Qt::LeftButton, {}, {10, 10});

    const QImage image(qv::test::saveScreenshot(panel, QStringLiteral("transbtn-frame-styles")));
    // The chip's yellow centre shows on the hovered buttons and is greyed on the disabled ones.
    const QColor chipCentre(250, 200, 60);
    for (int row = 0; row < styles.keyCount(); ++row) {
        EXPECT_GT(qv::test::countPixels(image, chipCentre, QRect(80 + 88, 8 + row * 64, 80, 56)), 0)
            << styles.key(row);
        EXPECT_EQ(qv::test::countPixels(image, chipCentre, QRect(80 + 3 * 88, 8 + row * 64, 80, 56)), 0)
            << styles.key(row);
    }
}

// Bounding box of the pure red pixels of a widget's rendering.
QRect redArea(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                area |= QRect(x, y, 1, 1);
    return area;
}

struct ShiftCase {
    const char* name;
    bool showPressed;
    QPoint shift;
};

void PrintTo(const ShiftCase& c, std::ostream* os)
{
    *os << c.name;
}

class TransBtnPressedShift : public testing::TestWithParam<ShiftCase> {};

TEST_P(TransBtnPressedShift, MovesTheGlyphWhenShowPressed)
{
    QPixmap glyph(8, 8);
    glyph.fill(Qt::red);
    Btn button;
    button.setFrameStyle(Btn::fsNone);
    button.setGlyph(glyph);
    button.setShowPressed(GetParam().showPressed);

    const QRect resting = redArea(button);
    button.setDown(true);
    const QRect down = redArea(button);

    EXPECT_EQ(resting, QRect(16, 16, 8, 8));
    EXPECT_EQ(down, resting.translated(GetParam().shift));
}

INSTANTIATE_TEST_SUITE_P(
    ShowPressed, TransBtnPressedShift,
    testing::Values(ShiftCase{"pressed_content_moves_one_pixel_right_and_down", true, {1, 1}},
                    ShiftCase{"without_show_pressed_the_content_stays", false, {0, 0}}),
    qv::test::RowName());

TEST(TransBtnRendering, ExplorerAtRestDrawsTheGlyphInGrey)
{
    QPixmap glyph(8, 8);
    glyph.fill(Qt::red);
    Btn button;
    button.setGlyph(glyph);

    const QImage image = button.grab().toImage();
    const int grey = 11 * 255 / 100;
    EXPECT_EQ(image.pixel(20, 20), qRgb(grey, grey, grey));
    EXPECT_TRUE(redArea(button).isNull());
}

// A dialog button drawn for a screen of pixel ratio 2. A 1x picture blown up to it is made of 2 x 2 blocks
// of one colour; the @2x picture, drawn at that resolution, is not.
TEST(TransBtnRendering, AtPixelRatio2TheButtonDrawsFromThe2xPicture)
{
    const QString path = QStringLiteral(":/pictures/btn_ok.png");
    const auto render = [](const QPixmap& glyph) {
        TTransparentButton button;
        button.resize(115, 43);
        button.setGlyph(glyph);
        QImage image(button.size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::black);
        button.render(&image);
        return image;
    };
    // Blocks of the picture's mark whose four pixels are not all alike.
    const auto unevenBlocks = [](const QImage& image) {
        int uneven = 0;
        for (int y = 0; y + 1 < image.height(); y += 2)
            for (int x = 0; x + 1 < 2 * 40; x += 2) {
                const QRgb p = image.pixel(x, y);
                uneven += p != image.pixel(x + 1, y) || p != image.pixel(x, y + 1) ||
                          p != image.pixel(x + 1, y + 1);
            }
        return uneven;
    };
    const QPixmap sharp = qv::look::picture(path, 2);
    ASSERT_EQ(sharp.devicePixelRatio(), 2);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QPixmap(path).size()) << "the same size on the screen";
    EXPECT_EQ(qv::look::picture(path, 1).devicePixelRatio(), 1);

    // The grey and disabled copies are made at the same resolution and cover the same shape.
    qv::widgets::GlyphImageList images;
    images.rebuild(sharp, 1, Qt::white, Qt::darkGray);
    const auto opaque = [](const QImage& image) {
        return qv::test::countPixels(image.convertToFormat(QImage::Format_ARGB32),
                                     [](const QColor& c) { return c.alpha() > 128; });
    };
    for (int i = 0; i < images.count(); ++i) {
        EXPECT_EQ(images.image(i).deviceIndependentSize().toSize(), images.imageSize()) << i;
        EXPECT_LT(opaque(images.image(i).toImage()), opaque(sharp.toImage()) * 6 / 5) << i;
    }

    const QImage drawn = render(sharp);
    EXPECT_EQ(unevenBlocks(render(QPixmap(path))), 0) << "the 1x picture, blown up";
    EXPECT_GT(unevenBlocks(drawn), 40);
}

} // namespace
