#include "platform/NameResolver.h"

#include "platform/FileAccess.h"
#include "platform/Identity.h"

#include <QFile>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

#include <algorithm>
#include <array>
#include <utility>

namespace qv::platform {

namespace {

constexpr qsizetype kMaxNameLength = 253;
constexpr qsizetype kMaxLabelLength = 63;

bool mayBeAName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return false;
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() > 0x7F || c.unicode() == 0; }))
        return false;
    const QStringList labels = name.split(QLatin1Char('.'));
    return std::none_of(labels.begin(), labels.end(),
                        [](const QString& label) { return label.size() > kMaxLabelLength; });
}

int resolverError(int eai)
{
    switch (eai) {
    case EAI_NONAME:
        return resolver_error::kHostNotFound;
    case EAI_AGAIN:
        return resolver_error::kTryAgain;
    case EAI_NODATA:
    case EAI_ADDRFAMILY:
        return resolver_error::kNoData;
    default:
        return resolver_error::kNoRecovery;
    }
}

bool isOwnHostName(const QString& name)
{
    const auto own = hostName();
    return own && name.compare(*own, Qt::CaseInsensitive) == 0;
}

NameResolverPointer& installedResolver()
{
    static NameResolverPointer current;
    return current;
}

} // namespace

HostEntry SystemNameResolver::byName(const QString& name) const
{
    HostEntry entry;
    if (!mayBeAName(name)) {
        entry.error = resolver_error::kHostNotFound;
        return entry;
    }
    // The resolver of old answered the machine's own name with its interfaces' addresses; /etc/hosts
    // often maps it to a loopback address only.
    if (isOwnHostName(name)) {
        entry.officialName = name;
        entry.addresses = localIPv4Addresses();
        if (!entry.addresses.isEmpty())
            return entry;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int result = getaddrinfo(name.toLatin1().constData(), nullptr, &hints, &found);
    if (result != 0) {
        entry = {};
        entry.error = resolverError(result);
        return entry;
    }
    entry.officialName = found->ai_canonname ? QString::fromLatin1(found->ai_canonname) : name;
    entry.addresses.clear();
    for (const addrinfo* it = found; it; it = it->ai_next) {
        const auto* address = reinterpret_cast<const sockaddr_in*>(it->ai_addr);
        if (!entry.addresses.contains(address->sin_addr.s_addr))
            entry.addresses.append(address->sin_addr.s_addr);
    }
    freeaddrinfo(found);
    return entry;
}

HostEntry SystemNameResolver::byAddress(std::uint32_t address) const
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr.s_addr = address;
    std::array<char, NI_MAXHOST> name{};
    HostEntry entry;
    const int result = getnameinfo(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress,
                                   name.data(), name.size(), nullptr, 0, NI_NAMEREQD);
    if (result != 0) {
        entry.error = resolverError(result);
        return entry;
    }
    entry.officialName = QString::fromLatin1(name.data());
    entry.addresses = {address};
    return entry;
}

NameResolverPointer nameResolver()
{
    static const NameResolverPointer system = std::make_shared<SystemNameResolver>();
    const NameResolverPointer& installed = installedResolver();
    return installed ? installed : system;
}

NameResolverPointer setNameResolver(NameResolverPointer resolver)
{
    return std::exchange(installedResolver(), std::move(resolver));
}

QList<std::uint32_t> localIPv4Addresses()
{
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return {};
    QList<std::uint32_t> outward;
    QList<std::uint32_t> loopback;
    for (const ifaddrs* it = interfaces; it; it = it->ifa_next) {
        if (!it->ifa_addr || it->ifa_addr->sa_family != AF_INET || (it->ifa_flags & IFF_UP) == 0)
            continue;
        const std::uint32_t address = reinterpret_cast<const sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr;
        QList<std::uint32_t>& group = (it->ifa_flags & IFF_LOOPBACK) ? loopback : outward;
        if (!group.contains(address))
            group.append(address);
    }
    freeifaddrs(interfaces);
    return outward + loopback;
}

QString dottedAddress(std::uint32_t address)
{
    in_addr in{};
    in.s_addr = address;
    std::array<char, INET_ADDRSTRLEN> text{};
    inet_ntop(AF_INET, &in, text.data(), text.size());
    return QString::fromLatin1(text.data());
}

std::uint32_t parseInetAddr(const QString& text)
{
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7F || c.unicode() == 0; }))
        return kInvalidAddress;
    return inet_addr(text.toLatin1().constData());
}

QStringList configuredNameServers(const QString& path)
{
    constexpr std::size_t kMaxConfigurationSize = std::size_t{64} * 1024;
    const auto content = readFileHead(QFile::encodeName(path).toStdString(), kMaxConfigurationSize);
    if (!content)
        return {};
    QStringList servers;
    for (const QByteArray& line : QByteArray::fromStdString(*content).split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words[0] == "nameserver")
            servers.append(QString::fromUtf8(words[1]));
    }
    return servers;
}

} // namespace qv::platform
