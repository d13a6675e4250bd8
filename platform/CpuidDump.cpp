#include "platform/CpuidDump.h"

#include "platform/FileAccess.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace qv::platform {

namespace {

constexpr std::uint32_t kExtendedBase = 0x80000000u;
constexpr std::uint32_t kLeavesPerRangeLimit = 256;

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads one to eight hexadecimal digits from the front of `text` and drops them.
std::optional<std::uint32_t> takeHex(std::string_view& text)
{
    std::size_t digits = 0;
    while (digits < text.size() && std::isxdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || digits > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + digits, value, 16);
    text.remove_prefix(digits);
    return value;
}

bool takeChar(std::string_view& text, char expected)
{
    if (text.empty() || text.front() != expected)
        return false;
    text.remove_prefix(1);
    return true;
}

void skipBlanks(std::string_view& text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
}

std::string hex8(std::uint32_t value)
{
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::string registerText(std::uint32_t value)
{
    std::string text;
    for (int shift = 0; shift < 32; shift += 8)
        text += static_cast<char>((value >> shift) & 0xFF);
    return text;
}

// The brand string as a person reads it: zero bytes dropped, outer blanks trimmed.
std::string readableBrand(const CpuidSource& source)
{
    if (source.execute(kExtendedBase).eax < kExtendedBase + 4)
        return {};
    std::string brand;
    for (std::uint32_t leaf = kExtendedBase + 2; leaf <= kExtendedBase + 4; ++leaf) {
        const CpuidRegisters r = source.execute(leaf);
        brand += registerText(r.eax) + registerText(r.ebx) + registerText(r.ecx) + registerText(r.edx);
    }
    std::erase(brand, '\0');
    return std::string(trimmed(brand));
}

void appendRange(std::string& dump, const CpuidSource& source, std::uint32_t first, std::uint32_t last)
{
    const std::uint32_t capped =
        last - first < kLeavesPerRangeLimit ? last : first + kLeavesPerRangeLimit - 1;
    for (std::uint32_t leaf = first;; ++leaf) {
        dump += formatCpuidDumpLine(leaf, source.execute(leaf)) + '\n';
        if (leaf == capped)
            break;
    }
}

// What follows `keyword` and blanks on a line that starts with them, or nothing for any other line.
std::optional<std::string_view> afterKeyword(std::string_view line, std::string_view keyword)
{
    std::string_view rest = trimmed(line);
    if (!rest.starts_with(keyword))
        return std::nullopt;
    rest.remove_prefix(keyword.size());
    if (rest.empty() || !isBlank(rest.front()))
        return std::nullopt;
    skipBlanks(rest);
    return rest;
}

} // namespace

std::optional<CpuidDumpLine> parseCpuidDumpLine(std::string_view line)
{
    auto afterCpuid = afterKeyword(line, "CPUID");
    if (!afterCpuid)
        return std::nullopt;
    std::string_view& rest = *afterCpuid;

    CpuidDumpLine parsed;
    const auto leaf = takeHex(rest);
    skipBlanks(rest);
    if (!leaf || !takeChar(rest, ':'))
        return std::nullopt;
    parsed.leaf = *leaf;
    skipBlanks(rest);

    std::array<std::uint32_t*, 4> targets = {&parsed.registers.eax, &parsed.registers.ebx,
                                             &parsed.registers.ecx, &parsed.registers.edx};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (i > 0 && !takeChar(rest, '-'))
            return std::nullopt;
        const auto value = takeHex(rest);
        if (!value)
            return std::nullopt;
        *targets[i] = *value;
    }
    if (!rest.empty())
        return std::nullopt;
    return parsed;
}

std::optional<float> parseClockDumpLine(std::string_view line)
{
    const auto rest = afterKeyword(line, "CLOCK");
    if (!rest)
        return std::nullopt;
    float megahertz = 0;
    const char* const last = rest->data() + rest->size();
    const auto [end, error] = std::from_chars(rest->data(), last, megahertz);
    if (error != std::errc() || end != last || !std::isfinite(megahertz) || megahertz < 0)
        return std::nullopt;
    return megahertz;
}

RecordedCpuidSource RecordedCpuidSource::parse(std::string_view text)
{
    RecordedCpuidSource source;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (const auto parsed = parseCpuidDumpLine(line))
            source.m_leaves[parsed->leaf] = parsed->registers;
        else if (const auto clock = parseClockDumpLine(line))
            source.m_clock = clock;
    }
    return source;
}

RecordedCpuidSource RecordedCpuidSource::fromFile(const std::string& path)
{
    return parse(readBoundedFile(path, kMaxFileSize, Readable::RegularFileOrCharacterDevice));
}

CpuidRegisters RecordedCpuidSource::execute(std::uint32_t leaf) const
{
    const auto it = m_leaves.find(leaf);
    return it == m_leaves.end() ? CpuidRegisters{} : it->second;
}

std::uint64_t RecordedCpuidSource::readTimeStampCounter() const
{
    return processorCpuidSource().readTimeStampCounter();
}

std::string formatCpuidDumpLine(std::uint32_t leaf, const CpuidRegisters& registers)
{
    return "CPUID " + hex8(leaf) + ": " + hex8(registers.eax) + '-' + hex8(registers.ebx) + '-' +
           hex8(registers.ecx) + '-' + hex8(registers.edx);
}

std::string recordCpuidDump(const CpuidSource& source)
{
    if (!source.identificationFlagToggles())
        return "# Processor without CPUID\n";
    const std::string brand = readableBrand(source);
    std::string dump = "# Brand string: " + (brand.empty() ? std::string("(none)") : brand) + '\n';
    appendRange(dump, source, 0, source.execute(0).eax);
    const std::uint32_t maxExtended = source.execute(kExtendedBase).eax;
    appendRange(dump, source, kExtendedBase, maxExtended >= kExtendedBase ? maxExtended : kExtendedBase);
    return dump;
}

} // namespace qv::platform
