#include "bench/CpuReferenceTables.h"
#include "bench/charts/ComparisonBars.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace qv::bench;
using namespace qv::charts;

TEST(CpuCharts, FamilyShownFirstFollowsTheGeneralIndex)
{
    struct Row {
        const char* name;
        std::int32_t index;
        CpuFamily family;
    };
    const Row rows[] = {
        {"0 is a Pentium", 0, CpuFamily::Pentium},
        {"30 is still a Pentium", 30, CpuFamily::Pentium},
        {"31 becomes a Pentium II", 31, CpuFamily::PentiumII},
        {"70 is still a Pentium II", 70, CpuFamily::PentiumII},
        {"71 becomes a Pentium III", 71, CpuFamily::PentiumIII},
        {"150 is still a Pentium III", 150, CpuFamily::PentiumIII},
        {"151 becomes an Athlon XP", 151, CpuFamily::AthlonXP},
        {"today's 2400 is an Athlon XP", 2400, CpuFamily::AthlonXP},
        {"a negative index is a Pentium", -5, CpuFamily::Pentium},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cpuFamilyForIndex(row.index), row.family) << row.name;
}

TEST(CpuCharts, RatingAtEveryThreshold)
{
    struct Row {
        const char* name;
        std::int32_t index;
        int stars;
        const char* verdict;
    };
    const Row rows[] = {
        {"0 earns nothing", 0, 0, ""},
        {"60 earns nothing", 60, 0, ""},
        {"61 earns one star", 61, 1, "Good performances"},
        {"98 still one star", 98, 1, "Good performances"},
        {"99 earns two stars", 99, 2, "Very good performances"},
        {"150 still two stars", 150, 2, "Very good performances"},
        {"151 earns three stars", 151, 3, "Excellent performances"},
        {"250 still three stars", 250, 3, "Excellent performances"},
        {"251 earns four stars, verdict spelt as shipped", 251, 4, "Excetional performances"},
        {"2400 four stars", 2400, 4, "Excetional performances"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cpuRating(row.index), (Rating{row.stars, QString::fromUtf8(row.verdict)})) << row.name;
}

std::vector<std::int32_t> indicesOf(const std::vector<ReferenceRow>& rows)
{
    std::vector<std::int32_t> indices;
    for (const ReferenceRow& row : rows)
        indices.push_back(row.index);
    return indices;
}

TEST(CpuCharts, EveryFamilyHoldsItsIndicesInListOrder)
{
    struct Row {
        CpuFamily family;
        std::vector<std::int32_t> general, alu, fpu;
    };
    const Row rows[] = {
        {CpuFamily::Pentium, {9, 14, 17, 20, 21, 24}, {10, 15, 19, 21, 22, 26}, {8, 12, 15, 18, 19, 22}},
        {CpuFamily::PentiumII, {29, 33, 37, 44, 50}, {29, 33, 37, 45, 51}, {28, 32, 37, 38, 44}},
        {CpuFamily::PentiumIII,
         {74, 75, 75, 88, 100, 116, 125},
         {74, 75, 76, 89, 100, 118, 125},
         {75, 75, 71, 83, 100, 109, 125}},
        {CpuFamily::Pentium4,
         {126, 135, 142, 144, 153, 162, 171, 180, 214},
         {127, 136, 149, 145, 154, 163, 172, 182, 222},
         {125, 134, 117, 143, 152, 161, 170, 178, 184}},
        {CpuFamily::Celeron, {53, 78, 82, 86, 99}, {53, 78, 82, 86, 99}, {54, 78, 83, 87, 99}},
        {CpuFamily::Duron,
         {87, 94, 100, 106, 118, 151},
         {89, 96, 102, 108, 121, 154},
         {81, 87, 93, 99, 110, 137}},
        {CpuFamily::Athlon, {61, 74, 86, 99, 112}, {61, 73, 85, 97, 110}, {66, 79, 92, 105, 118}},
        {CpuFamily::AthlonThunderbird,
         {77, 103, 116, 128, 154, 193},
         {76, 101, 114, 128, 152, 190},
         {82, 109, 123, 137, 164, 204}},
        {CpuFamily::AthlonXP,
         {167, 176, 185, 193, 201, 206, 226},
         {165, 173, 182, 190, 198, 210, 222},
         {176, 186, 195, 204, 212, 192, 238}},
    };
    for (const Row& row : rows) {
        const QString word = cpuFamilyWord(row.family);
        EXPECT_EQ(indicesOf(cpuReferenceRows(row.family, CpuChart::General)), row.general)
            << word.toStdString();
        EXPECT_EQ(indicesOf(cpuReferenceRows(row.family, CpuChart::Alu)), row.alu) << word.toStdString();
        EXPECT_EQ(indicesOf(cpuReferenceRows(row.family, CpuChart::Fpu)), row.fpu) << word.toStdString();
    }
}

TEST(CpuCharts, LabelsAreExact)
{
    struct Row {
        const char* name;
        CpuFamily family;
        CpuChart chart;
        int row;
        const char* label;
    };
    const Row rows[] = {
        {"first Pentium", CpuFamily::Pentium, CpuChart::General, 0, "Pentium 90Mhz  (EDO60-i430TX)"},
        {"last Pentium II", CpuFamily::PentiumII, CpuChart::Fpu, 4, "Pentium II 400Mhz  (SDRAM100-i440BX)"},
        {"the reference machine", CpuFamily::PentiumIII, CpuChart::Alu, 4,
         "Pentium III 800EB  (SDRAM133-i815EP)"},
        {"Pentium 4 with its odd spacing", CpuFamily::Pentium4, CpuChart::General, 6,
         "Pentium 4  1,9 GHz   (SDRAM133-i845)"},
        {"last Celeron", CpuFamily::Celeron, CpuChart::Alu, 4, "Celeron 800Mhz  (SDRAM100-i815E)"},
        {"Duron general chart with a blank", CpuFamily::Duron, CpuChart::General, 0,
         "Duron 700 Mhz  (SDRAM133-Via KT133)"},
        {"Duron ALU chart without it", CpuFamily::Duron, CpuChart::Alu, 0,
         "Duron 700Mhz  (SDRAM133-Via KT133)"},
        {"Duron FPU chart without it", CpuFamily::Duron, CpuChart::Fpu, 4,
         "Duron 950Mhz  (SDRAM133-Via KT133)"},
        {"Duron 1,2 the same everywhere", CpuFamily::Duron, CpuChart::General, 5,
         "Duron 1,2 Ghz  (SDRAM133-Sis 735)"},
        {"Athlon with one blank", CpuFamily::Athlon, CpuChart::Fpu, 2, "Athlon 700Mhz (SDRAM133-KX133)"},
        {"Thunderbird family ends on an XP", CpuFamily::AthlonThunderbird, CpuChart::General, 5,
         "Athlon XP 1800+  (DDR/SDRAM-Via KT266)"},
        {"Athlon XP 1900+", CpuFamily::AthlonXP, CpuChart::Alu, 4,
         "Athlon XP 1900+ (1,6 Ghz)  (DDR/SDRAM-Via KT266)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cpuReferenceRows(row.family, row.chart).at(row.row).label, QString::fromUtf8(row.label))
            << row.name;
}

TEST(CpuCharts, PentiumIIIFpuChartSwapsItsSecondAndThirdRows)
{
    const auto& fpu = cpuReferenceRows(CpuFamily::PentiumIII, CpuChart::Fpu);
    // List order is kept; the two rows trade positions, so "III-M 650" is drawn below "600EB".
    EXPECT_EQ(fpu[1], (ReferenceRow{3, QStringLiteral("Pentium III 600EB  (SDRAM133-i815EP)"), 75}));
    EXPECT_EQ(fpu[2], (ReferenceRow{2, QStringLiteral("Pentium III-M 650  (SDRAM100-i440BX)"), 71}));
    const auto& alu = cpuReferenceRows(CpuFamily::PentiumIII, CpuChart::Alu);
    EXPECT_EQ(alu[1].position, 2);
    EXPECT_EQ(alu[2].position, 3);
}

TEST(CpuCharts, EveryChartEndsWithTheUsersBar)
{
    for (const CpuFamily family : kCpuFamilies) {
        for (const CpuChart chart : kCpuCharts) {
            const std::string name =
                QString(cpuFamilyWord(family) + QString::number(int(chart))).toStdString();
            const std::vector<ChartBar> bars = cpuChartBars(family, chart, 9999);
            const auto& rows = cpuReferenceRows(family, chart);
            ASSERT_EQ(bars.size(), rows.size() + 1) << name;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(bars[i], (ChartBar{double(rows[i].index), rows[i].position, rows[i].label,
                                             QColor(192, 192, 192)}))
                    << name;
                if (!(family == CpuFamily::PentiumIII && chart == CpuChart::Fpu)) {
                    EXPECT_EQ(rows[i].position, int(i) + 1) << name;
                }
            }
            EXPECT_EQ(bars.back(),
                      (ChartBar{9999, int(bars.size()), cpuUserLabel(family, chart), QColor(164, 75, 30)}))
                << name << ": the user's bar is last even when it is the largest";
        }
    }
}

TEST(CpuCharts, UserLabelsCaptionsAndAxisTitles)
{
    EXPECT_EQ(cpuUserLabel(CpuFamily::Pentium, CpuChart::General), QStringLiteral("Your CPU"));
    EXPECT_EQ(cpuUserLabel(CpuFamily::PentiumIII, CpuChart::General), QStringLiteral("You CPU"));
    EXPECT_EQ(cpuUserLabel(CpuFamily::PentiumIII, CpuChart::Alu), QStringLiteral("Your CPU (ALU)"));
    EXPECT_EQ(cpuUserLabel(CpuFamily::PentiumIII, CpuChart::Fpu), QStringLiteral("Your CPU (FPU)"));

    EXPECT_EQ(cpuChartCaption(CpuFamily::PentiumIII, CpuChart::General),
              QStringLiteral("Performances of your CPU compared to Pentium III cpus"));
    EXPECT_EQ(
        cpuChartCaption(CpuFamily::AthlonThunderbird, CpuChart::Alu),
        QStringLiteral("ALU performances (integer/logic) of your CPU compared to Athlon Thunderbird cpus"));
    EXPECT_EQ(cpuChartCaption(CpuFamily::Pentium4, CpuChart::Fpu),
              QStringLiteral("FPU performances (floats) of your CPU compared to Pentium 4 cpus"));

    EXPECT_EQ(cpuAxisTitle(CpuChart::General), QStringLiteral("CPU performance index QV-cpu"));
    EXPECT_EQ(cpuAxisTitle(CpuChart::Alu),
              QStringLiteral("Indice de performances ALU (entiers / logiques) QVALU"));
    EXPECT_EQ(cpuAxisTitle(CpuChart::Fpu), QStringLiteral("Indice de performances FPU (flottants) QVFPU"));
}

} // namespace
