#pragma once

#include "results/SavedResult.h"
#include "results/report/SessionLog.h"

#include <optional>

namespace qv::benchui {

// A benchmark window's record of its runs, as `bench --save` records them: begin() at Start (it samples
// the machine's load for a quarter of a second, before the run loads it), finish() with the figures of a
// run that ended; the finished session goes into the program's session log and stays the window's last,
// which its chart saves. A stopped run is dropped().
class RunRecording {
public:
    explicit RunRecording(results::Benchmark benchmark);

    void begin();
    void finish(results::Figures figures, results::SetupFacts setup);
    void drop();

    const std::optional<results::SavedResult>& last() const { return m_last; }

private:
    results::Benchmark m_benchmark;
    std::optional<qv::cli::ProgramSession> m_run;
    std::optional<results::SavedResult> m_last;
};

} // namespace qv::benchui
