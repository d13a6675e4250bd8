#include "tests/netbench/NetTestPeers.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qv::test {

namespace bn = bench::net;

namespace {

bn::SocketAddress loopback(int port)
{
    bn::SocketAddress address;
    auto* inet = reinterpret_cast<sockaddr_in*>(&address.address);
    inet->sin_family = AF_INET;
    inet->sin_port = htons(std::uint16_t(port));
    inet->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.length = sizeof(sockaddr_in);
    return address;
}

} // namespace

LoopbackServer::LoopbackServer(std::chrono::milliseconds peerTimeout, const std::string& bind)
    : m_server({bind, 0, false, peerTimeout})
    , m_port(m_server.port())
    , m_thread([this] { m_server.run(m_stop, {}); })
{
}

LoopbackServer::~LoopbackServer()
{
    m_stop = true;
    m_thread.join();
}

bn::Socket connectLoopback(int port)
{
    bn::Connection connection =
        bn::connectTo(loopback(port), bn::Clock::now() + std::chrono::seconds(5), nullptr);
    return connection.status == bn::ConnectStatus::Connected ? std::move(connection.socket) : bn::Socket();
}

int closedLoopbackPort()
{
    const bn::Socket listener = bn::listenOn("127.0.0.1", 0);
    return bn::localPort(listener);
}

DelayingRelay::DelayingRelay(int targetPort, std::chrono::milliseconds delay)
    : m_listener(bn::listenOn("127.0.0.1", 0))
    , m_port(bn::localPort(m_listener))
    , m_target(targetPort)
    , m_delay(delay)
    , m_acceptor([this] {
        while (!m_stop.load()) {
            if (bn::waitFor(m_listener, POLLIN, bn::Clock::now() + std::chrono::milliseconds(50), &m_stop) !=
                bn::Wait::Ready)
                continue;
            const int fd = ::accept4(m_listener.fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            bn::Socket& client = m_sockets.emplace_back(fd);
            bn::Socket& server = m_sockets.emplace_back(connectLoopback(m_target));
            m_threads.emplace_back([this, &client, &server] { pump(client.fd(), server.fd()); });
            m_threads.emplace_back([this, &client, &server] { pump(server.fd(), client.fd()); });
        }
    })
{
}

DelayingRelay::~DelayingRelay()
{
    m_stop = true;
    m_acceptor.join();
    for (bn::Socket& socket : m_sockets)
        ::shutdown(socket.fd(), SHUT_RDWR);
    for (std::thread& thread : m_threads)
        thread.join();
}

// A delay line: what arrives at `from` is written to `to` `m_delay` after it arrived, without holding
// back what arrives meanwhile.
void DelayingRelay::pump(int from, int to)
{
    struct Chunk {
        bn::Clock::time_point due;
        std::vector<char> bytes; // empty: the end
    };
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<Chunk> line;
    std::thread writer([&] {
        for (;;) {
            Chunk chunk;
            {
                std::unique_lock lock(mutex);
                arrived.wait(lock, [&] { return !line.empty(); });
                chunk = std::move(line.front());
                line.pop_front();
            }
            std::this_thread::sleep_until(chunk.due);
            if (chunk.bytes.empty()) {
                ::shutdown(to, SHUT_WR);
                return;
            }
            if (m_frozen.load())
                continue;
            const bn::Socket borrowed(::dup(to));
            bn::writeAll(borrowed, std::string_view(chunk.bytes.data(), chunk.bytes.size()),
                         bn::Clock::now() + std::chrono::seconds(30), &m_stop);
        }
    });
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        pollfd entry{from, POLLIN, 0};
        if (!m_stop.load() && ::poll(&entry, 1, 50) <= 0)
            continue;
        const ssize_t got = m_stop.load() ? 0 : ::recv(from, buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (got < 0 && errno == EAGAIN)
            continue;
        const std::lock_guard lock(mutex);
        line.push_back({bn::Clock::now() + m_delay,
                        std::vector<char>(buffer.begin(), buffer.begin() + std::max<ssize_t>(got, 0))});
        arrived.notify_one();
        if (got <= 0)
            break;
    }
    writer.join();
}

} // namespace qv::test
