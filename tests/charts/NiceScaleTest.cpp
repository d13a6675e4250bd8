#include "bench/charts/NiceScale.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace qv::charts;

TEST(NiceScale, StepsAreOneTwoOrFiveTimesAPowerOfTen)
{
    struct Row {
        const char* name;
        double minimum;
        double step;
    };
    const Row rows[] = {
        {"an exact 1 stays", 1, 1},
        {"just above 1 becomes 2", 1.01, 2},
        {"3 becomes 5", 3, 5},
        {"7 becomes 10", 7, 10},
        {"260 becomes 500", 260, 500},
        {"2000 stays", 2000, 2000},
        {"2600 becomes 5000", 2600, 5000},
        {"a fraction", 0.3, 0.5},
        {"0.2 despite binary rounding", 0.1 + 0.1, 0.2},
        {"zero falls back to 1", 0, 1},
        {"a negative falls back to 1", -4, 1},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(niceStep(row.minimum), row.step) << row.name;
}

TEST(NiceScale, RoundingToWholeSteps)
{
    EXPECT_DOUBLE_EQ(niceCeil(12000, 2000), 12000);
    EXPECT_DOUBLE_EQ(niceCeil(12001, 2000), 14000);
    EXPECT_DOUBLE_EQ(niceCeil(0.6, 0.2), 0.6000000000000001)
        << "0.6 / 0.2 is not quite 3 in binary; it stays";
    EXPECT_DOUBLE_EQ(niceFloor(-1, 5), -5);
    EXPECT_DOUBLE_EQ(niceFloor(150, 200), 0);
}

TEST(NiceScale, MajorAndMinorTicks)
{
    const AxisTicks full = axisTicks({0, 14000}, 2000, 4);
    EXPECT_EQ(full.major, (std::vector<double>{0, 2000, 4000, 6000, 8000, 10000, 12000, 14000}));
    ASSERT_EQ(full.minor.size(), 7u * 4u) << "four minor ticks in each of the seven intervals";
    EXPECT_DOUBLE_EQ(full.minor.front(), 400);
    EXPECT_DOUBLE_EQ(full.minor.back(), 13600);

    // A zoomed range that starts and ends between major ticks keeps the minor ticks at its ends.
    const AxisTicks zoomed = axisTicks({150, 1050}, 200, 4);
    EXPECT_EQ(zoomed.major, (std::vector<double>{200, 400, 600, 800, 1000}));
    EXPECT_DOUBLE_EQ(zoomed.minor.front(), 160);
    EXPECT_DOUBLE_EQ(zoomed.minor.back(), 1040);
    EXPECT_EQ(zoomed.minor.size(), 1u + 4u * 4u + 1u);

    EXPECT_TRUE(axisTicks({0, 10}, 0, 4).major.empty()) << "no step, no ticks";
    EXPECT_TRUE(axisTicks({5, 5}, 1, 4).major.empty()) << "an empty range has no ticks";
}

TEST(NiceScale, ValueTexts)
{
    EXPECT_EQ(formatAxisValue(14000, 2000), QStringLiteral("14000"));
    EXPECT_EQ(formatAxisValue(2.5, 0.5), QStringLiteral("2.5"));
    EXPECT_EQ(formatAxisValue(-1e-13, 0.5), QStringLiteral("0.0"));
    EXPECT_EQ(formatMarkValue(1040), QStringLiteral("1040"));
    EXPECT_EQ(formatMarkValue(0), QStringLiteral("0"));
}

} // namespace
