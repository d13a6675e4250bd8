#include "results/ui/ResultsComparison.h"

#include "bench/charts/ComparisonBars.h"
#include "bench/ui/UiText.h"
#include "results/report/FigureText.h"
#include "results/report/ReferenceRows.h"

#include <algorithm>

namespace qv::resultsui {

using qv::benchui::uiText;
using results::SavedResult;

namespace {

QString barLabel(const SavedResult& session)
{
    return session.label.empty() ? uiText(session.created) : uiText(session.label);
}

} // namespace

std::vector<BenchmarkSessions> sessionsByBenchmark(const std::vector<SavedResult>& opened,
                                                   const std::vector<SavedResult>& thisSession)
{
    std::vector<BenchmarkSessions> grouped;
    for (const SavedResult& session : opened) {
        auto entry = std::find_if(grouped.begin(), grouped.end(), [&](const BenchmarkSessions& each) {
            return each.benchmark == session.benchmark;
        });
        if (entry == grouped.end()) {
            grouped.push_back({session.benchmark, {}, {}});
            entry = std::prev(grouped.end());
            for (const SavedResult& own : thisSession) {
                if (own.benchmark == session.benchmark)
                    entry->thisSession.push_back(own);
            }
        }
        entry->opened.push_back(session);
    }
    return grouped;
}

SessionTable sessionTable(const BenchmarkSessions& sessions)
{
    SessionTable table;
    table.headers = {QStringLiteral("Source"), QStringLiteral("Label"), QStringLiteral("Created")};
    const auto indices = results::indexNames(sessions.benchmark);
    for (const std::string_view index : indices)
        table.headers << uiText(index);
    table.headers << QStringLiteral("Reliable");
    const auto addRows = [&](const std::vector<SavedResult>& list, const QString& source) {
        for (const SavedResult& session : list) {
            QStringList row{source, uiText(session.label), uiText(session.created)};
            for (const std::string_view index : indices)
                row << uiText(qv::cli::figureText(results::figureValue(session.summary, index)));
            row << (session.reliable ? QStringLiteral("yes") : QStringLiteral("no"));
            table.rows.push_back(std::move(row));
        }
    };
    addRows(sessions.opened, QStringLiteral("File"));
    addRows(sessions.thisSession, QStringLiteral("This session"));
    return table;
}

std::vector<charts::ChartBar> sessionBars(const BenchmarkSessions& sessions, std::string_view index)
{
    std::vector<charts::ChartBar> bars;
    const int family = qv::cli::chartFamilyFor(sessions.benchmark, sessions.opened.front().summary);
    for (const bench::ReferenceRow& row : qv::cli::referenceRows(sessions.benchmark, family, index))
        bars.push_back({double(row.index), row.position, row.label, charts::kReferenceBarColour});
    int position = 0;
    for (const charts::ChartBar& bar : bars)
        position = std::max(position, bar.position);
    const auto addBars = [&](const std::vector<SavedResult>& list, const QColor& colour) {
        for (const SavedResult& session : list)
            bars.push_back(
                {results::figureValue(session.summary, index), ++position, barLabel(session), colour});
    };
    addBars(sessions.opened, kOpenedBarColour);
    addBars(sessions.thisSession, kThisSessionBarColour);
    return bars;
}

} // namespace qv::resultsui
