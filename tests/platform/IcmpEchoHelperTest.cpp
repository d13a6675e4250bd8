#include "platform/IcmpHelperEcho.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace qv::platform;
namespace status = qv::platform::echo_status;

namespace {

std::uint32_t ipv4(const char* text)
{
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

QString argumentsFor(int size, int ttl, int flags, int timeoutMs)
{
    EchoRequest request;
    request.address = ipv4("127.0.0.1");
    for (int i = 0; i < size; ++i)
        request.data.append(static_cast<char>(i + 10));
    request.ttl = ttl;
    request.flags = flags;
    request.timeoutMs = timeoutMs;
    return helperArguments(request).join(QLatin1Char(' '));
}

const char kStatistics[] = "\n--- 10.201.0.1 ping statistics ---\n"
                           "1 packets transmitted, 0 received, +1 errors, 100% packet loss, time 0ms\n\n";

} // namespace

TEST(IcmpHelper, ArgumentsCarrySizeTtlWaitPatternAndFragmentation)
{
    EXPECT_EQ(argumentsFor(0, 64, 0, 4000), QStringLiteral("-n -c 1 -s 0 -t 64 -W 4 -M dont 127.0.0.1"))
        << "no pattern without data";
    EXPECT_EQ(argumentsFor(3, 300, 0x02, 300),
              QStringLiteral("-n -c 1 -s 3 -t 44 -W 0.3 -p 0a0b0c -M do 127.0.0.1"));
    EXPECT_EQ(
        argumentsFor(20, 1, 0, 0),
        QStringLiteral("-n -c 1 -s 20 -t 1 -W 0.001 -p 0a0b0c0d0e0f10111213141516171819 -M dont 127.0.0.1"))
        << "16 bytes of pattern at most; no wait is its shortest, never 0";
    EXPECT_EQ(argumentsFor(1, 64, 0, -5),
              QStringLiteral("-n -c 1 -s 1 -t 64 -W 0.001 -p 0a -M dont 127.0.0.1"));
}

TEST(IcmpHelper, OutputMapsToTheEchoOutcome)
{
    const struct {
        const char* what;
        QString output;
        int exitCode;
        bool finished;
        int replies;
        std::uint32_t status;
        const char* address;
        std::uint32_t roundTrip, dataSize, ttl;
    } rows[] = {
        {"reply",
         QStringLiteral("PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
                        "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.051 ms\n"),
         0, true, 1, status::kSuccess, "127.0.0.1", 0, 56, 64},
        {"slow reply, time rounded",
         QStringLiteral("1008 bytes from 10.0.0.9: icmp_seq=1 ttl=51 time=212.5 ms\n"), 0, true, 1,
         status::kSuccess, "10.0.0.9", 213, 1000, 51},
        {"under 16 bytes there is no time: the measured one stands",
         QStringLiteral("PATTERN: 0x0a0b0c\nPING 127.0.0.1 (127.0.0.1) 3(31) bytes of data.\n"
                        "11 bytes from 127.0.0.1: icmp_seq=1 ttl=64\n"),
         0, true, 1, status::kSuccess, "127.0.0.1", 7, 3, 64},
        {"time exceeded",
         QStringLiteral("From 10.200.0.254 icmp_seq=1 Time to live exceeded\n") + kStatistics, 1, true, 0,
         status::kTtlExpiredTransit, "10.200.0.254", 0, 0, 0},
        {"net unreachable", QStringLiteral("From 10.0.0.254 icmp_seq=1 Destination Net Unreachable\n"), 1,
         true, 0, status::kDestinationNetUnreachable, "10.0.0.254", 0, 0, 0},
        {"host unreachable", QStringLiteral("From 10.0.0.1 icmp_seq=1 Destination Host Unreachable\n"), 1,
         true, 0, status::kDestinationHostUnreachable, "10.0.0.1", 0, 0, 0},
        {"protocol unreachable",
         QStringLiteral("From 10.0.0.3 icmp_seq=1 Destination Protocol Unreachable\n"), 1, true, 0,
         status::kDestinationProtocolUnreachable, "10.0.0.3", 0, 0, 0},
        {"port unreachable", QStringLiteral("From 10.0.0.3 icmp_seq=1 Destination Port Unreachable\n"), 1,
         true, 0, status::kDestinationPortUnreachable, "10.0.0.3", 0, 0, 0},
        {"another unreachable code", QStringLiteral("From 10.0.0.254 icmp_seq=1 Packet filtered\n"), 1, true,
         0, status::kDestinationHostUnreachable, "10.0.0.254", 0, 0, 0},
        {"no route on this host", QStringLiteral("ping: connect: Network is unreachable\n"), 2, true, 0,
         status::kDestinationNetUnreachable, "0.0.0.0", 0, 0, 0},
        {"unreachable route on this host", QStringLiteral("/usr/bin/ping: connect: No route to host\n"), 2,
         true, 0, status::kDestinationHostUnreachable, "0.0.0.0", 0, 0, 0},
        {"over the link MTU with don't fragment",
         QStringLiteral("ping: local error: message too long, mtu=1500\n") + kStatistics, 1, true, 0,
         status::kPacketTooBig, "0.0.0.0", 0, 0, 0},
        {"no answer", QStringLiteral("PING 10.200.0.2 (10.200.0.2) 56(84) bytes of data.\n") + kStatistics, 1,
         true, 0, status::kRequestTimedOut, "0.0.0.0", 0, 0, 0},
        {"stopped after outliving its wait", QString(), -1, false, 0, status::kRequestTimedOut, "0.0.0.0", 0,
         0, 0},
        {"anything else", QStringLiteral("ping: socket: Operation not permitted\n"), 2, true, 0,
         status::kGeneralFailure, "0.0.0.0", 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const EchoOutcome outcome = helperOutcome({row.output, row.exitCode, row.finished, 7});
        EXPECT_EQ(outcome.replies, row.replies);
        EXPECT_EQ(outcome.errorCode, row.status);
        EXPECT_EQ(outcome.reply.status, row.status);
        EXPECT_EQ(outcome.reply.address, ipv4(row.address));
        EXPECT_EQ(outcome.reply.roundTripTime, row.roundTrip);
        EXPECT_EQ(outcome.reply.dataSize, row.dataSize);
        EXPECT_EQ(outcome.reply.ttl, row.ttl);
    }
}
