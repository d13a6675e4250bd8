#include "bench/overall/Findings.h"

#include "bench/display/DisplayTests.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <sstream>

namespace qv::bench::overall {

namespace {

using Figures = std::optional<std::vector<std::string>>;

constexpr double kGiB = 1024.0 * 1024 * 1024;

// A whole number with thousands separated: "3,600".
std::string wholeText(double value)
{
    std::string digits = std::to_string(std::llround(value));
    for (auto at = std::ptrdiff_t(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return digits;
}

std::string decimalText(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

Figures heldDownClock(const FindingsInput& in, double share)
{
    if (!in.governor || !in.clockKHz || !in.hardwareMaxKHz || *in.hardwareMaxKHz <= 0 ||
        *in.governor == "performance" || double(*in.clockKHz) >= share * double(*in.hardwareMaxKHz))
        return std::nullopt;
    return std::vector{wholeText(double(*in.clockKHz) / 1000), wholeText(double(*in.hardwareMaxKHz) / 1000),
                       *in.governor};
}

Figures loweredCeiling(const FindingsInput& in, double share)
{
    if (!in.scalingMaxKHz || !in.hardwareMaxKHz ||
        double(*in.scalingMaxKHz) >= share * double(*in.hardwareMaxKHz))
        return std::nullopt;
    return std::vector{wholeText(double(*in.scalingMaxKHz) / 1000),
                       wholeText(double(*in.hardwareMaxKHz) / 1000)};
}

Figures throttled(const FindingsInput& in, double events)
{
    if (!in.throttleEvents || double(*in.throttleEvents) <= events)
        return std::nullopt;
    return std::vector{wholeText(double(*in.throttleEvents))};
}

Figures busyMachine(const FindingsInput& in, double processors)
{
    if (!in.otherCpuUse || *in.otherCpuUse < processors)
        return std::nullopt;
    return std::vector{decimalText(*in.otherCpuUse, 1)};
}

Figures littleMemory(const FindingsInput& in, double gib)
{
    if (!in.totalMemory || double(*in.totalMemory) >= gib * kGiB)
        return std::nullopt;
    return std::vector{decimalText(double(*in.totalMemory) / kGiB, 1), wholeText(gib)};
}

Figures singleModule(const FindingsInput& in, double slotCount)
{
    if (!in.installedModules || !in.memorySlots || *in.installedModules != 1 || *in.memorySlots < slotCount)
        return std::nullopt;
    return std::vector{wholeText(*in.memorySlots)};
}

Figures spinningDisk(const FindingsInput& in, double /*unused*/)
{
    if (!in.diskRotational || !*in.diskRotational || !in.diskName || !in.randomReadMBs)
        return std::nullopt;
    return std::vector{*in.diskName, decimalText(*in.randomReadMBs, 2)};
}

Figures softwareRenderer(const FindingsInput& in, double /*unused*/)
{
    if (!in.renderer || !display::isSoftwareRenderer(*in.renderer))
        return std::nullopt;
    std::string figure = *in.renderer;
    if (in.display3DIndex)
        figure += ", 3D index " + wholeText(*in.display3DIndex);
    return std::vector{figure};
}

constexpr std::array kRules{
    FindingRule{"clock-held-down", "governor, clock of each processor, hardware maximum clock", 0.8,
                "share of the maximum clock the fastest processor stays below, any governor but performance",
                "The processor ran at {} MHz of {}: the {} governor held it down", heldDownClock},
    FindingRule{"clock-ceiling", "scaling maximum clock, hardware maximum clock", 0.95,
                "share of the maximum clock the governor's ceiling stays below",
                "The clock may not rise above {} MHz of {}: the governor's ceiling is set low",
                loweredCeiling},
    FindingRule{"thermal-throttling", "thermal throttle counts", 0, "throttle events the run must exceed",
                "The processor slowed down for heat {} times during the run: its cooling cannot keep up",
                throttled},
    FindingRule{"busy-machine", "other programs' processor use", 0.2,
                "processors' worth of other programs' work, at least",
                "Other programs kept {} processors busy: the figures are lower than this machine can reach",
                busyMachine},
    FindingRule{"little-memory", "total memory (/proc/meminfo)", 4, "GiB of memory the machine stays below",
                "Memory is {} GiB: below {} GiB, programs wait on the disk as soon as several are open",
                littleMemory},
    FindingRule{"single-module", "memory slots and modules (SMBIOS)", 2,
                "slots, at least, of which only one holds a module",
                "Memory is one module in {} slots: two would double the bandwidth", singleModule},
    FindingRule{
        "spinning-disk", "the measured drive's medium, its random 4 KiB read rate", 0,
        "none: the drive is spinning",
        "The drive {} is a spinning disk ({} MB/s reading 4 KiB at random): an SSD would be many times "
        "faster for small files",
        spinningDisk},
    FindingRule{"software-renderer", "OpenGL's renderer", 0, "none: the renderer draws with the processor",
                "Graphics use a software renderer ({}): the graphics driver is missing", softwareRenderer},
};

} // namespace

std::span<const FindingRule> findingRules()
{
    return kRules;
}

std::string fillText(std::string_view text, const std::vector<std::string>& figures)
{
    std::string filled;
    std::size_t next = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at, 2) == "{}" && next < figures.size()) {
            filled += figures[next++];
            ++at;
        } else {
            filled += text[at];
        }
    }
    return filled;
}

std::vector<Finding> evaluateFindings(const FindingsInput& input)
{
    std::vector<Finding> findings;
    for (const FindingRule& rule : kRules) {
        if (const Figures figures = rule.figures(input, rule.threshold))
            findings.push_back({rule.id, fillText(rule.text, *figures)});
    }
    return findings;
}

} // namespace qv::bench::overall
