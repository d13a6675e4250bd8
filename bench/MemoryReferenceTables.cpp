#include "bench/MemoryReferenceTables.h"

#include <algorithm>
#include <utility>

namespace qv::bench {

namespace {

struct MemoryRowData {
    const char16_t* label;
    std::int32_t index;
};

struct MemoryFamilyData {
    MemoryFamily family;
    const char16_t* machines; // completes the title
    std::vector<MemoryRowData> rows;
};

const std::vector<MemoryFamilyData>& familyData()
{
    static const std::vector<MemoryFamilyData> data{
        {MemoryFamily::I486,
         u"486",
         {
             {u"FPM / 8K / 0K / 25MHz", 12},
             {u"FPM / 8K / 128K / 25MHz", 15},
             {u"FPM / 8K / 0K / 33MHz", 20},
             {u"FPM / 8K / 128K / 33MHz", 21},
             {u"FPM / 8K / 256K / 33MHz", 22},
             {u"FPM / 8K / 256K / 40MHz", 25},
         }},
        {MemoryFamily::Pentium,
         u"Pentium",
         {
             {u"FPM / 16K / 0K / 60 Mhz", 32},
             {u"FPM / 16K / 0K / 66 MHz", 37},
             {u"FPM / 16K / 512K / 66 Mhz", 42},
             {u"EDO / 16K / 0K / 66 MHz", 45},
             {u"EDO / 16K / 512K / 66 MHz", 50},
             {u"SD-RAM / 32K / 512K / 66MHz", 55},
         }},
        {MemoryFamily::PentiumII,
         u"Pentium II",
         {
             {u"SD-RAM / 32K / 0K / 66 MHz", 50},
             {u"SD-RAM / 32K / 128K / 66MHz", 55},
             {u"SD-RAM / 32K / 128K / 66MHz", 65},
             {u"SD-RAM / 32K / 512K / 66MHz", 67},
             {u"SD-RAM / 32K / 512K / 100MHz", 93},
         }},
        {MemoryFamily::PentiumIII4,
         u"Pentium III / 4",
         {
             {u"SD-RAM / 32K / 512K / 66MHz", 67},
             {u"SD-RAM / 32K / 512K / 100MHz", 93},
             {u"SD-RAM / 32K / 256K FS / 100MHz", 99},
             {u"SD-RAM / 32K / 256K FS / 133MHz", 133},
             {u"P3 RD-RAM / 32K / 256K FS / 133Mhz", 151},
             {u"P4 SD-RAM / 12+8K / 256K FS / 400Mhz", 352},
             {u"P4 RD-RAM / 12+8K / 256K FS / 400Mhz", 715},
             {u"P4B RD-RAM4200 / 12+8K / 512K FS / 533Mhz", 1040},
         }},
        {MemoryFamily::DuronAthlon,
         u"Duron/Athlon",
         {
             {u"SD-RAM / 128K / 64K FS / 133Mhz (Duron, FSB 200Mhz)", 176},
             {u"SD-RAM / 128K / 256K FS / 133Mhz (Athlon T-Bird, FSB 200Mhz)", 245},
             {u"DDR SDRAM / 128K / 256K FS / 133Mhz (Athlon T-Bird, FSB 266Mhz)", 288},
             {u"DDR SDRAM / 128K / 256K FS / 133Mhz (Athlon XP, FSB 266Mhz)", 324},
             {u"DDR PC2100 / 128K / 256K FS / 133Mhz (Athlon XP, FSB 266Mhz)", 383},
             {u"DDR PC2700 / 128K / 256K FS / 133Mhz (Athlon XP, FSB 266Mhz)", 389},
         }},
    };
    return data;
}

const MemoryFamilyData& dataOf(MemoryFamily family)
{
    const auto& data = familyData();
    return *std::find_if(data.begin(), data.end(),
                         [family](const MemoryFamilyData& d) { return d.family == family; });
}

} // namespace

const std::vector<ReferenceRow>& memoryReferenceRows(MemoryFamily family)
{
    static const auto tables = [] {
        std::vector<std::pair<MemoryFamily, std::vector<ReferenceRow>>> built;
        for (const MemoryFamilyData& data : familyData()) {
            std::vector<ReferenceRow> rows;
            rows.reserve(data.rows.size());
            for (const MemoryRowData& row : data.rows)
                rows.push_back({int(rows.size()) + 1, QString::fromUtf16(row.label), row.index});
            built.emplace_back(data.family, std::move(rows));
        }
        return built;
    }();
    return std::find_if(tables.begin(), tables.end(),
                        [family](const auto& entry) { return entry.first == family; })
        ->second;
}

QString memoryFamilyWord(MemoryFamily family)
{
    return QString::fromUtf16(dataOf(family).machines);
}

QString memoryFamilyTitle(MemoryFamily family)
{
    return QStringLiteral("Performances of your memory subsystem (RAM/cache/bus) compared to ") +
           memoryFamilyWord(family) + QStringLiteral(" machines");
}

QString memoryUserLabel()
{
    return QStringLiteral("Your memory subsystem");
}

QString memoryAxisTitle()
{
    return QStringLiteral("Memory performances index QV-mem");
}

MemoryFamily memoryFamilyForIndex(std::int32_t userIndex)
{
    if (userIndex > 85)
        return MemoryFamily::PentiumIII4;
    if (userIndex > 55)
        return MemoryFamily::PentiumII;
    if (userIndex > 40)
        return MemoryFamily::Pentium;
    return MemoryFamily::I486;
}

Rating memoryRating(std::int32_t userIndex)
{
    return rateIndex({{1000, 4, "Exceptional performances"},
                      {300, 3, "Excellent performances"},
                      {150, 2, "Very good performances"},
                      {100, 1, "Good performances"}},
                     userIndex);
}

} // namespace qv::bench
