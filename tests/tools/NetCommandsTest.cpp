// "quorvex-cli ping", "lookup" and "localip" over a scripted resolver and echo.
#include "tools/cli/NetCommands.h"
#include "platform/IcmpEcho.h"
#include "tests/net/NetDoubles.h"
#include "tools/cli/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using qv::platform::ResourceKind;

struct Result {
    int status;
    QString out;
    std::string err;
};

Result run(std::vector<std::string> args)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::pingCommand());
    registry.add(qv::cli::lookupCommand());
    registry.add(qv::cli::localIpCommand());
    registry.add(qv::cli::smbCommand());
    std::ostringstream out;
    std::ostringstream err;
    const int status = qv::cli::runCli(registry, args, out, err);
    return {status, QString::fromStdString(out.str()), err.str()};
}

class NetCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resolver->names.insert(
            QStringLiteral("server.test"),
            qv::test::hostEntry(QStringLiteral("server.test"),
                                {QStringLiteral("192.0.2.7"), QStringLiteral("192.0.2.8")}));
        reply.replies = 1;
        reply.reply.address = qv::platform::parseInetAddr(QStringLiteral("192.0.2.7"));
        reply.reply.roundTripTime = 3;
        reply.reply.dataSize = 56;
        reply.reply.ttl = 63;
    }

    void answer(qv::platform::EchoOutcome outcome)
    {
        m_opener.emplace([this, outcome](std::optional<qv::platform::EchoMechanism>) {
            return std::make_unique<qv::test::ScriptedEcho>(outcome, &requests);
        });
    }

    std::shared_ptr<qv::test::ScriptedResolver> resolver = std::make_shared<qv::test::ScriptedResolver>();
    qv::platform::ScopedNameResolver m_resolver{resolver};
    std::optional<qv::platform::ScopedIcmpEchoOpener> m_opener;
    qv::platform::EchoOutcome reply;
    QList<qv::platform::EchoRequest> requests;
};

TEST_F(NetCommandsTest, PingPrintsTheWindowsLinesAndItsJson)
{
    answer(reply);
    const Result text = run({"ping", "server.test", "--size", "32"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, QStringLiteral("Searching distant computer 'server.test'\n"
                                       "Distant computer 'server.test' is 192.0.2.7\n"
                                       "Sending 32 byte to 192.0.2.7 (192.0.2.7)\n"
                                       "Receiving 56 byte from 192.0.2.7 in 3 msecs\n"
                                       "\n"
                                       "Network link OK.\n"));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].data.size(), 32);

    const Result json = run({"ping", "192.0.2.7", "--json", "--ttl", "9", "--timeout", "250"});
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QStringList keys{
        QStringLiteral("Host"),        QStringLiteral("Mechanism"), QStringLiteral("DnsError"),
        QStringLiteral("DnsResult"),   QStringLiteral("HostName"),  QStringLiteral("HostIP"),
        QStringLiteral("Size"),        QStringLiteral("TTL"),       QStringLiteral("Flags"),
        QStringLiteral("Timeout"),     QStringLiteral("Replies"),   QStringLiteral("ErrorCode"),
        QStringLiteral("ErrorString"), QStringLiteral("Reply"),     QStringLiteral("Lines")};
    qsizetype at = -1;
    for (const QString& key : keys) {
        const qsizetype found = json.out.indexOf(QLatin1Char('"') + key + QStringLiteral("\":"));
        EXPECT_GT(found, at) << key.toStdString();
        at = found;
    }
    EXPECT_EQ(object[QStringLiteral("Mechanism")].toString(), QStringLiteral("raw"));
    EXPECT_EQ(object[QStringLiteral("TTL")].toInt(), 9);
    EXPECT_EQ(object[QStringLiteral("Reply")][QStringLiteral("TTL")].toInt(), 63);
    EXPECT_EQ(object[QStringLiteral("Reply")][QStringLiteral("Address")].toString(),
              QStringLiteral("192.0.2.7"));
    EXPECT_EQ(object[QStringLiteral("Lines")].toArray().size(), 6);
    EXPECT_EQ(requests.last().timeoutMs, 250);
}

TEST_F(NetCommandsTest, PingFailuresEndWithTheAdviceAndStatus1)
{
    qv::platform::EchoOutcome timedOut;
    timedOut.errorCode = qv::platform::echo_status::kRequestTimedOut;
    answer(timedOut);
    const Result silent = run({"ping", "192.0.2.9"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_TRUE(silent.out.contains(QStringLiteral(
        "Unable to reach distant computer (192.0.2.9) : Request timed out\n\nNetwork connection failed.\n")));

    const Result unknown = run({"ping", "missing.test"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 1 + 4);
    EXPECT_TRUE(unknown.out.contains(QStringLiteral("Unable to find host 'missing.test'")));

    EXPECT_EQ(run({"ping", "x", "--mechanism", "carrier-pigeon"}).status, 2);
    EXPECT_EQ(run({"ping", "x", "--ttl", "256"}).status, 2);
    EXPECT_EQ(run({"ping"}).status, 2);
    const qv::platform::ScopedIcmpEchoOpener none(
        [](auto) { return std::unique_ptr<qv::platform::IcmpEcho>(); });
    const Result noHandle = run({"ping", "127.0.0.1"});
    EXPECT_EQ(noHandle.status, 1);
    EXPECT_NE(noHandle.err.find("Unable to get ping handle"), std::string::npos) << noHandle.err;
}

TEST_F(NetCommandsTest, LookupBothWaysAndItsErrors)
{
    const Result forward = run({"lookup", "server.test"});
    EXPECT_EQ(forward.status, 0);
    EXPECT_EQ(forward.out, QStringLiteral("192.0.2.7  (2 adress(es))\n192.0.2.7\n192.0.2.8\n"));

    resolver->addresses.insert(qv::platform::parseInetAddr(QStringLiteral("192.0.2.7")),
                               QStringLiteral("server.test"));
    const Result reverse = run({"lookup", "--reverse", "192.0.2.7", "--json"});
    const QJsonObject object = QJsonDocument::fromJson(reverse.out.toUtf8()).object();
    EXPECT_EQ(object[QStringLiteral("Reverse")].toBool(), true);
    EXPECT_EQ(object[QStringLiteral("DnsResult")].toString(), QStringLiteral("server.test"));
    EXPECT_EQ(object[QStringLiteral("DnsResultList")].toArray().size(), 1);
    EXPECT_EQ(object[QStringLiteral("ErrorText")].toString(), QStringLiteral("No Error"));

    const Result missing = run({"lookup", "missing.test"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, QStringLiteral("Unknown, Error #11001\n"));
    EXPECT_EQ(run({"lookup", "--reverse", "1.2.3.x"}).status, 2);
    const Result empty = run({"lookup", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("DNS lookup: invalid host name."), std::string::npos);
}

TEST_F(NetCommandsTest, LocalIpListsTheInterfacesLoopbackLast)
{
    const Result json = run({"localip", "--json"});
    EXPECT_EQ(json.status, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(object[QStringLiteral("LocalHostName")].toString().isEmpty());
    const QJsonArray list = object[QStringLiteral("LocalIPList")].toArray();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_TRUE(list.last().toString().startsWith(QStringLiteral("127.")));
}

TEST(SmbCommandTest, ListsWhatTheTreeShowsBelowEachNode)
{
    using qv::test::resource;
    auto network = std::make_shared<qv::test::ScriptedNeighbourhood>();
    network->containers.insert(QStringLiteral("Samba"),
                               {{resource(QStringLiteral("HOME"), ResourceKind::Any, true)}, 0});
    network->containers.insert(QStringLiteral("HOME"),
                               {{resource(QStringLiteral("\\\\SERVER"), ResourceKind::Any, true)}, 0});
    network->containers.insert(QStringLiteral("\\\\SERVER"),
                               {{resource(QStringLiteral("\\\\SERVER\\Public"), ResourceKind::Disk)}, 5});
    network->directoryTable.insert(QStringLiteral("\\\\SERVER\\Public"), {QStringLiteral("Docs")});
    const qv::platform::ScopedNetworkNeighbourhood installed(network);

    EXPECT_EQ(run({"smb", "smb://"}).out, QStringLiteral("HOME\n"));
    EXPECT_EQ(run({"smb", "smb://HOME"}).out, QStringLiteral("\\\\SERVER\n"));
    const Result shares = run({"smb", "smb://SERVER", "--json"});
    EXPECT_EQ(shares.status, 1) << "the listing stopped early";
    EXPECT_TRUE(shares.out.contains(QStringLiteral("\"Error\":5"))) << shares.out.toStdString();
    EXPECT_EQ(run({"smb", "smb://SERVER/Public"}).out, QStringLiteral("\\\\SERVER\\Public\\Docs\n"));
    EXPECT_EQ(run({"smb", "smb://NOWHERE/x"}).status, 1);
    EXPECT_EQ(run({"smb", "//SERVER"}).status, 2);
}

// The bad inputs of a check, through this machine's own echo mechanism on loopback.
TEST(NetCommandsLoopbackTest, EdgeSizesTtlZeroAndImpossibleNamesEndCleanly)
{
    if (!qv::platform::openIcmpEcho())
        GTEST_SKIP() << "no echo mechanism is available to this user";
    const auto reply = [](const Result& result) {
        return QJsonDocument::fromJson(result.out.toUtf8()).object()[QStringLiteral("Reply")].toObject();
    };
    for (const int size : {0, 65000}) {
        const Result result = run({"ping", "127.0.0.1", "--json", "--size", std::to_string(size)});
        EXPECT_EQ(result.status, 0) << size;
        EXPECT_EQ(reply(result)[QStringLiteral("DataSize")].toInt(), size);
    }
    const Result ttlZero = run({"ping", "127.0.0.1", "--ttl", "0"});
    EXPECT_EQ(ttlZero.status, 1);
    EXPECT_TRUE(ttlZero.out.contains(QStringLiteral("(127.0.0.1) : TTL expired in transit")))
        << ttlZero.out.toStdString();
    const Result tooBig = run({"ping", "127.0.0.1", "--size", "65508"});
    EXPECT_TRUE(tooBig.out.contains(QStringLiteral(": Packet too big"))) << tooBig.out.toStdString();
    const Result longName = run({"ping", std::string(300, 'a')});
    EXPECT_EQ(longName.status, 1);
    EXPECT_TRUE(longName.out.contains(QStringLiteral("Unable to find host")))
        << "refused without asking any server";
}

} // namespace
