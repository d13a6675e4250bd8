#include "bench/net/Socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

namespace qv::bench::net {

namespace {

constexpr auto kSlice = std::chrono::milliseconds(50);

std::mutex& resolverMutex()
{
    static std::mutex mutex;
    return mutex;
}

AddressResolver& installedResolver()
{
    static AddressResolver resolver = systemResolve;
    return resolver;
}

void setNonBlocking(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

Socket::~Socket()
{
    close();
}

Socket::Socket(Socket&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void Socket::close()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

Wait waitFor(const Socket& socket, short events, Clock::time_point deadline, const std::atomic<bool>* stop)
{
    for (;;) {
        if (stop && stop->load())
            return Wait::Stopped;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return Wait::TimedOut;
        pollfd entry{socket.fd(), events, 0};
        const int ready = ::poll(&entry, 1, int(std::min(left, std::chrono::milliseconds(kSlice)).count()));
        if (ready < 0 && errno != EINTR)
            return Wait::Failed;
        if (ready > 0)
            return (entry.revents & (events | POLLHUP | POLLERR)) != 0 ? Wait::Ready : Wait::Failed;
    }
}

LineRead readLine(const Socket& socket, Clock::time_point deadline, const std::atomic<bool>* stop,
                  std::size_t maxLength)
{
    LineRead line;
    for (;;) {
        const Wait wait = waitFor(socket, POLLIN, deadline, stop);
        if (wait != Wait::Ready) {
            line.status = wait == Wait::Stopped    ? LineStatus::Stopped
                          : wait == Wait::TimedOut ? LineStatus::TimedOut
                                                   : LineStatus::Closed;
            return line;
        }
        char c = 0;
        const ssize_t got = ::recv(socket.fd(), &c, 1, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0) {
            line.status = LineStatus::Closed;
            return line;
        }
        if (c == '\n') {
            line.status = LineStatus::Line;
            return line;
        }
        if (line.text.size() >= maxLength) {
            line.status = LineStatus::TooLong;
            return line;
        }
        line.text += c;
    }
}

bool writeAll(const Socket& socket, std::string_view data, Clock::time_point deadline,
              const std::atomic<bool>* stop)
{
    while (!data.empty()) {
        if (waitFor(socket, POLLOUT, deadline, stop) != Wait::Ready)
            return false;
        const ssize_t sent = ::send(socket.fd(), data.data(), data.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (sent <= 0)
            return false;
        data.remove_prefix(std::size_t(sent));
    }
    return true;
}

bool readExactly(const Socket& socket, char* data, std::size_t size, Clock::time_point deadline,
                 const std::atomic<bool>* stop)
{
    while (size > 0) {
        if (waitFor(socket, POLLIN, deadline, stop) != Wait::Ready)
            return false;
        const ssize_t got = ::recv(socket.fd(), data, size, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= std::size_t(got);
    }
    return true;
}

std::string addressText(const SocketAddress& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    const auto* storage = &address.address;
    if (storage->ss_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(storage)->sin6_addr, text, sizeof text);
    else
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(storage)->sin_addr, text, sizeof text);
    return text;
}

int addressFamily(const SocketAddress& address)
{
    return address.address.ss_family;
}

AddressLookup systemResolve(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    AddressLookup lookup;
    const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (status != 0) {
        lookup.error = status == EAI_NONAME || status == EAI_NODATA
                           ? "unknown host '" + host + "'"
                           : "cannot look up '" + host + "': " + ::gai_strerror(status);
        return lookup;
    }
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        SocketAddress address;
        std::memcpy(&address.address, entry->ai_addr, entry->ai_addrlen);
        address.length = entry->ai_addrlen;
        lookup.addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    return lookup;
}

AddressResolver addressResolver()
{
    const std::lock_guard lock(resolverMutex());
    return installedResolver();
}

AddressResolver setAddressResolver(AddressResolver resolver)
{
    const std::lock_guard lock(resolverMutex());
    return std::exchange(installedResolver(), std::move(resolver));
}

Connection connectTo(const SocketAddress& address, Clock::time_point deadline, const std::atomic<bool>* stop)
{
    Connection connection;
    connection.socket = Socket(::socket(address.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!connection.socket.valid()) {
        connection.status = ConnectStatus::Unreachable;
        return connection;
    }
    setNonBlocking(connection.socket.fd());
    const int one = 1;
    ::setsockopt(connection.socket.fd(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    int error = 0;
    if (::connect(connection.socket.fd(), reinterpret_cast<const sockaddr*>(&address.address),
                  address.length) != 0)
        error = errno;
    if (error == EINPROGRESS) {
        const Wait wait = waitFor(connection.socket, POLLOUT, deadline, stop);
        if (wait == Wait::Stopped || wait == Wait::TimedOut) {
            connection.status = wait == Wait::Stopped ? ConnectStatus::Stopped : ConnectStatus::TimedOut;
            return connection;
        }
        socklen_t length = sizeof error;
        ::getsockopt(connection.socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length);
    }
    connection.status = error == 0              ? ConnectStatus::Connected
                        : error == ECONNREFUSED ? ConnectStatus::Refused
                        : error == ETIMEDOUT    ? ConnectStatus::TimedOut
                                                : ConnectStatus::Unreachable;
    return connection;
}

Socket listenOn(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_PASSIVE;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        throw NetBenchError("'" + host +
                            "' is not an address of this machine (give an IPv4 or IPv6 address)");
    Socket socket(::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int one = 1;
    ::setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    const bool bound = socket.valid() && ::bind(socket.fd(), found->ai_addr, found->ai_addrlen) == 0 &&
                       ::listen(socket.fd(), 16) == 0;
    const int error = errno;
    ::freeaddrinfo(found);
    if (!bound)
        throw NetBenchError("cannot listen on " + host + " port " + std::to_string(port) + ": " +
                            std::strerror(error));
    setNonBlocking(socket.fd());
    return socket;
}

int localPort(const Socket& socket)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    ::getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&address), &length);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

} // namespace qv::bench::net
