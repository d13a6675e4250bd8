#include "platform/IcmpHelperEcho.h"

#include "platform/IcmpPacket.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv::platform {

namespace {

constexpr const char* kPrograms[] = {"/usr/bin/ping", "/bin/ping"};
constexpr int kDontFragment = 0x02;
constexpr int kPatternBytes = 16; // the most the helper's -p takes
constexpr int kGraceMs = 2000;

QString dotted(std::uint32_t address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

std::uint32_t parseAddress(const QString& text)
{
    in_addr address{};
    inet_pton(AF_INET, text.toLatin1().constData(), &address);
    return address.s_addr;
}

// The helper takes fractional seconds down to 0.001, so a timeout of 0 or less waits 1 ms; its -W 0 would
// wait for ever. A version that reads whole seconds only is still bounded by the kill in send().
QString waitSeconds(int timeoutMs)
{
    return QString::number(std::max(timeoutMs, 1) / 1000.0, 'g', 10);
}

// The text after "From <router> icmp_seq=1". Every other report the helper makes for an echo is a kind of
// unreachable destination (filtered, prohibited, fragmentation needed…).
std::uint32_t statusForReport(const QString& report)
{
    static const std::pair<const char*, std::uint32_t> kReports[] = {
        {"Destination Net Unreachable", echo_status::kDestinationNetUnreachable},
        {"Destination Host Unreachable", echo_status::kDestinationHostUnreachable},
        {"Destination Protocol Unreachable", echo_status::kDestinationProtocolUnreachable},
        {"Destination Port Unreachable", echo_status::kDestinationPortUnreachable},
    };
    for (const auto& [text, status] : kReports)
        if (report == QLatin1String(text))
            return status;
    if (report.contains(QLatin1String("exceeded")))
        return echo_status::kTtlExpiredTransit;
    return echo_status::kDestinationHostUnreachable;
}

// Errors the helper's own sendto() or connect() met, reported on standard error after its own path.
std::optional<std::uint32_t> localError(const QString& output)
{
    static const std::pair<const char*, std::uint32_t> kErrors[] = {
        {"Network is unreachable", echo_status::kDestinationNetUnreachable},
        {"No route to host", echo_status::kDestinationHostUnreachable},
        {"message too long", echo_status::kPacketTooBig},
    };
    static const QRegularExpression errorLine(QStringLiteral(R"(^\S*ping: .*$)"),
                                              QRegularExpression::MultilineOption);
    for (auto lines = errorLine.globalMatch(output); lines.hasNext();) {
        const QString line = lines.next().captured();
        for (const auto& [text, status] : kErrors)
            if (line.contains(QLatin1String(text), Qt::CaseInsensitive))
                return status;
    }
    return std::nullopt;
}

class HelperEcho final : public IcmpEcho {
public:
    explicit HelperEcho(QString program)
        : m_program(std::move(program))
    {
    }

    EchoMechanism mechanism() const override { return EchoMechanism::Helper; }

    EchoOutcome send(const EchoRequest& request) override
    {
        if (const std::optional<EchoOutcome> refused = icmp::refusal(request))
            return *refused;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer timer;
        timer.start();
        process.start(m_program, helperArguments(request));
        if (!process.waitForStarted(kGraceMs))
            return icmp::failure(echo_status::kGeneralFailure);
        const qint64 limit = std::max(request.timeoutMs, 0) + kGraceMs;
        HelperRun run;
        run.finished =
            process.waitForFinished(static_cast<int>(std::max<qint64>(limit - timer.elapsed(), 0)));
        run.measuredMs = static_cast<std::uint32_t>(timer.elapsed());
        if (!run.finished) {
            process.kill();
            process.waitForFinished(kGraceMs);
        }
        run.output = QString::fromLocal8Bit(process.readAll());
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return helperOutcome(run);
    }

private:
    QString m_program;
};

} // namespace

std::unique_ptr<IcmpEcho> openHelperEcho()
{
    for (const char* program : kPrograms)
        if (access(program, X_OK) == 0)
            return std::make_unique<HelperEcho>(QString::fromLatin1(program));
    return nullptr;
}

// The helper cannot send our data: it fills the echo with the pattern given by -p (our first 16 bytes)
// repeated, and from 16 bytes on puts its own timestamp first. Only the size is ours.
QStringList helperArguments(const EchoRequest& request)
{
    QStringList arguments{QStringLiteral("-n"),
                          QStringLiteral("-c"),
                          QStringLiteral("1"),
                          QStringLiteral("-s"),
                          QString::number(request.data.size()),
                          QStringLiteral("-t"),
                          QString::number(request.ttl & 0xff),
                          QStringLiteral("-W"),
                          waitSeconds(request.timeoutMs)};
    if (!request.data.isEmpty())
        arguments << QStringLiteral("-p")
                  << QString::fromLatin1(
                         request.data.first(std::min<qsizetype>(request.data.size(), kPatternBytes)).toHex());
    arguments << QStringLiteral("-M")
              << (request.flags & kDontFragment ? QStringLiteral("do") : QStringLiteral("dont"))
              << dotted(request.address);
    return arguments;
}

EchoOutcome helperOutcome(const HelperRun& run)
{
    // "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.051 ms"; no time below 16 bytes of data.
    static const QRegularExpression replyLine(
        QStringLiteral(R"(^(\d+) bytes from ([0-9.]+): icmp_seq=\d+ ttl=(\d+)(?: time=([0-9.]+) ms)?)"),
        QRegularExpression::MultilineOption);
    // "From 10.0.0.254 icmp_seq=1 Time to live exceeded"
    static const QRegularExpression reportLine(QStringLiteral(R"(^From ([0-9.]+) icmp_seq=\d+ (.+)$)"),
                                               QRegularExpression::MultilineOption);
    if (const QRegularExpressionMatch reply = replyLine.match(run.output); reply.hasMatch()) {
        const QString time = reply.captured(4);
        return icmp::answered(
            {.address = parseAddress(reply.captured(2)),
             .roundTripTime =
                 time.isEmpty() ? run.measuredMs : static_cast<std::uint32_t>(std::lround(time.toDouble())),
             .dataSize =
                 static_cast<std::uint16_t>(std::max(reply.captured(1).toInt() - icmp::kHeaderSize, 0)),
             .ttl = static_cast<std::uint8_t>(reply.captured(3).toUInt())});
    }
    if (const QRegularExpressionMatch report = reportLine.match(run.output); report.hasMatch())
        return icmp::failure(statusForReport(report.captured(2).trimmed()), parseAddress(report.captured(1)));
    if (!run.finished)
        return icmp::failure(echo_status::kRequestTimedOut);
    if (const std::optional<std::uint32_t> status = localError(run.output))
        return icmp::failure(*status);
    // It ends with 1 when nothing came back, and with 2 on other errors.
    return icmp::failure(run.exitCode == 1 ? echo_status::kRequestTimedOut : echo_status::kGeneralFailure);
}

} // namespace qv::platform
