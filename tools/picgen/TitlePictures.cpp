#include "Families.h"
#include "Painting.h"
#include "Palette.h"
#include "PictureSink.h"

namespace qv::picgen {

using namespace colour;

namespace {

// "Quorvex" in white followed by "2003" in the accent colour, vertically centred in r.
void productName(QPainter& p, const QRectF& r, int pixelSize)
{
    const QFont font = uiFont(pixelSize, true);
    const QString name = QStringLiteral("Quorvex ");
    const qreal nameWidth = QFontMetricsF(font).horizontalAdvance(name);
    const QColor shadow = withAlpha(navyDark(), 200);
    shadowText(p, r, Qt::AlignLeft | Qt::AlignVCenter, name, font, white(), shadow);
    shadowText(p, r.adjusted(nameWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2003"),
               font, accent(), shadow);
}

void benchmarkBars(QPainter& p, const QRectF& area)
{
    const qreal heights[] = {0.30, 0.45, 0.38, 0.60, 0.72, 0.95};
    constexpr int count = static_cast<int>(std::size(heights));
    const qreal step = area.width() / count;
    for (int i = 0; i < count; ++i) {
        const qreal h = area.height() * heights[i];
        const QRectF bar(area.left() + i * step + 3, area.bottom() - h, step - 6, h);
        const bool last = i == count - 1;
        const QColor top = last ? accentLight() : withAlpha(slate(), 230);
        const QColor bottom = last ? withAlpha(accent(), 150) : withAlpha(navyLight(), 120);
        roundedPanel(p, bar, 2, verticalGradient(bar, top, bottom), withAlpha(white(), last ? 120 : 60));
    }
    p.fillRect(QRectF(area.left(), area.bottom(), area.width(), 1), withAlpha(white(), 110));
}

QImage splash()
{
    QImage image = newPicture({500, 272});
    QPainter p(&image);
    prepare(p);

    const QRectF top(0, 0, 500, 224);
    QLinearGradient sky(top.topLeft(), top.bottomRight());
    sky.setColorAt(0, navyDark());
    sky.setColorAt(0.6, navy());
    sky.setColorAt(1, mix(navy(), navyLight(), 0.5));
    p.fillRect(top, sky);
    circuitTraces(p, top, 2003, 46, withAlpha(white(), 22));
    circuitTraces(p, QRectF(300, 0, 200, 224), 7, 6, withAlpha(accent(), 70));

    glow(p, {404, 104}, 120, withAlpha(accent(), 70));
    glow(p, {404, 104}, 70, withAlpha(white(), 40));
    QPainterPath chipOutline;
    chipOutline.addRoundedRect(QRectF(367, 67, 74, 74), 8, 8);
    dropShadow(p, chipOutline, {4, 6}, 8, withAlpha(navyDark(), 160));
    drawIcon(p, Icon::Chip, QRectF(342, 42, 124, 124));

    productName(p, QRectF(28, 40, 300, 56), 44);
    p.setFont(uiFont(17));
    p.setPen(mix(dialog(), white(), 0.4));
    p.drawText(QRectF(30, 98, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("PC diagnostic & benchmark suite"));
    benchmarkBars(p, QRectF(28, 140, 190, 62));

    const QRectF band(0, 226, 500, 46);
    p.fillRect(band, verticalGradient(band, paper(), dialog()));
    p.fillRect(QRectF(0, 224, 500, 2), horizontalGradient(band, accent(), accentDark()));
    return image;
}

QImage banner()
{
    QImage image = newPicture({500, 37});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 500, 37);
    p.fillRect(all, horizontalGradient(all, navyDark(), mix(navy(), navyLight(), 0.6)));
    circuitTraces(p, QRectF(250, 0, 250, 36), 37, 10, withAlpha(white(), 20));
    p.fillRect(QRectF(0, 0, 500, 1), withAlpha(white(), 40));
    p.fillRect(QRectF(0, 35, 500, 2), horizontalGradient(all, accent(), accentDark()));

    drawIcon(p, Icon::Product, QRectF(7, 3, 29, 29));
    productName(p, QRectF(44, 0, 200, 35), 19);
    p.setFont(uiFont(12));
    p.setPen(withAlpha(white(), 190));
    p.drawText(QRectF(250, 0, 238, 35), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("PC diagnostic & benchmark suite"));
    return image;
}

// The band across the top of the program's own windows: the window's icon and its name in white on
// navy over circuit traces, an accent line below. As wide as the widest of those windows; the others
// show its left part.
QImage windowBand(Icon icon, const QString& title)
{
    constexpr int kWidth = 800;
    QImage image = newPicture({kWidth, 56});
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, kWidth, 56);
    p.fillRect(all, horizontalGradient(all, navyDark(), navyLight()));
    circuitTraces(p, QRectF(200, 0, kWidth - 200, 54), 2701, 24, withAlpha(white(), 34));
    p.fillRect(QRectF(0, 0, kWidth, 1), withAlpha(white(), 40));
    p.fillRect(QRectF(0, 54, kWidth, 2), horizontalGradient(all, accent(), accentDark()));
    glow(p, {34, 27}, 34, withAlpha(accent(), 70));
    drawIcon(p, icon, QRectF(14, 7, 40, 40));
    shadowText(p, QRectF(68, 0, 430, 54), Qt::AlignLeft | Qt::AlignVCenter, title, uiFont(21, true), white(),
               withAlpha(navyDark(), 200));
    return image;
}

} // namespace

void makeTitlePictures(PictureSink& sink)
{
    sink.save(QStringLiteral("splash"), splash(), true);
    sink.save(QStringLiteral("banner"), banner(), true);
    sink.save(QStringLiteral("title_memory"), windowBand(Icon::Memory, QStringLiteral("Memory")), true);
    sink.save(QStringLiteral("title_drives"), windowBand(Icon::Drives, QStringLiteral("Drives")), true);
    sink.save(QStringLiteral("title_motherboard"),
              windowBand(Icon::Motherboard, QStringLiteral("Motherboard")), true);
    sink.save(QStringLiteral("title_video"), windowBand(Icon::VideoCard, QStringLiteral("Video")), true);
    sink.save(QStringLiteral("title_network"), windowBand(Icon::NetworkedPcs, QStringLiteral("Network")),
              true);
    sink.save(QStringLiteral("title_programs"),
              windowBand(Icon::AppWindow, QStringLiteral("Installed applications")), true);
    sink.save(QStringLiteral("title_summary"), windowBand(Icon::Tower, QStringLiteral("System summary")),
              true);
    sink.save(QStringLiteral("title_stability"), windowBand(Icon::Pulse, QStringLiteral("Stability test")),
              true);
    sink.save(QStringLiteral("title_display2d"),
              windowBand(Icon::Monitor, QStringLiteral("Standard display benchmark")), true);
    sink.save(QStringLiteral("title_display3d"),
              windowBand(Icon::Cube, QStringLiteral("3D display benchmark")), true);
    sink.save(QStringLiteral("title_network_benchmark"),
              windowBand(Icon::NetworkedPcs, QStringLiteral("Network connection benchmark")), true);
    sink.save(QStringLiteral("title_internet_benchmark"),
              windowBand(Icon::Globe, QStringLiteral("Internet connection benchmark")), true);
    sink.save(QStringLiteral("title_results"), windowBand(Icon::ChartUp, QStringLiteral("Results")), true);
    sink.save(QStringLiteral("title_report"), windowBand(Icon::Clipboard, QStringLiteral("Report")), true);
    sink.save(QStringLiteral("title_disk_benchmark"),
              windowBand(Icon::HardDisk, QStringLiteral("Hard disk benchmark")), true);
    sink.save(QStringLiteral("title_overall"),
              windowBand(Icon::Gauge, QStringLiteral("Overall performances")), true);
    sink.save(QStringLiteral("title_performances_wizard"),
              windowBand(Icon::Wand, QStringLiteral("Performances wizard")), true);
}

} // namespace qv::picgen
