#include "bench/Dhrystone.h"
#include "bench/Livermore.h"
#include "bench/Scoring.h"
#include "bench/Whetstone.h"
#include "bench/charts/BarChartView.h"
#include "bench/charts/ComparisonBars.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PerfCPUInfoDlg.h"
#include "bench/ui/RatingPanel.h"
#include "bench/ui/WindowPrinter.h"
#include "platform/CursorTable.h"
#include "platform/Dialogs.h"
#include "tests/benchui/PdfCapture.h"
#include "tests/benchui/RenderChecks.h"
#include "tests/support/TestSupport.h"
#include "ui_PerfCPUChartDlg.h"
#include "ui_PerfCPUDlg.h"
#include "ui_PerfCPUInfoDlg.h"
#include "widgets/Animate.h"
#include "widgets/TransBtn.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace qv::bench;
using namespace qv::charts;

// Instant kernels that score ALU 259, FPU 160 and so general 239, and count their calls.
struct StandInKernels {
    int calls = 0;
    std::function<void()> duringAlu;
    std::function<void()> duringFpu;
    qv::benchui::CpuKernels kernels()
    {
        return {[this](double) {
                    ++calls;
                    if (duringAlu)
                        duringAlu();
                    return 3'333'433.5;
                },
                [this](double) {
                    ++calls;
                    if (duringFpu)
                        duringFpu();
                    return 1'049'559.18;
                },
                [this](double) {
                    ++calls;
                    return 0.0;
                }};
    }
};

class CpuWindowsTest : public qv::test::ErrorCheckedTest {
protected:
    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        windows.PerfCPUDlg().setKernels(kernels.kernels());
    }

    // Shows the chart window where the program would run it modally, and lets the test look at it.
    qv::platform::ScopedModalRunner modalRunner{[this](QDialog& dialog) {
        shown.append(dialog.objectName());
        if (auto* chart = qobject_cast<TPerfCPUChartDlg*>(&dialog)) {
            chart->show();
            onChart(*chart);
            chart->hide();
        }
        return int(QDialog::Accepted);
    }};
    QWidget owner;
    qv::benchui::BenchWindows windows{owner};
    StandInKernels kernels;
    QStringList shown;
    std::function<void(TPerfCPUChartDlg&)> onChart = [](TPerfCPUChartDlg&) {};
};

std::vector<QString> labels(const BarChartView& view)
{
    std::vector<QString> result;
    for (const ChartBar& bar : view.chart().bars())
        result.push_back(bar.label);
    return result;
}

TEST_F(CpuWindowsTest, StartRunsTheKernelsAndOpensTheChartWithTheThreeIndices)
{
    TPerfCPUInfoDlg info;
    info.SetChartAfterRun(true);
    info.show();
    int general = 0;
    onChart = [&](TPerfCPUChartDlg& chart) {
        general = chart.chart(CpuChart::General).chart().bars().back().value;
        EXPECT_EQ(chart.chart(CpuChart::Alu).chart().bars().back().value, 259);
        EXPECT_EQ(chart.chart(CpuChart::Fpu).chart().bars().back().value, 160);
        EXPECT_EQ(chart.shownFamily(), CpuFamily::AthlonXP);
        EXPECT_EQ(chart.form().RatingPanel->verdict(), QStringLiteral("Excellent performances"));
    };
    int cursorDuringRun = -1;
    kernels.duringAlu = [&] { cursorDuringRun = qv::platform::selectedScreenCursor(); };
    info.form().TransparentButton9->click();
    EXPECT_EQ(kernels.calls, 3);
    EXPECT_EQ(general, 239);
    EXPECT_EQ(cursorDuringRun, qv::platform::kClockCursorSlot);
    EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot);
    EXPECT_EQ(shown, QStringList{QStringLiteral("PerfCPUChartDlg")});
    EXPECT_FALSE(windows.PerfCPUDlg().isVisible());
    EXPECT_FALSE(info.isVisible());
}

TEST_F(CpuWindowsTest, CancelRunsNothing)
{
    TPerfCPUInfoDlg info;
    info.SetChartAfterRun(true);
    info.show();
    info.form().TransparentButton1->click();
    EXPECT_EQ(kernels.calls, 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(info.isVisible());
}

TEST_F(CpuWindowsTest, WithoutChartAfterRunTheRunOpensNoChart)
{
    TPerfCPUDlg& run = windows.PerfCPUDlg();
    run.SetChartAfterRun(false);
    run.show();
    run.RunCpuBenchmark();
    EXPECT_EQ(kernels.calls, 3);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(run.isVisible());
    EXPECT_EQ(run.generalIndex(), 239);
}

TEST_F(CpuWindowsTest, SecondRunReusesTheRunWindowAndResetsIt)
{
    TPerfCPUDlg& run = windows.PerfCPUDlg();
    run.SetChartAfterRun(false);
    run.show();
    run.RunCpuBenchmark();
    EXPECT_TRUE(run.form().checkALU->isVisibleTo(&run));
    EXPECT_EQ(run.form().etatFPU->text(), QStringLiteral("done."));

    bool checkShown = true;
    QString fpuState = QStringLiteral("unset");
    kernels.duringAlu = [&] {
        checkShown = run.form().checkALU->isVisibleTo(&run) || run.form().checkFPU->isVisibleTo(&run);
        fpuState = run.form().etatFPU->text();
    };
    TPerfCPUInfoDlg info;
    info.show();
    info.form().TransparentButton9->click();
    EXPECT_EQ(&run, &qv::benchui::BenchWindows::instance().PerfCPUDlg());
    EXPECT_FALSE(checkShown);
    EXPECT_EQ(fpuState, QString());
    EXPECT_EQ(run.form().etatALU->text(), QStringLiteral("done."));
}

// Each family button puts its reference rows and the user's bar last on all three charts.
TEST_F(CpuWindowsTest, FamilyButtonsFillTheThreeCharts)
{
    const std::array families{CpuFamily::Pentium,           CpuFamily::Celeron,  CpuFamily::Duron,
                              CpuFamily::PentiumII,         CpuFamily::Athlon,   CpuFamily::PentiumIII,
                              CpuFamily::AthlonThunderbird, CpuFamily::Pentium4, CpuFamily::AthlonXP};
    TPerfCPUChartDlg chart;
    const Ui::PerfCPUChartDlg& form = chart.form();
    const std::array buttons{
        form.CompareToPentium,       form.ButtonCeleron, form.ButtonDuron, form.CompareToPentiumII,
        form.ButtonAthlon,           form.CompareTo486,  form.ButtonTBird, form.buttonCompareToPentium4,
        form.buttonCompareToAthlonXP};
    chart.SetIndices(259, 160, 239);
    chart.show();
    chart.TransparentButton2Click();
    const QString verdictBefore = chart.form().RatingPanel->verdict();
    for (std::size_t i = 0; i < families.size(); ++i) {
        SCOPED_TRACE(buttons[i]->text().toStdString());
        buttons[i]->click();
        EXPECT_EQ(chart.shownFamily(), families[i]);
        EXPECT_EQ(form.Famille->text(), cpuChartCaption(families[i], CpuChart::General));
        EXPECT_EQ(form.FamilleALU->text(), cpuChartCaption(families[i], CpuChart::Alu));
        EXPECT_EQ(form.FamilleFPU->text(), cpuChartCaption(families[i], CpuChart::Fpu));
        const std::array<std::int32_t, 3> indices{239, 259, 160};
        for (CpuChart which : kCpuCharts) {
            const auto expected = cpuChartBars(families[i], which, indices[static_cast<std::size_t>(which)]);
            EXPECT_EQ(chart.chart(which).chart().bars(), expected);
        }
    }
    EXPECT_EQ(chart.form().PageControl1->currentWidget(), chart.form().TabSheet3);
    EXPECT_EQ(chart.form().RatingPanel->verdict(), verdictBefore);
}

TEST_F(CpuWindowsTest, ActivationPicksFamilyRatingAndFirstPage)
{
    struct Row {
        const char* name;
        std::int32_t general;
        CpuFamily family;
        const char* verdict;
    };
    const Row rows[] = {{"150", 150, CpuFamily::PentiumIII, "Very good performances"},
                        {"151", 151, CpuFamily::AthlonXP, "Excellent performances"},
                        {"30", 30, CpuFamily::Pentium, ""},
                        {"31", 31, CpuFamily::PentiumII, ""},
                        {"2400", 2400, CpuFamily::AthlonXP, "Excetional performances"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPerfCPUChartDlg chart;
        chart.SetIndices(row.general, row.general, row.general);
        chart.show();
        EXPECT_EQ(chart.shownFamily(), row.family);
        EXPECT_EQ(chart.form().RatingPanel->verdict(), QString::fromUtf8(row.verdict));
        EXPECT_EQ(chart.form().PageControl1->currentWidget(), chart.form().TabSheet1);
        EXPECT_EQ(labels(chart.chart(CpuChart::General)).back(), cpuUserLabel(row.family, CpuChart::General));
    }
}

TEST_F(CpuWindowsTest, CounterReaches1040In347Ticks)
{
    TPerfCPUChartDlg chart;
    chart.SetIndices(1000, 1000, 1040);
    chart.show();
    ASSERT_TRUE(chart.form().RatingPanel->counterRunning());
    EXPECT_FALSE(chart.form().RatingPanel->wheels()[3]->isVisibleTo(&chart));
    int ticks = 0;
    while (chart.form().RatingPanel->counterRunning() && ticks < 1000) {
        chart.form().RatingPanel->TimerTimer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 347);
    EXPECT_EQ(chart.form().RatingPanel->counterValue(), 1040);
    const std::vector<int> expected{0, 4, 0, 1};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(chart.form().RatingPanel->wheels()[i]->Frame(), expected[i]);
    EXPECT_TRUE(chart.form().RatingPanel->wheels()[3]->isVisibleTo(&chart));
}

TEST_F(CpuWindowsTest, ClosingTheWindowStopsTheCounter)
{
    TPerfCPUChartDlg chart;
    chart.SetIndices(500, 500, 500);
    chart.show();
    ASSERT_TRUE(chart.form().RatingPanel->counterRunning());
    chart.form().Button1->click();
    EXPECT_FALSE(chart.isVisible());
    EXPECT_FALSE(chart.form().RatingPanel->counterRunning());
}

TEST_F(CpuWindowsTest, FiveDigitIndexAddsAWheelOnTheLeft)
{
    TPerfCPUChartDlg chart;
    chart.SetIndices(0, 0, 12345);
    chart.show();
    while (chart.form().RatingPanel->counterRunning())
        chart.form().RatingPanel->TimerTimer();
    ASSERT_EQ(chart.form().RatingPanel->wheels().size(), 5u);
    EXPECT_EQ(chart.form().RatingPanel->wheels()[4]->Frame(), 1);
    EXPECT_TRUE(chart.form().RatingPanel->wheels()[4]->isVisibleTo(&chart));
    EXPECT_LT(chart.form().RatingPanel->wheels()[4]->x(), chart.form().RatingPanel->wheels()[3]->x());
}

TEST_F(CpuWindowsTest, PrintGivesOnePdfPage)
{
    const QString path = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("chart.pdf"));
    const auto printing = qv::test::printToPdfFile(path);
    TPerfCPUChartDlg chart;
    chart.SetIndices(100, 100, 100);
    chart.show();
    chart.ImprimerClick();
    qv::test::expectPrintedSharplyOnOnePage(path, chart);
}

// "&Close" is the default button: Return, sent where the keyboard focus is, presses it.
TEST_F(CpuWindowsTest, ReturnClosesTheChartWindow)
{
    TPerfCPUChartDlg chart;
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chart));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(chart.isVisible());
}

TEST_F(CpuWindowsTest, CancelledPrintPrintsNothingAndFailedPrinterIsReported)
{
    TPerfCPUChartDlg chart;
    chart.show();
    {
        bool asked = false;
        const qv::benchui::ScopedPrintDialogRunner cancelling(
            [&](QPrinter&, QWidget*) { return asked = true, false; });
        chart.ImprimerClick();
        EXPECT_TRUE(asked);
    }

    const auto printing = qv::test::printToPdfFile(QStringLiteral("/nonexistent-folder/x/chart.pdf"));
    auto* print = chart.findChild<TTransparentButton*>(QStringLiteral("Imprimer"));
    ASSERT_NE(print, nullptr);
    print->click();
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("The printer could not be opened")});
}

// The real kernels at a hundredth of their scale: the chart shows the indices the run scored.
TEST_F(CpuWindowsTest, RealKernelsAtSmallScaleReachTheChart)
{
    windows.PerfCPUDlg().setKernels({[](double scale) { return qv::bench::DhrystoneRate(scale / 100); },
                                     [](double scale) { return qv::bench::WhetstoneRate(scale / 100); },
                                     [](double scale) { return qv::bench::LivermoreMflops(scale / 100); }});
    std::array<double, 3> shownIndices{};
    onChart = [&](TPerfCPUChartDlg& chart) {
        for (CpuChart which : kCpuCharts)
            shownIndices[static_cast<std::size_t>(which)] = chart.chart(which).chart().bars().back().value;
    };
    TPerfCPUInfoDlg info;
    info.SetChartAfterRun(true);
    info.show();
    info.form().TransparentButton9->click();

    const TPerfCPUDlg& run = windows.PerfCPUDlg();
    EXPECT_GT(run.aluIndex(), 0);
    EXPECT_GT(run.fpuIndex(), 0);
    EXPECT_EQ(run.generalIndex(), qv::bench::ScoreGeneral(run.aluIndex(), run.fpuIndex()));
    EXPECT_EQ(shownIndices, (std::array<double, 3>{double(run.generalIndex()), double(run.aluIndex()),
                                                   double(run.fpuIndex())}));
    EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
}

// The owner window alone owns the long-lived windows: it may go first without a double delete, and
// the set then says the windows are gone instead of handing out dangling ones.
TEST(BenchWindows, TheOwnerAloneDeletesTheWindows)
{
    auto owner = std::make_unique<QWidget>();
    const qv::benchui::BenchWindows windows(*owner);
    EXPECT_EQ(windows.PerfCPUDlg().parent(), owner.get());
    owner.reset();
    EXPECT_THROW(windows.PerfMemoireDlg(), std::logic_error);
}

// Renders each window for a person to look at: today's machine and a small one.
TEST_F(CpuWindowsTest, RendersTheWindows)
{
    TPerfCPUInfoDlg info;
    info.show();
    qv::test::expectIllustrationShown(info, QStringLiteral("cpu_intro"));

    TPerfCPUDlg& run = windows.PerfCPUDlg();
    kernels.duringAlu = [&] {};
    run.SetChartAfterRun(false);
    run.show();
    run.RunCpuBenchmark();
    run.show();
    run.RunCpuBenchmark();
    QImage duringAlu;
    QImage duringFpu;
    kernels.duringAlu = [&] { duringAlu = qv::test::renderedWindow(run, QStringLiteral("cpu_run_alu")); };
    kernels.duringFpu = [&] { duringFpu = qv::test::renderedWindow(run, QStringLiteral("cpu_run_fpu")); };
    run.show();
    run.RunCpuBenchmark();
    // The integer test's check mark appears once it is done.
    const QRect check = run.form().checkALU->geometry();
    EXPECT_NE(duringAlu.copy(check), duringFpu.copy(check));

    for (std::int32_t general : {2400, 150}) {
        TPerfCPUChartDlg chart;
        chart.SetIndices(general + general / 20, general - general / 5, general);
        chart.show();
        while (chart.form().RatingPanel->counterRunning())
            chart.form().RatingPanel->TimerTimer();
        const char* pages[] = {"general", "alu", "fpu"};
        for (int page = 0; page < 3; ++page) {
            if (page == 1)
                chart.TransparentButton1Click();
            if (page == 2)
                chart.TransparentButton2Click();
            const QImage image = qv::test::renderedWindow(
                chart, QStringLiteral("cpu_chart_%1_%2").arg(general).arg(QLatin1String(pages[page])));
            EXPECT_GT(qv::test::userBarPixels(image, chart, *chart.form().PageControl1->currentWidget()), 0)
                << pages[page];
        }
    }
}

} // namespace
