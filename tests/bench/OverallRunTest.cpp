#include "bench/overall/OverallRun.h"
#include "bench/overall/OverallIndex.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

namespace overall = qv::bench::overall;
using qv::results::Benchmark;

// A session of `benchmark` whose index is `times` its baseline's.
qv::results::SavedResult scoring(Benchmark benchmark, double times)
{
    const overall::IndexBaseline& baseline = overall::indexBaseline(benchmark);
    qv::results::SavedResult session;
    session.benchmark = benchmark;
    session.summary = {{std::string(baseline.index), times * baseline.baselineScore}};
    session.runs.push_back({session.summary, {}});
    return session;
}

TEST(OverallRun, RunsInOrderSkipsWhatThrowsAndLeavesTheDisplayBenchmarksToTheCaller)
{
    overall::OverallSequence sequence;
    std::vector<Benchmark> started;
    const std::atomic<bool> stop{false};
    overall::runWhile(
        sequence,
        [](Benchmark benchmark) {
            if (benchmark == Benchmark::Disk)
                throw std::runtime_error("no room for the test file");
            return scoring(benchmark, 2);
        },
        [](Benchmark benchmark) {
            return benchmark != Benchmark::Display2D && benchmark != Benchmark::Display3D;
        },
        stop, [&](Benchmark benchmark) { started.push_back(benchmark); });

    EXPECT_EQ(started, (std::vector{Benchmark::Cpu, Benchmark::Mem, Benchmark::Disk}));
    EXPECT_EQ(sequence.current(), Benchmark::Display2D);
    EXPECT_EQ(sequence.position(), 3U);
    sequence.finished(scoring(Benchmark::Display2D, 2));
    sequence.skipped("No OpenGL context can be made on this display");
    EXPECT_FALSE(sequence.current());

    const overall::OverallResult& result = sequence.result();
    EXPECT_EQ(result.skipped, (std::vector<overall::SkippedBenchmark>{
                                  {Benchmark::Disk, "no room for the test file"},
                                  {Benchmark::Display3D, "No OpenGL context can be made on this display"}}));
    // Three benchmarks, each twice its baseline: the combined index is twice the baselines' 100.
    EXPECT_NEAR(result.combinedIndex(), 200, 1e-9);
}

TEST(OverallRun, StopEndsTheRunBeforeTheNextBenchmark)
{
    overall::OverallSequence sequence;
    std::atomic<bool> stop{false};
    overall::runWhile(
        sequence,
        [&stop](Benchmark benchmark) {
            stop = true;
            return scoring(benchmark, 1);
        },
        [](Benchmark) { return true; }, stop);
    EXPECT_TRUE(sequence.result().stopped);
    EXPECT_EQ(sequence.result().sessions.size(), 1U);
    EXPECT_FALSE(sequence.current());
}

TEST(OverallIndex, GeometricMeanOfTheRelativeIndicesAndZeroWhenOneIsZero)
{
    const std::vector mixed{scoring(Benchmark::Cpu, 2), scoring(Benchmark::Disk, 8)};
    EXPECT_NEAR(overall::combinedIndex(mixed), 400, 1e-9);
    const std::vector withZero{scoring(Benchmark::Cpu, 2), scoring(Benchmark::Mem, 0)};
    EXPECT_EQ(overall::combinedIndex(withZero), 0);
    EXPECT_EQ(overall::combinedIndex({}), 0);
}

TEST(OverallSession, SavesEachIndexTheSkippedBenchmarksAndReadsBack)
{
    overall::OverallResult result;
    result.sessions = {scoring(Benchmark::Cpu, 3), scoring(Benchmark::Mem, 3)};
    result.sessions.front().warnings = {"the governor is powersave"};
    result.sessions.front().created = "2026-12-09T10:00:00Z";
    result.skipped = {{Benchmark::Display2D, "no display answers"}};
    const qv::results::SavedResult saved = overall::overallSession(result, "quorvex-cli 3.0.3");

    EXPECT_EQ(saved.benchmark, Benchmark::Overall);
    EXPECT_EQ(qv::results::figureValue(saved.summary, "GeneralIndex"), 300);
    EXPECT_EQ(qv::results::figureValue(saved.summary, "DiskIndex"), 0);
    EXPECT_EQ(qv::results::figureValue(saved.summary, "OverallIndex"), 300);
    EXPECT_EQ(saved.setup.at("Skipped2d"), "no display answers");
    EXPECT_EQ(saved.warnings, std::vector<std::string>{"Processor: the governor is powersave"});
    EXPECT_FALSE(saved.reliable);

    const std::string json = qv::results::indentedJson(qv::results::savedResultJson(saved));
    EXPECT_NE(json.find("\"Benchmark\": \"all\""), std::string::npos);
    EXPECT_EQ(qv::results::parseSavedResult(QByteArray::fromStdString(json)), saved);
}

} // namespace
