#include "bench/net/NetServer.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <random>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace qv::bench::net {

namespace {

// What the server sends: not all zeros, so that nothing on the way could shrink it.
const std::vector<char>& payload()
{
    static const std::vector<char> bytes = [] {
        std::vector<char> block(kBulkBlock);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = char((i * 2654435761U) >> 24);
        return block;
    }();
    return bytes;
}

std::string peerOf(const sockaddr_storage& address)
{
    SocketAddress peer;
    peer.address = address;
    return addressText(peer);
}

std::string rateText(int streams, std::int64_t bytes, std::chrono::nanoseconds elapsed)
{
    char text[96];
    std::snprintf(text, sizeof text, "%d stream%s %.1f s %.1f Mbit/s", streams, streams == 1 ? "" : "s",
                  double(elapsed.count()) / 1e9, megabitsPerSecond(bytes, elapsed));
    return text;
}

std::string newToken()
{
    std::random_device device;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", device(), device());
    return text;
}

} // namespace

NetServer::NetServer(ServerSettings settings)
    : m_settings(std::move(settings))
    , m_listener(listenOn(m_settings.bind, m_settings.port))
{
}

NetServer::~NetServer()
{
    m_stopping = true;
    reap(true);
}

int NetServer::port() const
{
    return localPort(m_listener);
}

void NetServer::log(const std::string& line)
{
    const std::lock_guard lock(m_mutex);
    if (m_log)
        m_log(line);
}

void NetServer::reap(bool all)
{
    for (auto worker = m_workers.begin(); worker != m_workers.end();) {
        if (all || worker->done->load()) {
            worker->thread.join();
            worker = m_workers.erase(worker);
        } else {
            ++worker;
        }
    }
}

void NetServer::run(const std::atomic<bool>& stop, const ServerLog& log)
{
    {
        const std::lock_guard lock(m_mutex);
        m_log = log;
    }
    while (!stop.load() && !(m_settings.once && m_sessions.load() > 0)) {
        reap(false);
        if (waitFor(m_listener, POLLIN, Clock::now() + std::chrono::milliseconds(100), &stop) != Wait::Ready)
            continue;
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        const int fd = ::accept4(m_listener.fd(), reinterpret_cast<sockaddr*>(&address), &length,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        auto done = std::make_shared<std::atomic<bool>>(false);
        m_workers.push_back({std::thread([this, fd, peer = peerOf(address), done] {
                                 serveConnection(Socket(fd), peer);
                                 *done = true;
                             }),
                             done});
    }
    m_stopping = true;
    m_streamsArrived.notify_all();
    reap(true);
    m_stopping = false;
}

void NetServer::serveConnection(Socket socket, const std::string& peer)
{
    const auto reply = [&socket, this](const std::string& text) {
        writeAll(socket, text, Clock::now() + m_settings.peerTimeout, &m_stopping);
    };
    const LineRead line = readLine(socket, Clock::now() + m_settings.peerTimeout, &m_stopping);
    if (line.status == LineStatus::Stopped)
        return;
    if (line.status != LineStatus::Line) {
        log(peer + ": dropped, " + (line.status == LineStatus::TimedOut ? "said nothing" : "no greeting"));
        return;
    }
    const std::optional<HelloLine> hello = parseHello(line.text);
    if (!hello) {
        reply("ERROR not a measurement session\n");
        log(peer + ": dropped, not a measurement session");
        return;
    }
    if (hello->version != kProtocolVersion) {
        reply("ERROR protocol version " + std::to_string(kProtocolVersion) + " expected, not " +
              std::to_string(hello->version) + '\n');
        log(peer + ": dropped, protocol version " + std::to_string(hello->version));
        return;
    }
    if (hello->kind == Hello::Stream) {
        bool known = false;
        {
            const std::lock_guard lock(m_mutex);
            known = m_busy && hello->token == m_token && m_streams.size() < std::size_t(kMaxStreams);
        }
        if (!known) {
            reply("ERROR unknown session\n");
            return;
        }
        reply("OK\n");
        const std::lock_guard lock(m_mutex);
        // The session may have ended meanwhile; its successor must not get this stream.
        if (m_busy && hello->token == m_token) {
            m_streams.push_back(std::move(socket));
            m_streamsArrived.notify_all();
        }
        return;
    }
    std::string token;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_busy) {
            m_busy = true;
            m_token = token = newToken();
        }
    }
    if (token.empty()) {
        reply("BUSY\n");
        log(peer + ": refused, busy with another session");
        return;
    }
    reply("OK " + token + '\n');
    const std::string summary = runSession(socket);
    {
        const std::lock_guard lock(m_mutex);
        m_busy = false;
        m_token.clear();
        m_streams.clear();
    }
    log(peer + ": " + summary);
    ++m_sessions;
}

std::vector<Socket> NetServer::takeStreams(int count)
{
    std::unique_lock lock(m_mutex);
    m_streamsArrived.wait_for(lock, m_settings.peerTimeout,
                              [&] { return m_stopping.load() || m_streams.size() >= std::size_t(count); });
    if (m_streams.size() != std::size_t(count))
        return {};
    return std::exchange(m_streams, {});
}

std::string NetServer::runSession(const Socket& control)
{
    std::string summary;
    const auto add = [&summary](const std::string& part) { summary += (summary.empty() ? "" : "; ") + part; };
    for (;;) {
        const LineRead line = readLine(control, Clock::now() + m_settings.peerTimeout, &m_stopping);
        if (line.status == LineStatus::Stopped) {
            add("ended, the server stops");
            break;
        }
        if (line.status != LineStatus::Line) {
            add(line.status == LineStatus::TimedOut ? "dropped, silent" : "peer left");
            break;
        }
        const std::optional<Command> command = parseCommand(line.text);
        if (!command) {
            writeAll(control, "ERROR malformed command\n", Clock::now() + m_settings.peerTimeout,
                     &m_stopping);
            add("dropped, malformed command");
            break;
        }
        if (command->verb == Verb::Bye) {
            if (summary.empty())
                add("no measurement");
            break;
        }
        if (command->verb == Verb::Echo) {
            int echoed = 0;
            if (writeAll(control, "OK\n", Clock::now() + m_settings.peerTimeout, &m_stopping)) {
                std::array<char, kEchoBlock> block{};
                while (echoed < command->count &&
                       readExactly(control, block.data(), block.size(), Clock::now() + m_settings.peerTimeout,
                                   &m_stopping) &&
                       writeAll(control, std::string_view(block.data(), block.size()),
                                Clock::now() + m_settings.peerTimeout, &m_stopping))
                    ++echoed;
            }
            add(std::to_string(echoed) + " round trips");
            if (echoed != command->count)
                break;
            continue;
        }
        const auto duration = std::chrono::milliseconds(command->count);
        const std::string part = command->verb == Verb::Download
                                     ? download(control, command->streams, duration)
                                     : upload(control, command->streams, duration);
        add(part);
        if (part.find("failed") != std::string::npos)
            break;
    }
    return summary;
}

std::string NetServer::download(const Socket& control, int count, std::chrono::milliseconds duration)
{
    std::vector<Socket> streams = takeStreams(count);
    if (streams.empty())
        return "download failed, streams missing";
    std::atomic<std::int64_t> sent = 0;
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + duration;
    std::vector<std::thread> senders;
    senders.reserve(streams.size());
    for (Socket& stream : streams) {
        senders.emplace_back([&stream, &sent, end, this] {
            const std::vector<char>& bytes = payload();
            while (Clock::now() < end && sent.load() < kMaxPhaseBytes) {
                if (waitFor(stream, POLLOUT, end, &m_stopping) != Wait::Ready)
                    break;
                const ssize_t n =
                    ::send(stream.fd(), bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
                if (n < 0 && (errno == EAGAIN || errno == EINTR))
                    continue;
                if (n <= 0)
                    break;
                sent += n;
            }
            ::shutdown(stream.fd(), SHUT_WR);
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    // The client reads each stream to its end; the streams close with the session's next step.
    const std::int64_t total = sent.load();
    const bool told = writeAll(control, "SENT " + std::to_string(total) + '\n',
                               Clock::now() + m_settings.peerTimeout, &m_stopping);
    return "download " + rateText(count, total, Clock::now() - start) + (told ? "" : " failed");
}

std::string NetServer::upload(const Socket& control, int count, std::chrono::milliseconds duration)
{
    std::vector<Socket> streams = takeStreams(count);
    if (streams.empty())
        return "upload failed, streams missing";
    std::atomic<std::int64_t> received = 0;
    const Clock::time_point start = Clock::now();
    // The client stops sending after `duration`; what it has in flight then still counts.
    const Clock::time_point limit = start + duration + m_settings.peerTimeout;
    std::vector<Clock::time_point> ends(streams.size(), start);
    std::vector<std::thread> receivers;
    receivers.reserve(streams.size());
    for (std::size_t i = 0; i < streams.size(); ++i) {
        receivers.emplace_back([&stream = streams[i], &end = ends[i], &received, limit, this] {
            std::vector<char> buffer(kBulkBlock);
            for (;;) {
                const Clock::time_point silence = std::min(limit, Clock::now() + m_settings.peerTimeout);
                if (waitFor(stream, POLLIN, silence, &m_stopping) != Wait::Ready)
                    break;
                const ssize_t n = ::recv(stream.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT);
                if (n < 0 && (errno == EAGAIN || errno == EINTR))
                    continue;
                if (n <= 0)
                    break;
                end = Clock::now();
                received += n;
                if (received.load() > kMaxPhaseBytes)
                    break;
            }
        });
    }
    for (std::thread& receiver : receivers)
        receiver.join();
    const Clock::time_point last = *std::max_element(ends.begin(), ends.end());
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(last - start);
    const std::int64_t total = received.load();
    const bool told =
        writeAll(control, "RECEIVED " + std::to_string(total) + ' ' + std::to_string(micros.count()) + '\n',
                 Clock::now() + m_settings.peerTimeout, &m_stopping);
    return "upload " + rateText(count, total, last - start) + (told ? "" : " failed");
}

} // namespace qv::bench::net
