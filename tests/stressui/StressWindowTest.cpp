// The stability window over short plans and recorded sensor readings, rendered headless.
#include "stress/FaultInjector.h"
#include "stress/ui/SensorPlot.h"
#include "stress/ui/StressDlg.h"
#include "tests/support/TestSupport.h"
#include "widgets/LED.h"
#include "widgets/TransBtn.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace qv::stress;

namespace {

constexpr int kWaitMs = 120'000; // a bound for a broken build, not a timing check

StressPlan smallPlan(int processors)
{
    StressPlan plan;
    plan.processors = processors;
    plan.memoryBytes = std::uint64_t{1} << 20;
    return plan;
}

SensorReading warmMachine()
{
    SensorReading reading;
    reading.temperatures.push_back({"coretemp", "Package id 0", 64, 100.0});
    reading.clocksMHz = {2400, 2600};
    return reading;
}

// Text and lines are drawn smoothed: a pixel counts when it is clearly of the colour's hue.
bool reddish(const QColor& colour)
{
    return colour.red() > 150 && colour.green() < 120 && colour.blue() < 120;
}

bool allGreen(const TStressDlg& window)
{
    for (const TLED* light : window.workerLights())
        if (light->Color() != TLED::lcGreen)
            return false;
    return true;
}

TEST(StressWindowTest, RunsShowsEveryWorkerAndStopsWithAVerdict)
{
    TStressDlg window(nullptr, [] { return SensorReading{}; });
    window.show();
    window.startWith(smallPlan(2));
    EXPECT_FALSE(window.startButton()->isEnabled());
    ASSERT_EQ(window.workerLights().size(), 3U) << "two workers and the memory tester";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !window.workerCounts().at(1)->text().contains(QStringLiteral(": 0 passes")); },
        kWaitMs));
    const QImage image(qv::test::saveScreenshot(window, QStringLiteral("stress_window_running")));
    EXPECT_EQ(image.size(), window.size());
    EXPECT_EQ(window.sensorsLabel()->text(), QStringLiteral("This machine has no temperature sensors"));
    const QRect plot(window.plot()->mapTo(&window, QPoint(0, 0)), window.plot()->size());
    EXPECT_EQ(qv::test::countPixels(image, reddish, plot), 0) << "the line above says it, not the plot";
    EXPECT_TRUE(allGreen(window));
    EXPECT_TRUE(window.workerCounts().at(2)->text().startsWith(QStringLiteral("Memory 1 MiB: ")));

    QElapsedTimer stopping;
    stopping.start();
    QTest::mouseClick(window.stopButton(), Qt::LeftButton);
    std::cout << "[ stop took " << stopping.elapsed() << " ms ]\n";
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(window.startButton()->isEnabled());
    EXPECT_TRUE(window.verdictLabel()->text().startsWith(QStringLiteral("No error in ")));
    EXPECT_TRUE(window.verdictLabel()->text().endsWith(QStringLiteral("(Stopped by the user)")));
}

TEST(StressWindowTest, AnErrorTurnsItsWorkersLightRedAndIsListed)
{
    TStressDlg window(nullptr, [] { return SensorReading{}; });
    StressPlan plan = smallPlan(1);
    plan.memory = false;
    plan.faults = std::make_shared<OneShotFaults>(0, OneShotFaults::Target{"Livermore", 10, 1},
                                                  OneShotFaults::Target{});
    window.show();
    window.startWith(plan);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.workerLights().at(0)->Color() == TLED::lcRed; }, kWaitMs));
    QTest::keyClick(&window, Qt::Key_Escape);

    EXPECT_FALSE(window.isVisible()) << "Escape presses Close";
    EXPECT_FALSE(window.running());
    const auto* errors = window.findChild<QPlainTextEdit*>();
    ASSERT_NE(errors, nullptr);
    EXPECT_TRUE(errors->toPlainText().startsWith(QStringLiteral("worker 0, Livermore, offset 0x50")));
}

TEST(StressWindowTest, PlotDrawsTheHottestTemperatureOverTheRun)
{
    TStressDlg window(nullptr, warmMachine);
    window.show();
    StressPlan plan = smallPlan(1);
    plan.memory = false;
    window.startWith(plan);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.plot()->sampleCount() >= 2; }, kWaitMs));
    const QImage image = window.plot()->grab().toImage();
    qv::test::saveScreenshot(window, QStringLiteral("stress_window_plot"));
    window.stopButton()->click();

    EXPECT_GT(qv::test::countPixels(image, reddish, image.rect().adjusted(0, 20, 0, 0)), 5)
        << "the temperature line, below the legend";
    EXPECT_TRUE(window.sensorsLabel()->text().startsWith(
        QStringLiteral("Hottest: 64.0 \u00b0C (coretemp Package id 0)")));
}

TEST(SensorPlotTest, LinesSpanTheRunAndStayInsideTheArea)
{
    const QRectF area(0, 0, 200, 100);
    const PlotLines lines =
        plotLines({{0, 50.0, 2000.0}, {90, 80.0, std::nullopt}, {120, 70.0, 3000.0}}, area);
    ASSERT_EQ(lines.temperature.size(), 3);
    ASSERT_EQ(lines.clock.size(), 2) << "a sample without a clock leaves a gap in that line only";
    EXPECT_DOUBLE_EQ(lines.temperature.back().x(), area.right());
    EXPECT_GE(lines.temperatureTop, 80);
    EXPECT_TRUE(lines.temperature.boundingRect().top() >= area.top());
    EXPECT_DOUBLE_EQ(lines.clock.front().y(), area.bottom() - area.height() * 2000 / lines.clockTop);
}

} // namespace
