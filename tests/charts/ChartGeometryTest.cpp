#include "bench/charts/ChartGeometry.h"

#include "bench/CpuReferenceTables.h"
#include "bench/MemoryReferenceTables.h"
#include "bench/charts/ComparisonBars.h"
#include "bench/charts/NiceScale.h"
#include "tests/charts/FixedTextMeasure.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace qv::bench;
using namespace qv::charts;

const QSizeF kMemoryChartSize(694, 297);
const QSizeF kCpuChartSize(760, 300);

BarChart chartOf(const std::vector<ChartBar>& bars, const QString& title, int arrowLength)
{
    BarChart chart;
    for (const ChartBar& bar : bars)
        chart.addBar(bar.value, bar.position, bar.label, bar.colour);
    chart.setAxisTitle(title);
    chart.setMarkArrowLength(arrowLength);
    return chart;
}

BarChart memoryChart(MemoryFamily family, std::int32_t index)
{
    return chartOf(memoryChartBars(family, index), memoryAxisTitle(), kMemoryMarkArrowLength);
}

ChartGeometry layOut(const BarChart& chart, const QSizeF& size = kMemoryChartSize)
{
    return ChartGeometry::compute(chart, size, qv::test::FixedTextMeasure());
}

bool isNiceStep(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    return std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9;
}

TEST(ChartGeometry, BarsGoBottomToTopInListOrderWhateverTheirValues)
{
    // Today's index dwarfs the references and is still the topmost bar.
    const ChartGeometry geometry = layOut(memoryChart(MemoryFamily::PentiumIII4, 12000));
    ASSERT_EQ(geometry.bars.size(), 9u);
    EXPECT_EQ(geometry.slotCount, 9);
    for (std::size_t i = 0; i < geometry.bars.size(); ++i) {
        const BarPlacement& bar = geometry.bars[i];
        EXPECT_EQ(bar.barIndex, i);
        EXPECT_NEAR(bar.slot.bottom(), geometry.plot.bottom() - double(i) * geometry.slotHeight, 1e-9) << i;
        EXPECT_NEAR(bar.slot.height(), geometry.plot.height() / 9, 1e-9);
    }
    EXPECT_NEAR(geometry.bars.back().slot.top(), geometry.plot.top(), 1e-9) << "the slots fill the plot";
}

TEST(ChartGeometry, BarsFillFiftyFivePercentOfTheirSlotAndStartAtZero)
{
    const ChartGeometry geometry = layOut(memoryChart(MemoryFamily::DuronAthlon, 731));
    for (const BarPlacement& bar : geometry.bars) {
        EXPECT_NEAR(bar.bar.height(), 0.55 * bar.slot.height(), 1e-9);
        EXPECT_NEAR(bar.bar.center().y(), bar.slot.center().y(), 1e-9);
        EXPECT_NEAR(bar.bar.left(), geometry.plot.left(), 1e-9);
    }
    // Lengths are proportional to the values: 731 against 176.
    EXPECT_NEAR(geometry.bars[6].bar.width() / geometry.bars[0].bar.width(), 731.0 / 176.0, 1e-9);
}

TEST(ChartGeometry, BarsSitAtTheirPositionNotTheirListIndex)
{
    // The Pentium III FPU chart adds "600EB" before "III-M 650" but draws it above.
    const auto bars = cpuChartBars(CpuFamily::PentiumIII, CpuChart::Fpu, 80);
    const ChartGeometry geometry = layOut(chartOf(bars, cpuAxisTitle(CpuChart::Fpu), 0), kCpuChartSize);
    ASSERT_EQ(bars[1].label, QStringLiteral("Pentium III 600EB  (SDRAM133-i815EP)"));
    EXPECT_LT(geometry.bars[1].slot.top(), geometry.bars[2].slot.top()) << "600EB is drawn higher";
    EXPECT_NEAR(geometry.bars[2].slot.bottom(), geometry.plot.bottom() - geometry.slotHeight, 1e-9);
}

TEST(ChartGeometry, AutomaticAxisFitsEveryBarAndMarkWithNiceSteps)
{
    struct Row {
        const char* name;
        BarChart chart;
        QSizeF size;
    };
    const Row rows[] = {
        {"memory, today's 12000", memoryChart(MemoryFamily::PentiumIII4, 12000), kMemoryChartSize},
        {"memory, a small 150", memoryChart(MemoryFamily::PentiumIII4, 150), kMemoryChartSize},
        {"memory, zero", memoryChart(MemoryFamily::I486, 0), kMemoryChartSize},
        {"CPU ALU, today's 2400",
         chartOf(cpuChartBars(CpuFamily::AthlonXP, CpuChart::Alu, 2400), cpuAxisTitle(CpuChart::Alu), 0),
         kCpuChartSize},
        {"CPU general, a small 150",
         chartOf(cpuChartBars(CpuFamily::PentiumIII, CpuChart::General, 150), cpuAxisTitle(CpuChart::General),
                 0),
         kCpuChartSize},
        {"a narrow chart", memoryChart(MemoryFamily::Pentium, 48), QSizeF(320, 200)},
    };
    for (const Row& row : rows) {
        const ChartGeometry geometry = layOut(row.chart, row.size);
        EXPECT_EQ(geometry.range.minimum, 0) << row.name;
        EXPECT_TRUE(isNiceStep(geometry.step)) << row.name << ": step " << geometry.step;
        EXPECT_NEAR(std::remainder(geometry.range.maximum, geometry.step), 0, 1e-6) << row.name;
        ASSERT_GE(geometry.majorTicks.size(), 2u) << row.name;
        EXPECT_LE(geometry.majorTicks.size(), 12u) << row.name;
        EXPECT_EQ(geometry.minorTickX.size(), (geometry.majorTicks.size() - 1) * 4) << row.name;
        for (std::size_t i = 1; i < geometry.majorTicks.size(); ++i) {
            EXPECT_LT(geometry.majorTicks[i - 1].textRect.right(), geometry.majorTicks[i].textRect.left())
                << row.name << ": values of the axis overlap";
        }
        EXPECT_LE(geometry.majorTicks.back().textRect.right(), geometry.bounds.right()) << row.name;
        EXPECT_GE(geometry.majorTicks.front().textRect.left(), geometry.bounds.left()) << row.name;
        EXPECT_NEAR(geometry.majorTicks.front().x, geometry.plot.left(), 1e-9) << row.name;
        EXPECT_NEAR(geometry.majorTicks.back().x, geometry.plot.right(), 1e-9) << row.name;

        for (const BarPlacement& bar : geometry.bars) {
            EXPECT_TRUE(bar.markVisible) << row.name;
            EXPECT_LE(bar.markRect.right(), geometry.plot.right())
                << row.name << ": mark " << bar.markText.toStdString();
            EXPECT_GE(bar.markRect.left(), bar.bar.right()) << row.name << ": the mark is beside its bar";
            EXPECT_GE(bar.markRect.top(), bar.slot.top() - 1e-9)
                << row.name << ": the mark stays in its slot";
            EXPECT_LE(bar.markRect.bottom(), bar.slot.bottom() + 1e-9) << row.name;
            EXPECT_LE(bar.labelRect.right(), geometry.plot.left())
                << row.name << ": the label meets the plot";
            EXPECT_GE(bar.labelRect.left(), geometry.bounds.left()) << row.name;
        }
        EXPECT_LE(geometry.axisTitleRect.bottom(), geometry.bounds.bottom()) << row.name;
        EXPECT_GE(geometry.axisTitleRect.top(), geometry.majorTicks.front().textRect.bottom()) << row.name;
    }
}

TEST(ChartGeometry, MemoryMarksHangOnArrowsOfLengthTenAndCpuMarksHaveNone)
{
    const ChartGeometry memory = layOut(memoryChart(MemoryFamily::PentiumII, 60));
    for (const BarPlacement& bar : memory.bars) {
        EXPECT_NEAR(bar.arrow.length(), 10, 1e-9);
        EXPECT_NEAR(bar.arrow.x1(), bar.bar.right(), 1e-9);
        EXPECT_NEAR(bar.arrow.x2(), bar.markRect.left(), 1e-9);
        EXPECT_NEAR(bar.arrow.y1(), bar.slot.center().y(), 1e-9);
    }
    const ChartGeometry cpu = layOut(
        chartOf(cpuChartBars(CpuFamily::Duron, CpuChart::General, 90), cpuAxisTitle(CpuChart::General), 0),
        kCpuChartSize);
    for (const BarPlacement& bar : cpu.bars)
        EXPECT_TRUE(bar.arrow.isNull());
}

TEST(ChartGeometry, RepeatedLabelsStaySeparateBars)
{
    const ChartGeometry geometry = layOut(memoryChart(MemoryFamily::PentiumII, 60));
    EXPECT_EQ(geometry.bars[1].labelLines, geometry.bars[2].labelLines);
    EXPECT_LT(geometry.bars[2].labelRect.bottom(), geometry.bars[1].labelRect.top());
}

TEST(ChartGeometry, LongLabelsBreakBeforeTheParenthesisToSpareTheBars)
{
    const ChartGeometry geometry = layOut(memoryChart(MemoryFamily::DuronAthlon, 400));
    EXPECT_EQ(geometry.bars[5].labelLines,
              (QStringList{QStringLiteral("DDR PC2700 / 128K / 256K FS / 133Mhz"),
                           QStringLiteral("(Athlon XP, FSB 266Mhz)")}));
    EXPECT_EQ(geometry.bars[6].labelLines, QStringList{QStringLiteral("Your memory subsystem")});
    EXPECT_LE(geometry.plot.left(), 0.5 * kMemoryChartSize.width()) << "the bars keep half the chart";
    for (const BarPlacement& bar : geometry.bars)
        EXPECT_LE(bar.labelRect.height(), bar.slot.height());
}

TEST(ChartGeometry, ZoomIsANarrowerValueRange)
{
    BarChart chart = memoryChart(MemoryFamily::PentiumIII4, 12000);
    chart.setValueRange({200, 1200});
    const ChartGeometry geometry = layOut(chart);
    EXPECT_EQ(geometry.range, (ValueRange{200, 1200}));
    EXPECT_NEAR(geometry.xForValue(200), geometry.plot.left(), 1e-9);
    EXPECT_NEAR(geometry.xForValue(1200), geometry.plot.right(), 1e-9);
    EXPECT_NEAR(geometry.valueAtX(geometry.xForValue(733)), 733, 1e-9);
    EXPECT_GE(geometry.majorTicks.front().value, 200);
    EXPECT_LE(geometry.majorTicks.back().value, 1200);

    // 67, 93, 99 and 133 lie left of the range: no bar, no mark.
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(geometry.bars[i].bar.width(), 0) << i;
        EXPECT_FALSE(geometry.bars[i].markVisible) << i;
    }
    // 715 is inside with its arrow; 12000 is cut at the edge and keeps its mark inside the plot.
    EXPECT_NEAR(geometry.bars[6].bar.right(), geometry.xForValue(715), 1e-9);
    EXPECT_FALSE(geometry.bars[6].arrow.isNull());
    EXPECT_NEAR(geometry.bars[8].bar.right(), geometry.plot.right(), 1e-9);
    EXPECT_TRUE(geometry.bars[8].markVisible);
    EXPECT_LE(geometry.bars[8].markRect.right(), geometry.plot.right());
    EXPECT_TRUE(geometry.bars[8].arrow.isNull());

    chart.resetValueRange();
    EXPECT_EQ(layOut(chart).range.minimum, 0);
}

TEST(ChartGeometry, InvertedOrEmptyRangesAreIgnored)
{
    BarChart chart;
    chart.setValueRange({10, 5});
    EXPECT_FALSE(chart.valueRange());
    chart.setValueRange({5, 5});
    EXPECT_FALSE(chart.valueRange());
}

TEST(ChartGeometry, AnEmptyChartHasAnAxisAndNoBars)
{
    const ChartGeometry geometry = layOut(BarChart());
    EXPECT_TRUE(geometry.bars.empty());
    EXPECT_EQ(geometry.slotCount, 0);
    EXPECT_GT(geometry.plot.width(), 0);
    EXPECT_GE(geometry.majorTicks.size(), 2u);
}

TEST(WrapLabel, BreaksOnlyWhatIsTooWide)
{
    const auto width = [](const QString& text) { return 7.0 * double(text.size()); };
    struct Row {
        const char* name;
        const char* label;
        double maxWidth;
        QStringList lines;
    };
    const Row rows[] = {
        {"a label that fits stays whole, spacing and all",
         "Pentium 4  1,9 GHz   (SDRAM133-i845)",
         400,
         {QStringLiteral("Pentium 4  1,9 GHz   (SDRAM133-i845)")}},
        {"two lines before the parenthesis",
         "Pentium III 800EB  (SDRAM133-i815EP)",
         150,
         {QStringLiteral("Pentium III 800EB"), QStringLiteral("(SDRAM133-i815EP)")}},
        {"the parenthesis that balances the lines best",
         "Athlon XP 1500+ (1,33 Ghz) (DDR/SDRAM-Via KT266)",
         250,
         {QStringLiteral("Athlon XP 1500+ (1,33 Ghz)"), QStringLiteral("(DDR/SDRAM-Via KT266)")}},
        {"word by word without a parenthesis",
         "P4B RD-RAM4200 / 12+8K / 512K FS / 533Mhz",
         150,
         {QStringLiteral("P4B RD-RAM4200 /"), QStringLiteral("12+8K / 512K FS /"), QStringLiteral("533Mhz")}},
        {"a single long word stays whole", "RD-RAM4200", 20, {QStringLiteral("RD-RAM4200")}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(wrapLabel(QString::fromUtf8(row.label), row.maxWidth, width), row.lines) << row.name;
}

} // namespace
