#pragma once

#include "bench/inet/InetBenchmark.h"
#include "bench/net/NetBenchmark.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace qv::benchui {

// Runs the network or the Internet benchmark on a thread of its own and hands its progress and its end
// to the UI thread. Stopping (or destroying the job) never waits: the run ends within a tenth of a second
// by itself, and whatever it reports afterwards is dropped.
class NetBenchJob : public QObject {
    Q_OBJECT

public:
    explicit NetBenchJob(QObject* parent = nullptr);
    ~NetBenchJob() override;
    NetBenchJob(const NetBenchJob&) = delete;
    NetBenchJob& operator=(const NetBenchJob&) = delete;

    void start(const qv::bench::net::NetSettings& settings);
    void start(const qv::bench::inet::InetSettings& settings);
    void stop();
    bool running() const { return m_run != nullptr; }
    template<typename Run>
    bool isCurrentRun(const std::shared_ptr<Run>& run) const
    {
        return m_run == run;
    }

    // Runs whose threads have not ended yet, stopping ones included.
    static int threadsAlive();

signals:
    void progressed(const QString& text);
    void netFinished(const qv::bench::net::NetResult& result);
    void inetFinished(const qv::bench::inet::InetResult& result);
    void failed(const QString& message);

private:
    struct Run {
        std::atomic<bool> stop = false;
    };
    using Deliver = std::function<void(NetBenchJob&)>;
    using Post = std::function<void(Deliver)>;
    // Starts `work` on a thread; it reports through the poster it is given.
    void launch(std::function<void(const std::atomic<bool>& stop, const Post& post)> work);

    std::shared_ptr<Run> m_run;
};

} // namespace qv::benchui
