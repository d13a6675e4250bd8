#include "bench/Dhrystone.h"

#include "tests/bench/ScriptedClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qv::bench;

struct RunsRow {
    const char* name;
    double scale;
    std::int32_t runs;
};

TEST(Dhrystone, RunCountFollowsTheScale)
{
    const RunsRow rows[] = {
        {"the program's scale 100,000 gives 6,666,867 runs", 100'000, 6'666'867},
        {"scale 0 gives 200 runs", 0, 200},
        {"scale 3 gives exactly 400 runs", 3, 400},
        {"scale 1 rounds 266.67 up to 267", 1, 267},
        {"scale 2 rounds 333.33 down to 333", 2, 333},
    };
    for (const RunsRow& row : rows)
        EXPECT_EQ(dhrystoneRuns(row.scale), row.runs) << row.name;
}

TEST(Dhrystone, RateIsRunsPerSecondOfElapsedTime)
{
    EXPECT_EQ(dhrystoneRateFor(6'666'867, 2'000), 3'333'433.5);
    EXPECT_EQ(dhrystoneRateFor(200, 0.5), 400'000);
    EXPECT_EQ(dhrystoneRateFor(200, 0), 0) << "no elapsed time gives 0, not a division by zero";
}

TEST(Dhrystone, TimesTheSeriesWithTheKernelClock)
{
    qv::test::ScriptedClock clock({1'000, 3'000});
    EXPECT_EQ(DhrystoneRate(0, clock), 100.0) << "200 runs in 2,000 ms";
    EXPECT_EQ(clock.reads(), 2u) << "begin and end only";
}

Str30 str30(const std::string& text)
{
    Str30 result;
    result.length = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), result.chars.begin());
    return result;
}

// The published final values, for any number of runs.
void expectPublishedFinalState(std::int32_t runs)
{
    const DhrystoneState& s = dhrystoneState();
    EXPECT_EQ(s.NumberOfRuns, runs);
    EXPECT_EQ(s.IntGlob, 5);
    EXPECT_TRUE(s.BoolGlob);
    EXPECT_EQ(s.Ch1Glob, 'A');
    EXPECT_EQ(s.Ch2Glob, 'B');
    EXPECT_EQ(s.Arr1Glob[8], 7);
    EXPECT_EQ(s.Arr2Glob(8, 7), runs + 10);

    ASSERT_NE(s.PtrGlob, nullptr);
    ASSERT_NE(s.NextPtrGlob, nullptr);
    EXPECT_EQ(s.PtrGlob->PtrComp, s.NextPtrGlob);
    EXPECT_EQ(s.PtrGlob->Discr, Enumeration::Ident1);
    EXPECT_EQ(s.PtrGlob->EnumComp, Enumeration::Ident3);
    EXPECT_EQ(s.PtrGlob->IntComp, 17);
    EXPECT_EQ(s.PtrGlob->StrComp.text(), "DHRYSTONE PROGRAM, SOME STRING");
    EXPECT_EQ(s.NextPtrGlob->PtrComp, s.NextPtrGlob);
    EXPECT_EQ(s.NextPtrGlob->Discr, Enumeration::Ident1);
    EXPECT_EQ(s.NextPtrGlob->EnumComp, Enumeration::Ident2);
    EXPECT_EQ(s.NextPtrGlob->IntComp, 18);
    EXPECT_EQ(s.NextPtrGlob->StrComp.text(), "DHRYSTONE PROGRAM, SOME STRING");

    EXPECT_EQ(s.Int1Loc, 5);
    EXPECT_EQ(s.Int2Loc, 13);
    EXPECT_EQ(s.Int3Loc, 7);
    EXPECT_EQ(s.EnumLoc, Enumeration::Ident2);
    EXPECT_EQ(s.Str1Loc, str30("DHRYSTONE PROGRAM, 1'ST STRING"));
    EXPECT_EQ(s.Str2Loc, str30("DHRYSTONE PROGRAM, 2'ND STRING"));
    EXPECT_EQ(s.RunIndex, runs + 1) << "the loop ran to its end";
}

TEST(Dhrystone, StateAfterARunEqualsThePublishedFinalValues)
{
    qv::test::StoppedClock clock;
    DhrystoneRate(30, clock);
    expectPublishedFinalState(2'200);
}

TEST(Dhrystone, EachCallStartsAfreshWhateverRanBefore)
{
    qv::test::StoppedClock clock;
    DhrystoneRate(30, clock);
    DhrystoneRate(0, clock);
    expectPublishedFinalState(200);
}

} // namespace
