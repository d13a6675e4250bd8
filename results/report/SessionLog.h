#pragma once

#include "platform/ScopedHook.h"
#include "results/SavedResult.h"

#include <chrono>
#include <string>
#include <vector>

namespace qv::cli {

// The benchmark sessions this program session has run, oldest first: the results window shows them
// beside an opened file, the report lists them, each benchmark window saves its last one.
class SessionLog {
public:
    void add(results::SavedResult session) { m_sessions.push_back(std::move(session)); }
    const std::vector<results::SavedResult>& sessions() const { return m_sessions; }
    std::vector<results::SavedResult> sessionsOf(results::Benchmark benchmark) const;

private:
    std::vector<results::SavedResult> m_sessions;
};

// The log of the running program. Tests install a log of their own for a while.
SessionLog& sessionLog();
SessionLog* setSessionLog(SessionLog* log); // nullptr restores the program's own
using ScopedSessionLog = platform::ScopedHook<SessionLog*, &setSessionLog>;

// One run of a benchmark in the program, recorded as `bench --save` records a session: begin() notes
// the time and samples the machine's load (a quarter of a second: the run windows wait for it), finish()
// reads the conditions at the end of the run and completes the session with this machine's identity.
class ProgramSession {
public:
    ProgramSession(results::Benchmark benchmark, std::string program);

    void begin();
    results::SavedResult finish(results::Figures figures, results::SetupFacts setup = {}) const;

private:
    results::Benchmark m_benchmark;
    std::string m_program;
    std::string m_created;
    results::ConditionsRecorder m_conditions;
};

// "quorvex 3.0.3": the program as it signs its saved sessions and reports.
std::string programSignature();

} // namespace qv::cli
