#include "bench/Livermore.h"

#include "tests/bench/ScriptedClock.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

using namespace qv::bench;

// Flops per repetition of loops 1 … 14.
constexpr std::array<double, 14> kFlops = {2000, 2000, 2000, 1029, 1992, 1992, 1920,
                                           1440, 1700, 900,  999,  999,  896,  1650};

struct RepsRow {
    const char* name;
    double scale;
    std::uint16_t reps;
};

TEST(Livermore, RepetitionsFollowTheScale)
{
    const RepsRow rows[] = {
        {"the program's scale 15,000 gives 5,001", 15'000, 5'001},
        {"scale 0 gives 1", 0, 1},
        {"scale 3 gives 2", 3, 2},
        {"only 16 bits are kept: 65,541 becomes 5", 196'620, 5},
    };
    for (const RepsRow& row : rows)
        EXPECT_EQ(livermoreReps(row.scale), row.reps) << row.name;
}

TEST(Livermore, LoopRateIsMillionsOfOperationsPerSecond)
{
    EXPECT_DOUBLE_EQ(livermoreLoopRate(5'001, 2'000, 50), 200.04) << "loop 3 at scale 15,000 in 50 ms";
    EXPECT_EQ(livermoreLoopRate(5'001, 2'000, 0), 0) << "a loop too short to measure counts 0";
    EXPECT_LT(livermoreLoopRate(5'001, 2'000, -2), 0) << "a negative corrected time is used unchanged";
}

TEST(Livermore, AClockThatNeverMovesGivesZero)
{
    qv::test::StoppedClock clock;
    EXPECT_EQ(LivermoreMflops(3, clock), 0);
}

// Readings for loops 1 … 12 lasting `loopMs[k]` each, loops 13 and 14 with their refill readings,
// and the two overhead readings.
std::vector<double> script(const std::array<double, 12>& loopMs, std::array<double, 2> loop13,
                           std::array<double, 2> loop14, double overheadMs)
{
    std::vector<double> readings;
    double now = 1'000;
    for (double ms : loopMs) {
        readings.push_back(now);
        readings.push_back(now + ms);
        now += 100;
    }
    for (const auto& [loopMsWithRefill, refillMs] : {loop13, loop14}) {
        readings.push_back(now);
        readings.push_back(now + loopMsWithRefill);
        readings.push_back(now + loopMsWithRefill + refillMs);
        now += 100;
    }
    readings.push_back(now);
    readings.push_back(now + overheadMs);
    return readings;
}

TEST(Livermore, AveragesFourteenRatesAfterTheCorrections)
{
    // Loop k lasts k / 2 ms; the overhead is 0.5 ms, so loop 1's corrected time is 0 and it counts 0.
    std::array<double, 12> loopMs{};
    for (int k = 1; k <= 12; ++k)
        loopMs[static_cast<std::size_t>(k - 1)] = k / 2.0;
    qv::test::ScriptedClock clock(script(loopMs, {30, 10}, {50, 5}, 0.5));

    const double mflops = LivermoreMflops(3, clock); // Reps 2
    EXPECT_EQ(clock.reads(), 32u);

    const LivermoreData& d = livermoreState();
    EXPECT_EQ(d.ticks[13], 20) << "loop 13 less its refill";
    EXPECT_EQ(d.ticks[14], 45) << "loop 14 less its refill";
    EXPECT_EQ(d.overhead, 0.5);

    const std::array<double, 14> timeMs = {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 19.5, 44.5};
    double sum = 0;
    for (std::size_t k = 1; k < timeMs.size(); ++k)
        sum += 2 * kFlops[k] / timeMs[k] / 1000;
    EXPECT_EQ(d.rate[1], 0);
    EXPECT_NEAR(mflops, sum / 14, 1e-12) << "the zero rate still counts in the divisor";
}

TEST(Livermore, LoopThirteenOnlyAddsToElementFourFourOfH)
{
    qv::test::StoppedClock clock;
    LivermoreMflops(3, clock); // Reps 2
    LivermoreData& d = livermoreState();
    for (int i = 1; i <= 64; ++i)
        for (int j = 1; j <= 8; ++j) {
            const double expected = i == 4 && j == 4 ? 1.00025 + 128 * 2 : 1.00025;
            EXPECT_DOUBLE_EQ(d.H(i, j), expected) << "H[" << i << ", " << j << "]";
        }
}

TEST(Livermore, LoopFourteenAddsOneToRhPerParticle)
{
    qv::test::StoppedClock clock;
    LivermoreMflops(3, clock); // Reps 2
    LivermoreData& d = livermoreState();
    double sum = 0;
    for (int i = 1; i <= 67; ++i)
        sum += d.RH(i);
    // RH starts as 1 … 67; each of 150 particles adds 1 − rx and rx, twice.
    EXPECT_NEAR(sum, 67 * 68 / 2 + 150 * 2, 1e-9);
    for (int i = 65; i <= 67; ++i)
        EXPECT_EQ(d.RH(i), i) << "ix + 1 never passes 64";
}

TEST(Livermore, PxAndPShareTheStorageOfXYZAndU)
{
    LivermoreData& d = livermoreState();
    d.initialise();
    EXPECT_EQ(&d.PX(1, 1), &d.Z(1));
    EXPECT_EQ(&d.PX(2, 1), &d.Z(101));
    EXPECT_EQ(&d.PX(15, 100), &d.U(500));
    EXPECT_EQ(&d.P(1, 1), &d.X(1));
    EXPECT_EQ(&d.P(2, 489), &d.Y(1));
    EXPECT_EQ(&d.P(4, 512), &d.Z(48));
    EXPECT_EQ(&d.Z(1), &d.Y(1000) + 1) << "X, Y, Z and U lie one after another";
}

TEST(Livermore, FillingPxBetweenLoopsEightAndNineOverwritesZAndHalfOfU)
{
    LivermoreData& d = livermoreState();
    d.initialise();
    livermore::fillPxCx();
    EXPECT_EQ(d.Z(1), 1);
    EXPECT_EQ(d.Z(250), 50);
    EXPECT_EQ(d.U(500), 100);
    EXPECT_EQ(d.U(501), 0.00025) << "the second half of U keeps its value";
    EXPECT_EQ(d.Y(1000), 1.123);
    EXPECT_EQ(d.CX(15, 37), 37);
}

TEST(Livermore, LoopsNineAndTenWorkOnThePxRows)
{
    LivermoreData& d = livermoreState();
    d.initialise();
    livermore::fillPxCx();
    livermore::runLoop(9);
    // Every row holds the column number c: (0.1 + … + 0.7 + 0.8 × 2 + 1) × c.
    EXPECT_DOUBLE_EQ(d.PX(1, 10), 10 * (0.1 + 0.2 + 0.3 + 0.4 + 0.5 + 0.6 + 0.7 + 1.6 + 1));
    livermore::runLoop(10);
    // Rows 5 … 14 all held c = 10 and CX[5] is c: the chain of differences leaves (6 − row) × c.
    EXPECT_EQ(d.PX(5, 10), 10);
    for (int row = 6; row <= 14; ++row)
        EXPECT_EQ(d.PX(row, 10), (6 - row) * 10) << "row " << row;
}

} // namespace
