#include "bench/CpuReferenceTables.h"
#include "bench/MemoryReferenceTables.h"
#include "bench/charts/BarChartView.h"
#include "bench/charts/ChartPainter.h"
#include "bench/charts/ComparisonBars.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRadialGradient>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using namespace qv::bench;
using namespace qv::charts;

// A stand-in for the chart background picture: soft blue, partly transparent so that the plot's own
// gradient shows through.
QImage placeholderBackground()
{
    QImage picture(400, 200, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QLinearGradient wash(0, 0, 400, 200);
    wash.setColorAt(0, QColor(150, 170, 215, 210));
    wash.setColorAt(1, QColor(225, 232, 248, 150));
    painter.fillRect(picture.rect(), wash);
    QRadialGradient glow(QPointF(320, 40), 180);
    glow.setColorAt(0, QColor(255, 255, 255, 140));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(picture.rect(), glow);
    return picture;
}

void fill(BarChartView& view, const std::vector<ChartBar>& bars, const QString& title, int arrowLength)
{
    view.setBars(bars);
    view.setAxisTitle(title);
    view.setMarkArrowLength(arrowLength);
    view.setBackgroundPicture(placeholderBackground());
}

bool isUserBrown(QRgb pixel)
{
    return qRed(pixel) > qGreen(pixel) + 40 && qRed(pixel) > qBlue(pixel) + 60;
}

bool isSilver(QRgb pixel)
{
    return std::abs(qRed(pixel) - qGreen(pixel)) < 12 && std::abs(qGreen(pixel) - qBlue(pixel)) < 12 &&
           qRed(pixel) > 150 && qRed(pixel) < 235;
}

// Checks what the screen shows against the layout: the user's bar in its colour on top, silver
// reference bars, the background inside the plot and white outside it.
void expectDrawnAsLaidOut(BarChartView& view, const char* name)
{
    const QImage image = view.grab().toImage();
    const ChartGeometry geometry = view.chartGeometry();
    ASSERT_FALSE(geometry.bars.empty()) << name;
    const BarPlacement& user = geometry.bars.back();
    EXPECT_TRUE(isUserBrown(image.pixel(user.bar.center().toPoint()))) << name << ": the user's bar";
    const BarPlacement& first = geometry.bars.front();
    if (first.bar.width() >= 3) {
        EXPECT_TRUE(isSilver(image.pixel(first.bar.center().toPoint()))) << name << ": a reference bar";
    }
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255)) << name << ": outside the plot";

    // Between the bottom bar's mark and the plot's right edge, away from the grid: the background.
    double x = (first.markRect.right() + geometry.plot.right()) / 2;
    for (const TickPlacement& tick : geometry.majorTicks) {
        if (std::abs(tick.x - x) < 3)
            x += 6;
    }
    const QRgb background = image.pixel(QPointF(x, first.slot.center().y()).toPoint());
    EXPECT_GT(qBlue(background), qRed(background) + 8) << name << ": the background picture in the plot";
}

TEST(ChartRender, ChartsWithTodaysAndSmallIndices)
{
    struct Row {
        const char* name;
        std::vector<ChartBar> bars;
        QString title;
        int arrowLength;
        QSize size;
    };
    const Row rows[] = {
        {"charts_cpu_general_athlonxp_2400", cpuChartBars(CpuFamily::AthlonXP, CpuChart::General, 2400),
         cpuAxisTitle(CpuChart::General), 0, QSize(760, 300)},
        {"charts_cpu_alu_pentium4_2600", cpuChartBars(CpuFamily::Pentium4, CpuChart::Alu, 2600),
         cpuAxisTitle(CpuChart::Alu), 0, QSize(760, 300)},
        {"charts_cpu_fpu_pentiumiii_150", cpuChartBars(CpuFamily::PentiumIII, CpuChart::Fpu, 150),
         cpuAxisTitle(CpuChart::Fpu), 0, QSize(760, 300)},
        {"charts_cpu_general_pentiumiii_150", cpuChartBars(CpuFamily::PentiumIII, CpuChart::General, 150),
         cpuAxisTitle(CpuChart::General), 0, QSize(760, 300)},
        {"charts_memory_pentium34_12000", memoryChartBars(MemoryFamily::PentiumIII4, 12000),
         memoryAxisTitle(), kMemoryMarkArrowLength, QSize(694, 297)},
        {"charts_memory_pentium34_150", memoryChartBars(MemoryFamily::PentiumIII4, 150), memoryAxisTitle(),
         kMemoryMarkArrowLength, QSize(694, 297)},
        {"charts_memory_duronathlon_12000", memoryChartBars(MemoryFamily::DuronAthlon, 12000),
         memoryAxisTitle(), kMemoryMarkArrowLength, QSize(694, 297)},
        {"charts_memory_pentiumii_60", memoryChartBars(MemoryFamily::PentiumII, 60), memoryAxisTitle(),
         kMemoryMarkArrowLength, QSize(694, 297)},
    };
    for (const Row& row : rows) {
        BarChartView view;
        view.resize(row.size);
        fill(view, row.bars, row.title, row.arrowLength);
        expectDrawnAsLaidOut(view, row.name);
        qv::test::saveScreenshot(view, QString::fromUtf8(row.name));
    }
}

TEST(ChartRender, ZoomedMemoryChart)
{
    BarChartView view;
    view.resize(694, 297);
    fill(view, memoryChartBars(MemoryFamily::PentiumIII4, 12000), memoryAxisTitle(), kMemoryMarkArrowLength);
    view.setValueRange({0, 1200});
    const QImage image = view.grab().toImage();
    const ChartGeometry geometry = view.chartGeometry();
    EXPECT_EQ(geometry.range, (ValueRange{0, 1200}));
    // The user's bar runs to the right edge of the plot and no further.
    const BarPlacement& user = geometry.bars.back();
    EXPECT_TRUE(
        isUserBrown(image.pixel(QPoint(int(geometry.plot.right()) - 2, int(user.slot.center().y()) + 3))));
    EXPECT_FALSE(
        isUserBrown(image.pixel(QPoint(int(geometry.plot.right()) + 2, int(user.slot.center().y()) + 3))));
    qv::test::saveScreenshot(view, QStringLiteral("charts_memory_pentium34_12000_zoomed"));
}

TEST(ChartRender, RendersScaledOntoAnyPainter)
{
    BarChart chart;
    for (const ChartBar& bar : memoryChartBars(MemoryFamily::Pentium, 48))
        chart.addBar(bar.value, bar.position, bar.label, bar.colour);
    chart.setAxisTitle(memoryAxisTitle());
    chart.setMarkArrowLength(kMemoryMarkArrowLength);

    // Twice the size, offset by (20, 10): the layout is the same, only scaled.
    const QSizeF logical(694, 297);
    QImage image(1428, 614, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        renderChart(painter, QRectF(20, 10, 1388, 594), chart, logical);
    }
    const ChartGeometry geometry = ChartGeometry::compute(chart, logical, FontTextMeasure());
    const QPointF userCentre = geometry.bars.back().bar.center() * 2 + QPointF(20, 10);
    EXPECT_TRUE(isUserBrown(image.pixel(userCentre.toPoint())));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0)) << "nothing outside the target";
    EXPECT_EQ(image.pixel(24, 14), qRgb(255, 255, 255)) << "the chart's white inside it";
}

TEST(ChartRender, PrintsOnePdfPage)
{
    BarChart chart;
    for (const ChartBar& bar : cpuChartBars(CpuFamily::Duron, CpuChart::Alu, 2400))
        chart.addBar(bar.value, bar.position, bar.label, bar.colour);
    chart.setAxisTitle(cpuAxisTitle(CpuChart::Alu));
    chart.setBackgroundPicture(placeholderBackground());

    // Next to the screenshots, so that the printed page can be looked at too.
    BarChartView view;
    view.resize(760, 300);
    view.setBars(chart.bars());
    view.setAxisTitle(chart.axisTitle());
    view.setBackgroundPicture(chart.backgroundPicture());
    const QString screenshot = qv::test::saveScreenshot(view, QStringLiteral("charts_print_source"));
    const QString path = QFileInfo(screenshot).dir().filePath(QStringLiteral("charts_print.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        ASSERT_TRUE(painter.isActive());
        const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.width() * 300.0 / 760.0));
        renderChart(painter, page, chart, QSizeF(760, 300));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 5000);
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
}

} // namespace
