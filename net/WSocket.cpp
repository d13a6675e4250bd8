#include "net/WSocket.h"

#include "platform/AsyncLookup.h"
#include "platform/ExceptionGuard.h"
#include "platform/Identity.h"
#include "platform/NameResolver.h"

#include <array>
#include <system_error>

namespace qv::net {

namespace {

struct ErrorText {
    int code;
    const char* text;
};

constexpr std::array kSocketErrors{
    ErrorText{0, "No Error"},
    ErrorText{10004, "Interrupted system call"},
    ErrorText{10009, "Bad file number"},
    ErrorText{10013, "Permission denied"},
    ErrorText{10014, "Bad address"},
    ErrorText{10022, "Invalid argument"},
    ErrorText{10024, "Too many open files"},
    ErrorText{10035, "Operation would block"},
    ErrorText{10036, "Operation now in progress"},
    ErrorText{10037, "Operation already in progress"},
    ErrorText{10038, "Socket operation on non-socket"},
    ErrorText{10039, "Destination address required"},
    ErrorText{10040, "Message too long"},
    ErrorText{10041, "Protocol wrong type for socket"},
    ErrorText{10042, "Protocol not available"},
    ErrorText{10043, "Protocol not supported"},
    ErrorText{10044, "Socket type not supported"},
    ErrorText{10045, "Operation not supported on socket"},
    ErrorText{10046, "Protocol family not supported"},
    ErrorText{10047, "Address family not supported by protocol family"},
    ErrorText{10048, "Address already in use"},
    ErrorText{10049, "Address not available"},
    ErrorText{10050, "Network is down"},
    ErrorText{10051, "Network is unreachable"},
    ErrorText{10052, "Network dropped connection on reset"},
    ErrorText{10053, "Connection aborted"},
    ErrorText{10054, "Connection reset by peer"},
    ErrorText{10055, "No buffer space available"},
    ErrorText{10056, "Socket is already connected"},
    ErrorText{10057, "Socket is not connected"},
    ErrorText{10058, "Can't send after socket shutdown"},
    ErrorText{10059, "Too many references: can't splice"},
    ErrorText{10060, "Connection timed out"},
    ErrorText{10061, "Connection refused"},
    ErrorText{10062, "Too many levels of symbolic links"},
    ErrorText{10063, "File name too long"},
    ErrorText{10064, "Host is down"},
    ErrorText{10065, "No route to host"},
    ErrorText{10066, "Directory not empty"},
    ErrorText{10067, "Too many processes"},
    ErrorText{10068, "Too many users"},
    ErrorText{10069, "Disc quota exceeded"},
    ErrorText{10070, "Stale NFS file handle"},
    ErrorText{10071, "Too many levels of remote in path"},
    ErrorText{10091, "Network sub-system is unusable"},
    ErrorText{10092, "WinSock DLL cannot support this application"},
    ErrorText{10093, "WinSock not initialized"},
    ErrorText{11001, "Host not found"},
    ErrorText{11002, "Non-authoritative host not found"},
    ErrorText{11003, "Non-recoverable error"},
    ErrorText{11004, "No Data"},
};

} // namespace

ESocketException::ESocketException(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

QString SocketErrorDesc(int code)
{
    for (const ErrorText& error : kSocketErrors)
        if (error.code == code)
            return QString::fromLatin1(error.text);
    return QStringLiteral("Not a WinSock error");
}

QString LocalHostName()
{
    const auto name = platform::hostName();
    if (!name)
        throw ESocketException(QStringLiteral("Winsock.GetHostName failed"));
    return *name;
}

QStringList& LocalIPList()
{
    static QStringList list;
    list.clear();
    for (const std::uint32_t address : platform::localIPv4Addresses())
        list.append(platform::dottedAddress(address));
    return list;
}

TWSocket::TWSocket(QObject* owner)
    : QObject(owner)
    , m_lookups(
          new platform::AsyncLookup([this](const platform::HostEntry& entry) { lookupDone(entry); }, this))
{
}

// A pending lookup is forgotten without an event; its worker finishes on its own.
TWSocket::~TWSocket() = default;

void TWSocket::setSocksLevel(const QString& level)
{
    if (level != QLatin1String("4") && level != QLatin1String("4A") && level != QLatin1String("5"))
        throw ESocketException(QStringLiteral("Invalid socks level. Must be 4, 4A or 5."));
    m_socksLevel = level;
}

void TWSocket::DnsLookup(const QString& hostName)
{
    if (!beginLookup(hostName))
        return;
    const std::uint32_t address = platform::parseInetAddr(hostName);
    if (address != platform::kInvalidAddress) {
        m_dnsResult = platform::dottedAddress(address);
        fireDone(0);
        return;
    }
    startLookup(hostName, Direction::Forward, 0);
}

// The text is not checked: one that is no address is looked up as 255.255.255.255.
void TWSocket::ReverseDnsLookup(const QString& address)
{
    if (beginLookup(address))
        startLookup(address, Direction::Reverse, platform::parseInetAddr(address));
}

void TWSocket::CancelDnsLookup()
{
    if (m_lookups->cancel())
        fireDone(kCancelled);
}

bool TWSocket::beginLookup(const QString& argument)
{
    if (argument.isEmpty()) {
        reportError(QStringLiteral("DNS lookup: invalid host name."));
        fireDone(kInvalidArgument);
        return false;
    }
    m_lookups->cancel();
    m_dnsResult.clear();
    m_dnsResultList.clear();
    return true;
}

void TWSocket::startLookup(const QString& argument, Direction direction, std::uint32_t address)
{
    try {
        m_lookups->start([direction, argument, address](const platform::NameResolver& resolver) {
            return direction == Direction::Forward ? resolver.byName(argument) : resolver.byAddress(address);
        });
        m_pendingDirection = direction;
    } catch (const std::system_error& error) {
        reportError(
            QStringLiteral("%1: can't start DNS lookup, error #%2").arg(argument).arg(error.code().value()));
    }
}

void TWSocket::lookupDone(const platform::HostEntry& entry)
{
    if (entry.error == 0) {
        if (m_pendingDirection == Direction::Reverse) {
            m_dnsResultList = {entry.officialName};
        } else {
            for (const std::uint32_t address : entry.addresses)
                m_dnsResultList.append(platform::dottedAddress(address));
        }
        m_dnsResult = m_dnsResultList.value(0);
    }
    try {
        fireDone(static_cast<std::uint16_t>(entry.error));
    } catch (const std::exception& error) {
        handleBackgroundException(error);
    }
}

void TWSocket::fireDone(std::uint16_t error)
{
    if (OnDnsLookupDone)
        OnDnsLookupDone(this, error);
}

void TWSocket::reportError(const QString& message)
{
    if (!OnError)
        throw ESocketException(message);
    OnError(this);
}

// An exception out of a completion's handler goes to OnBgException (its own exceptions ignored); with
// CanClose left true the socket aborts, which for the lookup side means forgetting any lookup. Without
// an OnBgException handler the message goes to the default handler, so that no error is silent.
void TWSocket::handleBackgroundException(const std::exception& error)
{
    bool canClose = true;
    if (OnBgException) {
        try {
            OnBgException(this, error, canClose);
        } catch (...) { // the handler's own failures are ignored
        }
    } else {
        platform::reportUnhandledError(QString::fromUtf8(error.what()));
    }
    if (canClose)
        m_lookups->cancel();
}

} // namespace qv::net
