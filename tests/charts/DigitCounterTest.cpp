#include "bench/charts/DigitCounter.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace qv::charts;

// Runs a counter as its window's timer would and reports how many ticks it took.
struct CountedRun {
    std::int64_t ticks = 0;
    std::int32_t last = 0;
    std::int32_t beforeLast = 0;
    std::vector<int> wheels;
};

CountedRun runCounter(std::int32_t target, int step)
{
    DigitCounter counter(target, step);
    CountedRun run;
    std::size_t wheelCount = 0;
    bool more = true;
    while (more) {
        run.beforeLast = counter.value();
        more = counter.tick();
        ++run.ticks;
        EXPECT_GE(counter.wheelDigits().size(), wheelCount) << "a wheel never disappears during a count";
        wheelCount = counter.wheelDigits().size();
        EXPECT_LE(run.ticks, 1'000'000) << "the counter must stop";
        if (run.ticks > 1'000'000)
            break;
    }
    run.last = counter.value();
    run.wheels = counter.wheelDigits();
    EXPECT_FALSE(counter.running());
    EXPECT_FALSE(counter.tick()) << "a stopped counter stays stopped";
    EXPECT_EQ(counter.value(), run.last);
    return run;
}

TEST(DigitCounter, SequencesOfBothCharts)
{
    struct Row {
        const char* name;
        std::int32_t target;
        int step;
        std::int64_t ticks;
        std::int32_t beforeLast;
        std::vector<int> wheels; // units first
    };
    const Row rows[] = {
        {"CPU index 0 stops after the first tick", 0, kCpuCounterStep, 1, 0, {0, 0, 0}},
        {"CPU index 1040 in 347 ticks, the last clamped from 1041",
         1040,
         kCpuCounterStep,
         347,
         1038,
         {0, 4, 0, 1}},
        {"CPU index 2400 in 800 ticks, landing exactly", 2400, kCpuCounterStep, 800, 2397, {0, 0, 4, 2}},
        {"memory index 1040 in 149 ticks, the last clamped from 1043",
         1040,
         kMemoryCounterStep,
         149,
         1036,
         {0, 4, 0, 1}},
        {"memory index 731 in 105 ticks, the last clamped from 735",
         731,
         kMemoryCounterStep,
         105,
         728,
         {1, 3, 7}},
        {"memory index 0 stops after the first tick", 0, kMemoryCounterStep, 1, 0, {0, 0, 0}},
        {"memory index 12000 grows a fifth wheel", 12000, kMemoryCounterStep, 1715, 11998, {0, 0, 0, 2, 1}},
        {"a negative index stops at once on zeros", -4, kCpuCounterStep, 1, 0, {0, 0, 0}},
    };
    for (const Row& row : rows) {
        const CountedRun run = runCounter(row.target, row.step);
        EXPECT_EQ(run.ticks, row.ticks) << row.name;
        EXPECT_EQ(counterTickCount(row.target, row.step), row.ticks) << row.name;
        EXPECT_EQ(run.beforeLast, row.beforeLast) << row.name;
        EXPECT_EQ(run.last, row.target) << row.name;
        EXPECT_EQ(run.wheels, row.wheels) << row.name;
        EXPECT_EQ(counterValueAfterTicks(row.target, row.step, row.ticks - 1), row.beforeLast) << row.name;
        EXPECT_EQ(counterValueAfterTicks(row.target, row.step, row.ticks), row.target) << row.name;
        EXPECT_EQ(counterValueAfterTicks(row.target, row.step, 0), 0)
            << row.name << ": 0 before the first tick";
    }
}

TEST(DigitCounter, NearTheLimitTheSumDoesNotOverflow)
{
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(nextCounterValue(max - 2, max, kMemoryCounterStep), max);
    EXPECT_EQ(counterValueAfterTicks(max, kMemoryCounterStep, std::int64_t(max)), max);
    EXPECT_EQ(counterTickCount(max, kCpuCounterStep), 715'827'883);
}

TEST(DigitCounter, DigitsPerWheel)
{
    struct Row {
        const char* name;
        std::int32_t value;
        std::vector<int> wheels; // units first
    };
    const Row rows[] = {
        {"zero on the three first wheels", 0, {0, 0, 0}},
        {"one digit: tens and hundreds show 0", 7, {7, 0, 0}},
        {"two digits", 42, {2, 4, 0}},
        {"three digits", 999, {9, 9, 9}},
        {"four digits bring the thousands wheel", 1000, {0, 0, 0, 1}},
        {"five digits bring a ten-thousands wheel", 10000, {0, 0, 0, 0, 1}},
        {"six digits", 123456, {6, 5, 4, 3, 2, 1}},
        {"the 32-bit limit needs ten wheels",
         std::numeric_limits<std::int32_t>::max(),
         {7, 4, 6, 3, 8, 4, 7, 4, 1, 2}},
        {"no wheel shows a minus sign", -12, {0, 0, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(counterWheelDigits(row.value), row.wheels) << row.name;
}

} // namespace
