#include "bench/net/NetBenchmark.h"

#include "bench/net/Socket.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

namespace qv::bench::net {

namespace {

constexpr auto kTick = std::chrono::milliseconds(50);

// Thrown inside a run once something was measured: the run ends with what it has.
struct LostPeer {
    std::string message;
};

// What the stream threads of one phase share.
struct StreamCount {
    std::atomic<std::int64_t> bytes = 0;
    std::atomic<std::int64_t> lastByteNs = 0; // since the phase's start
    std::atomic<int> running = 0;
    std::atomic<bool> failed = false;
};

class Run {
public:
    Run(const NetSettings& settings, const std::atomic<bool>& stop, const NetProgressSink& progress)
        : m_settings(settings)
        , m_stop(stop)
        , m_progress(progress)
    {
    }

    NetResult measure();

private:
    std::string where() const { return m_settings.host + " port " + std::to_string(m_settings.port); }
    Clock::time_point peerDeadline() const { return Clock::now() + m_settings.peerTimeout; }
    void report(NetPhase phase, double mbps, double fraction) const
    {
        if (m_progress)
            m_progress({phase, mbps, std::min(1.0, fraction)});
    }
    void connect();
    std::vector<Socket> openStreams(const char* phase);
    void send(const std::string& line, const char* phase);
    std::string receiveLine(std::chrono::milliseconds wait, const char* phase);
    // Runs `body` on one thread per stream, reporting progress until every stream ends.
    template<typename Body>
    void runStreams(std::vector<Socket>& streams, NetPhase phase, StreamCount& count, Clock::time_point start,
                    Body body);
    bool download();
    bool upload();
    bool roundTrips();

    const NetSettings& m_settings;
    const std::atomic<bool>& m_stop;
    const NetProgressSink& m_progress;
    NetResult m_result;
    SocketAddress m_address;
    Socket m_control;
    std::string m_token;
};

void Run::connect()
{
    report(NetPhase::Connecting, 0, 0);
    const AddressLookup lookup = addressResolver()(m_settings.host, m_settings.port);
    if (lookup.addresses.empty())
        throw NetBenchError(lookup.error.empty() ? "unknown host '" + m_settings.host + "'" : lookup.error);
    bool refused = false;
    for (const SocketAddress& address : lookup.addresses) {
        Connection connection = connectTo(address, peerDeadline(), &m_stop);
        if (connection.status == ConnectStatus::Stopped)
            return;
        refused = refused || connection.status == ConnectStatus::Refused;
        if (connection.status == ConnectStatus::Connected) {
            m_address = address;
            m_control = std::move(connection.socket);
            break;
        }
    }
    if (!m_control.valid()) {
        throw NetBenchError(
            refused ? m_settings.host + " refused the connection on port " + std::to_string(m_settings.port) +
                          ": is quorvex-cli serve running there?"
                    : m_settings.host + " did not answer on port " + std::to_string(m_settings.port));
    }
    m_result.address = addressText(m_address);
    const std::string notOurs = where() + " does not answer as quorvex-cli serve does";
    if (!writeAll(m_control, helloLine(Hello::Session), peerDeadline(), &m_stop))
        throw NetBenchError(notOurs);
    const LineRead reply = readLine(m_control, peerDeadline(), &m_stop);
    if (reply.status == LineStatus::Stopped)
        return;
    if (reply.status == LineStatus::Line && reply.text == "BUSY")
        throw NetBenchError(m_settings.host + " is busy with another measurement; try again when it ends");
    if (reply.status == LineStatus::Line && reply.text.starts_with("ERROR "))
        throw NetBenchError(m_settings.host + " refused the session: " + reply.text.substr(6));
    if (reply.status != LineStatus::Line || !reply.text.starts_with("OK ") || reply.text.size() < 4)
        throw NetBenchError(notOurs);
    m_token = reply.text.substr(3);
}

void Run::send(const std::string& line, const char* phase)
{
    if (!writeAll(m_control, line, peerDeadline(), &m_stop) && !m_stop.load())
        throw LostPeer{"the connection to " + m_settings.host + " was lost during the " + phase};
}

std::string Run::receiveLine(std::chrono::milliseconds wait, const char* phase)
{
    const LineRead line = readLine(m_control, Clock::now() + wait, &m_stop);
    if (line.status == LineStatus::Line)
        return line.text;
    if (line.status == LineStatus::Stopped)
        return {};
    throw LostPeer{line.status == LineStatus::TimedOut
                       ? m_settings.host + " stopped answering during the " + phase
                       : "the connection to " + m_settings.host + " was lost during the " + phase};
}

std::vector<Socket> Run::openStreams(const char* phase)
{
    std::vector<Socket> streams;
    for (int i = 0; i < m_settings.streams && !m_stop.load(); ++i) {
        Connection connection = connectTo(m_address, peerDeadline(), &m_stop);
        if (connection.status == ConnectStatus::Stopped)
            break;
        const bool opened =
            connection.status == ConnectStatus::Connected &&
            writeAll(connection.socket, helloLine(Hello::Stream, m_token), peerDeadline(), &m_stop);
        const LineRead reply = opened ? readLine(connection.socket, peerDeadline(), &m_stop) : LineRead();
        if (reply.status == LineStatus::Stopped)
            break;
        if (reply.status != LineStatus::Line || reply.text != "OK")
            throw LostPeer{m_settings.host + " did not open the streams of the " + phase};
        streams.push_back(std::move(connection.socket));
    }
    return streams;
}

template<typename Body>
void Run::runStreams(std::vector<Socket>& streams, NetPhase phase, StreamCount& count,
                     Clock::time_point start, Body body)
{
    std::vector<std::thread> threads;
    threads.reserve(streams.size());
    count.running = int(streams.size());
    for (Socket& stream : streams) {
        threads.emplace_back([&stream, &count, &body] {
            if (!body(stream))
                count.failed = true;
            --count.running;
        });
    }
    while (count.running.load() > 0) {
        std::this_thread::sleep_for(kTick);
        const auto elapsed = Clock::now() - start;
        report(phase, megabitsPerSecond(count.bytes.load(), elapsed),
               double(elapsed.count()) / double(std::chrono::nanoseconds(m_settings.duration).count()));
    }
    for (std::thread& thread : threads)
        thread.join();
}

bool Run::download()
{
    std::vector<Socket> streams = openStreams("download");
    if (m_stop.load())
        return false;
    send(commandLine({Verb::Download, m_settings.streams, m_settings.duration.count()}), "download");
    const Clock::time_point start = Clock::now();
    StreamCount count;
    runStreams(streams, NetPhase::Download, count, start, [&](const Socket& stream) {
        std::vector<char> buffer(kBulkBlock);
        for (;;) {
            const Wait wait = waitFor(stream, POLLIN, peerDeadline(), &m_stop);
            if (wait == Wait::Stopped)
                return true;
            if (wait != Wait::Ready)
                return false;
            const ssize_t n = ::recv(stream.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (n == 0)
                return true;
            if (n < 0)
                return false;
            count.bytes += n;
            count.lastByteNs = std::chrono::nanoseconds(Clock::now() - start).count();
        }
    });
    m_result.downloadBytes = count.bytes.load();
    if (m_stop.load())
        return false;
    m_result.downloadMbps =
        megabitsPerSecond(count.bytes.load(), std::chrono::nanoseconds(count.lastByteNs.load()));
    if (count.failed.load())
        throw LostPeer{m_settings.host + " stopped sending during the download"};
    receiveLine(m_settings.peerTimeout, "download"); // SENT: what the server put on the wire
    return !m_stop.load();
}

bool Run::upload()
{
    std::vector<Socket> streams = openStreams("upload");
    if (m_stop.load())
        return false;
    send(commandLine({Verb::Upload, m_settings.streams, m_settings.duration.count()}), "upload");
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + m_settings.duration;
    StreamCount sent;
    runStreams(streams, NetPhase::Upload, sent, start, [&](const Socket& stream) {
        static const std::vector<char> bytes(kBulkBlock, 'q');
        while (Clock::now() < end) {
            const Wait wait = waitFor(stream, POLLOUT, std::min(end, peerDeadline()), &m_stop);
            if (wait == Wait::Stopped)
                return true;
            if (wait == Wait::TimedOut && Clock::now() >= end)
                break;
            if (wait != Wait::Ready)
                return false;
            const ssize_t n = ::send(stream.fd(), bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            if (n <= 0)
                return false;
            sent.bytes += n;
        }
        ::shutdown(stream.fd(), SHUT_WR);
        return true;
    });
    if (m_stop.load())
        return false;
    if (sent.failed.load())
        throw LostPeer{m_settings.host + " stopped receiving during the upload"};
    // The server reports once the data still in flight has arrived.
    const std::string line = receiveLine(m_settings.duration + m_settings.peerTimeout * 2, "upload");
    const std::optional<Count> received = parseCount(line, "RECEIVED");
    if (m_stop.load())
        return false;
    if (!received)
        throw LostPeer{m_settings.host + " did not say what it received during the upload"};
    m_result.uploadBytes = received->bytes;
    m_result.uploadMbps = megabitsPerSecond(received->bytes, std::chrono::microseconds(received->micros));
    return true;
}

bool Run::roundTrips()
{
    report(NetPhase::Latency, 0, 0);
    send(commandLine({Verb::Echo, 0, m_settings.roundTrips}), "round trips");
    if (receiveLine(m_settings.peerTimeout, "round trips") != "OK")
        return false;
    std::vector<double> times;
    const std::string block(kEchoBlock, 'e');
    std::string back(kEchoBlock, '\0');
    for (int i = 0; i < m_settings.roundTrips; ++i) {
        const Clock::time_point sentAt = Clock::now();
        if (!writeAll(m_control, block, peerDeadline(), &m_stop) ||
            !readExactly(m_control, back.data(), back.size(), peerDeadline(), &m_stop)) {
            if (m_stop.load())
                return false;
            throw LostPeer{m_settings.host + " stopped answering during the round trips"};
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sentAt).count());
        report(NetPhase::Latency, 0, double(i + 1) / m_settings.roundTrips);
    }
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    // Nearest rank.
    const double p95 = times[std::size_t(std::ceil(0.95 * double(n))) - 1];
    m_result.latency = Latency{median, p95};
    return true;
}

NetResult Run::measure()
{
    connect();
    if (m_stop.load()) {
        m_result.stopped = true;
        return m_result;
    }
    try {
        if (download() && upload() && roundTrips())
            writeAll(m_control, commandLine({Verb::Bye, 0, 0}), peerDeadline(), &m_stop);
    } catch (const LostPeer& lost) {
        m_result.error = lost.message;
    }
    m_result.stopped = m_stop.load();
    return m_result;
}

} // namespace

std::string progressText(const NetProgress& progress)
{
    char text[64];
    switch (progress.phase) {
    case NetPhase::Connecting:
        return "Connecting";
    case NetPhase::Download:
    case NetPhase::Upload:
        std::snprintf(text, sizeof text, "%s: %.1f Mbit/s",
                      progress.phase == NetPhase::Download ? "Download" : "Upload", progress.mbps);
        return text;
    case NetPhase::Latency:
        break;
    }
    std::snprintf(text, sizeof text, "Round trips: %d %%", int(progress.fraction * 100));
    return text;
}

NetResult runNetBenchmark(const NetSettings& settings, const std::atomic<bool>& stop,
                          const NetProgressSink& progress)
{
    if (settings.streams < 1 || settings.streams > kMaxStreams || settings.duration.count() < 1 ||
        settings.duration.count() > kMaxPhaseMs || settings.roundTrips < 1 ||
        settings.roundTrips > kMaxEchoes)
        throw NetBenchError("streams, seconds or round trips out of range");
    Run run(settings, stop, progress);
    return run.measure();
}

} // namespace qv::bench::net
