#include "bench/charts/BarChartView.h"
#include "bench/ui/DiskBenchDlg.h"
#include "bench/ui/DiskBenchJob.h"
#include "platform/Dialogs.h"
#include "tests/benchui/RenderChecks.h"
#include "tests/support/FakeTree.h"
#include "widgets/TransBtn.h"

#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace bd = qv::bench::disk;
namespace fs = std::filesystem;

std::size_t entriesIn(const fs::path& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A folder in memory, where the test file fills quickly.
class MemoryFolder {
public:
    MemoryFolder()
    {
        char name[] = "/dev/shm/qv-disk-XXXXXX";
        if (mkdtemp(name) != nullptr)
            m_path = name;
    }
    ~MemoryFolder()
    {
        if (!m_path.empty())
            fs::remove_all(m_path);
    }
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

TEST(DiskWindow, AFolderThatCannotHoldTheFileGivesOneMessageAndNothingRuns)
{
    qv::test::FakeTree root;
    root.write("file", "x");
    QStringList shown;
    const qv::platform::ScopedErrorPresenter capture(
        [&](QWidget*, const QString& title, const QString& text) {
            shown << title + QStringLiteral(": ") + text;
        });
    TDiskBenchDlg window;
    for (const std::string name : {"missing", "file"}) {
        window.setFolder(QString::fromStdString((root.path() / name).string()));
        QTest::mouseClick(&qv::test::control<TTransparentButton>(window, "StartStop"), Qt::LeftButton);
        EXPECT_FALSE(window.running());
    }
    const QString base = QString::fromStdString(root.path().string());
    EXPECT_EQ(
        shown,
        (QStringList{QStringLiteral("Hard disk benchmark: The folder '%1/missing' does not exist.").arg(base),
                     QStringLiteral("Hard disk benchmark: '%1/file' is not a folder.").arg(base)}));
}

TEST(DiskWindow, StopAndCloseEndTheRunAtOnceAndTheFileGoes)
{
    const MemoryFolder folder;
    if (folder.path().empty())
        GTEST_SKIP() << "no /dev/shm here";
    for (const bool byClose : {false, true}) {
        SCOPED_TRACE(byClose ? "close" : "stop");
        TDiskBenchDlg window;
        window.setFolder(QString::fromStdString(folder.path().string()));
        qv::test::control<QSpinBox>(window, "FileSize").setValue(64);
        window.show();
        QLabel& progress = qv::test::control<QLabel>(window, "Progress");
        QTest::mouseClick(&qv::test::control<TTransparentButton>(window, "StartStop"), Qt::LeftButton);
        ASSERT_TRUE(window.running());
        EXPECT_EQ(qv::test::control<TTransparentButton>(window, "StartStop").Caption(),
                  QStringLiteral("S&top"));
        // The window keeps answering while the run goes on: its progress arrives through the event loop.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return progress.text().contains(QStringLiteral("Sequential")); }, 60'000))
            << progress.text().toStdString();
        if (byClose) {
            window.close();
        } else {
            QTest::mouseClick(&qv::test::control<TTransparentButton>(window, "StartStop"), Qt::LeftButton);
            EXPECT_EQ(progress.text(), QStringLiteral("Stopped."));
        }
        EXPECT_FALSE(window.running());
        ASSERT_TRUE(QTest::qWaitFor([] { return qv::benchui::DiskBenchJob::threadsAlive() == 0; }, 60'000));
        EXPECT_EQ(entriesIn(folder.path()), 0u);
    }
}

TEST(DiskWindow, AFinishedRunShowsItsFiguresIndexAndBarBesideTheDriveClasses)
{
    TDiskBenchDlg window;
    auto& chart = qv::test::control<qv::charts::BarChartView>(window, "Chart");
    EXPECT_EQ(chart.chart().bars().size(), 8u) << "the drive classes before any run";
    bd::DiskResult result;
    for (const bd::DiskPattern& pattern : bd::diskPatterns())
        result.tests.push_back(
            {pattern, bd::Measurement{1100, 1000, 50, 90}, bd::Measurement{1100, 1000, 50, 90}});
    result.cacheNote = "The folder is in memory (tmpfs): the figures show the page cache, not a drive.";
    window.showResult(result);
    window.show();
    const QImage image = qv::test::renderedWindow(window, QStringLiteral("disk-benchmark"));
    ASSERT_EQ(chart.chart().bars().size(), 9u);
    EXPECT_EQ(chart.chart().bars().front().label, QStringLiteral("This drive"));
    EXPECT_EQ(chart.chart().bars().front().value, 1100);
    EXPECT_EQ(qv::test::control<QTableWidget>(window, "Results").item(0, 0)->text(), QStringLiteral("1100"));
    EXPECT_TRUE(
        qv::test::control<QLabel>(window, "DiskIndex").text().startsWith(QStringLiteral("Disk index: ")));
    const QRect area(chart.mapTo(&window, QPoint(0, 0)), chart.size());
    const auto reddish = [](const QColor& colour) { return colour.red() > 150 && colour.green() < 100; };
    EXPECT_GT(qv::test::countPixels(image, reddish, area), 100) << "this drive's bar is drawn";
}

} // namespace
