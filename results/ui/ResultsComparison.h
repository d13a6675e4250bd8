#pragma once

#include "bench/charts/BarChart.h"
#include "results/SavedResult.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace qv::resultsui {

// The sessions of one benchmark that the results window compares: those of the opened file and those
// this program session ran.
struct BenchmarkSessions {
    results::Benchmark benchmark = results::Benchmark::Cpu;
    std::vector<results::SavedResult> opened;
    std::vector<results::SavedResult> thisSession;
};

// One entry per benchmark of the opened file, in the order they first appear there.
std::vector<BenchmarkSessions> sessionsByBenchmark(const std::vector<results::SavedResult>& opened,
                                                   const std::vector<results::SavedResult>& thisSession);

// The table of a benchmark: one row per session (opened ones first), the source, label, date, indices
// and whether the session is reliable.
struct SessionTable {
    QStringList headers;
    std::vector<QStringList> rows;
};
SessionTable sessionTable(const BenchmarkSessions& sessions);

// The bars of one index: the reference rows of the family the chart shows for the first opened session,
// then each opened session, then each of this program session, above the references.
inline const QColor kOpenedBarColour{164, 75, 30};
inline const QColor kThisSessionBarColour{40, 110, 170};
std::vector<charts::ChartBar> sessionBars(const BenchmarkSessions& sessions, std::string_view index);

} // namespace qv::resultsui
