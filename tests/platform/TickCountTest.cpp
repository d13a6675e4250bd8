#include "platform/TickCount.h"

#include <gtest/gtest.h>

#include <thread>

using qv::platform::elapsedTicks;
using qv::platform::TickCount;

TEST(TickCount, AdvancesWithTheMonotonicClock)
{
    const auto start = TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto elapsed = elapsedTicks(start, TickCount());
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 2000u);
}

TEST(TickCount, ElapsedTimeStaysRightAcrossTheWrap)
{
    EXPECT_EQ(elapsedTicks(0xFFFFFFF0u, 0x00000010u), 0x20u);
    EXPECT_EQ(elapsedTicks(100u, 100u), 0u);
}
