#pragma once

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PictureStores.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QWidget>

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace qv::test {

// The child of `window` named `name`; a test that asks for a missing one fails with its name.
template<class Control>
Control& control(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::logic_error(std::string("no control ") + name);
    return *found;
}

// A window's rendering, saved for a person to look at.
inline QImage renderedWindow(QWidget& window, const QString& name)
{
    return QImage(saveScreenshot(window, name)).convertToFormat(QImage::Format_RGB32);
}

// The introduction shows the shared illustration in its picture label.
inline void expectIllustrationShown(QWidget& introduction, const QString& name)
{
    const QImage image = renderedWindow(introduction, name);
    const auto* label = introduction.findChild<QLabel*>(QStringLiteral("ImageTestPerf"));
    ASSERT_NE(label, nullptr);
    const QImage illustration =
        benchui::BenchWindows::instance().EtoileDlg().BenchmarkIllustration().toImage();
    const QRect drawn = QStyle::alignedRect(label->layoutDirection(), label->alignment(), illustration.size(),
                                            label->contentsRect());
    const QPoint centre(illustration.width() / 2, illustration.height() / 2);
    EXPECT_EQ(image.pixelColor(label->mapTo(&introduction, drawn.topLeft() + centre)),
              illustration.pixelColor(centre));
}

// How many pixels of the chart `chart` of `window` show the user's orange-brown bar.
inline int userBarPixels(const QImage& image, QWidget& window, const QWidget& chart)
{
    const QRect area(chart.mapTo(&window, QPoint(0, 0)), chart.size());
    return countPixels(
        image, [](const QColor& c) { return c.red() > c.green() + 40 && c.red() > c.blue() + 60; }, area);
}

} // namespace qv::test
