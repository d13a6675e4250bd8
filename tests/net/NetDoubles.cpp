#include "tests/net/NetDoubles.h"

namespace qv::test {

platform::HostEntry ScriptedResolver::byName(const QString& name) const
{
    m_gate.pass();
    platform::HostEntry notFound;
    notFound.error = platform::resolver_error::kHostNotFound;
    return names.value(name, notFound);
}

platform::HostEntry ScriptedResolver::byAddress(std::uint32_t address) const
{
    m_gate.pass();
    if (!addresses.contains(address)) {
        platform::HostEntry notFound;
        notFound.error = platform::resolver_error::kHostNotFound;
        return notFound;
    }
    return hostEntry(addresses.value(address), {});
}

std::optional<platform::NetListing>
ScriptedNeighbourhood::list(const std::optional<platform::NetResource>& parent,
                            platform::ResourceKind kind) const
{
    m_listingGate.pass();
    const QString key = parent ? parent->remoteName : QString();
    if (!containers.contains(key))
        return std::nullopt;
    platform::NetListing listing = containers.value(key);
    if (kind != platform::ResourceKind::Any)
        listing.entries.removeIf([kind](const platform::NetResource& entry) {
            return entry.type != platform::ResourceKind::Any && entry.type != kind;
        });
    return listing;
}

std::optional<QStringList> ScriptedNeighbourhood::directories(const QString& uncPath) const
{
    m_directoryGate.pass();
    if (!directoryTable.contains(uncPath))
        return std::nullopt;
    return directoryTable.value(uncPath);
}

void CallGate::hold()
{
    const std::lock_guard lock(m_mutex);
    m_held = true;
}

void CallGate::release()
{
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_released.notify_all();
}

void CallGate::pass() const
{
    std::unique_lock lock(m_mutex);
    ++m_calls;
    m_released.wait(lock, [this] { return !m_held; });
}

int CallGate::calls() const
{
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

platform::NetResource resource(const QString& remoteName, platform::ResourceKind type, bool container)
{
    platform::NetResource entry;
    entry.remoteName = remoteName;
    entry.type = type;
    entry.container = container;
    return entry;
}

platform::HostEntry hostEntry(const QString& officialName, const QStringList& dottedAddresses)
{
    platform::HostEntry entry;
    entry.officialName = officialName;
    for (const QString& address : dottedAddresses)
        entry.addresses.append(platform::parseInetAddr(address));
    return entry;
}

} // namespace qv::test
