#include "bench/overall/OverallRun.h"

#include "bench/overall/OverallIndex.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <utility>

namespace qv::bench::overall {

using results::Benchmark;

const results::SavedResult* OverallResult::session(Benchmark benchmark) const
{
    const auto found =
        std::find_if(sessions.begin(), sessions.end(),
                     [benchmark](const results::SavedResult& s) { return s.benchmark == benchmark; });
    return found == sessions.end() ? nullptr : &*found;
}

double OverallResult::combinedIndex() const
{
    return overall::combinedIndex(sessions);
}

std::vector<Benchmark> overallBenchmarks()
{
    std::vector<Benchmark> benchmarks;
    for (const IndexBaseline& row : indexBaselines())
        benchmarks.push_back(row.benchmark);
    return benchmarks;
}

OverallSequence::OverallSequence(std::vector<Benchmark> planned)
    : m_planned(std::move(planned))
{
}

std::optional<Benchmark> OverallSequence::current() const
{
    if (m_result.stopped || m_position >= m_planned.size())
        return std::nullopt;
    return m_planned[m_position];
}

void OverallSequence::finished(results::SavedResult session)
{
    if (!current())
        return;
    m_result.sessions.push_back(std::move(session));
    ++m_position;
}

void OverallSequence::skipped(std::string reason)
{
    const auto benchmark = current();
    if (!benchmark)
        return;
    m_result.skipped.push_back({*benchmark, std::move(reason)});
    ++m_position;
}

void OverallSequence::stop()
{
    m_result.stopped = current().has_value();
}

void runWhile(OverallSequence& sequence, const BenchmarkStep& run, const std::function<bool(Benchmark)>& here,
              const std::atomic<bool>& stop, const std::function<void(Benchmark)>& starting)
{
    while (const auto benchmark = sequence.current()) {
        if (stop) {
            sequence.stop();
            return;
        }
        if (!here(*benchmark))
            return;
        if (starting)
            starting(*benchmark);
        try {
            sequence.finished(run(*benchmark));
        } catch (const std::exception& error) {
            sequence.skipped(error.what());
        }
    }
}

std::vector<BenchmarkLine> benchmarkLines(const OverallResult& result)
{
    std::vector<BenchmarkLine> lines;
    for (const IndexBaseline& row : indexBaselines()) {
        if (const results::SavedResult* session = result.session(row.benchmark)) {
            lines.push_back({row.benchmark,
                             benchmarkTitle(row.benchmark),
                             results::figureValue(session->summary, row.index),
                             100 * relativeIndex(*session),
                             {}});
        }
        for (const SkippedBenchmark& skipped : result.skipped) {
            if (skipped.benchmark == row.benchmark)
                lines.push_back({row.benchmark, benchmarkTitle(row.benchmark), 0, 0, skipped.reason});
        }
    }
    return lines;
}

results::SavedResult overallSession(const OverallResult& result, const std::string& program)
{
    results::SavedResult overall;
    overall.program = program;
    overall.benchmark = Benchmark::Overall;
    results::BenchRun run;
    for (const IndexBaseline& row : indexBaselines()) {
        const results::SavedResult* session = result.session(row.benchmark);
        run.figures.push_back(
            {std::string(row.index), session ? results::figureValue(session->summary, row.index) : 0.0});
    }
    run.figures.push_back({"OverallIndex", std::round(result.combinedIndex())});
    if (!result.sessions.empty()) {
        const results::SavedResult& first = result.sessions.front();
        overall.created = first.created;
        overall.label = first.label;
        overall.kernelRevision = first.kernelRevision;
        overall.machine = first.machine;
        run.conditions = first.runs.front().conditions;
    }
    for (const results::SavedResult& session : result.sessions) {
        for (const std::string& warning : session.warnings)
            overall.warnings.push_back(std::string(benchmarkTitle(session.benchmark)) + ": " + warning);
    }
    for (const SkippedBenchmark& skipped : result.skipped) {
        std::string name(results::benchmarkName(skipped.benchmark));
        name.front() = char(std::toupper(static_cast<unsigned char>(name.front())));
        overall.setup["Skipped" + name] = skipped.reason;
    }
    if (result.stopped)
        overall.setup["Stopped"] = "yes";
    overall.summary = run.figures;
    overall.runs.push_back(std::move(run));
    overall.reliable = overall.warnings.empty();
    return overall;
}

disk::DiskSettings overallDiskSettings()
{
    disk::DiskSettings settings;
    settings.folder = disk::defaultDiskFolder();
    settings.fileSize = 256 * disk::kMiB;
    settings.duration = std::chrono::seconds(2);
    settings.warmUp = std::chrono::milliseconds(500);
    return settings;
}

display::DisplaySettings overallDisplaySettings()
{
    display::DisplaySettings settings;
    settings.duration = std::chrono::seconds(2);
    return settings;
}

std::string_view benchmarkTitle(Benchmark benchmark)
{
    switch (benchmark) {
    case Benchmark::Cpu:
        return "Processor";
    case Benchmark::Mem:
        return "Memory";
    case Benchmark::Disk:
        return "Hard disk";
    case Benchmark::Display2D:
        return "2D display";
    case Benchmark::Display3D:
        return "3D display";
    case Benchmark::Net:
        return "Network";
    case Benchmark::Inet:
        return "Internet connection";
    case Benchmark::Overall:
        break;
    }
    return "Overall performances";
}

} // namespace qv::bench::overall
