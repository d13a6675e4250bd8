#include "bench/Scoring.h"
#include "bench/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using namespace qv::bench;

struct RoundRow {
    const char* name;
    double value;
    double rounded;
};

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const RoundRow rows[] = {
        {"0.5 goes down to 0", 0.5, 0},
        {"1.5 goes up to 2", 1.5, 2},
        {"2.5 goes down to 2", 2.5, 2},
        {"-2.5 goes up to -2", -2.5, -2},
        {"-3.5 goes down to -4", -3.5, -4},
        {"below a half rounds down", 2.4999999, 2},
        {"above a half rounds up", 2.5000001, 3},
        {"whole numbers stay", 7, 7},
        {"a large odd half", 4503599627370495.5, 4503599627370496},
    };
    for (const RoundRow& row : rows)
        EXPECT_EQ(roundHalfEven(row.value), row.rounded) << row.name;
    EXPECT_EQ(roundHalfEven(2.5L), 2.0L) << "extended precision too";
}

TEST(Rounding, IntegerResultsSaturateInsteadOfOverflowing)
{
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    constexpr auto min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(roundToInteger<std::int32_t>(1e12), max);
    EXPECT_EQ(roundToInteger<std::int32_t>(-1e12), min);
    EXPECT_EQ(roundToInteger<std::int32_t>(std::numeric_limits<double>::infinity()), max);
    EXPECT_EQ(roundToInteger<std::int32_t>(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(roundToInteger<std::int32_t>(2'147'483'646.5), 2'147'483'646);
}

struct ScoreRow {
    const char* name;
    std::int32_t score;
    std::int32_t expected;
};

TEST(Scoring, IndicesOfTheReferenceRatesAndTheirMultiples)
{
    const ScoreRow rows[] = {
        {"the ALU reference scores 100", ScoreAlu(1'287'785.78), 100},
        {"3,333,433.5 Dhrystones score 259", ScoreAlu(3'333'433.5), 259},
        {"no Dhrystones score 0", ScoreAlu(0), 0},
        {"the FPU references score 100", ScoreFpu(524'779.59, 73.11), 100},
        {"twice the Whetstone reference alone scores 160", ScoreFpu(1'049'559.18, 0), 160},
        {"twice the Livermore reference alone scores 40", ScoreFpu(0, 146.22), 40},
        {"the whetstone term comes first", ScoreFpu(524'779.59, 0), 80},
        {"general of 100 and 100 is 100", ScoreGeneral(100, 100), 100},
        {"general weighs ALU 0.8 and FPU 0.2", ScoreGeneral(150, 50), 130},
        {"100.4 rounds down to 100", ScoreGeneral(101, 98), 100},
        {"3.4 rounds down to 3", ScoreGeneral(3, 5), 3},
        {"the ALU index comes first", ScoreGeneral(0, 100), 20},
        {"a four-digit index is not clipped", ScoreAlu(12'877'857.8 * 1.5), 1'500},
    };
    for (const ScoreRow& row : rows)
        EXPECT_EQ(row.score, row.expected) << row.name;
}

// A rate whose scaled value is exactly `target` in double arithmetic, searched among the doubles
// nearest to its real value (not every half can be reached).
std::optional<double> aluRateScoringExactly(double target)
{
    const double middle = target / 100 * kAluReference;
    double below = middle;
    double above = middle;
    for (int step = 0; step < 200; ++step) {
        for (const double rate : {below, above})
            if (rate / kAluReference * 100 == target)
                return rate;
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, 1e300);
    }
    return std::nullopt;
}

TEST(Scoring, ExactHalvesInAScoreGoToEven)
{
    int roundedDown = 0;
    int roundedUp = 0;
    for (int whole = 0; whole < 60; ++whole) {
        const auto rate = aluRateScoringExactly(whole + 0.5);
        if (!rate)
            continue;
        const bool even = whole % 2 == 0;
        EXPECT_EQ(ScoreAlu(*rate), even ? whole : whole + 1) << whole << ".5";
        ++(even ? roundedDown : roundedUp);
    }
    EXPECT_GT(roundedDown, 0) << "no rate scores exactly an even number and a half";
    EXPECT_GT(roundedUp, 0) << "no rate scores exactly an odd number and a half";
}

} // namespace
