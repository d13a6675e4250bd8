#include "net/Icmp.h"
#include "tests/net/NetDoubles.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using qv::net::TICMP;
using qv::net::TPing;
using qv::platform::EchoOutcome;
using qv::platform::EchoRequest;
using qv::test::ScriptedResolver;

class IcmpTest : public qv::test::ErrorCheckedTest {
protected:
    // An echo that answers every request with `outcome`.
    void answer(EchoOutcome outcome)
    {
        m_opener.reset();
        m_opener.emplace([this, outcome](std::optional<qv::platform::EchoMechanism>) {
            return std::make_unique<qv::test::ScriptedEcho>(outcome, &requests);
        });
    }

    static EchoOutcome reply(const char* from, std::uint32_t rtt, std::uint16_t size)
    {
        EchoOutcome outcome;
        outcome.replies = 1;
        outcome.reply.address = qv::platform::parseInetAddr(QString::fromLatin1(from));
        outcome.reply.roundTripTime = rtt;
        outcome.reply.dataSize = size;
        outcome.reply.ttl = 64;
        return outcome;
    }

    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        resolver->names.insert(
            QStringLiteral("server.test"),
            qv::test::hostEntry(QStringLiteral("server.test"), {QStringLiteral("192.0.2.7")}));
        answer(reply("192.0.2.7", 12, 56));
    }

    QList<EchoRequest> requests;
    std::shared_ptr<ScriptedResolver> resolver = std::make_shared<ScriptedResolver>();
    qv::platform::ScopedNameResolver m_resolver{resolver};
    std::optional<qv::platform::ScopedIcmpEchoOpener> m_opener;
};

TEST_F(IcmpTest, ARequestCarriesTheSettingsAndThePaddedPayload)
{
    TICMP icmp;
    EXPECT_EQ(icmp.Size, 56);
    EXPECT_EQ(icmp.Timeout, 4000);
    EXPECT_EQ(icmp.TTL, 64);
    EXPECT_EQ(icmp.Flags, 0);
    icmp.setAddress(QStringLiteral("192.0.2.7"));
    icmp.TTL = 0x180; // only the low byte is sent
    icmp.Flags = 0x102;
    QStringList events;
    icmp.OnEchoRequest = [&](TICMP*) { events << QStringLiteral("request %1").arg(requests.size()); };
    icmp.OnEchoReply = [&](TICMP*, int replies) { events << QStringLiteral("reply %1").arg(replies); };
    EXPECT_EQ(icmp.Ping(), 1);
    EXPECT_EQ(events, (QStringList{QStringLiteral("request 0"), QStringLiteral("reply 1")}));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].data, QByteArray(qv::net::kEchoPayload) + QByteArray(11, ' '));
    EXPECT_EQ(requests[0].ttl, 0x80);
    EXPECT_EQ(requests[0].flags, 0x02);
    EXPECT_EQ(requests[0].timeoutMs, 4000);
    EXPECT_EQ(icmp.Reply().RTT, 12U);
    EXPECT_EQ(icmp.Reply().DataSize, 56);
    EXPECT_EQ(icmp.ErrorString(), QStringLiteral("No error"));

    icmp.Size = 10;
    icmp.Ping();
    EXPECT_EQ(requests[1].data, QByteArray(qv::net::kEchoPayload, 10));
    icmp.Size = 0;
    icmp.Ping();
    EXPECT_TRUE(requests[2].data.isEmpty());
}

TEST_F(IcmpTest, TargetsResolveOnceUntilTheAddressChanges)
{
    TICMP icmp;
    icmp.setAddress(QStringLiteral("10.1"));
    icmp.Ping();
    EXPECT_EQ(resolver->calls(), 0) << "a dotted address is not looked up";
    EXPECT_EQ(icmp.HostName(), QStringLiteral("10.1"));
    EXPECT_EQ(icmp.HostIP(), QStringLiteral("10.0.0.1"));

    icmp.setAddress(QStringLiteral("server.test"));
    icmp.Ping();
    icmp.setAddress(QStringLiteral("server.test"));
    icmp.Ping();
    EXPECT_EQ(resolver->calls(), 1) << "the same text keeps the resolution";
    EXPECT_EQ(icmp.HostIP(), QStringLiteral("192.0.2.7"));
    EXPECT_EQ(requests.last().address, qv::platform::parseInetAddr(QStringLiteral("192.0.2.7")));
}

TEST_F(IcmpTest, AnUnresolvableTargetSendsNothing)
{
    TICMP icmp;
    QStringList shown;
    icmp.OnDisplay = [&](TICMP*, const QString& message) { shown << message; };
    icmp.setAddress(QStringLiteral("nowhere.invalid"));
    EXPECT_EQ(icmp.Ping(), 0);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Unable to resolve nowhere.invalid"),
                                  QStringLiteral("Invalid host address")}));
    EXPECT_EQ(icmp.ErrorCode(), TICMP::kBadDestination);
    EXPECT_EQ(icmp.ErrorString(), QStringLiteral("Bad Destination"));
    EXPECT_TRUE(requests.isEmpty());
    icmp.Ping();
    EXPECT_EQ(resolver->calls(), 2) << "a failed resolution is tried again";
}

TEST_F(IcmpTest, FailuresKeepTheirStatusAndNoMechanismMeansNoHandle)
{
    EchoOutcome timedOut;
    timedOut.errorCode = qv::platform::echo_status::kRequestTimedOut;
    answer(timedOut);
    TICMP icmp;
    icmp.setAddress(QStringLiteral("192.0.2.7"));
    EXPECT_EQ(icmp.Ping(), 0);
    EXPECT_EQ(icmp.ErrorString(), QStringLiteral("Request timed out"));
    EXPECT_EQ(icmp.Reply().RTT, 0U);
    EXPECT_EQ(qv::net::IcmpStatusText(12345), QStringLiteral("ICMP error #12345"));
    EXPECT_EQ(qv::net::IcmpStatusText(11013), QStringLiteral("TTL expired in transit"));

    const qv::platform::ScopedIcmpEchoOpener none(
        [](auto) { return std::unique_ptr<qv::platform::IcmpEcho>(); });
    try {
        TPing ping;
        FAIL() << "created without a mechanism";
    } catch (const qv::net::TICMPException& error) {
        EXPECT_STREQ(error.what(), "Unable to get ping handle");
    }
}

TEST_F(IcmpTest, PingLooksNamesUpWithoutBlockingAndForwardsTheEchoEvents)
{
    TPing ping;
    QList<int> done;
    ping.OnDnsLookupDone = [&](QObject* sender, std::uint16_t error) {
        EXPECT_EQ(sender, &ping);
        done << error;
    };
    ping.DnsLookup(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(done, QList<int>{0}) << "a dotted address completes inside the call";
    EXPECT_EQ(ping.DnsResult(), QStringLiteral("10.0.0.1"));

    resolver->hold();
    ping.DnsLookup(QStringLiteral("nowhere.invalid"));
    ping.DnsLookup(QStringLiteral("server.test")); // replaces the first: only this one reports
    EXPECT_EQ(done.size(), 1);
    resolver->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.size() == 2; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(done, (QList<int>{0, 0}));
    EXPECT_EQ(ping.DnsResult(), QStringLiteral("192.0.2.7"));

    resolver->hold();
    ping.DnsLookup(QStringLiteral("server.test"));
    ping.CancelDnsLookup();
    ping.CancelDnsLookup(); // nothing pending: nothing fires
    EXPECT_EQ(done.last(), TPing::kCancelled);
    resolver->release();
    QTest::qWait(50);
    EXPECT_EQ(done.size(), 3) << "the cancelled lookup's completion is dropped";

    QList<qv::net::TICMP*> forwarded;
    ping.OnEchoRequest = [&](QObject* sender, TICMP* icmp) {
        EXPECT_EQ(sender, &ping);
        forwarded << icmp;
    };
    ping.OnEchoReply = [&](QObject*, TICMP* icmp, int replies) {
        EXPECT_EQ(replies, 1);
        forwarded << icmp;
    };
    ping.setAddress(QStringLiteral("192.0.2.7"));
    EXPECT_EQ(ping.Ping(), 1);
    EXPECT_EQ(forwarded.size(), 2);
    EXPECT_NE(forwarded.value(0), nullptr);
}

TEST_F(IcmpTest, DestroyingAPingNeverWaitsForItsLookup)
{
    resolver->hold();
    auto ping = std::make_unique<TPing>();
    bool fired = false;
    ping->OnDnsLookupDone = [&](QObject*, std::uint16_t) { fired = true; };
    ping->DnsLookup(QStringLiteral("server.test"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return resolver->calls() == 1; }, 5000));
    ping.reset();
    resolver->release();
    QTest::qWait(50);
    EXPECT_FALSE(fired);
}

} // namespace
