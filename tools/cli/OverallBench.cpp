#include "tools/cli/OverallBench.h"

#include "bench/overall/OverallIndex.h"
#include "results/JsonWriter.h"
#include "results/report/FigureText.h"

#include <cmath>

namespace qv::cli {

using results::Benchmark;
using results::JsonObject;
namespace overall = bench::overall;

SessionSettings overallSettings()
{
    SessionSettings settings;
    settings.disk = overall::overallDiskSettings();
    settings.display = overall::overallDisplaySettings();
    return settings;
}

overall::OverallResult measureOverall(const BenchRunners& runners, const SessionSettings& settings,
                                      const std::function<void(Benchmark)>& starting)
{
    overall::OverallSequence sequence;
    const std::atomic<bool> never{false};
    overall::runWhile(
        sequence, [&](Benchmark benchmark) { return measureBenchmark(runners, benchmark, 1, {}, settings); },
        [](Benchmark) { return true; }, never, starting);
    return sequence.result();
}

namespace {

std::vector<std::string> findingTexts(const std::vector<overall::Finding>& findings)
{
    std::vector<std::string> texts;
    texts.reserve(findings.size());
    for (const overall::Finding& finding : findings)
        texts.push_back(finding.text);
    return texts;
}

void writeJson(std::ostream& out, const overall::OverallResult& result, const results::SavedResult& session,
               const std::vector<overall::Finding>& findings)
{
    for (const overall::IndexBaseline& row : overall::indexBaselines()) {
        JsonObject line = JsonObject().add("Benchmark", results::benchmarkName(row.benchmark));
        if (const results::SavedResult* ran = result.session(row.benchmark)) {
            results::addFigures(line, ran->summary)
                .add("Conditions", results::conditionsJson(ran->runs.back().conditions));
            if (!ran->setup.empty())
                line.add("Setup", results::setupJson(ran->setup));
        }
        for (const overall::SkippedBenchmark& skipped : result.skipped) {
            if (skipped.benchmark == row.benchmark)
                line.add("Skipped", skipped.reason);
        }
        results::writeJsonLine(out, line);
    }
    results::writeJsonLine(out, results::addFigures(JsonObject().add("Summary", "all"), session.summary)
                                    .add("Reliable", session.reliable)
                                    .add("Warnings", results::textArray(session.warnings))
                                    .add("Findings", results::textArray(findingTexts(findings))));
}

} // namespace

void writeOverall(std::ostream& out, const overall::OverallResult& result,
                  const results::SavedResult& session, const std::vector<overall::Finding>& findings,
                  bool json)
{
    if (json) {
        writeJson(out, result, session, findings);
        return;
    }
    for (const overall::BenchmarkLine& line : overall::benchmarkLines(result)) {
        if (!line.skipped.empty())
            out << line.title << ": skipped: " << line.skipped << '\n';
        else
            out << plainFiguresLine(line.title, result.session(line.benchmark)->summary);
    }
    out << "Overall index: " << figureText(results::figureValue(session.summary, "OverallIndex"))
        << " (100: as fast as every benchmark's baseline; of " << result.sessions.size() << " benchmark"
        << (result.sessions.size() == 1 ? "" : "s") << ")\n";
    out << "Findings:" << (findings.empty() ? " nothing on this machine holds the figures down\n" : "\n");
    for (const overall::Finding& finding : findings)
        out << "  " << finding.text << '\n';
}

} // namespace qv::cli
