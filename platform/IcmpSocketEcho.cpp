#include "platform/IcmpSocketEcho.h"

#include "platform/IcmpPacket.h"

#include <QRandomGenerator>

#include <netinet/in.h>
// After netinet/in.h, which the kernel headers defer to.
#include <linux/errqueue.h>
#include <linux/icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace qv::platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDontFragment = 0x02;
constexpr int kMaxPacket = 65536;

// One echo in flight.
struct Pending {
    const EchoRequest& request;
    std::uint16_t sequence;
    Clock::time_point sent;

    std::uint32_t elapsedMs() const
    {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - sent);
        return static_cast<std::uint32_t>((elapsed.count() + 500) / 1000);
    }
};

// What one recvmsg() delivered; `bytes` points into the socket's buffer until the next read.
struct Received {
    QByteArrayView bytes;
    std::uint32_t source = 0; // for the error queue: where the failed request went
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    std::optional<sock_extended_err> error;
    std::uint32_t offender = 0;
};

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<decltype(left)>(left, 0));
}

bool setOption(int fd, int level, int name, int value)
{
    return setsockopt(fd, level, name, &value, sizeof value) == 0;
}

// A raw socket sees every ICMP message to this host: echo replies and errors for any process, and on
// loopback our own requests. Match on our identifier and sequence and on the address we asked.
std::optional<EchoOutcome> rawAnswer(const Received& received, const Pending& pending,
                                     std::uint16_t identifier)
{
    const std::optional<icmp::Packet> packet = icmp::parsePacket(received.bytes);
    if (!packet || packet->message.identifier != identifier || packet->message.sequence != pending.sequence)
        return std::nullopt;
    const icmp::Message& message = packet->message;
    if (message.type == icmp::kEchoReply && packet->source == pending.request.address)
        return icmp::answered({.address = packet->source,
                               .roundTripTime = pending.elapsedMs(),
                               .dataSize = static_cast<std::uint16_t>(message.dataSize),
                               .ttl = packet->ttl,
                               .tos = packet->tos,
                               .flags = packet->flags});
    if (icmp::isError(message.type) && message.quotedDestination == pending.request.address)
        return icmp::failure(icmp::statusForIcmpError(message.type, message.code), packet->source);
    return std::nullopt;
}

// The kernel matches replies to a datagram socket on its identifier; the sequence and address remain.
std::optional<EchoOutcome> datagramAnswer(const Received& received, const Pending& pending)
{
    const std::optional<icmp::Message> message = icmp::parseMessage(received.bytes);
    if (!message || message->type != icmp::kEchoReply || message->sequence != pending.sequence ||
        received.source != pending.request.address)
        return std::nullopt;
    return icmp::answered({.address = received.source,
                           .roundTripTime = pending.elapsedMs(),
                           .dataSize = static_cast<std::uint16_t>(message->dataSize),
                           .ttl = received.ttl,
                           .tos = received.tos});
}

// An ICMP error, or a local one, from a datagram socket's error queue. Its data is the request it
// concerns, where the kernel kept it.
std::optional<EchoOutcome> queuedError(const Received& received, const Pending& pending)
{
    if (!received.error || received.source != pending.request.address)
        return std::nullopt;
    const sock_extended_err& error = *received.error;
    if (error.ee_origin == SO_EE_ORIGIN_LOCAL)
        return icmp::failure(icmp::statusForErrno(static_cast<int>(error.ee_errno)));
    if (error.ee_origin != SO_EE_ORIGIN_ICMP)
        return std::nullopt;
    const std::optional<icmp::Message> request = icmp::parseMessage(received.bytes);
    if (request && request->type == icmp::kEchoRequest && request->sequence != pending.sequence)
        return std::nullopt;
    return icmp::failure(icmp::statusForIcmpError(error.ee_type, error.ee_code), received.offender);
}

class SocketEcho final : public IcmpEcho {
public:
    SocketEcho(int fd, EchoMechanism mechanism)
        : m_fd(fd)
        , m_mechanism(mechanism)
        , m_identifier(static_cast<std::uint16_t>(QRandomGenerator::global()->generate()))
        , m_buffer(kMaxPacket, '\0')
    {
    }
    ~SocketEcho() override { ::close(m_fd); }
    SocketEcho(const SocketEcho&) = delete;
    SocketEcho& operator=(const SocketEcho&) = delete;

    // Raw: let only echo replies and errors through. Datagram: errors through the error queue, and the
    // TTL and TOS of each reply.
    bool configure() const
    {
        if (m_mechanism == EchoMechanism::Raw) {
            const icmp_filter filter{
                ~(1u << icmp::kEchoReply | 1u << icmp::kDestinationUnreachable | 1u << icmp::kTimeExceeded)};
            return setsockopt(m_fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter) == 0;
        }
        return setOption(m_fd, SOL_IP, IP_RECVERR, 1) && setOption(m_fd, SOL_IP, IP_RECVTTL, 1) &&
               setOption(m_fd, SOL_IP, IP_RECVTOS, 1);
    }

    EchoMechanism mechanism() const override { return m_mechanism; }

    EchoOutcome send(const EchoRequest& request) override
    {
        if (const std::optional<EchoOutcome> refused = icmp::refusal(request))
            return *refused;
        discardPending();
        if (!applyOptions(request))
            return icmp::failure(echo_status::kGeneralFailure);
        const Pending pending{request, ++m_sequence, Clock::now()};
        const QByteArray packet = icmp::echoRequest(m_identifier, pending.sequence, request.data);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = request.address;
        if (sendto(m_fd, packet.constData(), static_cast<size_t>(packet.size()), 0,
                   reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
            return icmp::failure(icmp::statusForErrno(errno));
        return await(pending);
    }

private:
    bool applyOptions(const EchoRequest& request) const
    {
        const int discovery = request.flags & kDontFragment ? IP_PMTUDISC_DO : IP_PMTUDISC_DONT;
        return setOption(m_fd, SOL_IP, IP_TTL, request.ttl & 0xff) &&
               setOption(m_fd, SOL_IP, IP_MTU_DISCOVER, discovery);
    }

    // Answers to earlier requests that came after their deadline must not pass for this one's.
    void discardPending()
    {
        while (receive(MSG_ERRQUEUE)) {
        }
        clearSocketError();
        while (receive(0)) {
        }
    }

    // An ICMP error may leave an error pending on the socket, which poll() reports until it is read.
    void clearSocketError() const
    {
        int error = 0;
        socklen_t size = sizeof error;
        getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size);
    }

    // Waits until the answer or the deadline; a timeout of 0 or less looks once without waiting.
    EchoOutcome await(const Pending& pending)
    {
        const Clock::time_point deadline =
            pending.sent + std::chrono::milliseconds(std::max(pending.request.timeoutMs, 0));
        for (;;) {
            const int wait = millisecondsUntil(deadline);
            pollfd watch{m_fd, POLLIN, 0};
            const int ready = poll(&watch, 1, wait);
            if (ready < 0 && errno != EINTR)
                return icmp::failure(echo_status::kGeneralFailure);
            if (ready > 0) {
                if (std::optional<EchoOutcome> outcome = readAnswers(pending))
                    return *outcome;
                if (watch.revents & POLLERR)
                    if (std::optional<EchoOutcome> outcome = readErrors(pending))
                        return *outcome;
            }
            if (wait == 0)
                return icmp::failure(echo_status::kRequestTimedOut);
        }
    }

    std::optional<EchoOutcome> readAnswers(const Pending& pending)
    {
        while (const std::optional<Received> received = receive(0)) {
            const std::optional<EchoOutcome> outcome = m_mechanism == EchoMechanism::Raw
                                                           ? rawAnswer(*received, pending, m_identifier)
                                                           : datagramAnswer(*received, pending);
            if (outcome)
                return outcome;
        }
        return std::nullopt;
    }

    std::optional<EchoOutcome> readErrors(const Pending& pending)
    {
        while (const std::optional<Received> received = receive(MSG_ERRQUEUE))
            if (std::optional<EchoOutcome> outcome = queuedError(*received, pending))
                return outcome;
        clearSocketError();
        return std::nullopt;
    }

    // One message without waiting; nullopt when none is there (or a pending error was reported instead).
    std::optional<Received> receive(int flags)
    {
        sockaddr_in from{};
        iovec data{m_buffer.data(), static_cast<size_t>(m_buffer.size())};
        msghdr message{};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = m_control;
        message.msg_controllen = sizeof m_control;
        const ssize_t size = recvmsg(m_fd, &message, flags | MSG_DONTWAIT);
        if (size < 0)
            return std::nullopt;
        Received received;
        received.bytes = QByteArrayView(m_buffer.constData(), size);
        received.source = from.sin_addr.s_addr;
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header))
            readControl(*header, received);
        return received;
    }

    static void readControl(cmsghdr& header, Received& received)
    {
        if (header.cmsg_level != SOL_IP)
            return;
        const unsigned char* data = CMSG_DATA(&header);
        if (header.cmsg_type == IP_TTL) {
            int ttl = 0;
            std::memcpy(&ttl, data, sizeof ttl);
            received.ttl = static_cast<std::uint8_t>(ttl);
        } else if (header.cmsg_type == IP_TOS) {
            received.tos = *data;
        } else if (header.cmsg_type == IP_RECVERR) {
            const auto* error = reinterpret_cast<const sock_extended_err*>(data);
            received.error = *error;
            sockaddr_in offender{};
            std::memcpy(&offender, SO_EE_OFFENDER(error), sizeof offender);
            received.offender = offender.sin_addr.s_addr;
        }
    }

    int m_fd;
    EchoMechanism m_mechanism;
    std::uint16_t m_identifier; // raw only: the kernel sets a datagram socket's
    std::uint16_t m_sequence = 0;
    QByteArray m_buffer;
    alignas(cmsghdr) unsigned char m_control[512] = {};
};

} // namespace

std::unique_ptr<IcmpEcho> openSocketEcho(EchoMechanism mechanism)
{
    const int type = mechanism == EchoMechanism::Raw ? SOCK_RAW : SOCK_DGRAM;
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0)
        return nullptr;
    auto echo = std::make_unique<SocketEcho>(fd, mechanism);
    if (!echo->configure())
        return nullptr;
    return echo;
}

} // namespace qv::platform
