#include "bench/ui/NetBenchJob.h"

#include "bench/inet/InetLoader.h"
#include "bench/ui/RunDelivery.h"

#include <chrono>
#include <thread>

namespace qv::benchui {

namespace {

std::atomic<int> g_threadsAlive = 0;

constexpr auto kProgressInterval = std::chrono::milliseconds(200);

} // namespace

NetBenchJob::NetBenchJob(QObject* parent)
    : QObject(parent)
{
}

NetBenchJob::~NetBenchJob()
{
    stop();
}

int NetBenchJob::threadsAlive()
{
    return g_threadsAlive;
}

void NetBenchJob::stop()
{
    if (m_run)
        m_run->stop = true;
    m_run.reset();
}

void NetBenchJob::launch(std::function<void(const std::atomic<bool>&, const Post&)> work)
{
    stop();
    auto run = std::make_shared<Run>();
    m_run = run;
    ++g_threadsAlive;
    std::thread([job = QPointer<NetBenchJob>(this), run, work = std::move(work)] {
        const Post post = [job, run](Deliver deliver) { deliverWhileCurrent(job, run, std::move(deliver)); };
        try {
            work(run->stop, post);
        } catch (const std::exception& error) {
            const QString message = QString::fromStdString(error.what());
            post([message](NetBenchJob& target) {
                target.m_run.reset();
                emit target.failed(message);
            });
        }
        --g_threadsAlive;
    }).detach();
}

void NetBenchJob::start(const qv::bench::net::NetSettings& settings)
{
    launch([settings](const std::atomic<bool>& stop, const Post& post) {
        ProgressThrottle throttle(kProgressInterval);
        const qv::bench::net::NetResult result =
            qv::bench::net::runNetBenchmark(settings, stop, [&](const qv::bench::net::NetProgress& step) {
                if (!throttle.due())
                    return;
                const QString text = QString::fromStdString(qv::bench::net::progressText(step));
                post([text](NetBenchJob& target) { emit target.progressed(text); });
            });
        post([result](NetBenchJob& target) {
            target.m_run.reset();
            emit target.netFinished(result);
        });
    });
}

void NetBenchJob::start(const qv::bench::inet::InetSettings& settings)
{
    launch([settings](const std::atomic<bool>& stop, const Post& post) {
        ProgressThrottle throttle(kProgressInterval);
        const qv::bench::inet::InetResult result = qv::bench::inet::runLoadedInetBenchmark(
            settings, stop, [&](const qv::bench::inet::InetProgress& step) {
                if (!throttle.due())
                    return;
                const QString text = QStringLiteral("Download: %1 Mbit/s").arg(step.mbps, 0, 'f', 1);
                post([text](NetBenchJob& target) { emit target.progressed(text); });
            });
        post([result](NetBenchJob& target) {
            target.m_run.reset();
            emit target.inetFinished(result);
        });
    });
}

} // namespace qv::benchui
