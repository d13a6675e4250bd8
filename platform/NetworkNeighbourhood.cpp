#include "platform/NetworkNeighbourhood.h"

#include "platform/NameResolver.h"
#include "platform/NetBiosStatus.h"
#include "platform/SmbClient.h"

#include <netinet/in.h>

#include <mutex>
#include <utility>

namespace qv::platform {

namespace {

constexpr std::chrono::milliseconds kWorkgroupBudget{1000};

// The hooks are read from any thread (the tree's worker, the window) while a test may replace them.
std::mutex& hookLock()
{
    static std::mutex lock;
    return lock;
}

NetworkNeighbourhoodPointer& installedNeighbourhood()
{
    static NetworkNeighbourhoodPointer current;
    return current;
}

WorkgroupQuery& installedQuery()
{
    static WorkgroupQuery current;
    return current;
}

std::optional<QString> askThisMachine()
{
    const std::uint32_t loopback = htonl(INADDR_LOOPBACK);
    QList<std::uint32_t> addresses{loopback};
    for (const std::uint32_t address : localIPv4Addresses())
        if (address != loopback)
            addresses.append(address);
    return netbios::queryWorkgroup(addresses, kWorkgroupBudget);
}

} // namespace

NetworkNeighbourhoodPointer networkNeighbourhood()
{
    static const NetworkNeighbourhoodPointer smb =
        std::make_shared<SmbNeighbourhood>(std::make_shared<SmbClientReader>());
    const std::lock_guard guard(hookLock());
    const NetworkNeighbourhoodPointer& installed = installedNeighbourhood();
    return installed ? installed : smb;
}

NetworkNeighbourhoodPointer setNetworkNeighbourhood(NetworkNeighbourhoodPointer neighbourhood)
{
    const std::lock_guard guard(hookLock());
    return std::exchange(installedNeighbourhood(), std::move(neighbourhood));
}

std::optional<QString> netbiosWorkgroup()
{
    WorkgroupQuery query;
    {
        const std::lock_guard guard(hookLock());
        query = installedQuery();
    }
    return query ? query() : askThisMachine();
}

WorkgroupQuery setWorkgroupQuery(WorkgroupQuery query)
{
    const std::lock_guard guard(hookLock());
    return std::exchange(installedQuery(), std::move(query));
}

} // namespace qv::platform
