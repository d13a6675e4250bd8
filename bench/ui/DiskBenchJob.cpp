#include "bench/ui/DiskBenchJob.h"

#include "bench/ui/RunDelivery.h"

#include <chrono>
#include <thread>

namespace qv::benchui {

namespace {

std::atomic<int> g_threadsAlive = 0;

// Progress reaches the window at most this often.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

} // namespace

DiskBenchJob::DiskBenchJob(QObject* parent)
    : QObject(parent)
{
}

DiskBenchJob::~DiskBenchJob()
{
    stop();
}

int DiskBenchJob::threadsAlive()
{
    return g_threadsAlive;
}

void DiskBenchJob::stop()
{
    if (m_run)
        m_run->stop = true;
    m_run.reset();
}

void DiskBenchJob::start(const qv::bench::disk::DiskSettings& settings)
{
    stop();
    auto run = std::make_shared<Run>();
    m_run = run;
    ++g_threadsAlive;
    std::thread([job = QPointer<DiskBenchJob>(this), run, settings] {
        ProgressThrottle throttle(kProgressInterval);
        const auto progress = [&](const qv::bench::disk::DiskProgress& step) {
            if (!throttle.due())
                return;
            const QString text = QString::fromStdString(qv::bench::disk::progressText(step));
            deliverWhileCurrent<DiskBenchJob>(job, run,
                                              [text](DiskBenchJob& target) { emit target.progressed(text); });
        };
        try {
            const qv::bench::disk::DiskResult result =
                qv::bench::disk::runDiskBenchmark(settings, run->stop, progress);
            deliverWhileCurrent<DiskBenchJob>(job, run, [result](DiskBenchJob& target) {
                target.m_run.reset();
                emit target.finished(result);
            });
        } catch (const std::exception& error) {
            const QString message = QString::fromStdString(error.what());
            deliverWhileCurrent<DiskBenchJob>(job, run, [message](DiskBenchJob& target) {
                target.m_run.reset();
                emit target.failed(message);
            });
        }
        --g_threadsAlive;
    }).detach();
}

} // namespace qv::benchui
