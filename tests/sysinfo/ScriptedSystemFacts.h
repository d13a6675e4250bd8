#pragma once

#include "platform/SystemFacts.h"

#include <QMap>
#include <QVariant>

namespace qv::test {

// System facts a test writes: a Windows machine of any era, or one where every source fails. Everything
// starts missing; fill what the test needs, then install a copy with install().
class ScriptedSystemFacts final : public platform::SystemFacts {
public:
    // A text (QString) or binary (QByteArray) value.
    void setRegistry(platform::RegistryRoot root, const QString& key, const QString& name,
                     const QVariant& value);
    void setProfile(const QString& file, const QString& section, const QString& key, const QString& value);

    platform::ScopedSystemFacts install() const
    {
        return platform::ScopedSystemFacts(std::make_shared<ScriptedSystemFacts>(*this));
    }

    platform::OsVersion os;
    platform::MemoryStatus memoryStatus;
    std::optional<std::uint64_t> driveSize;
    QMap<QString, QString> environment;
    std::optional<QString> computer, user, windowsDir, systemDir, tempDir;
    std::optional<int> bitsPerPixel;
    QMap<QString, QDate> fileDates; // by full path

    std::optional<QString> registryText(platform::RegistryRoot root, const QString& key,
                                        const QString& name) const override;
    std::optional<QByteArray> registryBinary(platform::RegistryRoot root, const QString& key,
                                             const QString& name) const override;
    bool registryKeyExists(platform::RegistryRoot root, const QString& key) const override;
    std::optional<QString> profileText(const QString& file, const QString& section,
                                       const QString& key) const override;
    platform::OsVersion version() const override { return os; }
    platform::MemoryStatus memory() const override { return memoryStatus; }
    std::optional<std::uint64_t> systemDriveSize() const override { return driveSize; }
    std::optional<QString> environmentVariable(const QString& name) const override;
    std::optional<QString> computerName() const override { return computer; }
    std::optional<QString> userName() const override { return user; }
    std::optional<QString> windowsDirectory() const override { return windowsDir; }
    std::optional<QString> systemDirectory() const override { return systemDir; }
    std::optional<QString> tempDirectory() const override { return tempDir; }
    std::optional<int> screenBitsPerPixel() const override { return bitsPerPixel; }
    std::optional<QDate> lastWriteDate(const QString& path) const override;

private:
    std::optional<QVariant> value(platform::RegistryRoot root, const QString& key, const QString& name) const;

    QMap<QString, QVariant> m_registry; // "<root>:<normalised key>|<lower-case name>"
    QMap<QString, QString> m_profiles;  // "<file>|<section>|<key>"
};

} // namespace qv::test
