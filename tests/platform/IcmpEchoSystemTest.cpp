// Echoes that really leave: to 127.0.0.1 from this process, and inside network namespaces the tests
// create, through icmp_echo_probe run in the client namespace (setns() would move only one thread).
#include "platform/IcmpEcho.h"

#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <unistd.h>

#include <memory>

using namespace qv::platform;
namespace status = qv::platform::echo_status;

namespace qv::platform {
void PrintTo(EchoMechanism mechanism, std::ostream* out)
{
    *out << echoMechanismName(mechanism).toStdString();
}
} // namespace qv::platform

namespace {

std::uint32_t ipv4(const QString& text)
{
    in_addr address{};
    inet_pton(AF_INET, qPrintable(text), &address);
    return address.s_addr;
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

struct Ran {
    bool ok = false;
    QString output;
};

// Runs a program for 10 s at most.
Ran run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    if (!finished)
        process.kill();
    process.waitForFinished();
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAll())};
}

QString ipProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("ip"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

// client 10.200.0.1 (c0) ═ (r0) 10.200.0.254 router 10.201.0.254 (r1) ═ (d0) 10.201.0.1 responder
// The client has a neighbour 10.200.0.2 with nobody behind it, an unreachable route to 10.206.0.0/24, a
// throw route to 10.207.0.0/24, answers with TTL 77 and lets root (only) open ICMP datagram sockets. The
// router forwards, without default route and with an unreachable route to 10.203.0.0/24. The responder
// ignores echoes. Without IPv6 and with fixed neighbours nothing else leaves c0.
constexpr char kNetworkScript[] = R"(set -e
c=$1 r=$2 d=$3
for n in $c $r $d; do
  ip netns add $n
  ip netns exec $n sysctl -qew net.ipv6.conf.default.disable_ipv6=1
  ip -n $n link set lo up
done
ip -n $c link add c0 type veth peer name r0 netns $r
ip -n $r link add r1 type veth peer name d0 netns $d
ip -n $r link set r0 address 02:00:00:00:00:fe
ip -n $c address add 10.200.0.1/24 dev c0
ip -n $r address add 10.200.0.254/24 dev r0
ip -n $r address add 10.201.0.254/24 dev r1
ip -n $d address add 10.201.0.1/24 dev d0
ip -n $c link set c0 up
ip -n $r link set r0 up
ip -n $r link set r1 up
ip -n $d link set d0 up
ip -n $c route add default via 10.200.0.254
ip -n $c route add unreachable 10.206.0.0/24
ip -n $c route add throw 10.207.0.0/24
ip -n $c neighbour add 10.200.0.2 lladdr 02:00:00:00:00:02 dev c0 nud permanent
ip -n $c neighbour add 10.200.0.254 lladdr 02:00:00:00:00:fe dev c0 nud permanent
ip -n $r route add unreachable 10.203.0.0/24
ip -n $d route add default via 10.201.0.254
ip netns exec $c sysctl -qw net.ipv4.ping_group_range="0 0" net.ipv4.ip_default_ttl=77
ip netns exec $r sysctl -qw net.ipv4.ip_forward=1 net.ipv4.icmp_ratelimit=0
ip netns exec $d sysctl -qw net.ipv4.icmp_echo_ignore_all=1
)";

// One line of icmp_echo_probe.
struct Probe {
    QHash<QString, QString> fields;
    QString output;

    qint64 number(const char* key) const
    {
        return fields.value(QLatin1String(key), QStringLiteral("-1")).toLongLong();
    }
    std::uint32_t address() const { return ipv4(fields.value(QStringLiteral("address"))); }
};

std::ostream& operator<<(std::ostream& out, const Probe& probe)
{
    return out << "probe said: " << probe.output.trimmed().toStdString();
}

// The test network of the script above, in namespaces of its own; deleting them takes their links along.
class TestNetwork {
public:
    TestNetwork()
    {
        static int count = 0;
        const QString prefix =
            QStringLiteral("qv-icmp-%1-%2-").arg(QCoreApplication::applicationPid()).arg(++count);
        for (const char* role : {"c", "r", "d"})
            m_names << prefix + QLatin1String(role);
        const Ran made = run(
            QStringLiteral("sh"),
            QStringList{QStringLiteral("-c"), QLatin1String(kNetworkScript), QStringLiteral("sh")} + m_names);
        m_failure = made.ok ? QString() : made.output;
    }
    ~TestNetwork()
    {
        for (const QString& name : m_names)
            run(ipProgram(), {QStringLiteral("netns"), QStringLiteral("delete"), name});
    }
    TestNetwork(const TestNetwork&) = delete;
    TestNetwork& operator=(const TestNetwork&) = delete;

    const QString& failure() const { return m_failure; }
    const QString& responder() const { return m_names[2]; }

    // Arguments of the ip utility that run `command` in the client namespace.
    QStringList inClient(const QStringList& command) const
    {
        return QStringList{QStringLiteral("netns"), QStringLiteral("exec"), m_names[0]} + command;
    }

    Probe probe(const QStringList& command) const
    {
        Probe probe{{}, run(ipProgram(), inClient(command)).output};
        for (const QString& field : probe.output.trimmed().split(QLatin1Char(' ')))
            probe.fields.insert(field.section(QLatin1Char('='), 0, 0), field.section(QLatin1Char('='), 1));
        return probe;
    }

private:
    QStringList m_names;
    QString m_failure;
};

// Why the namespace tests cannot run here, or empty.
QString namespacesUnavailable()
{
    if (geteuid() != 0)
        return QStringLiteral("creating network namespaces needs root");
    if (ipProgram().isEmpty())
        return QStringLiteral("the ip utility (iproute2) is not installed");
    if (!openIcmpEcho(EchoMechanism::Helper))
        return QStringLiteral("the ping utility (iputils-ping) is not installed");
    return {};
}

QStringList probeArguments(const QString& probe, const QString& mechanism, const char* address, int size = 56,
                           int ttl = 64, int flags = 0, int timeoutMs = 2000)
{
    return {probe,
            mechanism,
            QLatin1String(address),
            QString::number(size),
            QString::number(ttl),
            QString::number(flags),
            QString::number(timeoutMs)};
}

constexpr EchoMechanism kMechanisms[] = {EchoMechanism::Datagram, EchoMechanism::Raw, EchoMechanism::Helper};

std::string mechanismName(const ::testing::TestParamInfo<EchoMechanism>& info)
{
    return echoMechanismName(info.param).toStdString();
}

} // namespace

class IcmpEchoLoopback : public ::testing::TestWithParam<EchoMechanism> {};

// Several requests on one opened mechanism: each reply is matched to its own request, and carries the
// replying host's TTL, not the one sent.
TEST_P(IcmpEchoLoopback, AnswersEachRequestFromThisProcess)
{
    const std::unique_ptr<IcmpEcho> echo = openIcmpEcho(GetParam());
    if (!echo)
        GTEST_SKIP()
            << "not available to this process (datagram sockets need ping_group_range, raw ones root, "
               "the helper the ping utility)";
    QFile defaultTtl(QStringLiteral("/proc/sys/net/ipv4/ip_default_ttl"));
    ASSERT_TRUE(defaultTtl.open(QIODevice::ReadOnly));
    const int replyTtl = defaultTtl.readAll().trimmed().toInt();
    for (const int size : {56, 0, 65507}) {
        SCOPED_TRACE(size);
        EchoRequest request;
        request.address = ipv4(QStringLiteral("127.0.0.1"));
        request.data = QByteArray(size, 'z');
        request.ttl = replyTtl == 200 ? 201 : 200;
        const EchoOutcome outcome = echo->send(request);
        EXPECT_EQ(outcome.replies, 1);
        EXPECT_EQ(outcome.errorCode, status::kSuccess);
        EXPECT_EQ(outcome.reply.address, request.address);
        EXPECT_EQ(outcome.reply.dataSize, size);
        EXPECT_EQ(outcome.reply.ttl, replyTtl);
        EXPECT_LT(outcome.reply.roundTripTime, 1000u);
    }
}

INSTANTIATE_TEST_SUITE_P(Mechanisms, IcmpEchoLoopback, ::testing::ValuesIn(kMechanisms), mechanismName);

class IcmpEchoNamespace : public ::testing::TestWithParam<EchoMechanism> {
protected:
    void SetUp() override
    {
        if (const QString reason = namespacesUnavailable(); !reason.isEmpty())
            GTEST_SKIP() << qPrintable(reason);
        m_network = std::make_unique<TestNetwork>();
        if (!m_network->failure().isEmpty())
            GTEST_SKIP() << "cannot build the test network: " << qPrintable(m_network->failure());
    }

    template<typename... Request>
    Probe probe(const char* address, Request... request) const
    {
        return m_network->probe(probeArguments(QStringLiteral(QV_ICMP_PROBE), echoMechanismName(GetParam()),
                                               address, request...));
    }

    qint64 sentOnClientLink() const
    {
        const Ran read =
            run(ipProgram(), m_network->inClient(words("cat /sys/class/net/c0/statistics/tx_packets")));
        return read.output.trimmed().toLongLong();
    }

    // The socket mechanisms answer at once; the helper needs a process started first.
    qint64 startUp() const { return GetParam() == EchoMechanism::Helper ? 900 : 100; }

    std::unique_ptr<TestNetwork> m_network;
};

TEST_P(IcmpEchoNamespace, LoopbackReplyBringsItsOwnTtl)
{
    for (const int size : {0, 56, 65507}) {
        const Probe reply = probe("127.0.0.1", size);
        EXPECT_EQ(reply.fields.value(QStringLiteral("mechanism")), echoMechanismName(GetParam())) << reply;
        EXPECT_EQ(reply.number("replies"), 1) << reply;
        EXPECT_EQ(reply.number("error"), status::kSuccess) << reply;
        EXPECT_EQ(reply.address(), ipv4(QStringLiteral("127.0.0.1"))) << reply;
        EXPECT_EQ(reply.number("size"), size) << reply;
        EXPECT_EQ(reply.number("ttl"), 77) << reply << " (sent with TTL 64)";
    }
}

TEST_P(IcmpEchoNamespace, SilentNeighbourTimesOutWhenTheTimeoutEnds)
{
    const Probe waited = probe("10.200.0.2", 56, 64, 0, 300);
    EXPECT_EQ(waited.number("error"), status::kRequestTimedOut) << waited;
    EXPECT_EQ(waited.number("status"), status::kRequestTimedOut) << waited;
    EXPECT_EQ(waited.number("replies"), 0) << waited;
    EXPECT_GE(waited.number("elapsed"), 295) << waited;
    EXPECT_LT(waited.number("elapsed"), 300 + startUp()) << waited;

    const Probe looked = probe("10.200.0.2", 56, 64, 0, 0);
    EXPECT_EQ(looked.number("error"), status::kRequestTimedOut) << looked;
    EXPECT_GE(looked.number("elapsed"), 0) << looked;
    EXPECT_LT(looked.number("elapsed"), startUp()) << looked << " (a timeout of 0 does not wait)";
}

TEST_P(IcmpEchoNamespace, TtlDecidesWhereTheEchoDies)
{
    const Probe diesAtRouter = probe("10.201.0.1", 56, 257); // the low byte: 1
    EXPECT_EQ(diesAtRouter.number("error"), status::kTtlExpiredTransit) << diesAtRouter;
    EXPECT_EQ(diesAtRouter.address(), ipv4(QStringLiteral("10.200.0.254"))) << diesAtRouter;

    const Probe reachesSilentResponder = probe("10.201.0.1", 56, 2, 0, 300);
    EXPECT_EQ(reachesSilentResponder.number("error"), status::kRequestTimedOut) << reachesSilentResponder;
}

// A router sends only a couple of these before its rate limit, hence a fresh network for each test.
TEST_P(IcmpEchoNamespace, RouterReportsUnreachableDestinations)
{
    const Probe noRoute = probe("10.204.0.1");
    EXPECT_EQ(noRoute.number("error"), status::kDestinationNetUnreachable) << noRoute;
    EXPECT_EQ(noRoute.address(), ipv4(QStringLiteral("10.200.0.254"))) << noRoute;

    const Probe unreachableRoute = probe("10.203.0.1");
    EXPECT_EQ(unreachableRoute.number("error"), status::kDestinationHostUnreachable) << unreachableRoute;
    EXPECT_EQ(unreachableRoute.address(), ipv4(QStringLiteral("10.200.0.254"))) << unreachableRoute;
}

TEST_P(IcmpEchoNamespace, LocalRoutingErrorsFailTheSend)
{
    const Probe unreachableRoute = probe("10.206.0.1");
    EXPECT_EQ(unreachableRoute.number("error"), status::kDestinationHostUnreachable) << unreachableRoute;
    const Probe noRoute = probe("10.207.0.1");
    EXPECT_EQ(noRoute.number("error"), status::kDestinationNetUnreachable) << noRoute;
}

TEST_P(IcmpEchoNamespace, DontFragmentKeepsAnEchoWithinTheLinkMtu)
{
    const Probe dontFragment = probe("10.200.0.254", 2000, 64, 0x02, 300);
    EXPECT_EQ(dontFragment.number("error"), status::kPacketTooBig) << dontFragment;

    const Probe fragmented = probe("10.200.0.254", 2000, 64, 0);
    EXPECT_EQ(fragmented.number("error"), status::kSuccess) << fragmented;
    EXPECT_EQ(fragmented.number("size"), 2000) << fragmented;
}

TEST_P(IcmpEchoNamespace, RefusedRequestsSendNothing)
{
    const qint64 before = sentOnClientLink();
    const Probe ttlZero = probe("10.200.0.2", 56, 256);
    EXPECT_EQ(ttlZero.number("error"), status::kTtlExpiredTransit) << ttlZero;
    EXPECT_EQ(ttlZero.number("status"), status::kTtlExpiredTransit) << ttlZero;
    const Probe tooBig = probe("10.200.0.2", 65508);
    EXPECT_EQ(tooBig.number("error"), status::kPacketTooBig) << tooBig;
    EXPECT_EQ(sentOnClientLink(), before);

    probe("10.200.0.2", 56, 64, 0, 0);
    EXPECT_EQ(sentOnClientLink(), before + 1) << "the counter sees a request that is sent";
}

// Other echoes to and from the same host, with identifiers of their own, must neither answer ours nor end
// the wait early.
TEST_P(IcmpEchoNamespace, UnrelatedEchoTrafficIsIgnored)
{
    QProcess noise;
    noise.start(ipProgram(), m_network->inClient(words("ping -n -q -f -s 100 -w 5 10.200.0.254")));
    ASSERT_TRUE(noise.waitForStarted(2000));
    ASSERT_FALSE(noise.waitForFinished(100)) << qPrintable(QString::fromLocal8Bit(noise.readAll()));

    const Probe answered = probe("10.200.0.254", 24);
    EXPECT_EQ(answered.number("error"), status::kSuccess) << answered;
    EXPECT_EQ(answered.number("size"), 24) << answered << " (the other echoes carry 100 bytes)";

    const Probe silent = probe("10.200.0.2", 56, 64, 0, 300);
    EXPECT_EQ(silent.number("error"), status::kRequestTimedOut) << silent;
    EXPECT_GE(silent.number("elapsed"), 295) << silent;
    noise.kill();
    noise.waitForFinished();
}

// A responder that answers after 120 ms, two hops away: the round trip measures its delay and the reply
// brings the responder's TTL less the router's hop.
TEST_P(IcmpEchoNamespace, RoundTripTimeMeasuresASlowResponder)
{
    QProcess responder;
    responder.start(ipProgram(),
                    {QStringLiteral("netns"), QStringLiteral("exec"), m_network->responder(),
                     QStringLiteral(QV_ICMP_PROBE), QStringLiteral("respond"), QStringLiteral("120")});
    ASSERT_TRUE(responder.waitForReadyRead(5000)) << "the responder did not start";
    const Probe slow = probe("10.201.0.1", 56, 64, 0, 2000);
    responder.waitForFinished(2000);
    EXPECT_EQ(slow.number("replies"), 1) << slow;
    EXPECT_EQ(slow.address(), ipv4(QStringLiteral("10.201.0.1"))) << slow;
    EXPECT_GE(slow.number("rtt"), 120) << slow;
    EXPECT_LT(slow.number("rtt"), 120 + 200) << slow;
    EXPECT_EQ(slow.number("size"), 56) << slow;
    EXPECT_EQ(slow.number("ttl"), 63) << slow << " (64 from the responder, less one hop)";
}

INSTANTIATE_TEST_SUITE_P(Mechanisms, IcmpEchoNamespace, ::testing::ValuesIn(kMechanisms), mechanismName);

// An ordinary user may open neither socket in the client namespace, so the helper, with its own
// capability, is chosen. It runs a copy of the probe: the build tree may be closed to other users.
TEST(IcmpEchoUnprivileged, HelperIsChosenAndAnswersLoopback)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (const QString reason = namespacesUnavailable(); !reason.isEmpty())
        GTEST_SKIP() << qPrintable(reason);
    if (setpriv.isEmpty())
        GTEST_SKIP() << "setpriv (util-linux) is not installed";
    const TestNetwork network;
    if (!network.failure().isEmpty())
        GTEST_SKIP() << "cannot build the test network: " << qPrintable(network.failure());

    const QString folder = qv::test::scratchDirectory();
    const QString copy = QDir(folder).filePath(QStringLiteral("icmp_echo_probe"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QV_ICMP_PROBE), copy));
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                          QFileDevice::ExeOther;
    for (const QString& path : {folder, copy})
        ASSERT_TRUE(QFile::setPermissions(path, everyone));
    const QStringList command = QStringList{setpriv} + words("--reuid=65534 --regid=65534 --clear-groups") +
                                probeArguments(copy, QStringLiteral("auto"), "127.0.0.1");
    const Probe reply = network.probe(command);
    EXPECT_EQ(reply.fields.value(QStringLiteral("mechanism")), QStringLiteral("helper")) << reply;
    EXPECT_EQ(reply.number("replies"), 1) << reply;
    EXPECT_EQ(reply.address(), ipv4(QStringLiteral("127.0.0.1"))) << reply;
}
