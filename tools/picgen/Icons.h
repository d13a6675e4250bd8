#pragma once

#include <QPainter>

namespace qv::picgen {

// Every icon of the program, in one style (see IconShapes.h). Each fits a square.
enum class Icon {
    Chip,
    Memory,
    HardDisk,
    Drives,
    Monitor,
    Cube,
    Disc,
    Globe,
    NetworkedPcs,
    Gauge,
    VideoCard,
    Motherboard,
    AppWindow,
    Floppy,
    Clipboard,
    NetworkTree,
    Tower,
    ChartUp,
    Sliders,
    WebUpdate,
    Pulse,
    DiscCheck,
    Archive,
    Restore,
    PlugCheck,
    Wand,
    Tools,
    Info,
    ChipInfo,
    Product,
};

void drawIcon(QPainter& p, Icon icon, const QRectF& square);

} // namespace qv::picgen
