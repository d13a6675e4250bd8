#pragma once

#include "bench/disk/DiskBenchmark.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace qv::benchui {

// Runs the disk benchmark on a thread of its own and hands its progress and its end to the UI thread.
// Stopping (or destroying the job) never waits: the run stops measuring within a tenth of a second,
// drains the requests in flight in the background and takes its file with it; whatever it reports
// afterwards is dropped.
class DiskBenchJob : public QObject {
    Q_OBJECT

public:
    explicit DiskBenchJob(QObject* parent = nullptr);
    ~DiskBenchJob() override;
    DiskBenchJob(const DiskBenchJob&) = delete;
    DiskBenchJob& operator=(const DiskBenchJob&) = delete;

    void start(const qv::bench::disk::DiskSettings& settings);
    void stop();
    bool running() const { return m_run != nullptr; }
    template<typename Run>
    bool isCurrentRun(const std::shared_ptr<Run>& run) const
    {
        return m_run == run;
    }

    // Runs whose threads have not ended yet, draining ones included.
    static int threadsAlive();

signals:
    void progressed(const QString& text);
    void finished(const qv::bench::disk::DiskResult& result);
    void failed(const QString& message);

private:
    struct Run {
        std::atomic<bool> stop = false;
    };

    std::shared_ptr<Run> m_run;
};

} // namespace qv::benchui
