#include "bench/MemoryKernel.h"
#include "bench/charts/BarChartView.h"
#include "bench/charts/ComparisonBars.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfMemoireChartDlg.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "bench/ui/PerfMemoireInfoDlg.h"
#include "bench/ui/PictureStores.h"
#include "bench/ui/RatingPanel.h"
#include "bench/ui/WindowPrinter.h"
#include "platform/CursorTable.h"
#include "platform/Dialogs.h"
#include "platform/HelpEngine.h"
#include "tests/benchui/PdfCapture.h"
#include "tests/benchui/RenderChecks.h"
#include "tests/support/TestSupport.h"
#include "ui_PerfMemoireChartDlg.h"
#include "ui_PerfMemoireDlg.h"
#include "ui_PerfMemoireInfoDlg.h"
#include "widgets/Animate.h"
#include "widgets/TransBtn.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

using namespace qv::bench;
using namespace qv::charts;

// A kernel that returns at once with the figures of a 1,000 ms run (index 731) and counts its calls.
struct StandInKernel {
    int calls = 0;
    std::function<void()> during;
    qv::benchui::MemoryKernel kernel()
    {
        return [this] {
            ++calls;
            if (during)
                during();
            return qv::bench::MemoryBenchmarkFigures{1000, 614.4, 731};
        };
    }
};

// The system heap with a count of the blocks it hands out; allocation number `failOn` (counting from 1,
// 0 for none) finds no memory.
class CountingAllocator final : public qv::bench::BlockAllocator {
public:
    explicit CountingAllocator(int failOn)
        : m_failOn(failOn)
    {
    }
    void* allocate(std::size_t bytes) noexcept override
    {
        cursorWhileAllocating = qv::platform::selectedScreenCursor();
        if (++allocations == m_failOn)
            return nullptr;
        ++held;
        return std::malloc(bytes);
    }
    void release(void* block) noexcept override
    {
        ++releases;
        --held;
        std::free(block);
    }

    int allocations = 0;
    int releases = 0;
    int held = 0;
    int cursorWhileAllocating = -1;

private:
    int m_failOn;
};

class MemoryWindowsTest : public qv::test::ErrorCheckedTest {
protected:
    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        run().setKernel(standIn.kernel());
    }

    TPerfMemoireDlg& run() const { return windows.PerfMemoireDlg(); }

    // Opens the introduction as the main window does and presses Start.
    void startFromIntroduction()
    {
        TPerfMemoireInfoDlg info;
        info.SetChartAfterRun(true);
        info.show();
        info.form().TransparentButton9->click();
        EXPECT_FALSE(info.isVisible());
    }

    // Shows the chart window where the program would run it modally, and lets the test look at it.
    qv::platform::ScopedModalRunner modalRunner{[this](QDialog& dialog) {
        shown.append(dialog.objectName());
        if (auto* chart = qobject_cast<TPerfMemoireChartDlg*>(&dialog)) {
            chart->show();
            chartIndex = chart->form().Chart1->chart().bars().back().value;
            onChart(*chart);
            chart->hide();
        }
        return int(QDialog::Accepted);
    }};
    QWidget owner;
    qv::benchui::BenchWindows windows{owner};
    StandInKernel standIn;
    QStringList shown;
    double chartIndex = -1;
    std::function<void(TPerfMemoireChartDlg&)> onChart = [](TPerfMemoireChartDlg&) {};
};

// Counts the chart window's counter up to its end; returns the number of ticks.
int countToTheEnd(const TPerfMemoireChartDlg& chart)
{
    qv::benchui::RatingPanel& panel = *chart.form().RatingPanel;
    int ticks = 0;
    while (panel.counterRunning() && ticks < 100'000) {
        panel.TimerTimer();
        ++ticks;
    }
    return ticks;
}

QImage starsShown(const TPerfMemoireChartDlg& chart)
{
    return chart.form().RatingPanel->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().toImage();
}

TEST_F(MemoryWindowsTest, StartRunsTheKernelAndOpensTheChartWithTheIndex)
{
    int cursorDuringRun = -1;
    QString statusDuringRun;
    bool runWindowShown = false;
    standIn.during = [&] {
        cursorDuringRun = qv::platform::selectedScreenCursor();
        statusDuringRun = run().form().Statut->text();
        runWindowShown = run().isVisible();
    };
    startFromIntroduction();
    EXPECT_EQ(standIn.calls, 1);
    EXPECT_EQ(shown, QStringList{QStringLiteral("PerfMemoireChartDlg")});
    EXPECT_EQ(chartIndex, 731);
    EXPECT_EQ(run().memoryIndex(), 731);
    EXPECT_EQ(cursorDuringRun, qv::platform::kClockCursorSlot);
    EXPECT_EQ(statusDuringRun,
              QStringLiteral("Quorvex is now evaluating the performances of the memory subsystem..."));
    EXPECT_TRUE(runWindowShown);
    EXPECT_TRUE(run().form().Statut->font().bold());
    EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot);
    EXPECT_FALSE(run().isVisible());
    EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
}

// The allocator would count any buffer that Cancel allocated.
TEST_F(MemoryWindowsTest, CancelRunsNothingAndAllocatesNothing)
{
    CountingAllocator allocator(0);
    run().setKernel([&] { return qv::bench::runMemoryKernel(qv::bench::steadyKernelClock(), allocator); });
    TPerfMemoireInfoDlg info;
    info.SetChartAfterRun(true);
    info.show();
    info.form().TransparentButton1->click();
    EXPECT_EQ(allocator.allocations, 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(run().isVisible());
}

TEST_F(MemoryWindowsTest, WithoutChartAfterRunTheRunOpensNoChart)
{
    run().SetChartAfterRun(false);
    run().show();
    run().RunMemoryBenchmark();
    EXPECT_EQ(standIn.calls, 1);
    EXPECT_EQ(run().memoryIndex(), 731);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(run().isVisible());
}

TEST_F(MemoryWindowsTest, SecondRunReusesTheRunWindowAndItsActivationClearsTheStatus)
{
    startFromIntroduction();
    TPerfMemoireDlg* const first = &run();
    EXPECT_FALSE(run().form().Statut->text().isEmpty());

    QString statusAtActivation = QStringLiteral("unset");
    run().SetChartAfterRun(false);
    run().show();
    statusAtActivation = run().form().Statut->text();
    run().RunMemoryBenchmark();
    EXPECT_EQ(&run(), first);
    EXPECT_EQ(statusAtActivation, QString());
    EXPECT_EQ(standIn.calls, 2);
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(MemoryWindowsTest, OutOfMemoryEndsTheRunWithoutChartAndIsReported)
{
    struct Row {
        const char* name;
        int failOn;
        int allocations;
        int releases;
    };
    const Row rows[] = {{"first buffer", 1, 1, 0}, {"second buffer", 2, 2, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        shown.clear();
        CountingAllocator allocator(row.failOn);
        run().setKernel(
            [&] { return qv::bench::runMemoryKernel(qv::bench::steadyKernelClock(), allocator); });
        startFromIntroduction();
        EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Out of memory")});
        EXPECT_EQ(allocator.allocations, row.allocations);
        EXPECT_EQ(allocator.releases, row.releases);
        EXPECT_EQ(allocator.held, 0);
        EXPECT_EQ(allocator.cursorWhileAllocating, qv::platform::kClockCursorSlot);
        EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot);
        EXPECT_FALSE(run().isVisible());
        EXPECT_TRUE(shown.isEmpty());

        // The next run goes through as usual.
        run().setKernel(standIn.kernel());
        startFromIntroduction();
        EXPECT_EQ(shown, QStringList{QStringLiteral("PerfMemoireChartDlg")});
        EXPECT_EQ(chartIndex, 731);
        EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
    }
}

// Activation picks the family from the index (never Duron / Athlon) and rates it.
TEST_F(MemoryWindowsTest, ActivationPicksFamilyAndRating)
{
    struct Row {
        std::int32_t index;
        MemoryFamily family;
        int stars;
        const char* verdict;
    };
    const Row rows[] = {{86, MemoryFamily::PentiumIII4, 0, ""},
                        {85, MemoryFamily::PentiumII, 0, ""},
                        {56, MemoryFamily::PentiumII, 0, ""},
                        {55, MemoryFamily::Pentium, 0, ""},
                        {41, MemoryFamily::Pentium, 0, ""},
                        {40, MemoryFamily::I486, 0, ""},
                        {0, MemoryFamily::I486, 0, ""},
                        {101, MemoryFamily::PentiumIII4, 1, "Good performances"},
                        {100, MemoryFamily::PentiumIII4, 0, ""},
                        {151, MemoryFamily::PentiumIII4, 2, "Very good performances"},
                        {1001, MemoryFamily::PentiumIII4, 4, "Exceptional performances"},
                        {1000, MemoryFamily::PentiumIII4, 3, "Excellent performances"}};
    const TEtoileDlg& stars = windows.EtoileDlg();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        TPerfMemoireChartDlg chart;
        chart.SetUserIndex(row.index);
        chart.show();
        EXPECT_EQ(chart.shownFamily(), row.family);
        EXPECT_EQ(chart.form().Famille->text(), memoryFamilyTitle(row.family));
        EXPECT_EQ(chart.form().Chart1->chart().bars(), memoryChartBars(row.family, row.index));
        EXPECT_EQ(chart.form().RatingPanel->verdict(), QString::fromUtf8(row.verdict));
        EXPECT_EQ(starsShown(chart), stars.StarsPicture(row.stars).toImage());
    }
}

TEST_F(MemoryWindowsTest, CounterClimbsBySevenEveryTenMillisecondsAndStopsOnTheIndex)
{
    struct Row {
        const char* name;
        std::int32_t index;
        int ticks;
        std::vector<int> wheels; // units first
    };
    const Row rows[] = {{"1040 overshoots to 1043 and is clamped", 1040, 149, {0, 4, 0, 1}},
                        {"731 is clamped from 735", 731, 105, {1, 3, 7}},
                        {"0 stops after the first tick", 0, 1, {0, 0, 0}},
                        {"five digits grow a fifth wheel", 25'000, 3572, {0, 0, 0, 5, 2}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPerfMemoireChartDlg chart;
        chart.SetUserIndex(row.index);
        chart.show();
        const qv::benchui::RatingPanel& panel = *chart.form().RatingPanel;
        ASSERT_TRUE(panel.counterRunning());
        EXPECT_EQ(panel.findChild<QTimer*>(QStringLiteral("Timer"))->interval(), 10);
        EXPECT_FALSE(panel.wheels()[3]->isVisibleTo(&chart)) << "thousands wheel hidden at activation";
        EXPECT_EQ(countToTheEnd(chart), row.ticks);
        EXPECT_EQ(panel.counterValue(), row.index);
        ASSERT_GE(panel.wheels().size(), row.wheels.size());
        for (std::size_t i = 0; i < row.wheels.size(); ++i) {
            EXPECT_EQ(panel.wheels()[i]->Frame(), row.wheels[i]) << "wheel " << i;
            EXPECT_TRUE(panel.wheels()[i]->isVisibleTo(&chart)) << "wheel " << i;
        }
        if (row.wheels.size() == 3) {
            EXPECT_FALSE(panel.wheels()[3]->isVisibleTo(&chart));
        }
        if (row.wheels.size() == 5) {
            EXPECT_LT(panel.wheels()[4]->x(), panel.wheels()[3]->x());
        }
    }
}

// Each family button replaces every bar; the stars, verdict and counter carry on.
TEST_F(MemoryWindowsTest, FamilyButtonsReplaceTheBarsAndKeepRatingAndCounter)
{
    TPerfMemoireChartDlg chart;
    const Ui::PerfMemoireChartDlg& form = chart.form();
    chart.SetUserIndex(731);
    chart.show();
    for (int tick = 0; tick < 10; ++tick)
        form.RatingPanel->TimerTimer();
    const QImage starsBefore = starsShown(chart);

    form.Button3->click();
    const std::vector<ChartBar>& bars = form.Chart1->chart().bars();
    ASSERT_EQ(bars.size(), 7u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(bars[i].position, int(i) + 1);
        EXPECT_EQ(bars[i].colour, QColor(192, 192, 192));
    }
    EXPECT_EQ(bars.front().label, QStringLiteral("SD-RAM / 128K / 64K FS / 133Mhz (Duron, FSB 200Mhz)"));
    EXPECT_EQ(bars.front().value, 176);
    EXPECT_EQ(bars.back(), (ChartBar{731, 7, QStringLiteral("Your memory subsystem"), QColor(164, 75, 30)}));
    EXPECT_EQ(form.Famille->text(), QStringLiteral("Performances of your memory subsystem (RAM/cache/bus) "
                                                   "compared to Duron/Athlon machines"));

    const std::pair<QPushButton*, MemoryFamily> buttons[] = {
        {form.CompareTo486, MemoryFamily::I486},
        {form.CompareToPentium, MemoryFamily::Pentium},
        {form.CompareToPentiumII, MemoryFamily::PentiumII},
        {form.ButtonPentiumIII, MemoryFamily::PentiumIII4}};
    for (const auto& [button, family] : buttons) {
        SCOPED_TRACE(button->text().toStdString());
        form.Chart1->setValueRange({300, 5200}); // zoomed onto the user's bar
        button->click();
        EXPECT_FALSE(form.Chart1->chart().valueRange().has_value()) << "the new family is shown whole";
        EXPECT_EQ(chart.shownFamily(), family);
        EXPECT_EQ(form.Famille->text(), memoryFamilyTitle(family));
        EXPECT_EQ(form.Chart1->chart().bars(), memoryChartBars(family, 731));
    }
    EXPECT_EQ(form.RatingPanel->verdict(), QStringLiteral("Excellent performances"));
    EXPECT_EQ(starsShown(chart), starsBefore);
    EXPECT_EQ(form.RatingPanel->counterValue(), 70);
    EXPECT_TRUE(form.RatingPanel->counterRunning());
}

// However many wheels the counter needs, the verdict stays whole and clear of them.
TEST_F(MemoryWindowsTest, TheVerdictNeverRunsUnderTheCounter)
{
    for (std::int32_t index : {731, 25'000, 250'000}) {
        SCOPED_TRACE(index);
        TPerfMemoireChartDlg chart;
        chart.SetUserIndex(index);
        chart.show();
        countToTheEnd(chart);
        const auto* verdict = chart.form().RatingPanel->findChild<QLabel*>(QStringLiteral("Appreciation"));
        ASSERT_NE(verdict, nullptr);
        EXPECT_LE(QFontMetrics(verdict->font()).horizontalAdvance(verdict->text()), verdict->width());
        int shownWheels = 0;
        for (const TAnimated* wheel : chart.form().RatingPanel->wheels()) {
            if (wheel->isHidden())
                continue;
            ++shownWheels;
            EXPECT_FALSE(wheel->geometry().intersects(verdict->geometry())) << wheel->x();
        }
        EXPECT_EQ(shownWheels, int(QString::number(index).size()));
    }
}

// Every family title fits its caption and the window's texts fit their labels unclipped.
TEST_F(MemoryWindowsTest, TitlesFitTheirCaption)
{
    TPerfMemoireChartDlg chart;
    const QLabel& caption = *chart.form().Famille;
    const QFontMetrics metrics(caption.font());
    for (MemoryFamily family : kMemoryFamilies) {
        SCOPED_TRACE(memoryFamilyTitle(family).toStdString());
        EXPECT_LE(metrics.horizontalAdvance(memoryFamilyTitle(family)), caption.width());
    }
    const QLabel& legend = *chart.form().Label6;
    EXPECT_LE(QFontMetrics(legend.font()).horizontalAdvance(legend.text()), legend.width());
}

TEST_F(MemoryWindowsTest, HelpAndPrintGiveTopic202AndOnePdfPage)
{
    const QString path = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("memory_chart.pdf"));
    const auto printing = qv::test::printToPdfFile(path);
    TPerfMemoireChartDlg chart;
    chart.SetUserIndex(731);
    chart.show();
    chart.form().Imprimer->click();
    qv::test::expectPrintedSharplyOnOnePage(path, chart);

    chart.form().Button2->click();
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), 202);
    chart.form().Button1->click();
    EXPECT_FALSE(chart.isVisible());
    EXPECT_FALSE(chart.form().RatingPanel->counterRunning());

    // "&Close" is the default button: keypad Enter, sent where the keyboard focus is, presses it too.
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chart));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(chart.isVisible());
}

// The real kernel on the steady clock: the chart shows the index the run scored and both buffers go
// back to the heap. Then the default kernel, which is the same on the system allocator.
TEST_F(MemoryWindowsTest, RealKernelReachesTheChartAndReleasesItsBuffers)
{
    CountingAllocator allocator(0);
    run().setKernel([&] { return qv::bench::runMemoryKernel(qv::bench::steadyKernelClock(), allocator); });
    startFromIntroduction();
    EXPECT_EQ(shown, QStringList{QStringLiteral("PerfMemoireChartDlg")});
    EXPECT_GT(run().memoryIndex(), 0);
    EXPECT_EQ(chartIndex, run().memoryIndex());
    EXPECT_EQ(allocator.allocations, 2);
    EXPECT_EQ(allocator.releases, 2);
    EXPECT_EQ(allocator.held, 0);

    run().setKernel({});
    chartIndex = -1;
    startFromIntroduction();
    EXPECT_GT(run().memoryIndex(), 0);
    EXPECT_EQ(chartIndex, run().memoryIndex());
    EXPECT_EQ(allocator.allocations, 2);
    EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
}

// Renders each window for a person to look at: today's machine, a small one and the Duron / Athlon
// family.
TEST_F(MemoryWindowsTest, RendersTheWindows)
{
    TPerfMemoireInfoDlg info;
    info.show();
    qv::test::expectIllustrationShown(info, QStringLiteral("memory_intro"));

    standIn.during = [&] {
        EXPECT_TRUE(run().isVisible()) << "the run window shows while it measures";
        qv::test::saveScreenshot(run(), QStringLiteral("memory_run"));
    };
    run().SetChartAfterRun(false);
    run().show();
    run().RunMemoryBenchmark();

    for (std::int32_t index : {25'000, 90}) {
        TPerfMemoireChartDlg chart;
        chart.SetUserIndex(index);
        chart.show();
        countToTheEnd(chart);
        QWidget& plot = *chart.form().Chart1;
        const QImage image = qv::test::renderedWindow(chart, QStringLiteral("memory_chart_%1").arg(index));
        EXPECT_GT(qv::test::userBarPixels(image, chart, plot), 0);
        if (index == 90) {
            chart.Button3Click();
            qv::test::saveScreenshot(chart, QStringLiteral("memory_chart_%1_duron_athlon").arg(index));
        } else {
            chart.form().Chart1->setValueRange({300, 5200});
            chart.CompareToPentiumClick();
            qv::test::saveScreenshot(chart, QStringLiteral("memory_chart_%1_zoomed_then_pentium").arg(index));
        }
    }
}

} // namespace
