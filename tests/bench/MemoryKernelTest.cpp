#include "bench/MemoryKernel.h"

#include "platform/ExceptionGuard.h"
#include "tests/bench/ScriptedClock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using namespace qv::bench;

struct IndexRow {
    const char* name;
    std::int32_t speed;
    std::int32_t index;
};

TEST(MemoryKernel, IndexIsAHundredTimesTheSpeedOverEightyFour)
{
    const IndexRow rows[] = {
        {"speed 0 scores 0", 0, 0},         {"speed 84 scores 100", 84, 100},
        {"speed 42 scores 50", 42, 50},     {"speed 614 scores 731", 614, 731},
        {"speed 100 scores 119", 100, 119}, {"speed 38 scores 45", 38, 45},
    };
    for (const IndexRow& row : rows)
        EXPECT_EQ(MemoryIndex(row.speed), row.index) << row.name;
}

TEST(MemoryKernel, SpeedIsKilobytesPerMillisecond)
{
    EXPECT_DOUBLE_EQ(memorySpeed(1'000), 614.4);
    EXPECT_EQ(memorySpeed(6'144), 100);
    EXPECT_EQ(memorySpeed(16'384), 37.5);
    EXPECT_EQ(memorySpeed(0), 0) << "no elapsed time gives speed 0, not a division by zero";
}

// Hands out blocks from malloc and fails the n-th request when told to. When none fails, it checks at
// release that each block holds the words 1 … 524,288 the kernel filled in and moved.
class CheckingAllocator final : public BlockAllocator {
public:
    explicit CheckingAllocator(int failingRequest = 0)
        : m_failingRequest(failingRequest)
    {
    }

    void* allocate(std::size_t bytes) noexcept override
    {
        ++requests;
        sizes.push_back(bytes);
        if (requests == m_failingRequest)
            return nullptr;
        void* block = std::malloc(bytes);
        allocated.push_back(block);
        return block;
    }

    void release(void* block) noexcept override
    {
        released.push_back(block);
        if (m_failingRequest == 0)
            expectFilled(static_cast<const std::int32_t*>(block));
        std::free(block);
    }

    int requests = 0;
    std::vector<std::size_t> sizes;
    std::vector<void*> allocated;
    std::vector<void*> released;

private:
    static void expectFilled(const std::int32_t* words)
    {
        for (std::size_t i = 0; i < kMemoryBlockWords; ++i)
            if (words[i] != static_cast<std::int32_t>(i + 1)) {
                ADD_FAILURE() << "word " << i + 1 << " holds " << words[i];
                break;
            }
    }

    int m_failingRequest;
};

TEST(MemoryKernel, TimesThreeHundredMovesBetweenTwoFilledBuffers)
{
    qv::test::ScriptedClock clock({5'000, 6'000});
    CheckingAllocator allocator;
    const MemoryBenchmarkFigures figures = runMemoryKernel(clock, allocator);

    EXPECT_EQ(clock.reads(), 2u);
    EXPECT_EQ(figures.elapsedMs, 1'000);
    EXPECT_DOUBLE_EQ(figures.speed, 614.4);
    EXPECT_EQ(figures.memoryIndex, 731);

    EXPECT_EQ(allocator.sizes, (std::vector<std::size_t>{2'097'152, 2'097'152}));
    ASSERT_EQ(allocator.allocated.size(), 2u);
    EXPECT_EQ(allocator.released, (std::vector<void*>{allocator.allocated[1], allocator.allocated[0]}))
        << "the destination is released first, then the source";
}

TEST(MemoryKernel, ElapsedZeroGivesIndexZero)
{
    qv::test::StoppedClock clock;
    CheckingAllocator allocator;
    const MemoryBenchmarkFigures figures = runMemoryKernel(clock, allocator);
    EXPECT_EQ(figures.speed, 0);
    EXPECT_EQ(figures.memoryIndex, 0);
}

struct FailureRow {
    const char* name;
    int failingRequest;
    std::size_t releasedBlocks;
};

TEST(MemoryKernel, AFailedAllocationReportsOutOfMemoryAndLeavesNothingAllocated)
{
    const FailureRow rows[] = {
        {"the source buffer cannot be allocated", 1, 0},
        {"the destination buffer cannot be allocated", 2, 1},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.name);
        qv::test::ScriptedClock clock({});
        CheckingAllocator allocator(row.failingRequest);
        bool produced = false;
        qv::platform::guarded([&] {
            runMemoryKernel(clock, allocator);
            produced = true;
        });
        EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Out of memory")});
        EXPECT_FALSE(produced) << "no index";
        EXPECT_EQ(clock.reads(), 0u) << "nothing was timed";
        EXPECT_EQ(allocator.requests, row.failingRequest);
        EXPECT_EQ(allocator.released.size(), row.releasedBlocks);
        EXPECT_EQ(allocator.released, allocator.allocated) << "whatever was allocated was released";
    }
}

TEST(MemoryKernel, ARunAfterAFailureStartsClean)
{
    CheckingAllocator failing(2);
    EXPECT_THROW(PrepareMemoryBlocks(failing), OutOfMemory);
    FreeMemoryBlocks(); // nothing left to release
    EXPECT_EQ(failing.released.size(), 1u);

    qv::test::ScriptedClock clock({0, 2'000});
    CheckingAllocator allocator;
    EXPECT_EQ(runMemoryKernel(clock, allocator).memoryIndex, MemoryIndex(307));
    EXPECT_EQ(allocator.released.size(), 2u);
}

} // namespace
