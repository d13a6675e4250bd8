#include "bench/charts/ChartZoom.h"

#include "bench/MemoryReferenceTables.h"
#include "bench/charts/BarChartView.h"
#include "bench/charts/ChartGeometry.h"
#include "bench/charts/ComparisonBars.h"
#include "tests/charts/FixedTextMeasure.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace qv::bench;
using namespace qv::charts;

BarChart memoryChart(std::int32_t index)
{
    BarChart chart;
    for (const ChartBar& bar : memoryChartBars(MemoryFamily::PentiumIII4, index))
        chart.addBar(bar.value, bar.position, bar.label, bar.colour);
    return chart;
}

TEST(DecideZoom, RightwardDragsZoomLeftwardDragsGoBackShortOnesAndOutsideOnesDoNothing)
{
    const ChartGeometry geometry =
        ChartGeometry::compute(memoryChart(1200), {694, 297}, qv::test::FixedTextMeasure());
    const QRectF plot = geometry.plot;
    const double y = plot.center().y();
    const double x100 = geometry.xForValue(100);
    const double x400 = geometry.xForValue(400);

    const ZoomDecision zoomIn = decideZoom(geometry, {x100, y}, {x400, y + 30});
    EXPECT_EQ(zoomIn.action, ZoomAction::ZoomIn);
    EXPECT_NEAR(zoomIn.range.minimum, 100, 1e-9);
    EXPECT_NEAR(zoomIn.range.maximum, 400, 1e-9);

    const ZoomDecision pastTheEdge = decideZoom(geometry, {x100, y}, {plot.right() + 50, y});
    EXPECT_EQ(pastTheEdge.action, ZoomAction::ZoomIn);
    EXPECT_NEAR(pastTheEdge.range.maximum, geometry.range.maximum, 1e-9);

    EXPECT_EQ(decideZoom(geometry, {x400, y}, {x100, y}).action, ZoomAction::ZoomOut);
    EXPECT_EQ(decideZoom(geometry, {x100, y}, {x100 + kMinZoomDragPixels - 1, y}).action, ZoomAction::None);
    EXPECT_EQ(decideZoom(geometry, {plot.left() - 10, y}, {x400, y}).action, ZoomAction::None);
    EXPECT_EQ(decideZoom(geometry, {plot.right() - 2, y}, {plot.right() + 40, y}).action, ZoomAction::None);
}

TEST(ZoomStepRange, MovesInEqualStepsAndEndsExactlyOnTheTarget)
{
    const ValueRange from{0, 1200};
    const ValueRange to{100.3, 400.7};
    EXPECT_EQ(zoomStepRange(from, to, 0, 2), from);
    EXPECT_EQ(zoomStepRange(from, to, 1, 2), (ValueRange{50.15, 800.35}));
    EXPECT_EQ(zoomStepRange(from, to, 2, 2), to);
    EXPECT_EQ(zoomStepRange(from, to, 1, 0), to);
}

class ZoomingView : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(694, 297);
        view.setBars(memoryChartBars(MemoryFamily::PentiumIII4, 1200));
        view.show();
    }

    // Drags across the middle of the plotting area from value `from` to value `to`, then lets the
    // animation finish.
    void drag(double from, double to)
    {
        const ChartGeometry geometry = view.chartGeometry();
        const int y = int(geometry.plot.center().y());
        const QPoint start(int(geometry.xForValue(from)), y);
        const QPoint end(int(geometry.xForValue(to)), y);
        QTest::mousePress(&view, Qt::LeftButton, {}, start);
        QTest::mouseMove(&view, (start + end) / 2);
        QTest::mouseMove(&view, end);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, end);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !view.zoomAnimating(); }, 1000));
    }

    BarChartView view;
};

TEST_F(ZoomingView, ZoomsInAnimatedAndBackOut)
{
    view.setDragZoomEnabled(true);
    const ValueRange automatic = view.chartGeometry().range;
    drag(100, 400);
    ASSERT_TRUE(view.chart().valueRange().has_value());
    EXPECT_NEAR(view.chart().valueRange()->minimum, 100, automatic.span() / 500);
    EXPECT_NEAR(view.chart().valueRange()->maximum, 400, automatic.span() / 500);
    qv::test::saveScreenshot(view, QStringLiteral("chart_zoomed"));

    drag(300, 150);
    EXPECT_FALSE(view.chart().valueRange().has_value());
    EXPECT_EQ(view.chartGeometry().range, automatic);
}

TEST_F(ZoomingView, HalfwayThroughTheAnimationTheRangeIsBetween)
{
    view.setDragZoomEnabled(true);
    std::vector<ValueRange> steps;
    QObject::connect(&view, &BarChartView::valueRangeChanged,
                     [&] { steps.push_back(view.chartGeometry().range); });
    const ChartGeometry geometry = view.chartGeometry();
    const int y = int(geometry.plot.center().y());
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(int(geometry.xForValue(100)), y));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(int(geometry.xForValue(400)), y));
    ASSERT_TRUE(view.zoomAnimating());
    EXPECT_TRUE(steps.empty()) << "nothing changes before the first step";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.zoomAnimating(); }, 1000));
    ASSERT_EQ(steps.size(), std::size_t(kZoomAnimationSteps));
    EXPECT_GT(steps.front().maximum, 400);
    EXPECT_LT(steps.front().maximum, geometry.range.maximum);
    EXPECT_EQ(steps.back(), *view.chart().valueRange());
}

TEST_F(ZoomingView, NewBarsAreShownWholeEvenWhileAZoomIsUnderWay)
{
    view.setDragZoomEnabled(true);
    drag(100, 400);
    ASSERT_TRUE(view.chart().valueRange().has_value());
    view.setBars(memoryChartBars(MemoryFamily::Pentium, 1200));
    EXPECT_FALSE(view.chart().valueRange().has_value());

    const ChartGeometry geometry = view.chartGeometry();
    const int y = int(geometry.plot.center().y());
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(int(geometry.xForValue(10)), y));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(int(geometry.xForValue(40)), y));
    ASSERT_TRUE(view.zoomAnimating());
    view.setBars(memoryChartBars(MemoryFamily::PentiumIII4, 1200));
    EXPECT_FALSE(view.zoomAnimating());
    QTest::qWait(3 * kZoomStepMs);
    EXPECT_FALSE(view.chart().valueRange().has_value());
}

TEST_F(ZoomingView, DragsDoNothingUnlessZoomIsSwitchedOn)
{
    drag(100, 400);
    EXPECT_FALSE(view.chart().valueRange().has_value());
    EXPECT_FALSE(view.zoomAnimating());
}

} // namespace
