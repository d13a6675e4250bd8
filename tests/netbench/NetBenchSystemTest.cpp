// The network benchmark between two network namespaces of the test's own, joined by a veth pair whose
// rate tbf limits: `quorvex-cli serve` runs in one, the client engine on a thread that entered the other.
#include "bench/net/NetBenchmark.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace {

namespace bn = qv::bench::net;
using namespace std::chrono_literals;

// client 10.211.0.1 fd00:211::1 (qv0) ═ (qv1) 10.211.0.2 fd00:211::2 server; $3, when given, is the tbf
// rate of each direction.
constexpr char kPairScript[] = R"(set -e
c=$1 s=$2 rate=$3
for n in $c $s; do ip netns add $n; ip -n $n link set lo up; done
ip -n $c link add qv0 type veth peer name qv1 netns $s
ip -n $c address add 10.211.0.1/24 dev qv0
ip -n $s address add 10.211.0.2/24 dev qv1
ip -n $c address add fd00:211::1/64 dev qv0 nodad
ip -n $s address add fd00:211::2/64 dev qv1 nodad
ip -n $c link set qv0 up
ip -n $s link set qv1 up
if [ -n "$rate" ]; then
  tc -n $c qdisc add dev qv0 root tbf rate $rate burst 64kb latency 50ms
  tc -n $s qdisc add dev qv1 root tbf rate $rate burst 64kb latency 50ms
fi
)";

QString ipProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("ip"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

bool runQuietly(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Two namespaces joined by a veth pair, deleted (with their links) when the object goes.
class NamespacePair {
public:
    explicit NamespacePair(const QString& rate)
    {
        static int count = 0;
        const QString prefix =
            QStringLiteral("qv-net-%1-%2-").arg(QCoreApplication::applicationPid()).arg(++count);
        m_client = prefix + QLatin1Char('c');
        m_server = prefix + QLatin1Char('s');
        QString output;
        if (!runQuietly(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), QLatin1String(kPairScript), QStringLiteral("sh"), m_client,
                         m_server, rate},
                        &output))
            m_failure = output.trimmed();
    }
    ~NamespacePair()
    {
        for (const QString& name : {m_client, m_server})
            runQuietly(ipProgram(), {QStringLiteral("netns"), QStringLiteral("delete"), name});
    }
    NamespacePair(const NamespacePair&) = delete;
    NamespacePair& operator=(const NamespacePair&) = delete;

    const QString& failure() const { return m_failure; }
    const QString& client() const { return m_client; }
    const QString& server() const { return m_server; }

    // Runs `work` on a thread inside the client namespace; the threads it starts live there too.
    template<typename Work>
    auto inClient(Work work) const
    {
        const std::string path = "/run/netns/" + m_client.toStdString();
        return std::async(std::launch::async, [path, work] {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 || ::setns(fd, CLONE_NEWNET) != 0)
                throw std::runtime_error("cannot enter " + path);
            ::close(fd);
            return work();
        });
    }

private:
    QString m_client;
    QString m_server;
    QString m_failure;
};

// `quorvex-cli serve` in the server namespace, ended with SIGTERM (as Ctrl+C) when the object goes.
class Server {
public:
    explicit Server(const NamespacePair& pair)
    {
        m_process.start(ipProgram(), {QStringLiteral("netns"), QStringLiteral("exec"), pair.server(),
                                      QStringLiteral(QV_CLI_PROGRAM), QStringLiteral("serve"),
                                      QStringLiteral("--bind"), QStringLiteral("::")});
        m_started = m_process.waitForReadyRead(10000) && m_process.readLine().startsWith("Listening on ::");
    }
    ~Server()
    {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_process.processId()), SIGCONT);
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    bool started() const { return m_started; }
    void signal(int number) { ::kill(pid_t(m_process.processId()), number); }
    // Ends it as Ctrl+C does; true when it then ended by itself with status 0. Its output is `log`.
    bool interrupt(QString& log)
    {
        signal(SIGINT);
        const bool ended = m_process.waitForFinished(5000) &&
                           m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        log = QString::fromLocal8Bit(m_process.readAllStandardOutput());
        return ended;
    }

private:
    QProcess m_process;
    bool m_started = false;
};

QString namespacesUnavailable()
{
    if (::geteuid() != 0)
        return QStringLiteral("creating network namespaces needs root");
    if (ipProgram().isEmpty())
        return QStringLiteral("the ip utility (iproute2) is not installed");
    return {};
}

bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

struct Shaped {
    const char* name;
    const char* host;
    int streams;
};

class ShapedLink : public testing::TestWithParam<Shaped> {};

// Both directions over a link tbf holds to 100 Mbit/s: the receiver counts what TCP carried, a little
// under the rate (headers), never over it.
TEST_P(ShapedLink, ThroughputFollowsTheRate)
{
    if (const QString why = namespacesUnavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const NamespacePair pair(QStringLiteral("100mbit"));
    if (!pair.failure().isEmpty())
        GTEST_SKIP() << "cannot make the shaped pair: " << pair.failure().toStdString();
    Server server(pair);
    ASSERT_TRUE(server.started());
    bn::NetSettings settings;
    settings.host = GetParam().host;
    settings.streams = GetParam().streams;
    settings.duration = 2000ms;
    settings.roundTrips = 20;
    const bn::NetResult result = pair.inClient([settings] {
                                         const std::atomic<bool> stop = false;
                                         return bn::runNetBenchmark(settings, stop);
                                     })
                                     .get();
    ASSERT_FALSE(result.partial()) << result.error;
    EXPECT_EQ(result.address, GetParam().host);
    ASSERT_TRUE(result.latency);
    EXPECT_GT(result.latency->medianMs, 0);
    if (!sanitized()) {
        EXPECT_NEAR(*result.downloadMbps, 100, 10);
        EXPECT_NEAR(*result.uploadMbps, 100, 10);
    }
    QString log;
    EXPECT_TRUE(server.interrupt(log)) << "serve did not end cleanly on Ctrl+C";
    EXPECT_TRUE(log.contains(QStringLiteral(": download %1 stream").arg(GetParam().streams)))
        << log.toStdString();
    EXPECT_EQ(log.count(QLatin1Char('\n')), 1) << "one line per session: " << log.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Links, ShapedLink,
                         testing::Values(Shaped{"OneStreamOverIpv4", "10.211.0.2", 1},
                                         Shaped{"FourStreamsOverIpv6", "fd00:211::2", 4}),
                         qv::test::RowName());

TEST(ServerInNamespace, ThatStopsAnsweringMidRunLeavesPartialFigures)
{
    if (const QString why = namespacesUnavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const NamespacePair pair(QString{});
    if (!pair.failure().isEmpty())
        GTEST_SKIP() << "cannot make the pair: " << pair.failure().toStdString();
    Server server(pair);
    ASSERT_TRUE(server.started());
    bn::NetSettings settings;
    settings.host = "10.211.0.2";
    settings.duration = 5000ms;
    settings.peerTimeout = 1000ms;
    std::atomic<bool> paused = false;
    const bn::NetResult result =
        pair.inClient([&] {
                const std::atomic<bool> stop = false;
                return bn::runNetBenchmark(settings, stop, [&](const bn::NetProgress& progress) {
                    if (progress.phase == bn::NetPhase::Download && progress.mbps > 0 &&
                        !paused.exchange(true))
                        server.signal(SIGSTOP);
                });
            })
            .get();
    EXPECT_TRUE(result.partial());
    EXPECT_EQ(result.error, "10.211.0.2 stopped sending during the download");
    EXPECT_GT(result.downloadBytes, 0);
    EXPECT_FALSE(result.uploadMbps);
}

// netem delays each direction by 15 ms where the kernel has it (this one has not: sch_netem is missing).
TEST(ServerInNamespace, RoundTripsFollowTheNetemDelay)
{
    if (const QString why = namespacesUnavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const NamespacePair pair(QString{});
    if (!pair.failure().isEmpty())
        GTEST_SKIP() << "cannot make the pair: " << pair.failure().toStdString();
    QString output;
    for (const auto& [name, device] : {std::pair{pair.client(), "qv0"}, std::pair{pair.server(), "qv1"}}) {
        if (!runQuietly(QStringLiteral("tc"),
                        {QStringLiteral("-n"), name, QStringLiteral("qdisc"), QStringLiteral("add"),
                         QStringLiteral("dev"), QLatin1String(device), QStringLiteral("root"),
                         QStringLiteral("netem"), QStringLiteral("delay"), QStringLiteral("15ms")},
                        &output))
            GTEST_SKIP() << "the kernel has no netem: " << output.trimmed().toStdString();
    }
    Server server(pair);
    ASSERT_TRUE(server.started());
    bn::NetSettings settings;
    settings.host = "10.211.0.2";
    settings.duration = 1000ms;
    settings.roundTrips = 20;
    const bn::NetResult result = pair.inClient([settings] {
                                         const std::atomic<bool> stop = false;
                                         return bn::runNetBenchmark(settings, stop);
                                     })
                                     .get();
    ASSERT_FALSE(result.partial()) << result.error;
    ASSERT_TRUE(result.latency);
    EXPECT_GE(result.latency->medianMs, 30.0);
}

} // namespace
