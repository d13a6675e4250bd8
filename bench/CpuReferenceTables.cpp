#include "bench/CpuReferenceTables.h"

#include <algorithm>
#include <map>

namespace qv::bench {

namespace {

// One reference processor with its three indices. The general chart of the Duron family spells
// some labels differently ("700 Mhz"), hence the optional second label.
struct CpuRowData {
    const char16_t* label;
    std::int32_t general;
    std::int32_t alu;
    std::int32_t fpu;
    const char16_t* generalLabel = nullptr;
};

struct CpuFamilyData {
    CpuFamily family;
    const char* word;
    std::vector<CpuRowData> rows;
    // Bar positions on the FPU chart when they differ from the list order.
    std::vector<int> fpuPositions;
};

const std::vector<CpuFamilyData>& familyData()
{
    static const std::vector<CpuFamilyData> data{
        {CpuFamily::Pentium,
         "Pentium",
         {
             {u"Pentium 90Mhz  (EDO60-i430TX)", 9, 10, 8},
             {u"Pentium 133Mhz  (EDO66-i430TX)", 14, 15, 12},
             {u"Pentium 166Mhz  (EDO66-i430TX)", 17, 19, 15},
             {u"Pentium 200Mhz  (EDO66-i430TX)", 20, 21, 18},
             {u"Pentium MMX 200Mhz  (EDO66-i430TX)", 21, 22, 19},
             {u"Pentium MMX 233Mhz  (EDO66-i430TX)", 24, 26, 22},
         },
         {}},
        {CpuFamily::PentiumII,
         "Pentium II",
         {
             {u"Pentium II 233Mhz  (SDRAM66-i440BX)", 29, 29, 28},
             {u"Pentium II 266Mhz  (SDRAM66-i440BX)", 33, 33, 32},
             {u"Pentium II 300Mhz  (SDRAM66-i440BX)", 37, 37, 37},
             {u"Pentium II 350Mhz  (SDRAM100-i440BX)", 44, 45, 38},
             {u"Pentium II 400Mhz  (SDRAM100-i440BX)", 50, 51, 44},
         },
         {}},
        {CpuFamily::PentiumIII,
         "Pentium III",
         {
             {u"Pentium III 600E  (SDRAM100-i440BX)", 74, 74, 75},
             {u"Pentium III 600EB  (SDRAM133-i815EP)", 75, 75, 75},
             {u"Pentium III-M 650  (SDRAM100-i440BX)", 75, 76, 71},
             {u"Pentium III 700E  (SDRAM100-Via 133A)", 88, 89, 83},
             {u"Pentium III 800EB  (SDRAM133-i815EP)", 100, 100, 100},
             {u"Pentium III 933EB  (SDRAM133-Via 133A)", 116, 118, 109},
             {u"Pentium III 1 GHz EB  (SDRAM133-i815EP)", 125, 125, 125},
         },
         {1, 3, 2, 4, 5, 6, 7}},
        {CpuFamily::Pentium4,
         "Pentium 4",
         {
             {u"Pentium 4 - 1,4 GHz  (SDRAM133-i845)", 126, 127, 125},
             {u"Pentium 4 - 1,5 GHz  (SDRAM133-i845)", 135, 136, 134},
             {u"Pentium 4-M - 1,6 GHz  (SDRAM133-i845)", 142, 149, 117},
             {u"Pentium 4 - 1,6 GHz  (SDRAM133-i845)", 144, 145, 143},
             {u"Pentium 4 - 1,7 GHz  (SDRAM133-i845)", 153, 154, 152},
             {u"Pentium 4 - 1,8 GHz  (SDRAM133-i845)", 162, 163, 161},
             {u"Pentium 4  1,9 GHz   (SDRAM133-i845)", 171, 172, 170},
             {u"Pentium 4 - 2 GHz  (SDRAM133-i845)", 180, 182, 178},
             {u"Pentium 4B - 2,53 GHz  (PC2100-i845E)", 214, 222, 184},
         },
         {}},
        {CpuFamily::Celeron,
         "Celeron",
         {
             {u"Celeron 500Mhz  (SDRAM100-i810E)", 53, 53, 54},
             {u"Celeron 633Mhz  (SDRAM100-i815E)", 78, 78, 78},
             {u"Celeron 667Mhz  (SDRAM100-i815E)", 82, 82, 83},
             {u"Celeron 700Mhz  (SDRAM100-i815E)", 86, 86, 87},
             {u"Celeron 800Mhz  (SDRAM100-i815E)", 99, 99, 99},
         },
         {}},
        {CpuFamily::Duron,
         "Duron",
         {
             {u"Duron 700Mhz  (SDRAM133-Via KT133)", 87, 89, 81, u"Duron 700 Mhz  (SDRAM133-Via KT133)"},
             {u"Duron 750Mhz  (SDRAM133-Via KT133)", 94, 96, 87, u"Duron 750 Mhz  (SDRAM133-Via KT133)"},
             {u"Duron 800Mhz  (SDRAM133-Via KT133)", 100, 102, 93, u"Duron 800 Mhz  (SDRAM133-Via KT133)"},
             {u"Duron 850Mhz  (SDRAM133-Via KT133)", 106, 108, 99, u"Duron 850 Mhz  (SDRAM133-Via KT133)"},
             {u"Duron 950Mhz  (SDRAM133-Via KT133)", 118, 121, 110, u"Duron 950 Mhz  (SDRAM133-Via KT133)"},
             {u"Duron 1,2 Ghz  (SDRAM133-Sis 735)", 151, 154, 137},
         },
         {}},
        {CpuFamily::Athlon,
         "Athlon",
         {
             {u"Athlon 500Mhz (SDRAM133-KX133)", 61, 61, 66},
             {u"Athlon 600Mhz (SDRAM133-KX133)", 74, 73, 79},
             {u"Athlon 700Mhz (SDRAM133-KX133)", 86, 85, 92},
             {u"Athlon 800Mhz (SDRAM133-KX133)", 99, 97, 105},
             {u"Athlon 900Mhz (SDRAM133-KX133)", 112, 110, 118},
         },
         {}},
        {CpuFamily::AthlonThunderbird,
         "Athlon Thunderbird",
         {
             {u"Athlon T-Bird 600Mhz (SDRAM133-Via KT133A)", 77, 76, 82},
             {u"Athlon T-Bird 800MHz  (SDRAM133-Via KT133A)", 103, 101, 109},
             {u"Athlon T-Bird 900MHz  (SDRAM133-Via KT133A)", 116, 114, 123},
             {u"Athlon T-Bird 1 GHz  (SDRAM133-Via KT133A)", 128, 128, 137},
             {u"Athlon T-Bird 1,2 GHz  (SDRAM133-Via KT133A)", 154, 152, 164},
             {u"Athlon XP 1800+  (DDR/SDRAM-Via KT266)", 193, 190, 204},
         },
         {}},
        {CpuFamily::AthlonXP,
         "Athlon XP",
         {
             {u"Athlon XP 1500+ (1,33 Ghz) (DDR/SDRAM-Via KT266)", 167, 165, 176},
             {u"Athlon XP 1600+ (1,40 Ghz) (DDR/SDRAM-Via KT266)", 176, 173, 186},
             {u"Athlon XP 1700+ (1,47 Ghz) (DDR/SDRAM-Via KT266)", 185, 182, 195},
             {u"Athlon XP 1800+ (1,53 Ghz) (DDR/SDRAM-Via KT266)", 193, 190, 204},
             {u"Athlon XP 1900+ (1,6 Ghz)  (DDR/SDRAM-Via KT266)", 201, 198, 212},
             {u"Athlon XP 2000+ (1,67 Ghz)  (DDR/SDRAM-Via KT266)", 206, 210, 192},
             {u"Athlon XP 2200+ (1,80 Ghz)  (DDR/SDRAM-Via KT266)", 226, 222, 238},
         },
         {}},
    };
    return data;
}

const CpuFamilyData& dataOf(CpuFamily family)
{
    const auto& data = familyData();
    return *std::find_if(data.begin(), data.end(),
                         [family](const CpuFamilyData& d) { return d.family == family; });
}

std::vector<ReferenceRow> buildRows(const CpuFamilyData& data, CpuChart chart)
{
    std::vector<ReferenceRow> rows;
    for (std::size_t i = 0; i < data.rows.size(); ++i) {
        const CpuRowData& row = data.rows[i];
        ReferenceRow built{int(i) + 1, QString::fromUtf16(row.label), row.general};
        if (chart == CpuChart::General && row.generalLabel)
            built.label = QString::fromUtf16(row.generalLabel);
        if (chart == CpuChart::Alu)
            built.index = row.alu;
        if (chart == CpuChart::Fpu) {
            built.index = row.fpu;
            if (!data.fpuPositions.empty())
                built.position = data.fpuPositions[i];
        }
        rows.push_back(std::move(built));
    }
    return rows;
}

} // namespace

const std::vector<ReferenceRow>& cpuReferenceRows(CpuFamily family, CpuChart chart)
{
    static const auto tables = [] {
        std::map<std::pair<CpuFamily, CpuChart>, std::vector<ReferenceRow>> built;
        for (const CpuFamilyData& data : familyData()) {
            for (const CpuChart each : kCpuCharts)
                built[{data.family, each}] = buildRows(data, each);
        }
        return built;
    }();
    return tables.at({family, chart});
}

QString cpuFamilyWord(CpuFamily family)
{
    return QString::fromUtf8(dataOf(family).word);
}

QString cpuChartCaption(CpuFamily family, CpuChart chart)
{
    QString beginning;
    switch (chart) {
    case CpuChart::General:
        beginning = QStringLiteral("Performances of your CPU compared to ");
        break;
    case CpuChart::Alu:
        beginning = QStringLiteral("ALU performances (integer/logic) of your CPU compared to ");
        break;
    case CpuChart::Fpu:
        beginning = QStringLiteral("FPU performances (floats) of your CPU compared to ");
        break;
    }
    return beginning + cpuFamilyWord(family) + QStringLiteral(" cpus");
}

QString cpuUserLabel(CpuFamily family, CpuChart chart)
{
    switch (chart) {
    case CpuChart::General:
        return family == CpuFamily::PentiumIII ? QStringLiteral("You CPU") : QStringLiteral("Your CPU");
    case CpuChart::Alu:
        return QStringLiteral("Your CPU (ALU)");
    case CpuChart::Fpu:
        return QStringLiteral("Your CPU (FPU)");
    }
    return {};
}

QString cpuAxisTitle(CpuChart chart)
{
    switch (chart) {
    case CpuChart::General:
        return QStringLiteral("CPU performance index QV-cpu");
    case CpuChart::Alu:
        return QStringLiteral("Indice de performances ALU (entiers / logiques) QVALU");
    case CpuChart::Fpu:
        return QStringLiteral("Indice de performances FPU (flottants) QVFPU");
    }
    return {};
}

CpuFamily cpuFamilyForIndex(std::int32_t generalIndex)
{
    if (generalIndex > 150)
        return CpuFamily::AthlonXP;
    if (generalIndex > 70)
        return CpuFamily::PentiumIII;
    if (generalIndex > 30)
        return CpuFamily::PentiumII;
    return CpuFamily::Pentium;
}

Rating cpuRating(std::int32_t generalIndex)
{
    return rateIndex({{250, 4, "Excetional performances"},
                      {150, 3, "Excellent performances"},
                      {98, 2, "Very good performances"},
                      {60, 1, "Good performances"}},
                     generalIndex);
}

} // namespace qv::bench
