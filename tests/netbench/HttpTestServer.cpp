#include "tests/netbench/HttpTestServer.h"

#include <QString>

#include <string>

#include <poll.h>
#include <sys/socket.h>

namespace qv::test {

namespace bn = bench::net;
using namespace std::chrono_literals;

HttpTestServer::HttpTestServer()
    : m_listener(bn::listenOn("127.0.0.1", 0))
    , m_port(bn::localPort(m_listener))
    , m_acceptor([this] {
        while (!m_stop.load()) {
            if (bn::waitFor(m_listener, POLLIN, bn::Clock::now() + 50ms, &m_stop) != bn::Wait::Ready)
                continue;
            const int fd = ::accept4(m_listener.fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd >= 0)
                m_threads.emplace_back([this, fd] { answer(bn::Socket(fd)); });
        }
    })
{
}

HttpTestServer::~HttpTestServer()
{
    m_stop = true;
    m_acceptor.join();
    for (std::thread& thread : m_threads)
        thread.join();
}

QString HttpTestServer::url(const char* path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(path));
}

void HttpTestServer::answer(const bn::Socket& socket)
{
    for (;;) {
        const bn::LineRead request = bn::readLine(socket, bn::Clock::now() + 5s, &m_stop, 4096);
        if (request.status != bn::LineStatus::Line)
            return;
        // The headers end with an empty line.
        for (bn::LineRead header;
             (header = bn::readLine(socket, bn::Clock::now() + 5s, &m_stop, 4096)).status ==
                 bn::LineStatus::Line &&
             header.text != "\r";)
            ;
        const std::string path = request.text.substr(4, request.text.find(' ', 4) - 4);
        const auto redirect = [&](const std::string& to) {
            bn::writeAll(socket, "HTTP/1.1 302 Found\r\nLocation: " + to + "\r\nContent-Length: 0\r\n\r\n",
                         bn::Clock::now() + 5s, &m_stop);
        };
        std::int64_t size = -1;
        if (path == "/loop") {
            redirect("/loop");
        } else if (path.starts_with("/hop/")) {
            const int left = std::stoi(path.substr(5));
            redirect(left > 1 ? "/hop/" + std::to_string(left - 1) : "/data/1000000");
        } else if (path.starts_with("/data/")) {
            size = std::stoll(path.substr(6));
        } else if (path == "/stall") {
            bn::writeAll(socket,
                         "HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" + std::string(1000, 's'),
                         bn::Clock::now() + 5s, &m_stop);
            while (!m_stop.load())
                std::this_thread::sleep_for(20ms);
            return;
        } else {
            bn::writeAll(socket, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", bn::Clock::now() + 5s,
                         &m_stop);
        }
        if (size >= 0) {
            if (!bn::writeAll(socket,
                              "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n",
                              bn::Clock::now() + 5s, &m_stop))
                return;
            const std::string block(64 * 1024, 'd');
            for (std::int64_t sent = 0; sent < size;) {
                const std::size_t n =
                    std::size_t(std::min<std::int64_t>(size - sent, std::int64_t(block.size())));
                if (!bn::writeAll(socket, std::string_view(block).substr(0, n), bn::Clock::now() + 5s,
                                  &m_stop))
                    return;
                sent += std::int64_t(n);
            }
        }
    }
}

} // namespace qv::test
