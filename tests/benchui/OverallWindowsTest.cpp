#include "bench/charts/BarChartView.h"
#include "bench/overall/OverallIndex.h"
#include "bench/ui/OverallBenchDlg.h"
#include "bench/ui/OverallBenchJob.h"
#include "bench/ui/PerformancesWizardDlg.h"
#include "hardware/tree/MachineTree.h"
#include "results/report/SessionLog.h"
#include "tests/benchui/RenderChecks.h"
#include "tests/support/FakeTree.h"
#include "widgets/TransBtn.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace overall = qv::bench::overall;
using qv::results::Benchmark;

// Processor and memory at three times their baselines, the disk refused, 3D on llvmpipe.
overall::OverallResult finishedRun()
{
    overall::OverallResult result;
    for (const auto& [benchmark, index] : {std::pair{Benchmark::Cpu, 300.0}, std::pair{Benchmark::Mem, 399.0},
                                           std::pair{Benchmark::Display3D, 300.0}}) {
        qv::results::SavedResult session;
        session.benchmark = benchmark;
        session.summary = {{std::string(overall::indexBaseline(benchmark).index), index}};
        session.runs.push_back({session.summary, {}});
        result.sessions.push_back(session);
    }
    result.sessions.back().setup["Renderer"] = "llvmpipe (LLVM 15.0.6, 256 bits)";
    result.skipped = {{Benchmark::Disk, "There is not enough room for a 256 MiB test file."}};
    return result;
}

TEST(OverallWindow, AFinishedRunShowsTheCombinedIndexEachBenchmarkAgainstItsBaselineAndWhatWasSkipped)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    TOverallBenchDlg window;
    window.showResult(finishedRun());
    window.show();
    const QImage image = qv::test::renderedWindow(window, QStringLiteral("overall-performances"));
    EXPECT_EQ(qv::test::control<QLabel>(window, "OverallIndex").text(),
              QStringLiteral("Overall index: 300 (100: as fast as every baseline)"));
    const auto& bars = qv::test::control<qv::charts::BarChartView>(window, "Chart").chart().bars();
    ASSERT_EQ(bars.size(), 4U) << "three benchmarks and the baselines";
    EXPECT_EQ(bars.front().label, QStringLiteral("Processor"));
    EXPECT_NEAR(bars.front().value, 300, 1e-9);
    EXPECT_EQ(log.sessions().back().benchmark, Benchmark::Overall) << "the whole run joins the session";
    EXPECT_EQ(image.pixelColor(5, 5),
              QImage(QStringLiteral(":/pictures/title_overall.png")).pixelColor(5, 5));
}

TEST(OverallWindow, ReturnPressesCloseTheDefaultButton)
{
    TOverallBenchDlg window;
    window.show();
    auto& startStop = qv::test::control<TTransparentButton>(window, "StartStop");
    EXPECT_EQ(startStop.Caption(), QStringLiteral("&Start"));
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}

TEST(OverallWindow, StopEndsTheRunAtOnceWhileAKernelRuns)
{
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    TOverallBenchDlg window;
    window.show();
    auto& startStop = qv::test::control<TTransparentButton>(window, "StartStop");
    auto& progress = qv::test::control<QLabel>(window, "Progress");
    QTest::mouseClick(&startStop, Qt::LeftButton);
    ASSERT_TRUE(window.running());
    // The window keeps answering while the processor kernel runs on the job's thread.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return progress.text().startsWith(QStringLiteral("Running: Processor")); }, 10'000))
        << progress.text().toStdString();
    QTest::mouseClick(&startStop, Qt::LeftButton);
    EXPECT_FALSE(window.running());
    EXPECT_EQ(progress.text(), QStringLiteral("Stopped."));
    EXPECT_EQ(startStop.Caption(), QStringLiteral("&Start"));
    // The stopped run's thread ends after its kernel, without running the next benchmark or reporting.
    ASSERT_TRUE(QTest::qWaitFor([] { return qv::benchui::OverallBenchJob::threadsAlive() == 0; }, 60'000));
    QTest::qWait(50);
    EXPECT_EQ(progress.text(), QStringLiteral("Stopped."));
    EXPECT_TRUE(log.sessions().empty());
}

TEST(PerformancesWizard, RunsToItsFindingsPageWithEachFindingsFigure)
{
    qv::test::FakeTree tree; // a machine that tells nothing more than the run
    const qv::hardware::ScopedMachineTree machine(std::make_shared<qv::hardware::FolderTree>(tree.path()));
    qv::cli::SessionLog log;
    const qv::cli::ScopedSessionLog installed(&log);
    TPerformancesWizardDlg wizard;
    wizard.show();
    EXPECT_EQ(wizard.page(), TPerformancesWizardDlg::Introduction);
    QTest::mouseClick(&qv::test::control<TTransparentButton>(wizard, "Next"), Qt::LeftButton);
    EXPECT_EQ(wizard.page(), TPerformancesWizardDlg::Choice);
    EXPECT_EQ(wizard.chosen().size(), 5U);
    wizard.showFindings(finishedRun());
    EXPECT_EQ(wizard.page(), TPerformancesWizardDlg::Findings);
    qv::test::renderedWindow(wizard, QStringLiteral("performances-wizard-findings"));
    const QString findings = qv::test::control<QLabel>(wizard, "Findings").text();
    EXPECT_TRUE(findings.contains(QStringLiteral("llvmpipe (LLVM 15.0.6, 256 bits), 3D index 300")))
        << findings.toStdString();
    EXPECT_TRUE(qv::test::control<QLabel>(wizard, "Indices")
                    .text()
                    .contains(QStringLiteral("Hard disk: not run: There is not")));
}

} // namespace
