#include "net/WSocket.h"
#include "net/NetCheckTexts.h"
#include "platform/NameResolver.h"
#include "tests/net/NetDoubles.h"
#include "tests/support/TestSupport.h"

#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <iterator>

namespace {

using qv::net::TWSocket;
using qv::test::ScriptedResolver;

class WSocketTest : public qv::test::ErrorCheckedTest {
protected:
    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        resolver->names.insert(QStringLiteral("three.test"),
                               qv::test::hostEntry(QStringLiteral("three.test"),
                                                   {QStringLiteral("192.0.2.3"), QStringLiteral("192.0.2.1"),
                                                    QStringLiteral("192.0.2.2")}));
        resolver->addresses.insert(qv::platform::parseInetAddr(QStringLiteral("192.0.2.3")),
                                   QStringLiteral("three.test"));
        socket.OnDnsLookupDone = [this](QObject* sender, std::uint16_t error) {
            EXPECT_EQ(sender, &socket);
            done << error;
        };
    }

    bool waitForDone(int count)
    {
        return QTest::qWaitFor([&] { return done.size() >= count; }, 5000);
    }

    std::shared_ptr<ScriptedResolver> resolver = std::make_shared<ScriptedResolver>();
    qv::platform::ScopedNameResolver m_resolver{resolver};
    TWSocket socket;
    QList<int> done;
};

TEST_F(WSocketTest, LookupsGiveEveryAddressOrTheOneName)
{
    socket.DnsLookup(QStringLiteral("three.test"));
    EXPECT_TRUE(done.isEmpty()) << "a name completes later";
    ASSERT_TRUE(waitForDone(1));
    EXPECT_EQ(done, QList<int>{0});
    EXPECT_EQ(socket.DnsResultList(), (QStringList{QStringLiteral("192.0.2.3"), QStringLiteral("192.0.2.1"),
                                                   QStringLiteral("192.0.2.2")}));
    EXPECT_EQ(socket.DnsResult(), QStringLiteral("192.0.2.3"));

    socket.ReverseDnsLookup(QStringLiteral("192.0.2.3"));
    ASSERT_TRUE(waitForDone(2));
    EXPECT_EQ(socket.DnsResultList(), QStringList{QStringLiteral("three.test")});
    EXPECT_EQ(socket.DnsResult(), QStringLiteral("three.test"));

    socket.DnsLookup(QStringLiteral("0x7f.1"));
    EXPECT_EQ(done.size(), 3) << "a dotted address completes inside the call";
    EXPECT_EQ(socket.DnsResult(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(socket.DnsResultList().isEmpty());

    socket.DnsLookup(QStringLiteral("missing.test"));
    ASSERT_TRUE(waitForDone(4));
    EXPECT_EQ(done.last(), qv::platform::resolver_error::kHostNotFound);
    EXPECT_TRUE(socket.DnsResult().isEmpty());
    EXPECT_EQ(qv::net::lookupStatus(std::uint16_t(done.last()), socket.DnsResult(), 0),
              QStringLiteral("Unknown, Error #11001"));
}

TEST_F(WSocketTest, ReplacedAndCancelledLookupsNeverReport)
{
    resolver->hold();
    socket.DnsLookup(QStringLiteral("missing.test"));
    socket.DnsLookup(QStringLiteral("three.test"));
    socket.CancelDnsLookup();
    EXPECT_EQ(done, QList<int>{TWSocket::kCancelled});
    socket.CancelDnsLookup();
    EXPECT_EQ(done.size(), 1) << "nothing pending: nothing fires";
    socket.ReverseDnsLookup(QStringLiteral("192.0.2.3"));
    resolver->release();
    ASSERT_TRUE(waitForDone(2));
    QTest::qWait(50);
    EXPECT_EQ(done, (QList<int>{TWSocket::kCancelled, 0}));
    EXPECT_EQ(socket.DnsResult(), QStringLiteral("three.test")) << "only the last lookup reports";
}

TEST_F(WSocketTest, EmptyArgumentsRaiseOrGoToOnError)
{
    try {
        socket.DnsLookup(QString());
        FAIL() << "no exception";
    } catch (const qv::net::ESocketException& error) {
        EXPECT_STREQ(error.what(), "DNS lookup: invalid host name.");
    }
    EXPECT_TRUE(done.isEmpty());

    int errors = 0;
    socket.OnError = [&](QObject*) { ++errors; };
    socket.ReverseDnsLookup(QString());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(done, QList<int>{TWSocket::kInvalidArgument});
}

TEST_F(WSocketTest, AnExceptionInTheCompletionGoesToOnBgException)
{
    socket.OnDnsLookupDone = [](QObject*, std::uint16_t) { throw std::runtime_error("handler failed"); };
    QString caught;
    socket.OnBgException = [&](QObject*, const std::exception& error, bool& canClose) {
        caught = QString::fromUtf8(error.what());
        EXPECT_TRUE(canClose);
    };
    socket.DnsLookup(QStringLiteral("three.test"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !caught.isEmpty(); }, 5000));
    EXPECT_EQ(caught, QStringLiteral("handler failed"));
}

// A form's stored SOCKS level goes through the property system; one the component does not know is
// refused and the stored one kept.
TEST_F(WSocketTest, AnUnknownStoredSocksLevelIsRefusedAndTheOldOneKept)
{
    TWSocket stored;
    ASSERT_TRUE(stored.setProperty("SocksLevel", QStringLiteral("4A")));
    EXPECT_THROW(stored.setSocksLevel(QStringLiteral("6")), qv::net::ESocketException);
    EXPECT_EQ(stored.property("SocksLevel").toString(), QStringLiteral("4A"));
}

// Each code a lookup can end with, from the component or from the resolver, is described, and no two
// share a text: "lookup --json" shows it as ErrorText.
TEST(SocketErrorDescTest, EveryLookupOutcomeHasATextOfItsOwn)
{
    namespace resolver_error = qv::platform::resolver_error;
    const int outcomes[] = {0,
                            TWSocket::kCancelled,
                            TWSocket::kInvalidArgument,
                            resolver_error::kHostNotFound,
                            resolver_error::kTryAgain,
                            resolver_error::kNoRecovery,
                            resolver_error::kNoData};
    const QString unknown = qv::net::SocketErrorDesc(-1);
    QSet<QString> texts;
    for (const int code : outcomes) {
        const QString text = qv::net::SocketErrorDesc(code);
        EXPECT_NE(text, unknown) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), qsizetype(std::size(outcomes)));
}

TEST(LocalAddressesTest, TheListIsOneObjectWithFreshContents)
{
    QStringList& first = qv::net::LocalIPList();
    first = {QStringLiteral("stale")};
    QStringList& second = qv::net::LocalIPList();
    EXPECT_EQ(&first, &second);
    EXPECT_FALSE(second.contains(QStringLiteral("stale")));
    ASSERT_FALSE(second.isEmpty()) << "loopback at least";
    EXPECT_EQ(second.last().startsWith(QStringLiteral("127.")), true) << "loopback comes last";
    EXPECT_FALSE(qv::net::LocalHostName().isEmpty());
}

TEST(SystemResolverTest, LoopbackNamesResolveAndImpossibleNamesFailAtOnce)
{
    const qv::platform::SystemNameResolver resolver;
    const qv::platform::HostEntry localhost = resolver.byName(QStringLiteral("localhost"));
    EXPECT_EQ(localhost.error, 0);
    EXPECT_TRUE(localhost.addresses.contains(qv::platform::parseInetAddr(QStringLiteral("127.0.0.1"))));

    const QString ownName = qv::net::LocalHostName();
    const qv::platform::HostEntry own = resolver.byName(ownName);
    EXPECT_EQ(own.addresses, qv::platform::localIPv4Addresses()) << "the machine's own name: its interfaces";

    for (const QString& impossible :
         {QString(), QString(254, QLatin1Char('a')),
          QString(QString(64, QLatin1Char('b')) + QStringLiteral(".test")), QStringLiteral("caf\u00e9.test")})
        EXPECT_EQ(resolver.byName(impossible).error, qv::platform::resolver_error::kHostNotFound)
            << impossible.size();
}

TEST(NetCheckTextsTest, TheAddressCheckTakesDigitsAndPointsOnly)
{
    for (const char* accepted : {"1.2.3.4", "999..1"})
        EXPECT_TRUE(qv::net::looksLikeDottedAddress(QString::fromLatin1(accepted))) << accepted;
    for (const QString& rejected : {QStringLiteral("1.2.3.x"), QString(), QStringLiteral("\u0661.2.3.4")})
        EXPECT_FALSE(qv::net::looksLikeDottedAddress(rejected)) << rejected.toStdString();
}

} // namespace
