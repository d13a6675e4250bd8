#pragma once

#include "platform/ScopedHook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace qv::platform {

// What an enumeration asks for (the type filter of the provider functions of old), and what kind of
// resource an entry is. The values are the provider's own numbers, which the command-line tool prints.
enum class ResourceKind { Any = 0, Disk = 1, Print = 2 };

// One entry as the network provider enumerates it.
struct NetResource {
    QString remoteName; // the provider's name, "WORKGROUP", "\\\\SERVER" or "\\\\SERVER\\Share"
    ResourceKind type = ResourceKind::Any; // Any for workgroups and servers
    bool container = false;                // it can be opened (provider, workgroups, servers)
};

// The entries under a container, or why the listing stopped early.
struct NetListing {
    QList<NetResource> entries;
    int error = 0; // 0, or the errno that ended the listing after `entries` (the caller reports it)
};

class NetworkNeighbourhood {
public:
    virtual ~NetworkNeighbourhood() = default;
    virtual QString providerName() const = 0;
    // The entries under `parent` (nullopt: the top of the whole network, which lists the provider itself
    // as one container entry whose remoteName is providerName()), keeping only shares of `kind` under
    // servers. nullopt when the container cannot be opened.
    virtual std::optional<NetListing> list(const std::optional<NetResource>& parent,
                                           ResourceKind kind) const = 0;
    // The names of the sub-directories (never files, ".", "..") of a share or directory given as
    // "\\\\SERVER\\Share[\\Dir...]"; nullopt when it cannot be listed.
    virtual std::optional<QStringList> directories(const QString& uncPath) const = 0;
};

// The installed neighbourhood: the SMB one unless a test replaced it, loaded from its own library at
// the first call (where that library is missing, one that can open nothing). Safe to call from any thread.
using NetworkNeighbourhoodPointer = std::shared_ptr<const NetworkNeighbourhood>;
NetworkNeighbourhoodPointer networkNeighbourhood();
// The longest one list() or directories() call of the SMB neighbourhood waits, whatever the peer does: by
// then a listing that has not finished fails with ETIMEDOUT (directories(): nullopt).
inline constexpr std::chrono::seconds kNeighbourhoodTimeout{6};
// Why the SMB neighbourhood's library could not be loaded; empty when it was, or a test installed one.
QString networkNeighbourhoodLoadError();
NetworkNeighbourhoodPointer setNetworkNeighbourhood(NetworkNeighbourhoodPointer neighbourhood);
using ScopedNetworkNeighbourhood = ScopedHook<NetworkNeighbourhoodPointer, &setNetworkNeighbourhood>;

// The workgroup of this machine by a NetBIOS node-status query (UDP port 137, a connected socket, 1 s at
// most in all), asked of 127.0.0.1 first, then of each of this machine's own IPv4 addresses
// (localIPv4Addresses()): the group name of suffix 0x1E in the answer (the last one when several), its 15
// bytes as text with trailing blanks removed (inner blanks are kept: the caller removes them). nullopt when
// nobody answers or no such name is listed. Never registers a name.
std::optional<QString> netbiosWorkgroup();
// Replaces netbiosWorkgroup's answer (tests script it); an empty function restores the query.
using WorkgroupQuery = std::function<std::optional<QString>()>;
WorkgroupQuery setWorkgroupQuery(WorkgroupQuery query);
using ScopedWorkgroupQuery = ScopedHook<WorkgroupQuery, &setWorkgroupQuery>;

} // namespace qv::platform
