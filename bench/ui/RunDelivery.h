#pragma once

#include <QCoreApplication>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace qv::benchui {

// Hands `deliver` from a worker thread to the UI thread, where it runs on `job` only while the job still
// exists and `run` is still the run it holds (Job::isCurrentRun): news from a run that was stopped or
// replaced is dropped.
template<typename Job, typename Run>
void deliverWhileCurrent(const QPointer<Job>& job, const std::shared_ptr<Run>& run,
                         std::function<void(Job&)> deliver)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [job, run, deliver = std::move(deliver)] {
            if (job && job->isCurrentRun(run))
                deliver(*job);
        },
        Qt::QueuedConnection);
}

// Lets a worker pass on at most one progress report per interval; the first is always due.
class ProgressThrottle {
public:
    explicit ProgressThrottle(std::chrono::milliseconds interval)
        : m_interval(interval)
        , m_last(std::chrono::steady_clock::now() - interval)
    {
    }

    bool due()
    {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_last < m_interval)
            return false;
        m_last = now;
        return true;
    }

private:
    std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_last;
};

} // namespace qv::benchui
