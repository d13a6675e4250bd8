#include "hardware/Smbios.h"

#include <numeric>
#include <utility>

namespace qv::hardware {

namespace {

constexpr std::string_view kEntryPointPath = "/sys/firmware/dmi/tables/smbios_entry_point";
constexpr std::string_view kTablePath = "/sys/firmware/dmi/tables/DMI";
constexpr std::size_t kEntryPointLimit = 64;
// A 3.x table gives only its largest size; no firmware needs more than this.
constexpr std::uint32_t kTableLimit = 4U << 20;
constexpr std::size_t kHeaderLength = 4;
constexpr std::uint8_t kEndOfTable = 127;

std::uint8_t at(std::string_view bytes, std::size_t offset)
{
    return std::uint8_t(bytes[offset]);
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t offset, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | at(bytes, offset + i);
    return value;
}

// The bytes of [offset, offset + length) add up to zero, as every entry point's checksum makes them.
bool checksumHolds(std::string_view bytes, std::size_t offset, std::size_t length)
{
    if (offset + length > bytes.size())
        return false;
    const std::string_view span = bytes.substr(offset, length);
    return std::accumulate(span.begin(), span.end(), 0U,
                           [](unsigned sum, char byte) { return sum + std::uint8_t(byte); }) %
               256 ==
           0;
}

std::optional<SmbiosEntryPoint> entryPoint3(std::string_view bytes)
{
    constexpr std::size_t kLength = 0x18;
    if (bytes.size() < kLength || at(bytes, 6) < kLength || !checksumHolds(bytes, 0, at(bytes, 6)))
        return std::nullopt;
    SmbiosEntryPoint entry;
    entry.major = at(bytes, 7);
    entry.minor = at(bytes, 8);
    entry.revision = at(bytes, 9);
    entry.tableLength = littleEndian(bytes, 0x0C, 4);
    return entry;
}

// The legacy entry point, on its own or as the second half of a 2.x one.
std::optional<SmbiosEntryPoint> legacyEntryPoint(std::string_view bytes)
{
    constexpr std::size_t kLength = 0x0F;
    if (!bytes.starts_with("_DMI_") || !checksumHolds(bytes, 0, kLength))
        return std::nullopt;
    SmbiosEntryPoint entry;
    entry.major = at(bytes, 0x0E) >> 4;
    entry.minor = at(bytes, 0x0E) & 0x0F;
    entry.tableLength = littleEndian(bytes, 0x06, 2);
    entry.structureCount = std::uint16_t(littleEndian(bytes, 0x0C, 2));
    return entry;
}

std::optional<SmbiosEntryPoint> entryPoint2(std::string_view bytes)
{
    constexpr std::size_t kLength = 0x1F;
    constexpr std::size_t kLegacyPart = 0x10;
    // Some firmware gives 0x1E for the length; the legacy half behind it is what counts.
    if (bytes.size() < kLength || at(bytes, 5) < kLength - 1 || !checksumHolds(bytes, 0, at(bytes, 5)))
        return std::nullopt;
    auto entry = legacyEntryPoint(bytes.substr(kLegacyPart));
    if (entry) {
        entry->major = at(bytes, 6);
        entry->minor = at(bytes, 7);
    }
    return entry;
}

// The strings that follow a formatted area at `start`, and where the string set ends (after its two zero
// bytes); the end is npos when the table ends first.
std::pair<std::vector<std::string_view>, std::size_t> stringSet(std::string_view table, std::size_t start)
{
    std::vector<std::string_view> strings;
    if (start + 1 < table.size() && table[start] == 0 && table[start + 1] == 0)
        return {strings, start + 2};
    std::size_t position = start;
    while (position < table.size()) {
        const std::size_t zero = table.find('\0', position);
        if (zero == std::string_view::npos)
            break;
        strings.push_back(table.substr(position, zero - position));
        if (zero + 1 < table.size() && table[zero + 1] == 0)
            return {strings, zero + 2};
        position = zero + 1;
    }
    return {strings, std::string_view::npos};
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string SmbiosEntryPoint::versionText() const
{
    std::string text = std::to_string(major) + '.' + std::to_string(minor);
    if (!structureCount)
        text += '.' + std::to_string(revision);
    return text;
}

std::optional<SmbiosEntryPoint> parseSmbiosEntryPoint(std::string_view bytes)
{
    if (bytes.starts_with("_SM3_"))
        return entryPoint3(bytes);
    if (bytes.starts_with("_SM_"))
        return entryPoint2(bytes);
    return legacyEntryPoint(bytes);
}

SmbiosStructure::SmbiosStructure(std::string_view formatted, std::vector<std::string_view> strings)
    : m_formatted(formatted)
    , m_strings(std::move(strings))
{
}

std::optional<std::uint64_t> SmbiosStructure::little(std::size_t offset, std::size_t size) const
{
    if (offset + size > m_formatted.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | at(m_formatted, offset + i);
    return value;
}

std::optional<std::uint8_t> SmbiosStructure::byte(std::size_t offset) const
{
    const auto value = little(offset, 1);
    return value ? std::optional<std::uint8_t>(std::uint8_t(*value)) : std::nullopt;
}

std::optional<std::uint16_t> SmbiosStructure::word(std::size_t offset) const
{
    const auto value = little(offset, 2);
    return value ? std::optional<std::uint16_t>(std::uint16_t(*value)) : std::nullopt;
}

std::optional<std::uint32_t> SmbiosStructure::dword(std::size_t offset) const
{
    const auto value = little(offset, 4);
    return value ? std::optional<std::uint32_t>(std::uint32_t(*value)) : std::nullopt;
}

std::optional<std::uint64_t> SmbiosStructure::qword(std::size_t offset) const
{
    return little(offset, 8);
}

std::optional<std::string> SmbiosStructure::string(std::size_t offset) const
{
    const auto number = byte(offset);
    if (!number || *number == 0 || *number > m_strings.size())
        return std::nullopt;
    std::string_view text = m_strings[*number - 1];
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    return std::string(text);
}

std::vector<SmbiosStructure> parseSmbiosStructures(std::string_view table, const SmbiosEntryPoint& entry)
{
    table = table.substr(0, std::min<std::size_t>(table.size(), entry.tableLength));
    std::vector<SmbiosStructure> structures;
    std::size_t position = 0;
    while (position + kHeaderLength <= table.size() &&
           (!entry.structureCount || structures.size() < *entry.structureCount)) {
        const std::size_t length = at(table, position + 1);
        if (length < kHeaderLength || position + length > table.size())
            break;
        auto [strings, end] = stringSet(table, position + length);
        structures.emplace_back(table.substr(position, length), std::move(strings));
        if (end == std::string_view::npos || structures.back().type() == kEndOfTable)
            break;
        position = end;
    }
    return structures;
}

SmbiosTables smbiosTablesFrom(std::string_view entryPoint, std::string table)
{
    SmbiosTables tables;
    const auto entry = parseSmbiosEntryPoint(entryPoint);
    if (!entry) {
        tables.state = SmbiosTables::State::Damaged;
        return tables;
    }
    tables.state = SmbiosTables::State::Read;
    tables.entry = *entry;
    tables.table = std::make_unique<const std::string>(std::move(table));
    tables.structures = parseSmbiosStructures(*tables.table, *entry);
    return tables;
}

SmbiosTables readSmbiosTables(const MachineTree& tree)
{
    SmbiosTables tables;
    const auto entryPoint = tree.read(kEntryPointPath, kEntryPointLimit);
    if (!entryPoint) {
        tables.state =
            tree.exists(kEntryPointPath) ? SmbiosTables::State::Denied : SmbiosTables::State::Absent;
        return tables;
    }
    const auto entry = parseSmbiosEntryPoint(*entryPoint);
    if (!entry) {
        tables.state = SmbiosTables::State::Damaged;
        return tables;
    }
    const auto table = tree.read(kTablePath, std::min(entry->tableLength, kTableLimit));
    if (!table && tree.exists(kTablePath)) {
        tables.state = SmbiosTables::State::Denied;
        return tables;
    }
    return smbiosTablesFrom(*entryPoint, table.value_or(std::string()));
}

} // namespace qv::hardware
