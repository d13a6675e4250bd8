#pragma once

#include "bench/overall/OverallRun.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qv::bench::display {
class DisplayBench;
}
namespace qv::cli {
class ProgramSession;
}

namespace qv::benchui {

// Runs the overall performances for a window: the processor, memory and disk benchmarks on a thread of
// their own, then the 2D and 3D benchmarks on the UI thread in their own test windows, a few frames per
// turn of the event loop. Each benchmark is recorded as a session of the program. Stopping never waits:
// the disk benchmark stops within a tenth of a second and removes its file, a display test window closes,
// a processor or memory kernel under way ends unseen in the background.
class OverallBenchJob : public QObject {
    Q_OBJECT

public:
    explicit OverallBenchJob(QObject* parent = nullptr);
    ~OverallBenchJob() override;
    OverallBenchJob(const OverallBenchJob&) = delete;
    OverallBenchJob& operator=(const OverallBenchJob&) = delete;

    // Runs the planned benchmarks, in the overall run's order.
    void start(std::vector<results::Benchmark> planned = bench::overall::overallBenchmarks());
    void stop();
    bool running() const;
    // Runs whose threads have not ended yet, stopped ones included.
    static int threadsAlive();
    template<typename Run>
    bool isCurrentRun(const std::shared_ptr<Run>& run) const
    {
        return m_run == run;
    }

signals:
    void benchmarkStarted(const QString& title, int position, int count);
    void progressed(const QString& text);
    void finished(const qv::bench::overall::OverallResult& result);

private:
    struct Run;
    // On the UI thread, once the thread's benchmarks are done: the display benchmarks, one after another.
    void runNextDisplay();
    void finishDisplay(std::optional<results::SavedResult> session, const std::string& failure);
    void end();

    std::shared_ptr<Run> m_run;
    std::unique_ptr<bench::overall::OverallSequence> m_sequence; // on the UI thread, for the display part
    std::unique_ptr<bench::display::DisplayBench> m_display;
    std::unique_ptr<cli::ProgramSession> m_session;
};

} // namespace qv::benchui
