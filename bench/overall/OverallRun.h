#pragma once

#include "bench/disk/DiskBenchmark.h"
#include "bench/display/DisplayBench.h"
#include "results/SavedResult.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::bench::overall {

// A benchmark the overall run could not run here, and why ("no display answers").
struct SkippedBenchmark {
    results::Benchmark benchmark;
    std::string reason;

    bool operator==(const SkippedBenchmark&) const = default;
};

struct OverallResult {
    std::vector<results::SavedResult> sessions; // the benchmarks that ran, in run order
    std::vector<SkippedBenchmark> skipped;
    bool stopped = false;

    const results::SavedResult* session(results::Benchmark benchmark) const;
    double combinedIndex() const;
};

// The benchmarks of the overall run, in run order: processor, memory, hard disk, 2D and 3D display.
std::vector<results::Benchmark> overallBenchmarks();

// Where the overall run stands. The caller runs each benchmark where it must run (the display benchmarks
// on the GUI thread, the others anywhere) and reports it finished or skipped.
class OverallSequence {
public:
    explicit OverallSequence(std::vector<results::Benchmark> planned = overallBenchmarks());

    // The benchmark to run next; nothing once all are done or the run was stopped.
    std::optional<results::Benchmark> current() const;
    std::size_t position() const { return m_position; } // of the current benchmark, from 0
    std::size_t count() const { return m_planned.size(); }

    void finished(results::SavedResult session);
    void skipped(std::string reason);
    void stop();
    const OverallResult& result() const { return m_result; }

private:
    std::vector<results::Benchmark> m_planned;
    std::size_t m_position = 0;
    OverallResult m_result;
};

using BenchmarkStep = std::function<results::SavedResult(results::Benchmark)>;

// Runs the sequence's benchmarks with `run` for as long as `here` accepts the current one and `stop` is
// not set (checked before each benchmark); a benchmark whose run throws is skipped with the exception's
// text. `starting` hears of each benchmark before it runs.
void runWhile(OverallSequence& sequence, const BenchmarkStep& run,
              const std::function<bool(results::Benchmark)>& here, const std::atomic<bool>& stop,
              const std::function<void(results::Benchmark)>& starting = {});

// One benchmark of a finished run as the window and the tool show it: its index against its baseline
// (`relative` × 100: 100 is as fast as the baseline), or why it did not run.
struct BenchmarkLine {
    results::Benchmark benchmark;
    std::string_view title; // "Hard disk"
    double index = 0;       // the benchmark's own index
    double relative = 0;    // its index over its baseline's, times 100
    std::string skipped;    // why it did not run; empty when it ran

    bool operator==(const BenchmarkLine&) const = default;
};
// Every planned benchmark in run order; one neither run nor skipped (the run stopped) is left out.
std::vector<BenchmarkLine> benchmarkLines(const OverallResult& result);

// The whole run as one saved session of the benchmark "all": one run whose figures are each benchmark's
// index (0 for one that did not run) and the combined index, with the conditions of the first benchmark
// that ran; the setup names each skipped benchmark with its reason ("Skipped3d"); the warnings are every
// session's, each prefixed with its benchmark.
results::SavedResult overallSession(const OverallResult& result, const std::string& program);

// The settings of the overall run: a 256 MiB test file in the data folder's drive, 2 s per disk test and
// direction after half a second unmeasured; 2 s per display test.
disk::DiskSettings overallDiskSettings();
display::DisplaySettings overallDisplaySettings();

// "Processor", "Memory", "Hard disk", "2D display", "3D display".
std::string_view benchmarkTitle(results::Benchmark benchmark);

} // namespace qv::bench::overall
