// The network and Internet benchmark windows against servers of the test's own on loopback.
#include "bench/charts/BarChartView.h"
#include "bench/inet/InetBenchmark.h"
#include "bench/ui/InetBenchDlg.h"
#include "bench/ui/NetBenchDlg.h"
#include "bench/ui/NetBenchJob.h"
#include "bench/ui/ResultSaving.h"
#include "platform/Dialogs.h"
#include "results/ResultFiles.h"
#include "results/report/SessionLog.h"
#include "tests/benchui/RenderChecks.h"
#include "tests/netbench/HttpTestServer.h"
#include "tests/netbench/NetTestPeers.h"
#include "widgets/TransBtn.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void clickStartStop(QWidget& window)
{
    QTest::mouseClick(&qv::test::control<TTransparentButton>(window, "StartStop"), Qt::LeftButton);
}

// The run's bar, in the accent red, is drawn in the chart.
int redPixelsInChart(QWidget& window, const QString& name)
{
    const QImage image = qv::test::renderedWindow(window, name);
    const auto& chart = qv::test::control<qv::charts::BarChartView>(window, "Chart");
    const QRect area(chart.mapTo(&window, QPoint(0, 0)), chart.size());
    return qv::test::countPixels(
        image, [](const QColor& colour) { return colour.red() > 150 && colour.green() < 100; }, area);
}

// The one recorded session's figure `name`.
double recordedFigure(const qv::cli::SessionLog& log, qv::results::Benchmark benchmark, const char* name)
{
    EXPECT_EQ(log.sessions().size(), 1u);
    if (log.sessions().size() != 1u)
        return -1;
    EXPECT_EQ(log.sessions().front().benchmark, benchmark);
    return qv::results::figureValue(log.sessions().front().summary, name);
}

// The run is recorded in the program's sessions and its chart saves it as `bench --save` would.
TEST(NetWindow, RunsAgainstALocalServerAndShowsTheLinkBesideTheClasses)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    const qv::test::LoopbackServer server;
    TNetBenchDlg window;
    window.setServer(QStringLiteral("127.0.0.1"), server.port());
    qv::test::control<QSpinBox>(window, "Seconds").setValue(1);
    window.show();
    EXPECT_EQ(qv::test::control<qv::charts::BarChartView>(window, "Chart").chart().bars().size(), 8u)
        << "the link classes";
    clickStartStop(window);
    ASSERT_TRUE(window.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60'000));
    const QTableWidget& table = qv::test::control<QTableWidget>(window, "Results");
    ASSERT_NE(table.item(0, 0), nullptr);
    EXPECT_TRUE(table.item(0, 0)->text().endsWith(QStringLiteral(" Mbit/s")))
        << table.item(0, 0)->text().toStdString();
    EXPECT_TRUE(table.item(2, 0)->text().endsWith(QStringLiteral(" ms")));
    EXPECT_FALSE(qv::test::control<QLabel>(window, "Note").text().startsWith(QStringLiteral("Partial")));
    const auto& bars = qv::test::control<qv::charts::BarChartView>(window, "Chart").chart().bars();
    ASSERT_EQ(bars.size(), 9u);
    EXPECT_EQ(bars.front().label, QStringLiteral("This link"));
    EXPECT_GT(redPixelsInChart(window, QStringLiteral("network-benchmark")), 100);

    EXPECT_DOUBLE_EQ(recordedFigure(log, qv::results::Benchmark::Net, "DownloadMbps"), bars.front().value);
    const QString path = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("link.qvr"));
    const qv::platform::ScopedModalRunner answer([&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog))
            files->selectFile(path);
        return int(QDialog::Accepted);
    });
    window.findChild<qv::benchui::ResultSaving*>()->saveAction()->trigger();
    const qv::results::SavedResult saved = qv::results::readSavedResult(path.toStdString());
    EXPECT_EQ(saved.benchmark, qv::results::Benchmark::Net);
    EXPECT_EQ(saved.summary, log.sessions().front().summary);
}

TEST(NetWindow, StopAndCloseEndTheRunAtOnce)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    const qv::test::LoopbackServer server;
    for (const bool byClose : {false, true}) {
        SCOPED_TRACE(byClose ? "close" : "stop");
        TNetBenchDlg window;
        window.setServer(QStringLiteral("127.0.0.1"), server.port());
        qv::test::control<QSpinBox>(window, "Seconds").setValue(60);
        window.show();
        QLabel& progress = qv::test::control<QLabel>(window, "Progress");
        clickStartStop(window);
        // The live rate arrives through the event loop while the window answers.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return progress.text().startsWith(QStringLiteral("Download: ")); }, 30'000))
            << progress.text().toStdString();
        if (byClose)
            window.close();
        else
            clickStartStop(window);
        EXPECT_FALSE(window.running());
        ASSERT_TRUE(QTest::qWaitFor([] { return qv::benchui::NetBenchJob::threadsAlive() == 0; }, 30'000));
    }
    EXPECT_TRUE(log.sessions().empty()) << "a stopped run is not kept";
}

TEST(InetWindow, ContactsNobodyUntilGivenAnAddressThenRemembersIt)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    const QString folder = qv::test::scratchDirectory();
    const qv::test::HttpTestServer server;
    TInetBenchDlg window(nullptr, folder);
    EXPECT_EQ(qv::test::control<QLineEdit>(window, "Address").text(), QString())
        << "no address of our choosing";
    window.setAddress(server.url("/data/30000000"));
    qv::test::control<QSpinBox>(window, "Seconds").setValue(2);
    window.show();
    clickStartStop(window);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60'000));
    const QTableWidget& table = qv::test::control<QTableWidget>(window, "Results");
    ASSERT_NE(table.item(1, 0), nullptr);
    EXPECT_TRUE(table.item(1, 0)->text().endsWith(QStringLiteral(" Mbit/s")))
        << table.item(1, 0)->text().toStdString();
    EXPECT_GT(redPixelsInChart(window, QStringLiteral("internet-benchmark")), 100);
    EXPECT_GT(recordedFigure(log, qv::results::Benchmark::Inet, "DownloadMbps"), 0);
    EXPECT_EQ(qv::bench::inet::lastAddress(folder), server.url("/data/30000000"));
    const TInetBenchDlg reopened(nullptr, folder);
    EXPECT_EQ(qv::test::control<QLineEdit>(const_cast<TInetBenchDlg&>(reopened), "Address").text(),
              server.url("/data/30000000"));
}

TEST(InetWindow, RefusesAnAddressThatIsNotHttpWithOneMessage)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    QStringList shown;
    const qv::platform::ScopedErrorPresenter capture(
        [&](QWidget*, const QString& title, const QString& text) {
            shown << title + QStringLiteral(": ") + text;
        });
    TInetBenchDlg window(nullptr, qv::test::scratchDirectory());
    window.setAddress(QStringLiteral("ftp://127.0.0.1/f"));
    clickStartStop(window);
    EXPECT_FALSE(window.running());
    EXPECT_EQ(shown,
              QStringList{QStringLiteral("Internet connection benchmark: 'ftp://127.0.0.1/f' is not an "
                                         "http:// or https:// address with a host")});
    EXPECT_TRUE(log.sessions().empty()) << "a refused run is not recorded";
}

} // namespace
