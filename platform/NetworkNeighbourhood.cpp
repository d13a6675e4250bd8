#include "platform/NetworkNeighbourhood.h"

#include "platform/LoadableModule.h"
#include "platform/NameResolver.h"
#include "platform/NetBiosStatus.h"
#include "platform/SmbModule.h"

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

// Stands in for the SMB neighbourhood when its library cannot be loaded: nothing can be opened.
class UnavailableNeighbourhood final : public NetworkNeighbourhood {
public:
    QString providerName() const override { return QStringLiteral("Samba"); }
    std::optional<NetListing> list(const std::optional<NetResource>&, ResourceKind) const override
    {
        return std::nullopt;
    }
    std::optional<QStringList> directories(const QString&) const override { return std::nullopt; }
};

const LoadableModule& smbModule()
{
    static const LoadableModule module(QV_SMB_MODULE);
    return module;
}

NetworkNeighbourhoodPointer loadSmbNeighbourhood()
{
    if (const auto create = smbModule().function<SmbModuleEntryPoint>(kSmbModuleEntryPoint))
        return NetworkNeighbourhoodPointer(create());
    return std::make_shared<UnavailableNeighbourhood>();
}

} // namespace

NetworkNeighbourhoodPointer networkNeighbourhood()
{
    {
        const std::lock_guard guard(hookLock());
        if (const NetworkNeighbourhoodPointer& installed = installedNeighbourhood())
            return installed;
    }
    // Loaded only when asked for and nobody installed another.
    static const NetworkNeighbourhoodPointer smb = loadSmbNeighbourhood();
    return smb;
}

QString networkNeighbourhoodLoadError()
{
    {
        const std::lock_guard guard(hookLock());
        if (installedNeighbourhood())
            return {};
    }
    networkNeighbourhood();
    const std::string error = smbModule().error();
    return QString::fromLocal8Bit(error.data(), static_cast<qsizetype>(error.size()));
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
