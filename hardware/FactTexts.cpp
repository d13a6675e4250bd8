#include "hardware/FactTexts.h"

#include <array>
#include <cstdio>

namespace qv::hardware {

namespace {

std::string orUnknown(const std::optional<std::string>& text)
{
    return text && !text->empty() ? *text : kUnknownText;
}

std::string sizeOrUnknown(const std::optional<std::uint64_t>& bytes)
{
    return bytes ? sizeText(*bytes) : kUnknownText;
}

std::string speedText(const std::optional<std::uint32_t>& speed)
{
    return speed ? std::to_string(*speed) + " MT/s" : std::string();
}

std::vector<FactLine> identityLines(const BoardIdentity& identity)
{
    return {{"Manufacturer", orUnknown(identity.manufacturer)},
            {"Model", orUnknown(identity.product)},
            {"Version", orUnknown(identity.version)},
            {"Serial number", orUnknown(identity.serialNumber)}};
}

} // namespace

std::string sizeText(std::uint64_t bytes)
{
    static constexpr std::array<const char*, 5> kUnits{"bytes", "KiB", "MiB", "GiB", "TiB"};
    std::size_t unit = 0;
    double value = double(bytes);
    while (value >= 1024 && unit + 1 < kUnits.size()) {
        value /= 1024;
        ++unit;
    }
    std::array<char, 32> text{};
    const bool whole = value == double(std::uint64_t(value));
    std::snprintf(text.data(), text.size(), whole ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
    return text.data();
}

std::optional<Usage> usageOf(std::optional<std::uint64_t> total, std::optional<std::uint64_t> available)
{
    if (!total || *total == 0 || !available)
        return std::nullopt;
    Usage usage;
    usage.total = *total;
    usage.used = *available < *total ? *total - *available : 0;
    usage.percent = int((usage.used * 100 + usage.total / 2) / usage.total);
    return usage;
}

std::string usageText(const Usage& usage)
{
    return std::to_string(usage.percent) + " % in use (" + sizeText(usage.used) + " of " +
           sizeText(usage.total) + ")";
}

std::string usageCaption(std::optional<std::uint64_t> total, std::optional<std::uint64_t> available)
{
    if (total == 0u)
        return "None";
    const auto usage = usageOf(total, available);
    return usage ? usageText(*usage) : kUnknownText;
}

std::vector<FactLine> memorySummaryLines(const MemoryFacts& facts)
{
    const MemoryTotals& totals = facts.totals;
    std::string slotText = kUnknownText;
    if (facts.memorySlots) {
        std::size_t filled = 0;
        for (const MemorySlot& slot : *facts.memorySlots)
            filled += slot.installed ? 1 : 0;
        slotText = std::to_string(filled) + " of " + std::to_string(facts.memorySlots->size()) + " filled";
    }
    return {{"Total", sizeOrUnknown(totals.total)},
            {"Available", sizeOrUnknown(totals.available)},
            {"Swap", sizeOrUnknown(totals.swapTotal)},
            {"Swap free", sizeOrUnknown(totals.swapFree)},
            {"Memory slots", slotText}};
}

const std::vector<std::string>& memorySlotColumns()
{
    static const std::vector<std::string> columns{"Slot",    "Size",  "Type",       "Speed",
                                                  "Runs at", "Maker", "Part number"};
    return columns;
}

std::vector<std::string> memorySlotRow(const MemorySlot& slot)
{
    const std::string locator = slot.locator.value_or(std::string());
    if (!slot.installed)
        return {locator, "Empty", "", "", "", "", ""};
    std::string type = slot.type.value_or(std::string());
    if (slot.formFactor)
        type += (type.empty() ? "" : " ") + *slot.formFactor;
    return {locator,
            sizeOrUnknown(slot.size),
            type,
            speedText(slot.speed),
            speedText(slot.configuredSpeed),
            slot.manufacturer.value_or(std::string()),
            slot.partNumber.value_or(std::string())};
}

std::vector<FactLine> systemLines(const BoardFacts& facts)
{
    std::vector<FactLine> lines = identityLines(facts.system);
    lines.push_back({"Chassis", orUnknown(facts.chassisType)});
    return lines;
}

std::vector<FactLine> biosLines(const BoardFacts& facts)
{
    return {{"Maker", orUnknown(facts.biosVendor)},
            {"Version", orUnknown(facts.biosVersion)},
            {"Date", orUnknown(facts.biosDate)},
            {"SMBIOS version", orUnknown(facts.smbiosVersion)}};
}

std::vector<FactLine> boardLines(const BoardFacts& facts)
{
    std::vector<FactLine> lines = identityLines(facts.board);
    lines.push_back({"Processor socket", orUnknown(facts.processorSocket)});
    lines.push_back({"Socket kind", orUnknown(facts.processorUpgrade)});
    lines.push_back({"Chipset", orUnknown(facts.chipset)});
    return lines;
}

std::string driveListText(const Drive& drive)
{
    std::string text = drive.name;
    if (drive.model)
        text += "  " + *drive.model;
    if (drive.size)
        text += (drive.model ? ", " : "  ") + sizeText(*drive.size);
    return text;
}

std::vector<FactLine> driveLines(const Drive& drive)
{
    std::string sectors = kUnknownText;
    if (drive.logicalSectorSize && drive.physicalSectorSize)
        sectors = std::to_string(*drive.logicalSectorSize) + " bytes, " +
                  std::to_string(*drive.physicalSectorSize) + " on the medium";
    std::string kind = kUnknownText;
    if (drive.rotational)
        kind = *drive.rotational ? "Rotating disk" : "Solid-state";
    return {{"Model", orUnknown(drive.model)},
            {"Maker", orUnknown(drive.vendor)},
            {"Serial number", orUnknown(drive.serialNumber)},
            {"Firmware", orUnknown(drive.firmware)},
            {"Size", sizeOrUnknown(drive.size)},
            {"Sectors", sectors},
            {"Kind", kind},
            {"Connected by", orUnknown(drive.transport)}};
}

const std::vector<std::string>& volumeColumns()
{
    static const std::vector<std::string> columns{"Volume", "File system", "Size", "Mounted at", "Usage"};
    return columns;
}

std::vector<std::string> volumeRow(const BlockVolume& volume)
{
    std::string fileSystem = volume.fileSystem.value_or(volume.type);
    if (volume.label && !volume.label->empty())
        fileSystem += " \"" + *volume.label + '"';
    std::string mounts;
    for (const std::string& mountPoint : volume.mountPoints)
        mounts += (mounts.empty() ? "" : ", ") + mountPoint;
    std::string usage;
    if (volume.usage) {
        if (const auto share = usageOf(volume.usage->total, volume.usage->available))
            usage = usageText(*share);
    } else if (!volume.mountPoints.empty()) {
        usage = kUnknownText;
    }
    return {volume.mapper.value_or(volume.name), fileSystem, sizeOrUnknown(volume.size), mounts, usage};
}

BlockVolume driveAsVolume(const Drive& drive)
{
    BlockVolume volume;
    volume.name = drive.name;
    volume.type = drive.type;
    volume.size = drive.size;
    volume.fileSystem = drive.fileSystem;
    volume.label = drive.label;
    volume.uuid = drive.uuid;
    volume.mountPoints = drive.mountPoints;
    volume.usage = drive.usage;
    volume.children = drive.children;
    return volume;
}

bool holdsFileSystem(const Drive& drive)
{
    return drive.fileSystem || !drive.mountPoints.empty();
}

} // namespace qv::hardware
