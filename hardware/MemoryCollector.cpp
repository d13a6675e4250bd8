#include "hardware/MemoryCollector.h"

#include <charconv>

namespace qv::hardware {

namespace {

constexpr std::size_t kMeminfoLimit = std::size_t(64) * 1024;

// "MemTotal:       16318480 kB" gives 16318480 × 1024.
std::optional<std::uint64_t> meminfoBytes(std::string_view meminfo, std::string_view field)
{
    std::size_t position = 0;
    while (position < meminfo.size()) {
        std::size_t end = meminfo.find('\n', position);
        if (end == std::string_view::npos)
            end = meminfo.size();
        std::string_view line = meminfo.substr(position, end - position);
        position = end + 1;
        if (!line.starts_with(field) || line.substr(field.size(), 1) != ":")
            continue;
        line.remove_prefix(field.size() + 1);
        const std::size_t digits = line.find_first_not_of(' ');
        if (digits == std::string_view::npos || !line.ends_with(" kB"))
            return std::nullopt;
        std::uint64_t kilobytes = 0;
        const char* last = line.data() + line.size() - 3;
        const auto [stop, error] = std::from_chars(line.data() + digits, last, kilobytes);
        if (error != std::errc() || stop != last || kilobytes > UINT64_MAX / 1024)
            return std::nullopt;
        return kilobytes * 1024;
    }
    return std::nullopt;
}

void addSlots(const SmbiosTables& tables, MemoryFacts& facts)
{
    using State = SmbiosTables::State;
    switch (tables.state) {
    case State::Absent:
        facts.notes.emplace_back(memory_notes::kNoSlots);
        return;
    case State::Denied:
        facts.notes.emplace_back(memory_notes::kNeedsAdministrator);
        return;
    case State::Damaged:
        facts.notes.emplace_back(memory_notes::kDamagedTables);
        return;
    case State::Read:
        break;
    }
    facts.smbiosVersion = tables.entry.versionText();
    if (auto arrays = smbiosMemoryArrays(tables.structures); !arrays.empty())
        facts.memoryArrays = std::move(arrays);
    if (auto found = smbiosMemorySlots(tables.structures); !found.empty())
        facts.memorySlots = std::move(found);
    else
        facts.notes.emplace_back(memory_notes::kNoSlots);
}

} // namespace

MemoryTotals parseMeminfo(std::string_view meminfo)
{
    return {meminfoBytes(meminfo, "MemTotal"), meminfoBytes(meminfo, "MemAvailable"),
            meminfoBytes(meminfo, "SwapTotal"), meminfoBytes(meminfo, "SwapFree")};
}

MemoryFacts collectMemory(const MachineTree& tree)
{
    MemoryFacts facts;
    if (const auto meminfo = tree.read("/proc/meminfo", kMeminfoLimit))
        facts.totals = parseMeminfo(*meminfo);
    if (!facts.totals.total)
        facts.notes.emplace_back(memory_notes::kNoTotals);
    addSlots(readSmbiosTables(tree), facts);
    return facts;
}

} // namespace qv::hardware
