#include "Families.h"

#include <algorithm>
#include <array>

namespace qv::picgen {

std::span<const Group> groups()
{
    static const std::array<Group, 4> table{{
        {QStringLiteral("Benchmarks"), QStringLiteral("Measure how fast your PC runs"), Icon::Gauge,
         Icon::Gauge},
        {QStringLiteral("Information"), QStringLiteral("Know what is inside your PC"), Icon::Info,
         Icon::ChipInfo},
        {QStringLiteral("Wizards"), QStringLiteral("Step-by-step help for your PC"), Icon::Wand, Icon::Wand},
        {QStringLiteral("Tools"), QStringLiteral("Check, test and protect your PC"), Icon::Tools,
         Icon::Tools},
    }};
    return table;
}

std::span<const Command> commands()
{
    static const std::array<Command, 27> table{{
        {"perf_cpu", "Processor", Icon::Chip, 0},
        {"perf_memory", "Memory", Icon::Memory, 0},
        {"perf_disk", "Hard disk", Icon::HardDisk, 0},
        {"perf_display", "Standard display", Icon::Monitor, 0},
        {"perf_3d", "3D display", Icon::Cube, 0},
        {"perf_cdrom", "CD drive", Icon::Disc, 0},
        {"perf_internet", "Internet connection", Icon::Globe, 0},
        {"perf_network", "Network connection", Icon::NetworkedPcs, 0},
        {"perf_overall", "Overall performances", Icon::Gauge, 0},
        {"info_cpu", "Processor", Icon::Chip, 1},
        {"info_memory", "Memory", Icon::Memory, 1},
        {"info_drives", "Drives", Icon::Drives, 1},
        {"info_video", "Video", Icon::VideoCard, 1},
        {"info_motherboard", "Motherboard", Icon::Motherboard, 1},
        {"info_os", "Operating system", Icon::AppWindow, 1},
        {"info_programs", "Installed programs", Icon::Floppy, 1},
        {"info_network", "Network", Icon::NetworkTree, 1},
        {"info_summary", "System summary", Icon::Clipboard, 1},
        {"wiz_builder", "PC Builder", Icon::Tower, 2},
        {"wiz_performances", "Performances", Icon::ChartUp, 2},
        {"wiz_windowsxp", "Windows XP", Icon::Sliders, 2},
        {"wiz_webupdate", "Web update", Icon::WebUpdate, 2},
        {"tool_stability", "Stability test", Icon::Pulse, 3},
        {"tool_cdcheck", "CD check", Icon::DiscCheck, 3},
        {"tool_backup", "System backup", Icon::Archive, 3},
        {"tool_restore", "System restore", Icon::Restore, 3},
        {"tool_network", "Network connection check", Icon::PlugCheck, 3},
    }};
    return table;
}

int commandCount(int group)
{
    const auto all = commands();
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [group](const Command& c) { return c.group == group; }));
}

} // namespace qv::picgen
