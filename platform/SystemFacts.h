#pragma once

#include "platform/ScopedHook.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace qv::platform {

// The processor facts of the system-information call: how many processors the system runs and their
// type code (386, 486 or 586 on 32-bit x86, 8664 on x86-64, 0 on other architectures).
struct SystemInfo {
    std::int32_t dwNumberOfProcessors = 0;
    std::int32_t dwProcessorType = 0;
};

SystemInfo GetSystemInfo();

// Replaces where GetSystemInfo's answer comes from (tests script it); an empty function restores the
// system's own answer.
using SystemInfoProvider = std::function<SystemInfo()>;
SystemInfoProvider setSystemInfoProvider(SystemInfoProvider provider);
using ScopedSystemInfoProvider = ScopedHook<SystemInfoProvider, &setSystemInfoProvider>;

enum class RegistryRoot { LocalMachine, CurrentUser };

// A registry key path in the form every source compares: no backslash at either end, lower case (the
// registry ignores case).
QString normaliseRegistryKey(const QString& key);

// The version record: the platform identifier (0 Win32s, 1 the Windows 95 family, 2 the NT family,
// kOtherPlatform elsewhere, with the platform's own name), the version and the build number.
struct OsVersion {
    static constexpr std::int32_t kOtherPlatform = -1;
    std::int32_t platformId = kOtherPlatform;
    QString platformName;
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
};

// Physical memory and paging space, in bytes.
struct MemoryStatus {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPaging = 0;
    std::uint64_t availablePaging = 0;
};

// The operating-system facts the system information reads, asked as the Windows services answer them:
// registry values, initialisation-file keys, the version record, memory status, the system drive, the
// environment, names, directories, screen depth and file dates. Each answer is empty where the system
// has none. The Linux answers come from os-release, uname, /proc, statvfs, passwd and /sys; tests install
// scripted ones.
class SystemFacts {
public:
    virtual ~SystemFacts() = default;

    // `key` is a backslash-separated path under `root`, in any case, with or without a leading backslash.
    virtual std::optional<QString> registryText(RegistryRoot root, const QString& key,
                                                const QString& name) const = 0;
    virtual std::optional<QByteArray> registryBinary(RegistryRoot root, const QString& key,
                                                     const QString& name) const = 0;
    virtual bool registryKeyExists(RegistryRoot root, const QString& key) const = 0;
    virtual std::optional<QString> profileText(const QString& file, const QString& section,
                                               const QString& key) const = 0;
    virtual OsVersion version() const = 0;
    virtual MemoryStatus memory() const = 0;
    // The size in bytes of the drive that holds the system.
    virtual std::optional<std::uint64_t> systemDriveSize() const = 0;
    virtual std::optional<QString> environmentVariable(const QString& name) const = 0;
    virtual std::optional<QString> computerName() const = 0;
    virtual std::optional<QString> userName() const = 0;
    virtual std::optional<QString> windowsDirectory() const = 0;
    virtual std::optional<QString> systemDirectory() const = 0;
    virtual std::optional<QString> tempDirectory() const = 0;
    virtual std::optional<int> screenBitsPerPixel() const = 0;
    // The local date of a readable file's last write.
    virtual std::optional<QDate> lastWriteDate(const QString& path) const = 0;
};

// The installed facts: this machine's unless a test replaced them.
const SystemFacts& systemFacts();

// Installs other facts (an empty pointer restores this machine's); returns those it replaces.
using SystemFactsPointer = std::shared_ptr<const SystemFacts>;
SystemFactsPointer setSystemFacts(SystemFactsPointer facts);
using ScopedSystemFacts = ScopedHook<SystemFactsPointer, &setSystemFacts>;

} // namespace qv::platform
