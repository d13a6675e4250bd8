#pragma once

#include "platform/IcmpEcho.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// ICMP echo messages as bytes, and the echo status each failure stands for. Shared by the socket and
// helper mechanisms; no system calls here.
namespace qv::platform::icmp {

constexpr int kMaxEchoData = 65507; // 65,535 less the IP (20) and ICMP (8) headers
constexpr int kHeaderSize = 8;

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kDestinationUnreachable = 3;
constexpr std::uint8_t kEchoRequest = 8;
constexpr std::uint8_t kTimeExceeded = 11;

// The Internet checksum: ones' complement of the ones' complement sum of the 16-bit words.
std::uint16_t checksum(QByteArrayView bytes);

// Destination unreachable or time exceeded: the errors an echo request may meet on its way.
bool isError(std::uint8_t type);

// Type 8, code 0, identifier, sequence, then `data` as it is.
QByteArray echoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& data);

// One ICMP message. For an echo its own identifier and sequence; for an error those of the echo request
// it quotes, with the quoted request's destination.
struct Message {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    std::uint32_t quotedDestination = 0; // network order; errors only
    int dataSize = 0;                    // bytes after the ICMP header of an echo
};

// An ICMP message without IP header, as a datagram socket delivers it. nullopt when truncated, and for an
// error that does not quote an echo request.
std::optional<Message> parseMessage(QByteArrayView icmp);

// An IPv4 packet carrying ICMP, as a raw socket delivers it.
struct Packet {
    std::uint32_t source = 0; // network order
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    std::uint8_t flags = 0; // the three IP flag bits, 0x02 = don't fragment
    Message message;
};
std::optional<Packet> parsePacket(QByteArrayView packet);

std::uint32_t statusForIcmpError(std::uint8_t type, std::uint8_t code);
std::uint32_t statusForErrno(int error);

// The outcome of a request that must not be sent (too much data, TTL 0), else nullopt.
std::optional<EchoOutcome> refusal(const EchoRequest& request);

EchoOutcome failure(std::uint32_t status, std::uint32_t address = 0);
EchoOutcome answered(const EchoReply& reply);

} // namespace qv::platform::icmp
