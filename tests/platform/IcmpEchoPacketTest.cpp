#include "platform/IcmpPacket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cerrno>

using namespace qv::platform;
namespace status = qv::platform::echo_status;

namespace {

std::uint32_t ipv4(const char* text)
{
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (const int value : values)
        result.append(static_cast<char>(value));
    return result;
}

// An IPv4 header (with `optionWords` words of options) from `source` to 10.9.8.7 around `payload`.
QByteArray ipPacket(const char* source, const QByteArray& payload, int ttl = 57, int optionWords = 0)
{
    const int headerLength = 20 + 4 * optionWords;
    const int total = headerLength + static_cast<int>(payload.size());
    QByteArray packet = bytes(
        {0x40 | (5 + optionWords), 0x10, total >> 8, total & 0xff, 0x12, 0x34, 0x40, 0x00, ttl, 1, 0, 0});
    const std::uint32_t from = ipv4(source);
    const std::uint32_t to = ipv4("10.9.8.7");
    packet.append(reinterpret_cast<const char*>(&from), 4);
    packet.append(reinterpret_cast<const char*>(&to), 4);
    packet.append(QByteArray(4 * optionWords, '\x01'));
    return packet + payload;
}

// An ICMP error of `type`/`code` quoting the request `identifier`/`sequence` sent to 10.9.8.7.
QByteArray errorQuoting(int type, int code, std::uint16_t identifier, std::uint16_t sequence)
{
    const QByteArray quote = ipPacket("10.0.0.1", icmp::echoRequest(identifier, sequence, {}), 1).first(28);
    return bytes({type, code, 0, 0, 0, 0, 0, 0}) + quote;
}

} // namespace

TEST(IcmpPacket, ChecksumFoldsCarriesAndPadsAnOddByte)
{
    EXPECT_EQ(icmp::checksum(bytes({0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7})), 0x220d);
    EXPECT_EQ(icmp::checksum(bytes({0x01})), 0xfeff);
    EXPECT_EQ(icmp::checksum({}), 0xffff);
}

TEST(IcmpPacket, EchoRequestCarriesTheDataAsItIsUnderAValidChecksum)
{
    const QByteArray data = bytes({0x00, 0xff, 0x7f});
    const QByteArray packet = icmp::echoRequest(0xbeef, 0x0102, data);
    ASSERT_EQ(packet.size(), 8 + data.size());
    EXPECT_EQ(packet.first(2), bytes({8, 0}));
    EXPECT_EQ(packet.sliced(4, 4), bytes({0xbe, 0xef, 0x01, 0x02}));
    EXPECT_EQ(packet.sliced(8), data);
    EXPECT_EQ(icmp::checksum(packet), 0) << "the checksum over a packet that carries it sums to zero";
}

TEST(IcmpPacket, EchoReplyPacketGivesSourceHeaderFieldsAndDataSize)
{
    QByteArray reply = icmp::echoRequest(0x1234, 7, QByteArray(56, 'x'));
    reply[0] = icmp::kEchoReply;
    for (const int optionWords : {0, 2}) {
        SCOPED_TRACE(optionWords);
        const std::optional<icmp::Packet> packet =
            icmp::parsePacket(ipPacket("127.0.0.2", reply, 61, optionWords));
        ASSERT_TRUE(packet);
        EXPECT_EQ(packet->source, ipv4("127.0.0.2"));
        EXPECT_EQ(packet->ttl, 61);
        EXPECT_EQ(packet->tos, 0x10);
        EXPECT_EQ(packet->flags, 0x02);
        EXPECT_EQ(packet->message.type, icmp::kEchoReply);
        EXPECT_EQ(packet->message.identifier, 0x1234);
        EXPECT_EQ(packet->message.sequence, 7);
        EXPECT_EQ(packet->message.dataSize, 56);
    }
}

TEST(IcmpPacket, ErrorsGiveTheQuotedRequestAndItsDestination)
{
    const std::optional<icmp::Packet> packet =
        icmp::parsePacket(ipPacket("10.0.0.254", errorQuoting(icmp::kTimeExceeded, 0, 0xabcd, 9)));
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->source, ipv4("10.0.0.254"));
    EXPECT_EQ(packet->message.type, icmp::kTimeExceeded);
    EXPECT_EQ(packet->message.identifier, 0xabcd);
    EXPECT_EQ(packet->message.sequence, 9);
    EXPECT_EQ(packet->message.quotedDestination, ipv4("10.9.8.7"));
}

TEST(IcmpPacket, MalformedOrForeignPacketsAreRejected)
{
    const QByteArray reply = icmp::echoRequest(1, 1, {});
    const QByteArray good = ipPacket("10.0.0.1", reply);
    QByteArray udp = good;
    udp[9] = 17;
    QByteArray shortHeader = good;
    shortHeader[0] = 0x44;
    QByteArray shortTotal = good;
    shortTotal[3] = 10;
    QByteArray quotesUdp = errorQuoting(icmp::kDestinationUnreachable, 3, 1, 1);
    quotesUdp[8 + 9] = 17;
    const struct {
        const char* what;
        QByteArray packet;
    } rows[] = {
        {"shorter than an IP header", good.first(19)},
        {"not ICMP", udp},
        {"header length under 20", shortHeader},
        {"total length inside the header", shortTotal},
        {"ICMP header cut short", good.first(27)},
        {"error quoting only part of the request", ipPacket("10.0.0.1", errorQuoting(11, 0, 1, 1).first(35))},
        {"error quoting a UDP datagram", ipPacket("10.0.0.1", quotesUdp)},
    };
    ASSERT_TRUE(icmp::parsePacket(good));
    for (const auto& row : rows)
        EXPECT_FALSE(icmp::parsePacket(row.packet)) << row.what;
}

TEST(IcmpPacket, IcmpErrorsAndSendErrorsMapToEchoStatus)
{
    const struct {
        int type, code;
        std::uint32_t status;
    } icmpRows[] = {
        {3, 0, status::kDestinationNetUnreachable},
        {3, 1, status::kDestinationHostUnreachable},
        {3, 2, status::kDestinationProtocolUnreachable},
        {3, 3, status::kDestinationPortUnreachable},
        {3, 4, status::kDestinationHostUnreachable},
        {3, 13, status::kDestinationHostUnreachable},
        {11, 0, status::kTtlExpiredTransit},
        {11, 1, status::kTtlExpiredTransit},
    };
    for (const auto& row : icmpRows)
        EXPECT_EQ(icmp::statusForIcmpError(static_cast<std::uint8_t>(row.type),
                                           static_cast<std::uint8_t>(row.code)),
                  row.status)
            << row.type << "/" << row.code;
    EXPECT_EQ(icmp::statusForErrno(EMSGSIZE), status::kPacketTooBig);
    EXPECT_EQ(icmp::statusForErrno(ENETUNREACH), status::kDestinationNetUnreachable);
    EXPECT_EQ(icmp::statusForErrno(EHOSTUNREACH), status::kDestinationHostUnreachable);
    EXPECT_EQ(icmp::statusForErrno(EACCES), status::kGeneralFailure);
}
