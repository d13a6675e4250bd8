#include "Icons.h"

#include "IconDrawings.h"
#include "Palette.h"

namespace qv::picgen {

using namespace colour;
using namespace icons;

namespace {

void withBadge(const IconPainter& ip, Drawing base, const QColor& fill, Mark mark)
{
    ip.within({0, 0, 18, 18}, base);
    ip.badge({16.5, 16.5}, 4.6, fill, mark);
}

} // namespace

void drawIcon(QPainter& p, Icon icon, const QRectF& square)
{
    const IconPainter ip(p, square);
    switch (icon) {
    case Icon::Chip:
        return chip(ip);
    case Icon::Memory:
        return memory(ip);
    case Icon::HardDisk:
        return hardDisk(ip);
    case Icon::Drives:
        return drives(ip);
    case Icon::Monitor:
        return monitor(ip);
    case Icon::Cube:
        return cube(ip);
    case Icon::Disc:
        return disc(ip);
    case Icon::Globe:
        return globe(ip);
    case Icon::NetworkedPcs:
        return networkedPcs(ip);
    case Icon::Gauge:
        return gauge(ip);
    case Icon::VideoCard:
        return videoCard(ip);
    case Icon::Motherboard:
        return motherboard(ip);
    case Icon::AppWindow:
        return appWindow(ip);
    case Icon::Floppy:
        return floppy(ip);
    case Icon::Clipboard:
        return clipboard(ip);
    case Icon::NetworkTree:
        return networkTree(ip);
    case Icon::Tower:
        return tower(ip);
    case Icon::ChartUp:
        return chartUp(ip);
    case Icon::Sliders:
        return sliders(ip);
    case Icon::WebUpdate:
        return withBadge(ip, globe, accent(), Mark::ArrowDown);
    case Icon::Pulse:
        return pulse(ip);
    case Icon::DiscCheck:
        return withBadge(ip, disc, navyLight(), Mark::Check);
    case Icon::Archive:
        return archive(ip);
    case Icon::Restore:
        return restore(ip);
    case Icon::PlugCheck:
        return withBadge(ip, plug, navyLight(), Mark::Check);
    case Icon::Wand:
        return wand(ip);
    case Icon::Tools:
        return tools(ip);
    case Icon::Info:
        return info(ip);
    case Icon::ChipInfo:
        return withBadge(ip, chip, accent(), Mark::Info);
    case Icon::Product:
        return product(ip);
    }
}

} // namespace qv::picgen
