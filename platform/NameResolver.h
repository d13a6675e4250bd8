#pragma once

#include "platform/ScopedHook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace qv::platform {

// Resolver failures, with the socket library's codes of old.
namespace resolver_error {
constexpr int kHostNotFound = 11001;
constexpr int kTryAgain = 11002;
constexpr int kNoRecovery = 11003;
constexpr int kNoData = 11004;
} // namespace resolver_error

// What a lookup found: its official name and IPv4 addresses (network byte order, resolver order), or
// the error that ended it.
struct HostEntry {
    int error = 0;
    QString officialName;
    QList<std::uint32_t> addresses;
};

// Blocking name and address lookups (IPv4). Callers that must not block run them on a worker thread.
class NameResolver {
public:
    virtual ~NameResolver() = default;
    virtual HostEntry byName(const QString& name) const = 0;
    // A failure when the address has no name: never its dotted form in place of one.
    virtual HostEntry byAddress(std::uint32_t address) const = 0;
};

// The system's resolver (getaddrinfo / getnameinfo). A name that cannot be one (empty, non-ASCII, over
// 253 characters or with a label over 63) fails with kHostNotFound without asking the name servers. The
// machine's own host name resolves to the IPv4 addresses of its interfaces that are up.
class SystemNameResolver final : public NameResolver {
public:
    HostEntry byName(const QString& name) const override;
    HostEntry byAddress(std::uint32_t address) const override;
};

// The installed resolver: the system's unless a test replaced it. Shared, so that a lookup running on a
// worker keeps it alive.
using NameResolverPointer = std::shared_ptr<const NameResolver>;
NameResolverPointer nameResolver();
NameResolverPointer setNameResolver(NameResolverPointer resolver);
using ScopedNameResolver = ScopedHook<NameResolverPointer, &setNameResolver>;

// The IPv4 addresses (network byte order) of the interfaces that are up: non-loopback ones first, each
// group in the system's order.
QList<std::uint32_t> localIPv4Addresses();

// The dotted form of an address in network byte order.
QString dottedAddress(std::uint32_t address);

// inet_addr: the address of a dotted text (any form inet_addr accepts), 0xFFFFFFFF when it is none.
std::uint32_t parseInetAddr(const QString& text);
constexpr std::uint32_t kInvalidAddress = 0xFFFFFFFF;

// The name servers the system resolver asks, in the order of the "nameserver" lines of its
// configuration file. Reads the file only; nothing is sent.
QStringList configuredNameServers(const QString& path = QStringLiteral("/etc/resolv.conf"));

} // namespace qv::platform
