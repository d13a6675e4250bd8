// The neighbourhood against a real Samba server that the test starts in network and PID namespaces of
// its own, and against a peer that never answers; the client side runs smb_neighbourhood_probe in a
// network namespace of its own (setns() would move only one thread of this process).
#include "platform/NetworkNeighbourhood.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

namespace {

constexpr char kSmbd[] = "/usr/sbin/smbd";
constexpr char kNmbd[] = "/usr/sbin/nmbd";
constexpr int kElectionSeconds = 40;

// server 10.211.0.1 (s0) ═ (c0) 10.211.0.2 client, which also has a neighbour 10.211.0.9 with nobody
// behind it. Without IPv6 nothing else leaves either side.
constexpr char kNetworkScript[] = R"(set -e
s=$1 c=$2
for n in $s $c; do
  ip netns add $n
  ip netns exec $n sysctl -qew net.ipv6.conf.default.disable_ipv6=1
  ip -n $n link set lo up
done
ip -n $s link add s0 type veth peer name c0 netns $c
ip -n $s address add 10.211.0.1/24 brd + dev s0
ip -n $c address add 10.211.0.2/24 brd + dev c0
ip -n $s link set s0 up
ip -n $c link set c0 up
ip -n $c neighbour add 10.211.0.9 lladdr 02:00:00:00:00:09 dev c0 nud permanent
)";

// PID 1 of the server's PID namespace: when it dies every Samba process goes with it. Samba's own
// folders are covered by empty ones, so whatever the configuration misses stays in this mount namespace.
constexpr char kServerScript[] = R"(for d in /var/lib/samba /var/cache/samba /run/samba /var/log/samba; do
  [ -d $d ] && mount -t tmpfs none $d
done
/usr/sbin/nmbd --foreground --no-process-group -s "$1" &
/usr/sbin/smbd --foreground --no-process-group -s "$1" &
wait
)";

constexpr char kConfiguration[] = R"([global]
workgroup = QVTESTGROUP
netbios name = QVSERVER
server role = standalone server
server min protocol = NT1
interfaces = s0
bind interfaces only = no
private dir = @/private
lock directory = @/lock
state directory = @/state
cache directory = @/cache
pid directory = @/pid
ncalrpc dir = @/ncalrpc
log file = @/log/log.%m
map to guest = bad user
local master = yes
preferred master = yes
domain master = no
os level = 65
printing = bsd
printcap name = /dev/null
load printers = no
disable spoolss = yes
[Files]
path = @/share
read only = yes
guest ok = yes
[Laser]
path = @/spool
printable = yes
guest ok = yes
print command = /bin/true
[Hidden$]
path = @/share
guest ok = yes
)";

struct Ran {
    bool ok = false;
    QStringList lines;
};

Ran run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished)
        process.kill();
    process.waitForFinished();
    return {finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromLocal8Bit(process.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}

QString ipProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("ip"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

// Why the server cannot run here, or empty.
QString serverUnavailable()
{
    if (geteuid() != 0)
        return QStringLiteral("creating network namespaces needs root");
    if (!QFileInfo::exists(QLatin1String(kSmbd)) || !QFileInfo::exists(QLatin1String(kNmbd)))
        return QStringLiteral("Samba (smbd, nmbd) is not installed");
    if (ipProgram().isEmpty() || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        return QStringLiteral("the ip or unshare utility is missing");
    return {};
}

// The two namespaces and the server, all gone when this ends.
class SambaNetwork {
public:
    SambaNetwork()
        : m_folder(qv::test::scratchDirectory())
    {
        const QString prefix = QStringLiteral("qv-smb-%1-").arg(QCoreApplication::applicationPid());
        m_names = {prefix + QLatin1Char('s'), prefix + QLatin1Char('c')};
        const Ran made = run(
            QStringLiteral("sh"),
            QStringList{QStringLiteral("-c"), QLatin1String(kNetworkScript), QStringLiteral("sh")} + m_names,
            10000);
        if (!made.ok) {
            m_failure = made.lines.join(QLatin1Char('\n'));
            return;
        }
        writeFolders();
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.setStandardOutputFile(folder(QStringLiteral("server.out")));
        m_server.start(ipProgram(),
                       {QStringLiteral("netns"), QStringLiteral("exec"), m_names[0],
                        QStringLiteral("unshare"), QStringLiteral("--pid"), QStringLiteral("--fork"),
                        QStringLiteral("--kill-child"), QStringLiteral("--mount-proc"), QStringLiteral("sh"),
                        QStringLiteral("-c"), QLatin1String(kServerScript), QStringLiteral("sh"),
                        folder(QStringLiteral("smb.conf"))});
        if (!m_server.waitForStarted(5000))
            m_failure = QStringLiteral("the server did not start");
    }
    ~SambaNetwork()
    {
        // SIGKILL to unshare makes it kill the namespace's first process, and that ends the namespace.
        m_server.kill();
        m_server.waitForFinished(5000);
        for (const QString& name : m_names)
            run(ipProgram(), {QStringLiteral("netns"), QStringLiteral("delete"), name}, 10000);
    }
    SambaNetwork(const SambaNetwork&) = delete;
    SambaNetwork& operator=(const SambaNetwork&) = delete;

    const QString& failure() const { return m_failure; }

    // The probe's output lines, run in the client namespace (or the server's).
    QStringList probe(const QStringList& arguments, bool inServer = false, int timeoutMs = 15000) const
    {
        const QStringList command = QStringList{QStringLiteral("netns"), QStringLiteral("exec"),
                                                m_names[inServer ? 0 : 1], QStringLiteral(QV_SMB_PROBE)} +
                                    arguments;
        return run(ipProgram(), command, timeoutMs).lines;
    }

    // The server's output and logs, for a failure message.
    std::string logs() const
    {
        QString text;
        for (const QString& name :
             {QStringLiteral("server.out"), QStringLiteral("log/log.nmbd"), QStringLiteral("log/log.smbd")}) {
            QFile file(folder(name));
            if (file.open(QIODevice::ReadOnly))
                text += QStringLiteral("--- ") + name + QLatin1Char('\n') +
                        QString::fromLocal8Bit(file.readAll());
        }
        return text.toStdString();
    }

private:
    QString folder(const QString& path) const { return QDir(m_folder).filePath(path); }

    // Guests (the anonymous client) are served as an ordinary user, who must reach the shares and the
    // server's browse list.
    void writeFolders() const
    {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
        for (const char* path : {"private", "lock", "state", "cache", "pid", "ncalrpc", "log", "spool",
                                 "share/Alpha/Inner", "share/Beta Dir"})
            QDir(m_folder).mkpath(QLatin1String(path));
        QFile file(folder(QStringLiteral("share/readme.txt")));
        file.open(QIODevice::WriteOnly);
        file.write("not a directory\n");
        QFile configuration(folder(QStringLiteral("smb.conf")));
        configuration.open(QIODevice::WriteOnly);
        configuration.write(QByteArray(kConfiguration).replace('@', m_folder.toLocal8Bit()));
    }

    QString m_folder;
    QStringList m_names;
    QString m_failure;
    QProcess m_server;
};

// A network namespace whose 127.0.0.1 listens on the SMB ports, 139 and 445, and never answers: the
// kernel completes each connection and what the client sends stays unread. Gone when this ends.
class SilentPeerNetwork {
public:
    SilentPeerNetwork()
        : m_name(QStringLiteral("qv-smb-%1-silent").arg(QCoreApplication::applicationPid()))
    {
        for (const QStringList& command :
             {QStringList{QStringLiteral("netns"), QStringLiteral("add"), m_name},
              QStringList{QStringLiteral("-n"), m_name, QStringLiteral("link"), QStringLiteral("set"),
                          QStringLiteral("lo"), QStringLiteral("up")}}) {
            if (const Ran made = run(ipProgram(), command, 10000); !made.ok) {
                m_failure = made.lines.join(QLatin1Char('\n'));
                return;
            }
        }
        // A socket belongs to the namespace it was made in; setns() moves only the thread that calls it.
        std::thread([this] { listen(); }).join();
    }
    ~SilentPeerNetwork()
    {
        for (const int listener : m_listeners)
            close(listener);
        run(ipProgram(), {QStringLiteral("netns"), QStringLiteral("delete"), m_name}, 10000);
    }
    SilentPeerNetwork(const SilentPeerNetwork&) = delete;
    SilentPeerNetwork& operator=(const SilentPeerNetwork&) = delete;

    const QString& failure() const { return m_failure; }
    const QString& name() const { return m_name; }

private:
    void listen()
    {
        const int space = open(qPrintable(QStringLiteral("/run/netns/") + m_name), O_RDONLY | O_CLOEXEC);
        const bool entered = space >= 0 && setns(space, CLONE_NEWNET) == 0;
        if (space >= 0)
            close(space);
        if (!entered) {
            m_failure =
                QStringLiteral("cannot enter the namespace: ") + QString::fromLocal8Bit(strerror(errno));
            return;
        }
        for (const std::uint16_t port : {139, 445}) {
            const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(port);
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (listener >= 0)
                m_listeners.push_back(listener);
            if (listener < 0 ||
                bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
                ::listen(listener, 16) != 0)
                m_failure = QStringLiteral("cannot listen on port %1").arg(port);
        }
    }

    QString m_name;
    QString m_failure;
    std::vector<int> m_listeners;
};

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

} // namespace

// One server for every check: its browse election alone takes some 20 s.
TEST(SmbNeighbourhoodSamba, BrowsesWorkgroupServerSharesAndDirectories)
{
    if (const QString reason = serverUnavailable(); !reason.isEmpty())
        GTEST_SKIP() << qPrintable(reason);
    const SambaNetwork network;
    if (!network.failure().isEmpty())
        GTEST_SKIP() << "cannot build the test network: " << qPrintable(network.failure());

    const QStringList found = network.probe(
        {QStringLiteral("wait"), QStringLiteral("QVTESTGROUP"), QString::number(kElectionSeconds)}, false,
        (kElectionSeconds + 10) * 1000);
    ASSERT_TRUE(found.value(0).startsWith(QLatin1String("found")))
        << found.join(QLatin1Char('\n')).toStdString() << '\n'
        << network.logs();

    // The node status names the workgroup to the server's own machine (asked of 127.0.0.1 first) and
    // across the link after an address that refuses; a silent address costs the whole second and no more.
    EXPECT_EQ(network.probe({QStringLiteral("workgroup")}, true).value(0),
              QStringLiteral("workgroup QVTESTGROUP"));
    EXPECT_EQ(
        network
            .probe({QStringLiteral("workgroup"), QStringLiteral("10.211.0.2"), QStringLiteral("10.211.0.1")})
            .value(0),
        QStringLiteral("workgroup QVTESTGROUP"));
    const QStringList silent = network.probe({QStringLiteral("workgroup"), QStringLiteral("10.211.0.9")});
    EXPECT_EQ(silent.value(0), QStringLiteral("none"));
    const int waited = silent.value(1).section(QLatin1Char(' '), 1).toInt();
    EXPECT_GE(waited, 950) << silent.join(QLatin1Char('|')).toStdString();
    EXPECT_LT(waited, 1300) << silent.join(QLatin1Char('|')).toStdString();

    const auto list = [&](const char* parent, const char* kind) {
        return sorted(network.probe({QStringLiteral("list"), QLatin1String(parent), QLatin1String(kind)}));
    };
    EXPECT_EQ(list("top", "any"), QStringList{QStringLiteral("entry 0 1 Samba")});
    EXPECT_EQ(list("Samba", "any"), QStringList{QStringLiteral("entry 0 1 QVTESTGROUP")});
    EXPECT_EQ(list("QVTESTGROUP", "any"), QStringList{QStringLiteral("entry 0 1 \\\\QVSERVER")});
    EXPECT_EQ(list("\\\\QVSERVER", "any"), (QStringList{QStringLiteral("entry 1 0 \\\\QVSERVER\\Files"),
                                                        QStringLiteral("entry 2 0 \\\\QVSERVER\\Laser")}));
    EXPECT_EQ(list("\\\\QVSERVER", "disk"), QStringList{QStringLiteral("entry 1 0 \\\\QVSERVER\\Files")});
    EXPECT_EQ(list("\\\\QVSERVER", "print"), QStringList{QStringLiteral("entry 2 0 \\\\QVSERVER\\Laser")});

    const auto dirs = [&](const char* path) {
        return sorted(network.probe({QStringLiteral("dirs"), QLatin1String(path)}));
    };
    EXPECT_EQ(dirs("\\\\QVSERVER\\Files"),
              (QStringList{QStringLiteral("dir Alpha"), QStringLiteral("dir Beta Dir")}));
    EXPECT_EQ(dirs("\\\\QVSERVER\\Files\\Alpha"), QStringList{QStringLiteral("dir Inner")});
    EXPECT_EQ(dirs("\\\\QVSERVER\\Nowhere"), QStringList{QStringLiteral("unlistable")});
}

// Port 445 alone would cost the library 2 s; on 139 it waits 20 s for each session request.
TEST(SmbNeighbourhoodSilentPeer, ListingGivesUpAtTheTimeout)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "creating network namespaces needs root";
    if (ipProgram().isEmpty())
        GTEST_SKIP() << "the ip utility is missing";
    const SilentPeerNetwork network;
    if (!network.failure().isEmpty())
        GTEST_SKIP() << "cannot build the test network: " << qPrintable(network.failure());

    const auto timeoutMs = int(std::chrono::milliseconds(qv::platform::kNeighbourhoodTimeout).count());
    QElapsedTimer timer;
    timer.start();
    const Ran listed =
        run(ipProgram(),
            {QStringLiteral("netns"), QStringLiteral("exec"), network.name(), QStringLiteral(QV_SMB_PROBE),
             QStringLiteral("list"), QStringLiteral("\\\\127.0.0.1"), QStringLiteral("any")},
            timeoutMs + 6000);
    const qint64 elapsed = timer.elapsed();
    EXPECT_TRUE(listed.ok) << "still waiting after " << elapsed << " ms";
    EXPECT_EQ(listed.lines, QStringList{QStringLiteral("error %1").arg(ETIMEDOUT)});
    EXPECT_GE(elapsed, timeoutMs - 100);
    EXPECT_LT(elapsed, timeoutMs + 3000);
}
