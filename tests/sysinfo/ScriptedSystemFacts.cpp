#include "tests/sysinfo/ScriptedSystemFacts.h"

#include <algorithm>

namespace qv::test {

namespace {

QString registryPath(platform::RegistryRoot root, const QString& key)
{
    return QString::number(static_cast<int>(root)) + QLatin1Char(':') + platform::normaliseRegistryKey(key);
}

template<typename T>
std::optional<T> typed(const std::optional<QVariant>& value)
{
    if (!value || value->metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return value->value<T>();
}

} // namespace

void ScriptedSystemFacts::setRegistry(platform::RegistryRoot root, const QString& key, const QString& name,
                                      const QVariant& value)
{
    m_registry.insert(registryPath(root, key) + QLatin1Char('|') + name.toLower(), value);
}

void ScriptedSystemFacts::setProfile(const QString& file, const QString& section, const QString& key,
                                     const QString& value)
{
    m_profiles.insert(file + QLatin1Char('|') + section + QLatin1Char('|') + key, value);
}

std::optional<QVariant> ScriptedSystemFacts::value(platform::RegistryRoot root, const QString& key,
                                                   const QString& name) const
{
    const auto found = m_registry.constFind(registryPath(root, key) + QLatin1Char('|') + name.toLower());
    return found == m_registry.constEnd() ? std::nullopt : std::optional<QVariant>(*found);
}

std::optional<QString> ScriptedSystemFacts::registryText(platform::RegistryRoot root, const QString& key,
                                                         const QString& name) const
{
    return typed<QString>(value(root, key, name));
}

std::optional<QByteArray> ScriptedSystemFacts::registryBinary(platform::RegistryRoot root, const QString& key,
                                                              const QString& name) const
{
    return typed<QByteArray>(value(root, key, name));
}

bool ScriptedSystemFacts::registryKeyExists(platform::RegistryRoot root, const QString& key) const
{
    const QString path = registryPath(root, key);
    const QStringList keys = m_registry.keys();
    return std::any_of(keys.begin(), keys.end(), [&](const QString& stored) {
        return stored.startsWith(path + QLatin1Char('|')) || stored.startsWith(path + QLatin1Char('\\'));
    });
}

std::optional<QString> ScriptedSystemFacts::profileText(const QString& file, const QString& section,
                                                        const QString& key) const
{
    const auto found = m_profiles.constFind(file + QLatin1Char('|') + section + QLatin1Char('|') + key);
    return found == m_profiles.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

std::optional<QString> ScriptedSystemFacts::environmentVariable(const QString& name) const
{
    const auto found = environment.constFind(name);
    return found == environment.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

std::optional<QDate> ScriptedSystemFacts::lastWriteDate(const QString& path) const
{
    const auto found = fileDates.constFind(path);
    return found == fileDates.constEnd() ? std::nullopt : std::optional<QDate>(*found);
}

} // namespace qv::test
