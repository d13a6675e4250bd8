#include "stress/FaultInjector.h"
#include "stress/KernelPasses.h"
#include "stress/MemoryTester.h"
#include "stress/StressTest.h"
#include "tests/stress/StressTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qv::stress;
using qv::test::eventually;
using qv::test::RecordingAllocator;

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

StressPlan processorsOnly(int processors)
{
    StressPlan plan;
    plan.processors = processors;
    plan.memory = false;
    return plan;
}

struct KernelFault {
    std::string_view name;
    std::size_t word;
    int bit;
};

class KernelFaultTest : public testing::TestWithParam<KernelFault> {};

TEST_P(KernelFaultTest, IsFoundWithItsPlace)
{
    const KernelFault& fault = GetParam();
    StressPlan plan = processorsOnly(2);
    plan.faults = std::make_shared<OneShotFaults>(1, OneShotFaults::Target{fault.name, fault.word, fault.bit},
                                                  OneShotFaults::Target{});
    StressTest test;
    test.start(plan);
    ASSERT_TRUE(eventually([&] { return test.snapshot().errors > 0; }));
    test.stop();

    const StressSnapshot snapshot = test.snapshot();
    EXPECT_EQ(snapshot.errors, 1U);
    EXPECT_EQ(snapshot.workers[0].errors, 0U);
    EXPECT_EQ(snapshot.workers[1].errors, 1U);
    ASSERT_EQ(snapshot.firstErrors.size(), 1U);
    const StressError& error = snapshot.firstErrors[0];
    EXPECT_EQ(error.worker, 1);
    EXPECT_EQ(error.where, fault.name);
    EXPECT_EQ(error.address, fault.word * 8);
    EXPECT_EQ(error.expected ^ error.found, std::uint64_t{1} << fault.bit);
}

INSTANTIATE_TEST_SUITE_P(Kernels, KernelFaultTest,
                         testing::Values(KernelFault{"Dhrystone", 5, 0}, KernelFault{"Whetstone", 9, 52},
                                         KernelFault{"Livermore", 3999, 63},
                                         KernelFault{"Memory kernel", 262'143, 31}),
                         qv::test::RowName());

struct PatternFault {
    std::string_view name;
};

class MemoryPatternFaultTest : public testing::TestWithParam<PatternFault> {};

TEST_P(MemoryPatternFaultTest, IsFoundWithItsAddress)
{
    RecordingAllocator allocator;
    OneShotFaults faults(0, {}, {GetParam().name, 1000, 7});
    ErrorLog log;
    MemoryTesterSettings settings;
    settings.bytes = kMiB;
    settings.allocator = &allocator;
    settings.gauge = [] { return MemoryGaugeReading{1024 * kMiB, 512 * kMiB}; };
    settings.faults = &faults;
    // Stops after the first full round of patterns, which holds the injected fault.
    MemoryTester tester(settings, log, [&] { return tester.passes() > 0; });
    tester.run();

    ASSERT_EQ(log.count(), 1U);
    const StressError error = log.first().at(0);
    EXPECT_EQ(error.worker, -1);
    EXPECT_EQ(error.where, GetParam().name);
    EXPECT_EQ(error.address, reinterpret_cast<std::uintptr_t>(allocator.blocks().at(0)) + 1000 * 8);
    EXPECT_EQ(error.expected ^ error.found, 0x80U);
    EXPECT_EQ(tester.errors(), 1U);
    EXPECT_EQ(allocator.outstanding(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Patterns, MemoryPatternFaultTest,
                         testing::Values(PatternFault{"Walking ones"}, PatternFault{"Walking zeros"},
                                         PatternFault{"Own address"}, PatternFault{"Moving inversions"},
                                         PatternFault{"Random data"}),
                         qv::test::RowName());

TEST(StressEngineTest, CleanPassesOnEveryWorkerGiveNoError)
{
    RecordingAllocator allocator;
    StressPlan plan = processorsOnly(2);
    plan.memory = true;
    plan.memoryBytes = 2 * kMiB;
    plan.memoryChunkBytes = kMiB;
    plan.allocator = &allocator;
    StressTest test;
    test.start(plan);
    ASSERT_TRUE(eventually([&] {
        const StressSnapshot s = test.snapshot();
        return s.workers[0].passes >= 2 && s.workers[1].passes >= 2 && s.memoryPasses >= 1;
    }));
    test.stop("Stopped by the user");

    const StressSnapshot snapshot = test.snapshot();
    EXPECT_FALSE(snapshot.running);
    EXPECT_EQ(snapshot.errors, 0U);
    EXPECT_EQ(snapshot.memoryBytes, 2 * kMiB);
    EXPECT_EQ(snapshot.stopReason, "Stopped by the user");
    EXPECT_EQ(allocator.outstanding(), 0U) << "stop frees the tested memory";
}

TEST(StressEngineTest, StopDuringTheFirstPassFreesTheMemory)
{
    RecordingAllocator allocator;
    StressPlan plan = processorsOnly(1);
    plan.memory = true;
    plan.memoryBytes = 64 * kMiB;
    plan.memoryChunkBytes = 4 * kMiB;
    plan.allocator = &allocator;
    StressTest test;
    test.start(plan);
    ASSERT_TRUE(eventually([&] { return allocator.held() > 0; }));
    test.stop();

    EXPECT_TRUE(test.finished());
    EXPECT_EQ(test.snapshot().errors, 0U);
    EXPECT_EQ(allocator.outstanding(), 0U);
}

TEST(StressEngineTest, ADurationEndingMidPassDropsThePassWithoutError)
{
    StressPlan plan = processorsOnly(1);
    plan.duration = std::chrono::milliseconds(1);
    StressTest test;
    test.start(plan);
    test.wait();

    const StressSnapshot snapshot = test.snapshot();
    EXPECT_FALSE(snapshot.running);
    ASSERT_EQ(snapshot.workers.size(), 1U);
    EXPECT_EQ(snapshot.workers[0].passes, 0U);
    EXPECT_EQ(snapshot.errors, 0U);
    EXPECT_TRUE(snapshot.stopReason.empty()) << "the time ran out; nobody stopped it";
}

TEST(StressEngineTest, ZeroProcessorsAndNoMemoryIsFinishedAtOnce)
{
    StressTest test;
    test.start(processorsOnly(0));
    EXPECT_TRUE(test.finished());
    EXPECT_TRUE(test.snapshot().workers.empty());
    EXPECT_FALSE(test.snapshot().memoryTested);
}

TEST(StressEngineTest, OneWorkerPerUsableProcessorByDefault)
{
    StressPlan plan;
    plan.memory = false;
    plan.duration = std::chrono::milliseconds(1);
    StressTest test;
    test.start(plan);
    test.wait();
    const StressSnapshot snapshot = test.snapshot();
    ASSERT_EQ(snapshot.workers.size(), usableProcessors().size());
    EXPECT_EQ(snapshot.workers.back().processor, usableProcessors().back());
}

TEST(MemoryTesterTest, RefusedAllocationIsSaidAndNothingIsTested)
{
    RecordingAllocator refusing(true);
    ErrorLog log;
    MemoryTesterSettings settings;
    settings.bytes = 8 * kMiB;
    settings.allocator = &refusing;
    settings.gauge = [] { return MemoryGaugeReading{1024 * kMiB, 512 * kMiB}; };
    MemoryTester tester(settings, log, [] { return false; });
    tester.run();

    EXPECT_EQ(tester.bytesTested(), 0U);
    EXPECT_EQ(tester.passes(), 0U);
    ASSERT_FALSE(tester.notes().empty());
    EXPECT_EQ(tester.notes()[0], "Stopped growing at 0 MiB: no more memory could be allocated");
}

TEST(MemoryTesterTest, StopsGrowingBeforeAvailableMemoryFallsBelowATenth)
{
    RecordingAllocator allocator;
    ErrorLog log;
    MemoryTesterSettings settings;
    settings.bytes = 64 * kMiB;
    settings.chunkBytes = 4 * kMiB;
    settings.allocator = &allocator;
    // 100 MiB in all, 30 MiB available before the test takes any.
    std::uint64_t lowest = 30 * kMiB;
    settings.gauge = [&] {
        const std::uint64_t available = 30 * kMiB - allocator.held();
        lowest = std::min(lowest, available);
        return MemoryGaugeReading{100 * kMiB, available};
    };
    MemoryTester tester(settings, log, [&] { return tester.passes() > 0; });
    tester.run();

    EXPECT_EQ(tester.bytesTested(), 20 * kMiB);
    EXPECT_GE(lowest, 10 * kMiB);
    ASSERT_FALSE(tester.notes().empty());
    EXPECT_EQ(tester.notes()[0],
              "Stopped growing at 20 MiB: the machine's available memory is close to a tenth "
              "of its total");
    EXPECT_EQ(log.count(), 0U);
}

TEST(MemoryTesterTest, ShareIsAQuarterByDefaultAndNeverAboveHalf)
{
    const MemoryGaugeReading reading{1000 * kMiB, 400 * kMiB};
    EXPECT_EQ(memoryShareBytes(reading, StressPlan{}.memoryShare), 100 * kMiB);
    EXPECT_EQ(memoryShareBytes(reading, 0.9), 200 * kMiB);
}

} // namespace
