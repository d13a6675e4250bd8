#pragma once

#include <QCoreApplication>
#include <QPointer>

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

} // namespace qv::benchui
