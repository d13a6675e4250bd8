#include "bench/ui/OverallBenchJob.h"

#include "bench/display/DisplayBench.h"
#include "bench/ui/RunDelivery.h"
#include "bench/ui/UiText.h"
#include "results/report/BenchSession.h"
#include "results/report/DiskSession.h"
#include "results/report/DisplayRun.h"
#include "results/report/SessionLog.h"

#include <atomic>
#include <stdexcept>
#include <thread>

namespace qv::benchui {

namespace overall = bench::overall;
using results::Benchmark;

struct OverallBenchJob::Run {
    std::atomic<bool> stop = false;
};

namespace {

std::atomic<int> g_threadsAlive = 0;

bool isDisplay(Benchmark benchmark)
{
    return benchmark == Benchmark::Display2D || benchmark == Benchmark::Display3D;
}

QString titleOf(Benchmark benchmark)
{
    return uiText(overall::benchmarkTitle(benchmark));
}

// The processor, memory or disk benchmark, recorded as the program records a session.
results::SavedResult runOnThread(Benchmark benchmark, const std::atomic<bool>& stop)
{
    cli::ProgramSession session(benchmark, cli::programSignature());
    session.begin();
    if (benchmark == Benchmark::Cpu)
        return session.finish(cli::cpuFigures(bench::runCpuBenchmark()));
    if (benchmark == Benchmark::Mem)
        return session.finish(cli::memoryFigures(bench::runMemoryBenchmark()));
    const bench::disk::DiskSettings settings = overall::overallDiskSettings();
    const bench::disk::DiskResult result = bench::disk::runDiskBenchmark(settings, stop);
    if (result.stopped)
        throw std::runtime_error("stopped");
    const cli::DiskSession run = cli::diskSession(settings, result);
    return session.finish(run.figures, run.setup);
}

} // namespace

OverallBenchJob::OverallBenchJob(QObject* parent)
    : QObject(parent)
{
}

OverallBenchJob::~OverallBenchJob()
{
    if (m_run)
        m_run->stop = true;
}

int OverallBenchJob::threadsAlive()
{
    return g_threadsAlive;
}

bool OverallBenchJob::running() const
{
    return m_run != nullptr;
}

void OverallBenchJob::start(std::vector<Benchmark> planned)
{
    stop();
    auto run = std::make_shared<Run>();
    m_run = run;
    ++g_threadsAlive;
    std::thread([job = QPointer<OverallBenchJob>(this), run, planned = std::move(planned)] {
        overall::OverallSequence sequence(planned);
        overall::runWhile(
            sequence, [&run](Benchmark benchmark) { return runOnThread(benchmark, run->stop); },
            [](Benchmark benchmark) { return !isDisplay(benchmark); }, run->stop,
            [&](Benchmark benchmark) {
                const int position = int(sequence.position());
                const int count = int(sequence.count());
                deliverWhileCurrent<OverallBenchJob>(
                    job, run, [benchmark, position, count](OverallBenchJob& target) {
                        emit target.benchmarkStarted(titleOf(benchmark), position, count);
                    });
            });
        deliverWhileCurrent<OverallBenchJob>(job, run, [sequence](OverallBenchJob& target) {
            target.m_sequence = std::make_unique<overall::OverallSequence>(sequence);
            target.runNextDisplay();
        });
        --g_threadsAlive;
    }).detach();
}

void OverallBenchJob::runNextDisplay()
{
    const auto benchmark = m_sequence->current();
    if (!benchmark || !isDisplay(*benchmark))
        return end();
    emit benchmarkStarted(titleOf(*benchmark), int(m_sequence->position()), int(m_sequence->count()));
    const auto kind = *benchmark == Benchmark::Display2D ? bench::display::DisplayKind::TwoD
                                                         : bench::display::DisplayKind::ThreeD;
    std::string failure;
    m_display = bench::display::loadDisplayBench(kind, &failure);
    if (!m_display)
        return finishDisplay(std::nullopt, failure);
    m_session = std::make_unique<cli::ProgramSession>(*benchmark, cli::programSignature());
    m_session->begin();
    const QPointer<OverallBenchJob> job(this);
    const std::shared_ptr<Run> run = m_run;
    const bench::display::DisplaySettings settings = overall::overallDisplaySettings();
    // Each callback comes from a later turn of the event loop, so the bench is never destroyed inside one.
    const auto later = [job, run](std::function<void(OverallBenchJob&)> deliver) {
        deliverWhileCurrent<OverallBenchJob>(job, run, std::move(deliver));
    };
    m_display->start(
        settings,
        {[job](const std::string& step) {
             if (job)
                 emit job->progressed(QString::fromStdString(step));
         },
         [later, settings](const bench::display::DisplayResult& result) {
             const cli::DisplayBenchSession done = cli::displayBenchSession(settings, result);
             later([done](OverallBenchJob& target) {
                 target.finishDisplay(target.m_session->finish(done.figures, done.setup), {});
             });
         },
         [later](const std::string& message) {
             later([message](OverallBenchJob& target) { target.finishDisplay(std::nullopt, message); });
         }});
}

void OverallBenchJob::finishDisplay(std::optional<results::SavedResult> session, const std::string& failure)
{
    m_display.reset();
    m_session.reset();
    if (session) {
        m_sequence->finished(std::move(*session));
    } else {
        m_sequence->skipped(failure);
    }
    runNextDisplay();
}

void OverallBenchJob::end()
{
    m_run.reset();
    const overall::OverallResult result = m_sequence->result();
    m_sequence.reset();
    for (const results::SavedResult& session : result.sessions)
        cli::sessionLog().add(session);
    emit finished(result);
}

void OverallBenchJob::stop()
{
    if (!m_run)
        return;
    m_run->stop = true;
    if (m_display)
        m_display->stop();
    m_display.reset();
    m_session.reset();
    m_run.reset();
    m_sequence.reset();
}

} // namespace qv::benchui
