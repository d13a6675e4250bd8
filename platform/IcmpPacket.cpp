#include "platform/IcmpPacket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qv::platform::icmp {

namespace {

constexpr int kIpHeaderSize = 20;
constexpr std::uint8_t kProtocolIcmp = 1;

std::uint8_t byteAt(QByteArrayView bytes, qsizetype at)
{
    return static_cast<std::uint8_t>(bytes[at]);
}

std::uint16_t word(QByteArrayView bytes, qsizetype at)
{
    return static_cast<std::uint16_t>(byteAt(bytes, at) << 8 | byteAt(bytes, at + 1));
}

// Kept in network order, as the addresses of EchoRequest and EchoReply are.
std::uint32_t address(QByteArrayView bytes, qsizetype at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void putWord(QByteArray& bytes, qsizetype at, std::uint16_t value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xff);
}

// The length of a well-formed IPv4 header at the start of `bytes`, else 0.
qsizetype ipHeaderLength(QByteArrayView bytes)
{
    if (bytes.size() < kIpHeaderSize || byteAt(bytes, 0) >> 4 != 4)
        return 0;
    const qsizetype length = qsizetype{byteAt(bytes, 0) & 0x0f} * 4;
    return length >= kIpHeaderSize && length <= bytes.size() ? length : 0;
}

// An error quotes the IP header of the offending packet and its first 8 bytes: our request's ICMP header.
std::optional<Message> parseQuote(Message error, QByteArrayView quote)
{
    const qsizetype headerLength = ipHeaderLength(quote);
    if (headerLength == 0 || byteAt(quote, 9) != kProtocolIcmp || quote.size() < headerLength + kHeaderSize)
        return std::nullopt;
    const QByteArrayView request = quote.sliced(headerLength);
    if (byteAt(request, 0) != kEchoRequest)
        return std::nullopt;
    error.identifier = word(request, 4);
    error.sequence = word(request, 6);
    error.quotedDestination = address(quote, 16);
    return error;
}

} // namespace

bool isError(std::uint8_t type)
{
    return type == kDestinationUnreachable || type == kTimeExceeded;
}

std::uint16_t checksum(QByteArrayView bytes)
{
    std::uint32_t sum = 0;
    for (qsizetype at = 0; at + 1 < bytes.size(); at += 2)
        sum += word(bytes, at);
    if (bytes.size() % 2 != 0)
        sum += static_cast<std::uint32_t>(byteAt(bytes, bytes.size() - 1)) << 8;
    while (sum > 0xffff)
        sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

QByteArray echoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& data)
{
    QByteArray packet(kHeaderSize, '\0');
    packet[0] = static_cast<char>(kEchoRequest);
    putWord(packet, 4, identifier);
    putWord(packet, 6, sequence);
    packet.append(data);
    putWord(packet, 2, checksum(packet));
    return packet;
}

std::optional<Message> parseMessage(QByteArrayView icmp)
{
    if (icmp.size() < kHeaderSize)
        return std::nullopt;
    Message message;
    message.type = byteAt(icmp, 0);
    message.code = byteAt(icmp, 1);
    if (isError(message.type))
        return parseQuote(message, icmp.sliced(kHeaderSize));
    message.identifier = word(icmp, 4);
    message.sequence = word(icmp, 6);
    message.dataSize = static_cast<int>(icmp.size() - kHeaderSize);
    return message;
}

std::optional<Packet> parsePacket(QByteArrayView packet)
{
    const qsizetype headerLength = ipHeaderLength(packet);
    if (headerLength == 0 || byteAt(packet, 9) != kProtocolIcmp)
        return std::nullopt;
    // The kernel may hand over more than the header's total length claims, never less.
    const qsizetype total = std::min<qsizetype>(word(packet, 2), packet.size());
    if (total < headerLength)
        return std::nullopt;
    const std::optional<Message> message = parseMessage(packet.sliced(headerLength, total - headerLength));
    if (!message)
        return std::nullopt;
    Packet parsed;
    parsed.source = address(packet, 12);
    parsed.tos = byteAt(packet, 1);
    parsed.flags = static_cast<std::uint8_t>(byteAt(packet, 6) >> 5);
    parsed.ttl = byteAt(packet, 8);
    parsed.message = *message;
    return parsed;
}

std::uint32_t statusForIcmpError(std::uint8_t type, std::uint8_t code)
{
    if (type == kTimeExceeded)
        return echo_status::kTtlExpiredTransit;
    if (type != kDestinationUnreachable)
        return echo_status::kGeneralFailure;
    switch (code) {
    case 0:
        return echo_status::kDestinationNetUnreachable;
    case 2:
        return echo_status::kDestinationProtocolUnreachable;
    case 3:
        return echo_status::kDestinationPortUnreachable;
    default:
        return echo_status::kDestinationHostUnreachable;
    }
}

std::uint32_t statusForErrno(int error)
{
    switch (error) {
    case EMSGSIZE:
        return echo_status::kPacketTooBig;
    case ENETUNREACH:
        return echo_status::kDestinationNetUnreachable;
    case EHOSTUNREACH:
        return echo_status::kDestinationHostUnreachable;
    default:
        return echo_status::kGeneralFailure;
    }
}

std::optional<EchoOutcome> refusal(const EchoRequest& request)
{
    if (request.data.size() > kMaxEchoData)
        return failure(echo_status::kPacketTooBig);
    if ((request.ttl & 0xff) == 0)
        return failure(echo_status::kTtlExpiredTransit);
    return std::nullopt;
}

EchoOutcome failure(std::uint32_t status, std::uint32_t address)
{
    EchoOutcome outcome;
    outcome.errorCode = status;
    outcome.reply.status = status;
    outcome.reply.address = address;
    return outcome;
}

EchoOutcome answered(const EchoReply& reply)
{
    EchoOutcome outcome;
    outcome.replies = 1;
    outcome.reply = reply;
    outcome.reply.status = echo_status::kSuccess;
    return outcome;
}

} // namespace qv::platform::icmp
