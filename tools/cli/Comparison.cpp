#include "tools/cli/Comparison.h"

#include "bench/CpuReferenceTables.h"
#include "bench/MemoryReferenceTables.h"
#include "bench/disk/DiskReferences.h"
#include "results/report/ReferenceRows.h"
#include "results/report/Report.h"
#include "tools/cli/ArgParser.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iomanip>
#include <sstream>

namespace qv::cli {

using results::Benchmark;

namespace {

constexpr int kMaxStars = 4;

struct IndexTable {
    std::string index;   // "GeneralIndex"
    std::string heading; // "General index"
    bool rated;          // the stars belong to this index
};

std::vector<IndexTable> indexTables(Benchmark benchmark)
{
    if (benchmark == Benchmark::Mem)
        return {{"MemoryIndex", "Memory index", true}};
    if (benchmark == Benchmark::Disk)
        return {{"DiskIndex", "Disk index", false}};
    if (benchmark == Benchmark::Display2D)
        return {{"Display2DIndex", "2D index", false}};
    if (benchmark == Benchmark::Display3D)
        return {{"Display3DIndex", "3D index", false}};
    if (benchmark == Benchmark::Overall)
        return {{"OverallIndex", "Overall index", false}, {"GeneralIndex", "Processor: general index", false},
                {"MemoryIndex", "Memory index", false},   {"DiskIndex", "Disk index", false},
                {"Display2DIndex", "2D index", false},    {"Display3DIndex", "3D index", false}};
    return {{"GeneralIndex", "General index", true},
            {"AluIndex", "ALU index", false},
            {"FpuIndex", "FPU index", false}};
}

// Letters and digits only, lower case: "Pentium III / 4" and "pentiumiii4" name the same family.
std::string familyKey(std::string_view name)
{
    std::string key;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            key += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

struct Family {
    std::string name;
    int number; // position in the benchmark's family list
};

std::vector<Family> chosenFamilies(Benchmark benchmark, const std::vector<ComparedResult>& rows,
                                   const std::optional<std::string>& requested)
{
    const std::vector<std::string> names = referenceFamilyNames(benchmark);
    std::vector<Family> families;
    if (requested && familyKey(*requested) == "all") {
        for (std::size_t i = 0; i < names.size(); ++i)
            families.push_back({names[i], int(i)});
        return families;
    }
    if (requested) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (familyKey(names[i]) == familyKey(*requested))
                return {{names[i], int(i)}};
        }
        std::string known;
        for (const std::string& name : names)
            known += "'" + name + "', ";
        throw UsageError("unknown family '" + *requested + "' (" + known + "or 'all')");
    }
    if (benchmark == Benchmark::Disk || benchmark == Benchmark::Overall || displayKind(benchmark))
        return {{names.front(), 0}};
    const int number = chartFamilyFor(benchmark, rows.front().result.summary);
    return {{names[std::size_t(number)], number}};
}

int starsOf(Benchmark benchmark, double index)
{
    const auto value = std::int32_t(std::min(index, 2.0e9));
    return benchmark == Benchmark::Cpu ? bench::cpuRating(value).stars : bench::memoryRating(value).stars;
}

std::string marksOf(const results::SavedResult& result, const results::SavedResult& first,
                    const std::string& thisMachineKey)
{
    std::string marks;
    if (!result.reliable)
        marks += '!';
    if (result.machine.machineKey != thisMachineKey)
        marks += 'M';
    if (result.kernelRevision != first.kernelRevision)
        marks += 'R';
    return marks;
}

// Characters, not bytes: UTF-8 continuation bytes do not count.
std::size_t displayWidth(const std::string& text)
{
    return std::size_t(std::count_if(text.begin(), text.end(),
                                     [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(std::string text, std::size_t width)
{
    const std::size_t shown = displayWidth(text);
    if (shown < width)
        text.append(width - shown, ' ');
    return text;
}

std::string rightAligned(const std::string& text, std::size_t width)
{
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

struct Line {
    std::string name;
    std::string marks;
    std::string date;
    std::string index;
    std::string stars;
    std::string share;
};

void writeTable(std::ostringstream& out, const std::vector<Line>& lines)
{
    std::size_t nameWidth = 4;
    for (const Line& line : lines)
        nameWidth = std::max(nameWidth, displayWidth(line.name));
    for (const Line& line : lines) {
        std::string text = "  " + padded(line.name, nameWidth) + "  " + padded(line.marks, 5) +
                           padded(visibleText(line.date), 10) + rightAligned(line.index, 8) + "  " +
                           padded(line.stars, 6) + rightAligned(line.share, 7);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    }
}

std::string shareText(double value, double first)
{
    if (first <= 0)
        return {};
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << 100 * value / first << " %";
    return text.str();
}

void writeDifferingConditions(std::ostringstream& out, const std::vector<ComparedResult>& rows)
{
    std::vector<std::vector<results::ConditionMember>> members;
    members.reserve(rows.size());
    for (const ComparedResult& row : rows)
        members.push_back(results::conditionMembers(row.result.runs.back().conditions));
    bool headed = false;
    for (std::size_t key = 0; key < members.front().size(); ++key) {
        const std::string& name = members.front()[key].key;
        if (name == "Warnings")
            continue;
        const bool differ = std::any_of(members.begin(), members.end(), [&](const auto& each) {
            return each[key].value.text() != members.front()[key].value.text();
        });
        if (!differ)
            continue;
        if (!headed)
            out << "\nConditions that differ (last run of each):\n";
        headed = true;
        out << "  " << name << '\n';
        for (std::size_t row = 0; row < rows.size(); ++row)
            out << "    " << visibleText(rows[row].result.label) << ": "
                << visibleText(members[row][key].value.text()) << '\n';
    }
    if (!headed && rows.size() > 1)
        out << "\nThe recorded conditions are alike.\n";
}

} // namespace

std::string comparisonTable(Benchmark benchmark, const std::vector<ComparedResult>& rows,
                            const std::optional<std::string>& family, const std::string& thisMachineKey)
{
    const std::vector<Family> families = chosenFamilies(benchmark, rows, family);
    const results::SavedResult& first = rows.front().result;
    std::ostringstream out;
    for (const IndexTable& table : indexTables(benchmark)) {
        if (out.tellp() > 0)
            out << '\n';
        out << table.heading << '\n';
        std::vector<Line> lines{{"Machine", "Mark", "Date", "Index", table.rated ? "Stars" : "", "Share"}};
        for (const Family& each : families) {
            if (families.size() > 1)
                lines.push_back({'[' + each.name + ']', "", "", "", "", ""});
            for (const bench::ReferenceRow& reference : referenceRows(benchmark, each.number, table.index)) {
                lines.push_back({reference.label.toStdString(), "", "", std::to_string(reference.index),
                                 table.rated
                                     ? std::string(std::size_t(starsOf(benchmark, reference.index)), '*')
                                     : std::string(),
                                 ""});
            }
        }
        const double firstValue = results::figureValue(first.summary, table.index);
        for (const ComparedResult& row : rows) {
            const double value = results::figureValue(row.result.summary, table.index);
            const bool otherRevision = row.result.kernelRevision != first.kernelRevision;
            lines.push_back(
                {row.source == "This run" ? row.source : visibleText(row.result.label),
                 marksOf(row.result, first, thisMachineKey), row.result.created.substr(0, 10),
                 std::to_string(std::llround(value)),
                 table.rated
                     ? std::string(std::size_t(std::clamp(starsOf(benchmark, value), 0, kMaxStars)), '*')
                     : std::string(),
                 otherRevision ? std::string() : shareText(value, firstValue)});
        }
        writeTable(out, lines);
    }
    std::string familiesShown;
    for (const Family& each : families)
        familiesShown += (familiesShown.empty() ? "" : ", ") + each.name;
    // The disk's reference rows are typical figures of drive classes, not machines.
    out << '\n'
        << (benchmark == Benchmark::Disk ? "Reference drives" : "Reference machines") << ": " << familiesShown
        << ". Share: of the first own row. Marks: ! unreliable, M another machine, R another kernel "
           "revision.\n";
    writeDifferingConditions(out, rows);
    return out.str();
}

} // namespace qv::cli
