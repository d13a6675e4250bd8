#pragma once

#include "platform/ScopedHook.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/socket.h>

namespace qv::bench::net {

using Clock = std::chrono::steady_clock;

// An error that ends a network measurement before it measured anything; the text is the user's.
class NetBenchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Owns one socket descriptor.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd)
        : m_fd(fd)
    {
    }
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int fd() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void close();

private:
    int m_fd = -1;
};

enum class Wait { Ready, TimedOut, Stopped, Failed };

// Waits for `events` (POLLIN, POLLOUT) on the socket in slices of 50 ms, so that `stop` takes effect
// within a tenth of a second.
Wait waitFor(const Socket& socket, short events, Clock::time_point deadline, const std::atomic<bool>* stop);

enum class LineStatus { Line, TimedOut, Closed, TooLong, Stopped };
struct LineRead {
    LineStatus status = LineStatus::Closed;
    std::string text; // without the "\n"
};

// Reads one line of at most `maxLength` characters, byte by byte so that nothing after it is consumed.
LineRead readLine(const Socket& socket, Clock::time_point deadline, const std::atomic<bool>* stop,
                  std::size_t maxLength = 128);

// Writes all of `data` before the deadline; false when the peer is gone, the time is up or stop is set.
bool writeAll(const Socket& socket, std::string_view data, Clock::time_point deadline,
              const std::atomic<bool>* stop = nullptr);
bool readExactly(const Socket& socket, char* data, std::size_t size, Clock::time_point deadline,
                 const std::atomic<bool>* stop = nullptr);

// One address of a name, ready for connect().
struct SocketAddress {
    sockaddr_storage address{};
    socklen_t length = 0;
};
std::string addressText(const SocketAddress& address); // "10.0.0.2", "fd00::2"
int addressFamily(const SocketAddress& address);

// What a lookup found: the addresses in the resolver's order, or an error text.
struct AddressLookup {
    std::vector<SocketAddress> addresses;
    std::string error;
};
// Resolves `host` (a name, an IPv4 or IPv6 address) for TCP on `port`; IPv4 and IPv6 alike.
using AddressResolver = std::function<AddressLookup(const std::string& host, int port)>;
AddressLookup systemResolve(const std::string& host, int port);
// The resolver the network benchmark uses: the system's unless a test replaced it.
AddressResolver addressResolver();
AddressResolver setAddressResolver(AddressResolver resolver);
using ScopedAddressResolver = platform::ScopedHook<AddressResolver, &setAddressResolver>;

enum class ConnectStatus { Connected, Refused, TimedOut, Unreachable, Stopped };
struct Connection {
    ConnectStatus status = ConnectStatus::Refused;
    Socket socket;
};
// Connects to one address within the deadline.
Connection connectTo(const SocketAddress& address, Clock::time_point deadline, const std::atomic<bool>* stop);

// Listens on `host` (an address, not a name) and `port` (0: any free one); throws NetBenchError.
Socket listenOn(const std::string& host, int port);
int localPort(const Socket& socket);

} // namespace qv::bench::net
