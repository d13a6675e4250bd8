#pragma once

#include "platform/SystemFacts.h"

namespace qv::platform {

// This machine's facts, answered as the Windows services would:
// - registry: the owner is the effective user's full name, the product identifier /etc/machine-id, the
//   install date the birth time of the root file system (packed; missing, 0 or before 1980 give nothing),
//   the monitor the first connected display's EDID name, the network provider "Samba" where smb.conf
//   exists, the time zone /etc/timezone or the /etc/localtime link, WinDir "/usr" and SysDir "/usr/lib";
//   nothing else exists;
// - initialisation files: none;
// - version: PRETTY_NAME of os-release ("Linux" without it), kernel major.minor and patch;
// - memory: MemTotal / MemAvailable and SwapTotal / SwapFree of /proc/meminfo; drive: the root file system;
// - names: host name and the effective user's login; directories "/usr", "/usr/lib", $TMPDIR or "/tmp";
// - screen depth: the primary screen's, none without a graphical application.
class LinuxSystemFacts final : public SystemFacts {
public:
    std::optional<QString> registryText(RegistryRoot root, const QString& key,
                                        const QString& name) const override;
    std::optional<QByteArray> registryBinary(RegistryRoot root, const QString& key,
                                             const QString& name) const override;
    bool registryKeyExists(RegistryRoot root, const QString& key) const override;
    std::optional<QString> profileText(const QString& file, const QString& section,
                                       const QString& key) const override;
    OsVersion version() const override;
    MemoryStatus memory() const override;
    std::optional<std::uint64_t> systemDriveSize() const override;
    std::optional<QString> environmentVariable(const QString& name) const override;
    std::optional<QString> computerName() const override;
    std::optional<QString> userName() const override;
    std::optional<QString> windowsDirectory() const override;
    std::optional<QString> systemDirectory() const override;
    std::optional<QString> tempDirectory() const override;
    std::optional<int> screenBitsPerPixel() const override;
    std::optional<QDate> lastWriteDate(const QString& path) const override;
};

// The PRETTY_NAME value of os-release content (quotes and backslash escapes undone); empty without one.
std::optional<QString> osReleasePrettyName(const QByteArray& content);

// The monitor name (descriptor 0xFC) of an EDID block; empty when it has none or is not an EDID.
std::optional<QString> edidMonitorName(const QByteArray& edid);

} // namespace qv::platform
