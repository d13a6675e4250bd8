// The network benchmark's client and server on loopback: the protocol's refusals, the client's error
// messages, round trips through a relay that delays them, a peer that stops answering, and Stop.
#include "bench/net/NetBenchmark.h"
#include "tests/netbench/NetTestPeers.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <future>

#include <poll.h>
#include <sys/socket.h>

namespace {

namespace bn = qv::bench::net;
using namespace std::chrono_literals;
using qv::test::connectLoopback;

bn::NetSettings quickSettings(int port, const std::string& host = "127.0.0.1")
{
    bn::NetSettings settings;
    settings.host = host;
    settings.port = port;
    settings.duration = 300ms;
    settings.roundTrips = 10;
    settings.peerTimeout = 1000ms;
    return settings;
}

// What the server answers to `lines`, sent one by one: its last reply, or "closed".
std::string lastReply(int port, const std::vector<std::string>& lines)
{
    const bn::Socket socket = connectLoopback(port);
    std::string reply = "closed";
    for (const std::string& line : lines) {
        bn::writeAll(socket, line + '\n', bn::Clock::now() + 2s);
        const bn::LineRead read = bn::readLine(socket, bn::Clock::now() + 5s, nullptr);
        reply = read.status == bn::LineStatus::Line ? read.text : "closed";
    }
    return reply;
}

struct Refusal {
    const char* name;
    std::vector<std::string> lines;
    const char* expected; // the start of the last reply
};

class ServerRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(ServerRefuses, WithAClearAnswer)
{
    const qv::test::LoopbackServer server;
    EXPECT_TRUE(lastReply(server.port(), GetParam().lines).starts_with(GetParam().expected))
        << lastReply(server.port(), GetParam().lines);
    // And it goes on serving.
    const std::atomic<bool> stop = false;
    EXPECT_FALSE(bn::runNetBenchmark(quickSettings(server.port()), stop).partial());
}

INSTANTIATE_TEST_SUITE_P(
    Peers, ServerRefuses,
    testing::Values(
        Refusal{"AnHttpRequest", {"GET / HTTP/1.0"}, "ERROR not a measurement session"},
        Refusal{"AnOlderVersion", {"QVNET 0 SESSION"}, "ERROR protocol version 1 expected, not 0"},
        Refusal{"AStreamOfNoSession", {"QVNET 1 STREAM 0123"}, "ERROR unknown session"},
        Refusal{"TooManyStreams", {"QVNET 1 SESSION", "DOWNLOAD 9 1000"}, "ERROR malformed command"},
        Refusal{"APhaseOverAMinute", {"QVNET 1 SESSION", "UPLOAD 1 60001"}, "ERROR malformed command"},
        Refusal{"ALineOfNoEnd", {std::string(300, 'x')}, "closed"}),
    qv::test::RowName());

TEST(NetServer, DropsASilentPeer)
{
    const qv::test::LoopbackServer server(300ms);
    const bn::Socket silent = connectLoopback(server.port());
    EXPECT_EQ(bn::readLine(silent, bn::Clock::now() + 10s, nullptr).status, bn::LineStatus::Closed);
}

TEST(NetServer, TellsASecondClientItIsBusy)
{
    const qv::test::LoopbackServer server;
    const bn::Socket first = connectLoopback(server.port());
    bn::writeAll(first, bn::helloLine(bn::Hello::Session), bn::Clock::now() + 2s);
    ASSERT_TRUE(bn::readLine(first, bn::Clock::now() + 5s, nullptr).text.starts_with("OK "));
    const std::atomic<bool> stop = false;
    try {
        bn::runNetBenchmark(quickSettings(server.port()), stop);
        ADD_FAILURE() << "the second session was measured";
    } catch (const bn::NetBenchError& error) {
        EXPECT_STREQ(error.what(), "127.0.0.1 is busy with another measurement; try again when it ends");
    }
}

bn::AddressLookup nameOfNoOne(const std::string& host, int)
{
    return {{}, "unknown host '" + host + "'"};
}

struct ClientFailure {
    const char* name;
    bn::AddressResolver resolver; // none: the system's
    bool listening;               // a listener that answers with an HTTP error
    const char* expected;         // part of the message
};

class ClientFails : public testing::TestWithParam<ClientFailure> {};

TEST_P(ClientFails, WithOneMessage)
{
    const bn::ScopedAddressResolver resolver(GetParam().resolver ? GetParam().resolver
                                                                 : bn::addressResolver());
    const bn::Socket listener = bn::listenOn("127.0.0.1", 0);
    const int port = GetParam().listening ? bn::localPort(listener) : qv::test::closedLoopbackPort();
    std::thread httpPeer([&] {
        if (!GetParam().listening)
            return;
        bn::waitFor(listener, POLLIN, bn::Clock::now() + 5s, nullptr);
        const bn::Socket peer(::accept(listener.fd(), nullptr, nullptr));
        bn::writeAll(peer, "HTTP/1.1 400 Bad Request\r\n\r\n", bn::Clock::now() + 2s);
        bn::readLine(peer, bn::Clock::now() + 2s, nullptr);
    });
    const std::atomic<bool> stop = false;
    std::string message = "no error";
    try {
        bn::runNetBenchmark(quickSettings(port, "nowhere.test"), stop);
    } catch (const bn::NetBenchError& error) {
        message = error.what();
    }
    httpPeer.join();
    EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
}

bn::AddressLookup loopbackOnly(const std::string&, int port)
{
    return bn::systemResolve("127.0.0.1", port);
}

INSTANTIATE_TEST_SUITE_P(Errors, ClientFails,
                         testing::Values(ClientFailure{"UnknownHost", nameOfNoOne, false,
                                                       "unknown host 'nowhere.test'"},
                                         ClientFailure{"RefusedConnection", loopbackOnly, false,
                                                       "nowhere.test refused the connection on port"},
                                         ClientFailure{"AnotherKindOfServer", loopbackOnly, true,
                                                       "does not answer as quorvex-cli serve does"}),
                         qv::test::RowName());

// The first address of the name has nobody listening; the second has the server.
TEST(NetBenchmark, TriesEachAddressOfTheNameInOrder)
{
    const qv::test::LoopbackServer server;
    const bn::ScopedAddressResolver resolver([](const std::string&, int port) {
        bn::AddressLookup both = bn::systemResolve("::1", port);
        const bn::AddressLookup v4 = bn::systemResolve("127.0.0.1", port);
        both.addresses.insert(both.addresses.end(), v4.addresses.begin(), v4.addresses.end());
        return both;
    });
    const std::atomic<bool> stop = false;
    const bn::NetResult result = bn::runNetBenchmark(quickSettings(server.port(), "both.test"), stop);
    EXPECT_EQ(result.address, "127.0.0.1");
    EXPECT_FALSE(result.partial()) << result.error;
}

TEST(NetBenchmark, MeasuresOverIpv6WithFourStreams)
{
    const qv::test::LoopbackServer server(1000ms, "::1");
    bn::NetSettings settings = quickSettings(server.port(), "::1");
    settings.streams = 4;
    const std::atomic<bool> stop = false;
    const bn::NetResult result = bn::runNetBenchmark(settings, stop);
    ASSERT_FALSE(result.partial()) << result.error;
    EXPECT_GT(result.downloadBytes, 0);
    EXPECT_GT(result.uploadBytes, 0);
    EXPECT_GT(*result.downloadMbps, 0);
    EXPECT_GT(*result.uploadMbps, 0);
}

// Each chunk waits 20 ms in the relay each way: a round trip takes at least 40 ms.
TEST(NetBenchmark, RoundTripsIncludeTheRelaysDelay)
{
    const qv::test::LoopbackServer server;
    const qv::test::DelayingRelay relay(server.port(), 20ms);
    const std::atomic<bool> stop = false;
    const bn::NetResult result = bn::runNetBenchmark(quickSettings(relay.port()), stop);
    ASSERT_FALSE(result.partial()) << result.error;
    ASSERT_TRUE(result.latency);
    EXPECT_GE(result.latency->medianMs, 40.0);
    EXPECT_GE(result.latency->p95Ms, result.latency->medianMs);
}

TEST(NetBenchmark, APeerThatStopsAnsweringEndsTheRunWithPartialFigures)
{
    const qv::test::LoopbackServer server(5000ms);
    qv::test::DelayingRelay relay(server.port(), 0ms);
    bn::NetSettings settings = quickSettings(relay.port());
    settings.duration = 3000ms;
    const std::atomic<bool> stop = false;
    bool frozen = false;
    const bn::NetResult result = bn::runNetBenchmark(settings, stop, [&](const bn::NetProgress& progress) {
        if (progress.phase == bn::NetPhase::Download && progress.mbps > 0 && !frozen) {
            relay.freeze();
            frozen = true;
        }
    });
    EXPECT_TRUE(result.partial());
    EXPECT_EQ(result.error, "127.0.0.1 stopped sending during the download");
    EXPECT_FALSE(result.uploadMbps);
}

TEST(NetBenchmark, StopEndsTheRunBeforeItsTime)
{
    const qv::test::LoopbackServer server;
    bn::NetSettings settings = quickSettings(server.port());
    settings.duration = 20000ms;
    std::atomic<bool> stop = false;
    auto run = std::async(std::launch::async, [&] { return bn::runNetBenchmark(settings, stop); });
    std::this_thread::sleep_for(300ms);
    stop = true;
    ASSERT_EQ(run.wait_for(10s), std::future_status::ready) << "still running 10 s after Stop";
    const bn::NetResult result = run.get();
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.uploadMbps);
}

} // namespace
