#include "platform/NetBiosStatus.h"

#include <QRandomGenerator>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace qv::platform::netbios {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kHeaderSize = 12;
constexpr int kRecordHeader = 10; // type, class, TTL, data length
constexpr int kNameLength = 15;   // then the suffix byte
constexpr int kEntrySize = 18;    // name, suffix, 2 bytes of flags
constexpr std::uint16_t kTypeNodeStatus = 0x21;
constexpr std::uint16_t kClassInternet = 1;
constexpr std::uint16_t kResponse = 0x8000;
constexpr std::uint16_t kGroupName = 0x8000;
constexpr std::uint8_t kWorkgroupSuffix = 0x1E;

std::uint16_t word(const QByteArray& data, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) << 8 |
                                      static_cast<std::uint8_t>(data[at + 1]));
}

void appendWord(QByteArray& data, std::uint16_t value)
{
    data.append(static_cast<char>(value >> 8));
    data.append(static_cast<char>(value & 0xFF));
}

// The offset after the encoded name at `at` (labels, or a compression pointer), or -1 when it runs over.
qsizetype skipName(const QByteArray& data, qsizetype at)
{
    while (at < data.size()) {
        const auto length = static_cast<std::uint8_t>(data[at]);
        if (length == 0)
            return at + 1;
        if ((length & 0xC0) == 0xC0)
            return at + 2 <= data.size() ? at + 2 : -1;
        at += 1 + length;
    }
    return -1;
}

QString nameText(const QByteArray& entry)
{
    QByteArray name = entry.left(kNameLength);
    while (!name.isEmpty() && (name.endsWith(' ') || name.endsWith('\0')))
        name.chop(1);
    return QString::fromLatin1(name);
}

// A UDP socket connected to the name service of `address`, or -1.
int connectedSocket(std::uint32_t address)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kNameServicePort);
    to.sin_addr.s_addr = address;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
        return fd;
    close(fd);
    return -1;
}

// The response to request `id` that arrives before `deadline`; nullopt when none does or the address
// refuses (nobody listens there).
std::optional<QByteArray> awaitAnswer(int fd, std::uint16_t id, Clock::time_point deadline)
{
    std::array<char, 2048> buffer{};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd wait{fd, POLLIN, 0};
        if (left <= 0 || poll(&wait, 1, static_cast<int>(left)) <= 0)
            return std::nullopt;
        const ssize_t length = recv(fd, buffer.data(), buffer.size(), 0);
        if (length < 0)
            return std::nullopt;
        QByteArray answer(buffer.data(), length);
        if (answers(answer, id))
            return answer;
    }
}

std::optional<QString> askOne(std::uint32_t address, Clock::time_point deadline)
{
    const int fd = connectedSocket(address);
    if (fd < 0)
        return std::nullopt;
    const auto id = static_cast<std::uint16_t>(QRandomGenerator::global()->bounded(0x10000));
    const QByteArray request = nodeStatusRequest(id);
    std::optional<QByteArray> answer;
    if (send(fd, request.constData(), request.size(), 0) == request.size())
        answer = awaitAnswer(fd, id, deadline);
    close(fd);
    return answer ? workgroupIn(*answer) : std::nullopt;
}

} // namespace

QByteArray nodeStatusRequest(std::uint16_t transactionId)
{
    QByteArray request;
    appendWord(request, transactionId);
    for (const std::uint16_t value : {0, 1, 0, 0, 0}) // flags: a query; one question
        appendWord(request, value);
    std::array<std::uint8_t, 16> name{'*'};
    request.append(char(32));
    for (const std::uint8_t byte : name) {
        request.append(static_cast<char>('A' + (byte >> 4)));
        request.append(static_cast<char>('A' + (byte & 0x0F)));
    }
    request.append('\0');
    appendWord(request, kTypeNodeStatus);
    appendWord(request, kClassInternet);
    return request;
}

bool answers(const QByteArray& answer, std::uint16_t transactionId)
{
    return answer.size() >= kHeaderSize && word(answer, 0) == transactionId && (word(answer, 2) & kResponse);
}

std::optional<QString> workgroupIn(const QByteArray& answer)
{
    if (answer.size() < kHeaderSize || (word(answer, 2) & 0x000F) != 0 || word(answer, 6) == 0)
        return std::nullopt; // an error code, or no answer record
    const qsizetype record = skipName(answer, kHeaderSize);
    const qsizetype data = record + kRecordHeader; // the number of names, then the names
    if (record < 0 || data >= answer.size() || word(answer, record) != kTypeNodeStatus)
        return std::nullopt;
    const qsizetype end = std::min<qsizetype>(answer.size(), data + word(answer, data - 2));
    const int count = static_cast<std::uint8_t>(answer[data]);
    std::optional<QString> workgroup;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = data + 1 + qsizetype(i) * kEntrySize;
        if (at + kEntrySize > end)
            return std::nullopt;
        const QByteArray entry = answer.mid(at, kEntrySize);
        if (static_cast<std::uint8_t>(entry[kNameLength]) == kWorkgroupSuffix &&
            (word(entry, kNameLength + 1) & kGroupName))
            workgroup = nameText(entry);
    }
    return workgroup;
}

std::optional<QString> queryWorkgroup(const QList<std::uint32_t>& addresses, std::chrono::milliseconds budget)
{
    const Clock::time_point deadline = Clock::now() + budget;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            break;
        if (std::optional<QString> workgroup =
                askOne(addresses[i], now + (deadline - now) / (addresses.size() - i)))
            return workgroup;
    }
    return std::nullopt;
}

} // namespace qv::platform::netbios
