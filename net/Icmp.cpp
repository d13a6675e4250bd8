#include "net/Icmp.h"

#include "platform/AsyncLookup.h"
#include "platform/ExceptionGuard.h"
#include "platform/NameResolver.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <system_error>

namespace qv::net {

namespace {

struct StatusText {
    std::uint32_t code;
    const char* text;
};

constexpr std::array kStatusTexts{
    StatusText{0, "No error"},
    StatusText{11001, "Buffer too small"},
    StatusText{11002, "Destination network unreachable"},
    StatusText{11003, "Destination host unreachable"},
    StatusText{11004, "Destination protocol unreachable"},
    StatusText{11005, "Destination port unreachable"},
    StatusText{11006, "No resources"},
    StatusText{11007, "Bad option"},
    StatusText{11008, "Hardware error"},
    StatusText{11009, "Packet too big"},
    StatusText{11010, "Request timed out"},
    StatusText{11011, "Bad request"},
    StatusText{11012, "Bad route"},
    StatusText{11013, "TTL expired in transit"},
    StatusText{11014, "TTL expired in reassembly"},
    StatusText{11015, "Parameter problem"},
    StatusText{11016, "Source quench"},
    StatusText{11017, "Option too big"},
    StatusText{11018, "Bad Destination"},
    StatusText{11019, "Address deleted"},
    StatusText{11020, "Spec MTU change"},
    StatusText{11021, "MTU change"},
    StatusText{11050, "General failure"},
    StatusText{11255, "Pending"},
};

// The echo data: the payload text over `size` spaces.
QByteArray echoData(int size)
{
    QByteArray data(size, ' ');
    std::memcpy(data.data(), kEchoPayload, std::min<std::size_t>(size, sizeof kEchoPayload - 1));
    return data;
}

TIcmpEchoReply replyRecord(const platform::EchoReply& reply)
{
    TIcmpEchoReply record;
    record.Address = reply.address;
    record.Status = reply.status;
    record.RTT = reply.roundTripTime;
    record.DataSize = reply.dataSize;
    record.Ttl = reply.ttl;
    record.Tos = reply.tos;
    record.Flags = reply.flags;
    return record;
}

} // namespace

QString IcmpStatusText(std::uint32_t code)
{
    for (const StatusText& status : kStatusTexts)
        if (status.code == code)
            return QString::fromLatin1(status.text);
    return QStringLiteral("ICMP error #%1").arg(code);
}

TICMP::TICMP(std::optional<platform::EchoMechanism> forced)
    : m_echo(platform::openIcmpEcho(forced))
{
    if (!m_echo)
        throw TICMPException("Unable to get ping handle");
}

TICMP::~TICMP() = default;

void TICMP::setAddress(const QString& address)
{
    if (address == m_address)
        return;
    m_address = address;
    m_resolved = false;
}

int TICMP::Ping()
{
    m_errorCode = 0;
    if (!m_resolved)
        resolve();
    if (m_resolvedAddress == platform::kInvalidAddress) {
        m_errorCode = kBadDestination;
        display(QStringLiteral("Invalid host address"));
        return 0;
    }
    // A size the record cannot carry is refused before anything is built.
    if (Size < 0 || Size > 0xFFFF) {
        m_errorCode = platform::echo_status::kPacketTooBig;
        return 0;
    }
    platform::EchoRequest request;
    request.address = m_resolvedAddress;
    request.data = echoData(Size);
    request.ttl = TTL & 0xFF;
    request.flags = Flags & 0xFF;
    request.timeoutMs = Timeout;
    m_reply = {};
    if (OnEchoRequest)
        OnEchoRequest(this);
    const platform::EchoOutcome outcome = m_echo->send(request);
    m_errorCode = outcome.errorCode;
    m_reply = replyRecord(outcome.reply);
    if (OnEchoReply)
        OnEchoReply(this, outcome.replies);
    return outcome.replies;
}

// A dotted address is taken as it is; a name is resolved here, blocking. A failure leaves the target
// unresolved, so the next Ping tries again.
void TICMP::resolve()
{
    m_resolvedAddress = platform::parseInetAddr(m_address);
    if (m_resolvedAddress != platform::kInvalidAddress) {
        m_hostName = m_address;
    } else {
        const platform::HostEntry entry = platform::nameResolver()->byName(m_address);
        if (entry.error != 0 || entry.addresses.isEmpty()) {
            m_errorCode = entry.error != 0 ? entry.error : platform::resolver_error::kNoData;
            display(QStringLiteral("Unable to resolve ") + m_address);
            return;
        }
        m_resolvedAddress = entry.addresses.front();
        m_hostName = entry.officialName;
    }
    m_hostIP = platform::dottedAddress(m_resolvedAddress);
    m_resolved = true;
}

void TICMP::display(const QString& message)
{
    if (OnDisplay)
        OnDisplay(this, message);
}

TPing::TPing(QObject* owner, std::optional<platform::EchoMechanism> forced)
    : QObject(owner)
    , m_icmp(std::make_unique<TICMP>(forced))
    , m_lookups(
          new platform::AsyncLookup([this](const platform::HostEntry& entry) { lookupDone(entry); }, this))
{
    m_icmp->OnDisplay = [this](TICMP* icmp, const QString& message) {
        if (OnDisplay)
            OnDisplay(this, icmp, message);
    };
    m_icmp->OnEchoRequest = [this](TICMP* icmp) {
        if (OnEchoRequest)
            OnEchoRequest(this, icmp);
    };
    m_icmp->OnEchoReply = [this](TICMP* icmp, int replies) {
        if (OnEchoReply)
            OnEchoReply(this, icmp, replies);
    };
}

// A pending lookup is forgotten without an event; its worker finishes on its own.
TPing::~TPing() = default;

void TPing::DnsLookup(const QString& hostName)
{
    m_lookups->cancel();
    m_dnsResult.clear();
    const std::uint32_t address = platform::parseInetAddr(hostName);
    if (address != platform::kInvalidAddress) {
        m_dnsResult = platform::dottedAddress(address);
        fireDone(0);
        return;
    }
    try {
        m_lookups->start(
            [hostName](const platform::NameResolver& resolver) { return resolver.byName(hostName); });
    } catch (const std::system_error& error) {
        throw std::runtime_error(QStringLiteral("%1: can't start DNS lookup, error #%2")
                                     .arg(hostName)
                                     .arg(error.code().value())
                                     .toStdString());
    }
}

void TPing::CancelDnsLookup()
{
    if (m_lookups->cancel())
        fireDone(kCancelled);
}

void TPing::lookupDone(const platform::HostEntry& entry)
{
    if (entry.error == 0 && !entry.addresses.isEmpty())
        m_dnsResult = platform::dottedAddress(entry.addresses.front());
    platform::guarded([&] { fireDone(static_cast<std::uint16_t>(entry.error)); });
}

void TPing::fireDone(std::uint16_t error)
{
    if (OnDnsLookupDone)
        OnDnsLookupDone(this, error);
}

} // namespace qv::net
