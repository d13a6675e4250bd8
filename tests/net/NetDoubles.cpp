#include "tests/net/NetDoubles.h"

namespace qv::test {

platform::HostEntry ScriptedResolver::byName(const QString& name) const
{
    waitWhileHeld();
    platform::HostEntry notFound;
    notFound.error = platform::resolver_error::kHostNotFound;
    return names.value(name, notFound);
}

platform::HostEntry ScriptedResolver::byAddress(std::uint32_t address) const
{
    waitWhileHeld();
    if (!addresses.contains(address)) {
        platform::HostEntry notFound;
        notFound.error = platform::resolver_error::kHostNotFound;
        return notFound;
    }
    return hostEntry(addresses.value(address), {});
}

void ScriptedResolver::hold()
{
    const std::lock_guard lock(m_mutex);
    m_held = true;
}

void ScriptedResolver::release()
{
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_released.notify_all();
}

int ScriptedResolver::calls() const
{
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

void ScriptedResolver::waitWhileHeld() const
{
    std::unique_lock lock(m_mutex);
    ++m_calls;
    m_released.wait(lock, [this] { return !m_held; });
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
