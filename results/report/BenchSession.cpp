#include "results/report/BenchSession.h"

#include <algorithm>

namespace qv::cli {

namespace {

// Of an even count, the mean of the middle two.
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

results::Figures medianFigures(const std::vector<results::BenchRun>& runs)
{
    results::Figures result = runs.front().figures;
    for (std::size_t i = 0; i < result.size(); ++i) {
        std::vector<double> values;
        values.reserve(runs.size());
        for (const results::BenchRun& run : runs)
            values.push_back(run.figures.at(i).value);
        result[i].value = median(std::move(values));
    }
    return result;
}

// The conditions' warnings of every run, each once, then the spread of the indices.
std::vector<std::string> sessionWarnings(results::Benchmark benchmark,
                                         const std::vector<results::BenchRun>& runs)
{
    std::vector<std::string> warnings;
    for (const results::BenchRun& run : runs) {
        for (const std::string& warning : run.conditions.warnings) {
            if (std::find(warnings.begin(), warnings.end(), warning) == warnings.end())
                warnings.push_back(warning);
        }
    }
    std::vector<results::IndexSeries> series;
    for (const std::string_view index : results::indexNames(benchmark)) {
        results::IndexSeries values{std::string(index), {}};
        for (const results::BenchRun& run : runs)
            values.values.push_back(results::figureValue(run.figures, index));
        series.push_back(std::move(values));
    }
    for (std::string& warning : results::spreadWarnings(series))
        warnings.push_back(std::move(warning));
    return warnings;
}

std::string defaultLabel(const results::SavedResult& result)
{
    return result.machine.hostName + ' ' + result.created.substr(0, 10);
}

} // namespace

void completeSession(results::SavedResult& session)
{
    session.summary = medianFigures(session.runs);
    session.warnings = sessionWarnings(session.benchmark, session.runs);
    session.reliable = session.warnings.empty();
    if (session.label.empty())
        session.label = defaultLabel(session);
}

results::Figures cpuFigures(const bench::CpuBenchmarkFigures& figures)
{
    return {{"DhrystoneRate", figures.dhrystoneRate},
            {"WhetstoneRate", figures.whetstoneRate},
            {"LivermoreMflops", figures.livermoreMflops},
            {"AluIndex", double(figures.aluIndex)},
            {"FpuIndex", double(figures.fpuIndex)},
            {"GeneralIndex", double(figures.generalIndex)},
            {"ElapsedMs", figures.elapsedMs}};
}

results::Figures memoryFigures(const bench::MemoryBenchmarkFigures& figures)
{
    return {{"ElapsedMs", figures.elapsedMs},
            {"Speed", figures.speed},
            {"MemoryIndex", double(figures.memoryIndex)}};
}

} // namespace qv::cli
