#pragma once

#include "platform/ScopedHook.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace qv::platform {

// How an echo request leaves this machine, in the order they are tried: an ICMP datagram socket (where
// net.ipv4.ping_group_range admits the user), a raw socket (root or CAP_NET_RAW), or the system ping
// utility run as a helper (it holds cap_net_raw itself).
enum class EchoMechanism { Datagram, Raw, Helper };

// "dgram", "raw", "helper".
QString echoMechanismName(EchoMechanism mechanism);
std::optional<EchoMechanism> echoMechanismFromName(const QString& name);

// IP status codes of an echo, as the system ICMP library of old reported them (base 11000).
namespace echo_status {
constexpr std::uint32_t kSuccess = 0;
constexpr std::uint32_t kDestinationNetUnreachable = 11002;
constexpr std::uint32_t kDestinationHostUnreachable = 11003;
constexpr std::uint32_t kDestinationProtocolUnreachable = 11004;
constexpr std::uint32_t kDestinationPortUnreachable = 11005;
constexpr std::uint32_t kPacketTooBig = 11009;
constexpr std::uint32_t kRequestTimedOut = 11010;
constexpr std::uint32_t kTtlExpiredTransit = 11013;
constexpr std::uint32_t kGeneralFailure = 11050;
} // namespace echo_status

struct EchoRequest {
    std::uint32_t address = 0; // IPv4, network byte order
    QByteArray data;           // the echo data, sent as it is (the helper sends its first 16 bytes repeated)
    int ttl = 64;              // low byte used; 0 sends nothing
    int flags = 0;             // low byte used: IP header flags, 0x02 = don't fragment
    int timeoutMs = 4000;      // 0 or less: look once for a reply already there, never wait
};

// The first reply record: who answered (the target, or the router that reported an error), with what
// status, after how long, with how much data and which IP options.
struct EchoReply {
    std::uint32_t address = 0; // network byte order
    std::uint32_t status = 0;
    std::uint32_t roundTripTime = 0; // ms
    std::uint16_t dataSize = 0;
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    std::uint8_t flags = 0;
};

struct EchoOutcome {
    int replies = 0;             // 1 when an echo reply came back, else 0
    std::uint32_t errorCode = 0; // the status of the request: 0 with a reply, else an echo_status code
    EchoReply reply;             // zero where nothing came back
};

// One opened mechanism: sends one request at a time and waits for its outcome (at most the timeout,
// plus the helper's start-up).
class IcmpEcho {
public:
    virtual ~IcmpEcho() = default;
    virtual EchoMechanism mechanism() const = 0;
    virtual EchoOutcome send(const EchoRequest& request) = 0;
};

// Opens `forced`, or else the first mechanism this process may use; nullptr when none is available. Only
// probes: sockets are opened, the helper is checked with access(X_OK); no packet is sent.
std::unique_ptr<IcmpEcho> openIcmpEcho(std::optional<EchoMechanism> forced = std::nullopt);

// Replaces openIcmpEcho's answer (tests script the echo); an empty function restores the system's.
using IcmpEchoOpener = std::function<std::unique_ptr<IcmpEcho>(std::optional<EchoMechanism> forced)>;
IcmpEchoOpener setIcmpEchoOpener(IcmpEchoOpener opener);
using ScopedIcmpEchoOpener = ScopedHook<IcmpEchoOpener, &setIcmpEchoOpener>;

} // namespace qv::platform
