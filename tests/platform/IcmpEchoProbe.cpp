// icmp_echo_probe <dgram|raw|helper|auto> <address> <data size> <ttl> <flags> <timeout ms>
// Sends one echo and prints its outcome on one line of key=value pairs, "mechanism=none" when no
// mechanism opens.
// icmp_echo_probe respond <delay ms>
// Answers the first echo request that reaches this host after <delay ms>, from a raw socket, as a slow
// host would (run where the kernel's own echo replies are off).
#include "platform/IcmpEcho.h"
#include "platform/IcmpPacket.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

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

int respond(int delayMs)
{
    const int fd = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (fd < 0)
        return 3;
    std::printf("listening\n");
    std::fflush(stdout);
    QByteArray packet(65536, '\0');
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t length =
            recvfrom(fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (length < 0)
            return 4;
        const int headerLength = (packet[0] & 0x0f) * 4;
        QByteArray message = packet.mid(headerLength, length - headerLength);
        if (message.size() < icmp::kHeaderSize || std::uint8_t(message[0]) != icmp::kEchoRequest)
            continue;
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        message[0] = char(icmp::kEchoReply);
        message[2] = message[3] = 0;
        const std::uint16_t sum = icmp::checksum(message);
        message[2] = char(sum >> 8); // big-endian, as the words it sums
        message[3] = char(sum & 0xff);
        sendto(fd, message.constData(), message.size(), 0, reinterpret_cast<const sockaddr*>(&from),
               fromLength);
        return 0;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("respond"))
        return respond(arguments[2].toInt());
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
