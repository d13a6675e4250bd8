#include "bench/display/DisplayTests.h"
#include "bench/ui/DisplayBenchDlg.h"
#include "platform/Dialogs.h"
#include "results/report/SessionLog.h"
#include "tests/benchui/RenderChecks.h"
#include "widgets/TransBtn.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace bd = qv::bench::display;

QLabel& label(QWidget& window, const char* name)
{
    auto* found = window.findChild<QLabel*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::logic_error(std::string("no label ") + name);
    return *found;
}

TTransparentButton& startStop(QWidget& window)
{
    return *window.findChild<TTransparentButton*>(QStringLiteral("StartStop"));
}

// A run at twice the baseline's rates on a software renderer.
bd::DisplayResult twiceTheBaseline(bd::DisplayKind kind)
{
    bd::DisplayResult result;
    result.kind = kind;
    result.renderer = "llvmpipe (LLVM 15.0.6, 256 bits)";
    result.vendor = "Mesa";
    result.version = "4.5";
    result.software = true;
    const auto tests = bd::displayTests(kind);
    for (std::size_t i = 0; i < tests.size(); ++i) {
        const double rate = 2 * bd::displayReferences(kind).front().rates[i];
        result.tests.push_back({std::string(tests[i].key), std::string(tests[i].label), rate, rate, {}});
    }
    return result;
}

TEST(DisplayWindow, ThreeDResultNamesTheSoftwareRendererAndChartsTheIndex)
{
    TDisplay3DBenchDlg window;
    window.show();
    window.showResult(twiceTheBaseline(bd::DisplayKind::ThreeD));
    EXPECT_EQ(label(window, "Index").text(), QStringLiteral("3D index: 200"));
    EXPECT_TRUE(label(window, "Renderer").text().startsWith(QStringLiteral("Renderer: llvmpipe")));
    EXPECT_TRUE(label(window, "Renderer").text().contains(QStringLiteral("This is a software renderer")));
    const QImage image = qv::test::renderedWindow(window, QStringLiteral("display-3d-result"));
    const auto* chart = window.findChild<QWidget*>(QStringLiteral("Chart"));
    EXPECT_GT(qv::test::userBarPixels(image, window, *chart), 100) << "this machine's bar is drawn";
}

// Only a run that ended is recorded as a session of the program, which the chart saves.
TEST(DisplayWindow, TwoDStopsAtOnceAndClosingStopsTheRun)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    TDisplay2DBenchDlg window;
    window.show();
    EXPECT_FALSE(label(window, "Renderer").isVisible()) << "2D names no renderer";
    QTest::mouseClick(&startStop(window), Qt::LeftButton);
    ASSERT_TRUE(window.running());
    QTest::qWait(300);
    QTest::mouseClick(&startStop(window), Qt::LeftButton);
    EXPECT_FALSE(window.running());
    EXPECT_EQ(label(window, "Progress").text(), QStringLiteral("Stopped."));

    QTest::mouseClick(&startStop(window), Qt::LeftButton);
    ASSERT_TRUE(window.running());
    window.close();
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(log.sessions().empty());

    window.show();
    QTest::mouseClick(&startStop(window), Qt::LeftButton);
    ASSERT_TRUE(window.running());
    window.showResult(twiceTheBaseline(bd::DisplayKind::TwoD)); // as the engine delivers a run that ended
    window.close();
    ASSERT_EQ(log.sessions().size(), 1u);
    EXPECT_EQ(log.sessions().front().benchmark, qv::results::Benchmark::Display2D);
    EXPECT_EQ(qv::results::figureValue(log.sessions().front().summary, "Display2DIndex"), 200);
}

// The offscreen platform has no OpenGL: the 3D benchmark says so once and does not run.
TEST(DisplayWindow, WithoutOpenGLThe3DBenchmarkGivesOneMessage)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "an X display may give the offscreen platform OpenGL";
    QStringList shown;
    const qv::platform::ScopedErrorPresenter capture(
        [&](QWidget*, const QString& title, const QString& text) {
            shown << title + QStringLiteral(": ") + text;
        });
    TDisplay3DBenchDlg window;
    window.show();
    QTest::mouseClick(&startStop(window), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.running(), 10000);
    EXPECT_EQ(shown, QStringList{QStringLiteral("3D display benchmark: No OpenGL context can be made on this "
                                                "display, so the 3D benchmark cannot run.")});
}

} // namespace
