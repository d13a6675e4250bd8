#include "tests/support/TestSupport.h"
#include "widgets/ExtPage.h"

#include <QLabel>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Ctl = TExtPageControl;

// Three 16 x 16 glyphs on magenta: a chip, a window and a globe.
QPixmap glyphStrip()
{
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    p.setPen(QColor(20, 30, 80));
    p.setBrush(QColor(70, 120, 210));
    p.drawRect(3, 3, 10, 10);
    p.fillRect(6, 6, 4, 4, QColor(250, 200, 60));
    p.setBrush(QColor(240, 240, 250));
    p.drawRect(17, 2, 13, 12);
    p.fillRect(18, 3, 12, 3, QColor(40, 80, 170));
    p.setBrush(QColor(60, 160, 90));
    p.drawEllipse(33, 1, 13, 13);
    return QPixmap::fromImage(strip);
}

Ctl* pageControl(QWidget& panel, const QRect& where, Ctl::TExtTabPosition position, bool glyphs)
{
    auto* control = new Ctl(&panel);
    control->setGeometry(where);
    const char* captions[] = {"General information", "&Detailled", "Network"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new TTabSheet;
        page->setCaption(QString::fromLatin1(captions[i]));
        page->setPageControl(control);
        auto* text = new QLabel(QStringLiteral("Page %1").arg(i + 1), page);
        text->move(10, 10);
        if (i == 2)
            page->setEnabled(false);
    }
    if (glyphs) {
        control->TabGlyphs()->setGlyph(glyphStrip());
        control->TabGlyphs()->setNumGlyphs(3);
    }
    control->setTabPosition(position);
    return control;
}

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

TEST(ExtPageRendering, ThreePagesInEveryPositionWithGlyphsAndADisabledPage)
{
    QWidget panel;
    dialogLook(panel);
    panel.resize(2 * 380 + 24, 3 * 190 + 32);
    const Ctl::TExtTabPosition positions[] = {Ctl::tabPosTop, Ctl::tabPosBottom, Ctl::tabPosLeft,
                                              Ctl::tabPosRight};
    for (int i = 0; i < 4; ++i) {
        Ctl* control = pageControl(panel, QRect(8 + (i % 2) * 388, 8 + (i / 2) * 198, 380, 190), positions[i],
                                   i % 2 == 1);
        if (i >= 2) {
            control->setTabWordWrap(true);
            control->setTabWidth(96);
        }
    }

    // The program's look: both tab colours and fonts alike, dark blue captions.
    Ctl* look = pageControl(panel, QRect(8, 8 + 2 * 198, 380, 170), Ctl::tabPosTop, false);
    look->setTabActiveColor(QColor(198, 199, 214));
    look->setTabInactiveColor(QColor(198, 199, 214));
    look->setTabActiveFont(panel.font());
    look->setTabInactiveFont(panel.font());
    // Buttons with glyphs on top, and hot-tracking on the second button.
    Ctl* buttons = pageControl(panel, QRect(396, 8 + 2 * 198, 380, 170), Ctl::tabPosTop, true);
    buttons->TabGlyphs()->setPosition(TExtGlyphs::glPosTop);
    buttons->setTabStyle(Ctl::tabStButton);
    buttons->Hottrack()->setEnabled(true);
    buttons->Hottrack()->setHotTab(1);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage image(qv::test::saveScreenshot(panel, QStringLiteral("extpage-positions")));
    // The glyphs show on the tabs of the controls that have them, without their magenta key.
    EXPECT_EQ(qv::test::countPixels(image, QColor(255, 0, 255)), 0);
    EXPECT_GT(qv::test::countPixels(image, QColor(70, 120, 210), QRect(396, 8, 380, 190)), 0);
    EXPECT_EQ(qv::test::countPixels(image, QColor(70, 120, 210), QRect(8, 8, 380, 190)), 0);
}

} // namespace
