// icmp_echo_probe <dgram|raw|helper|auto> <address> <data size> <ttl> <flags> <timeout ms>
// Sends one echo and prints its outcome on one line of key=value pairs, "mechanism=none" when no
// mechanism opens.
#include "platform/IcmpEcho.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <arpa/inet.h>

#include <cstdio>

using namespace qv::platform;

namespace {

QString dotted(std::uint32_t address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

void print(const IcmpEcho& echo, const EchoOutcome& outcome, qint64 elapsedMs)
{
    const EchoReply& reply = outcome.reply;
    std::printf("mechanism=%s replies=%d error=%u address=%s status=%u rtt=%u size=%u ttl=%u tos=%u flags=%u "
                "elapsed=%lld\n",
                qPrintable(echoMechanismName(echo.mechanism())), outcome.replies, outcome.errorCode,
                qPrintable(dotted(reply.address)), reply.status, reply.roundTripTime, reply.dataSize,
                reply.ttl, reply.tos, reply.flags, static_cast<long long>(elapsedMs));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    in_addr address{};
    if (arguments.size() != 7 || inet_pton(AF_INET, qPrintable(arguments[2]), &address) != 1) {
        std::fprintf(stderr, "usage: icmp_echo_probe <dgram|raw|helper|auto> <address> <size> <ttl> <flags> "
                             "<timeout ms>\n");
        return 2;
    }
    const std::unique_ptr<IcmpEcho> echo = openIcmpEcho(echoMechanismFromName(arguments[1]));
    if (!echo) {
        std::printf("mechanism=none\n");
        return 3;
    }
    EchoRequest request;
    request.address = address.s_addr;
    request.data.resize(arguments[3].toInt());
    for (qsizetype i = 0; i < request.data.size(); ++i)
        request.data[i] = static_cast<char>('a' + i % 26);
    request.ttl = arguments[4].toInt();
    request.flags = arguments[5].toInt();
    request.timeoutMs = arguments[6].toInt();
    QElapsedTimer timer;
    timer.start();
    const EchoOutcome outcome = echo->send(request);
    print(*echo, outcome, timer.elapsed());
    return 0;
}
