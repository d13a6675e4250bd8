#include "results/report/SessionLog.h"

#include "bench/BenchmarkRuns.h"
#include "results/report/BenchSession.h"
#include "results/report/ThisMachine.h"

#include <QDateTime>

#include <utility>

namespace qv::cli {

namespace {

constexpr std::chrono::milliseconds kLoadSample{250};

SessionLog*& installedLog()
{
    static SessionLog* log = nullptr;
    return log;
}

} // namespace

std::vector<results::SavedResult> SessionLog::sessionsOf(results::Benchmark benchmark) const
{
    std::vector<results::SavedResult> chosen;
    for (const results::SavedResult& session : m_sessions) {
        if (session.benchmark == benchmark)
            chosen.push_back(session);
    }
    return chosen;
}

SessionLog& sessionLog()
{
    static SessionLog programLog;
    SessionLog* installed = installedLog();
    return installed != nullptr ? *installed : programLog;
}

SessionLog* setSessionLog(SessionLog* log)
{
    return std::exchange(installedLog(), log);
}

ProgramSession::ProgramSession(results::Benchmark benchmark, std::string program)
    : m_benchmark(benchmark)
    , m_program(std::move(program))
    , m_conditions(platform::RunConditionsProbe(), kLoadSample)
{
}

void ProgramSession::begin()
{
    m_created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    m_conditions.begin();
}

results::SavedResult ProgramSession::finish(results::Figures figures, results::SetupFacts setup) const
{
    results::SavedResult session;
    session.program = m_program;
    session.created = m_created;
    session.benchmark = m_benchmark;
    session.kernelRevision = bench::kKernelRevision;
    session.machine = thisMachine();
    session.runs.push_back({std::move(figures), m_conditions.afterRun()});
    session.setup = std::move(setup);
    completeSession(session);
    return session;
}

std::string programSignature()
{
    return std::string("quorvex ") + QV_PROGRAM_VERSION;
}

} // namespace qv::cli
