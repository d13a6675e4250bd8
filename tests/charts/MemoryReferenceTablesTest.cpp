#include "bench/MemoryReferenceTables.h"
#include "bench/charts/ComparisonBars.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace qv::bench;
using namespace qv::charts;

TEST(MemoryCharts, FamilyShownFirstFollowsTheIndex)
{
    struct Row {
        const char* name;
        std::int32_t index;
        MemoryFamily family;
    };
    const Row rows[] = {
        {"0 is a 486", 0, MemoryFamily::I486},
        {"40 is still a 486", 40, MemoryFamily::I486},
        {"41 becomes a Pentium", 41, MemoryFamily::Pentium},
        {"55 is still a Pentium", 55, MemoryFamily::Pentium},
        {"56 becomes a Pentium II", 56, MemoryFamily::PentiumII},
        {"85 is still a Pentium II", 85, MemoryFamily::PentiumII},
        {"86 becomes a Pentium III / 4", 86, MemoryFamily::PentiumIII4},
        {"today's 12000 is a Pentium III / 4, never Duron / Athlon", 12000, MemoryFamily::PentiumIII4},
    };
    for (const Row& row : rows)
        EXPECT_EQ(memoryFamilyForIndex(row.index), row.family) << row.name;
}

TEST(MemoryCharts, RatingAtEveryThreshold)
{
    struct Row {
        const char* name;
        std::int32_t index;
        int stars;
        const char* verdict;
    };
    const Row rows[] = {
        {"0 earns nothing", 0, 0, ""},
        {"100 earns nothing", 100, 0, ""},
        {"101 earns one star", 101, 1, "Good performances"},
        {"150 still one star", 150, 1, "Good performances"},
        {"151 earns two stars", 151, 2, "Very good performances"},
        {"300 still two stars", 300, 2, "Very good performances"},
        {"301 earns three stars", 301, 3, "Excellent performances"},
        {"1000 still three stars", 1000, 3, "Excellent performances"},
        {"1001 earns four stars", 1001, 4, "Exceptional performances"},
        {"12000 four stars", 12000, 4, "Exceptional performances"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(memoryRating(row.index), (Rating{row.stars, QString::fromUtf8(row.verdict)})) << row.name;
}

TEST(MemoryCharts, EveryFamilyInListOrderWithTheUsersBarLast)
{
    struct Row {
        MemoryFamily family;
        const char* machines;
        std::vector<std::int32_t> indices;
        const char* firstLabel;
        const char* lastLabel;
    };
    const Row rows[] = {
        {MemoryFamily::I486,
         "486",
         {12, 15, 20, 21, 22, 25},
         "FPM / 8K / 0K / 25MHz",
         "FPM / 8K / 256K / 40MHz"},
        {MemoryFamily::Pentium,
         "Pentium",
         {32, 37, 42, 45, 50, 55},
         "FPM / 16K / 0K / 60 Mhz",
         "SD-RAM / 32K / 512K / 66MHz"},
        {MemoryFamily::PentiumII,
         "Pentium II",
         {50, 55, 65, 67, 93},
         "SD-RAM / 32K / 0K / 66 MHz",
         "SD-RAM / 32K / 512K / 100MHz"},
        {MemoryFamily::PentiumIII4,
         "Pentium III / 4",
         {67, 93, 99, 133, 151, 352, 715, 1040},
         "SD-RAM / 32K / 512K / 66MHz",
         "P4B RD-RAM4200 / 12+8K / 512K FS / 533Mhz"},
        {MemoryFamily::DuronAthlon,
         "Duron/Athlon",
         {176, 245, 288, 324, 383, 389},
         "SD-RAM / 128K / 64K FS / 133Mhz (Duron, FSB 200Mhz)",
         "DDR PC2700 / 128K / 256K FS / 133Mhz (Athlon XP, FSB 266Mhz)"},
    };
    for (const Row& row : rows) {
        const std::vector<ChartBar> bars = memoryChartBars(row.family, 731);
        ASSERT_EQ(bars.size(), row.indices.size() + 1) << row.machines;
        for (std::size_t i = 0; i < row.indices.size(); ++i) {
            EXPECT_EQ(bars[i].value, row.indices[i]) << row.machines << " row " << i;
            EXPECT_EQ(bars[i].position, int(i) + 1) << row.machines << " row " << i;
            EXPECT_EQ(bars[i].colour, QColor(192, 192, 192)) << row.machines << " row " << i;
        }
        EXPECT_EQ(bars.front().label, QString::fromUtf8(row.firstLabel)) << row.machines;
        EXPECT_EQ(bars[bars.size() - 2].label, QString::fromUtf8(row.lastLabel)) << row.machines;
        EXPECT_EQ(bars.back(), (ChartBar{731, int(row.indices.size()) + 1,
                                         QStringLiteral("Your memory subsystem"), QColor(164, 75, 30)}))
            << row.machines;
        EXPECT_EQ(memoryFamilyTitle(row.family),
                  QStringLiteral("Performances of your memory subsystem (RAM/cache/bus) compared to ") +
                      QString::fromUtf8(row.machines) + QStringLiteral(" machines"));
    }
}

TEST(MemoryCharts, PentiumIIKeepsItsTwoEqualLabelsAsSeparateBars)
{
    const std::vector<ChartBar> bars = memoryChartBars(MemoryFamily::PentiumII, 60);
    EXPECT_EQ(bars[1].label, QStringLiteral("SD-RAM / 32K / 128K / 66MHz"));
    EXPECT_EQ(bars[2].label, bars[1].label);
    EXPECT_EQ(bars[1].value, 55);
    EXPECT_EQ(bars[2].value, 65);
    EXPECT_NE(bars[1].position, bars[2].position);
}

} // namespace
