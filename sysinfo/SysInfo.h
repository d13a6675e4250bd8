#pragma once

#include "platform/SystemFacts.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace qv::sysinfo {

// The texts the collector gathers, named as its properties.
struct SysInfoTexts {
    QString RegdOrganisation;
    QString RegdOwner;
    QString CPUType;
    QString WindowsType;
    QString WindowsVersion;
    QString WindowsBuild;
    QString MemoryAvailable;
    QString MemoryTotal;
    QString MemoryUsage;
    QString DriveC;
    QString WindowsInstallDate;
    QString WindowsPath;
    QString WindowsSystemPath;
    QString WindowsTempPath;
    QString NetworkComputerName;
    QString NetworkUserName;
    QString SwapFileSetting;
    QString SwapFileSize;
    QString SwapFileUsage;
    QString FreeSystemResorces;
    QString FreeGDIResources;
    QString FreeUserResources;
    QString KeyboardType;
    QString DisplayType;
    QString MouseType;
    QString SystemType;
    QString SystemDate;
    QString SystemTime;
    QString MonitorDescription;
    QString NetworkProvider;
    QString TimeZone;
    QString ColourScheme;
    QString ColourCount;
};

// Every text from the installed system facts, in the collection order; a missing source gives its default.
SysInfoTexts CollectSystemTexts();

// The local date-time text of a packed 4-byte install date (little-endian); empty when the bytes are
// missing or not a valid date.
QString InstallDateText(const QByteArray& packed);

// "<directory><separator><name>", with the directory's own separator: "/" for a path that starts with one,
// else a backslash.
QString JoinPath(const QString& directory, const QString& name);

// Facts about the operating system, its registration, memory, drive and users, gathered into read-only
// texts when the component is created and again every UpdateInterval ms while AutoUpdate is on.
class TSysInfo : public QObject {
    Q_OBJECT
    // Declaration order: tools list the texts in this order.
    Q_PROPERTY(QString RegdOrganisation READ RegdOrganisation)
    Q_PROPERTY(QString RegdOwner READ RegdOwner)
    Q_PROPERTY(QString CPUType READ CPUType)
    Q_PROPERTY(QString WindowsType READ WindowsType)
    Q_PROPERTY(QString WindowsVersion READ WindowsVersion)
    Q_PROPERTY(QString WindowsBuild READ WindowsBuild)
    Q_PROPERTY(QString MemoryAvailable READ MemoryAvailable)
    Q_PROPERTY(QString MemoryTotal READ MemoryTotal)
    Q_PROPERTY(QString MemoryUsage READ MemoryUsage)
    Q_PROPERTY(QString DriveC READ DriveC)
    Q_PROPERTY(QString WindowsInstallDate READ WindowsInstallDate)
    Q_PROPERTY(QString WindowsPath READ WindowsPath)
    Q_PROPERTY(QString WindowsSystemPath READ WindowsSystemPath)
    Q_PROPERTY(QString WindowsTempPath READ WindowsTempPath)
    Q_PROPERTY(QString NetworkComputerName READ NetworkComputerName)
    Q_PROPERTY(QString NetworkUserName READ NetworkUserName)
    Q_PROPERTY(QString SwapFileSetting READ SwapFileSetting)
    Q_PROPERTY(QString SwapFileSize READ SwapFileSize)
    Q_PROPERTY(QString SwapFileUsage READ SwapFileUsage)
    Q_PROPERTY(QString FreeSystemResorces READ FreeSystemResorces)
    Q_PROPERTY(QString FreeGDIResources READ FreeGDIResources)
    Q_PROPERTY(QString FreeUserResources READ FreeUserResources)
    Q_PROPERTY(QString KeyboardType READ KeyboardType)
    Q_PROPERTY(QString DisplayType READ DisplayType)
    Q_PROPERTY(QString MouseType READ MouseType)
    Q_PROPERTY(QString SystemType READ SystemType)
    Q_PROPERTY(QString SystemDate READ SystemDate)
    Q_PROPERTY(QString SystemTime READ SystemTime)
    Q_PROPERTY(bool AutoUpdate READ AutoUpdate WRITE setAutoUpdate)
    Q_PROPERTY(int UpdateInterval READ UpdateInterval WRITE setUpdateInterval)
    Q_PROPERTY(QString MonitorDescription READ MonitorDescription)
    Q_PROPERTY(QString NetworkProvider READ NetworkProvider)
    Q_PROPERTY(QString TimeZone READ TimeZone)
    Q_PROPERTY(QString ColourScheme READ ColourScheme)
    Q_PROPERTY(QString ColourCount READ ColourCount)

public:
    static constexpr std::int32_t kDefaultUpdateInterval = 1000;

    // Collects once.
    explicit TSysInfo(QObject* owner = nullptr);

    // Collects every text again.
    void CollectInfo();

    // The texts are read-only: each setter throws std::runtime_error "Can't modify a read-only property"
    // and leaves the value as it was. They are plain methods, not the properties' WRITE functions, so
    // that nothing throws through Qt.
#define QV_SYSINFO_TEXT(Name)                                                                                \
    const QString& Name() const                                                                              \
    {                                                                                                        \
        return m_texts.Name;                                                                                 \
    }                                                                                                        \
    [[noreturn]] void set##Name(const QString&)                                                              \
    {                                                                                                        \
        throwReadOnly();                                                                                     \
    }
    QV_SYSINFO_TEXT(RegdOrganisation)
    QV_SYSINFO_TEXT(RegdOwner)
    QV_SYSINFO_TEXT(CPUType)
    QV_SYSINFO_TEXT(WindowsType)
    QV_SYSINFO_TEXT(WindowsVersion)
    QV_SYSINFO_TEXT(WindowsBuild)
    QV_SYSINFO_TEXT(MemoryAvailable)
    QV_SYSINFO_TEXT(MemoryTotal)
    QV_SYSINFO_TEXT(MemoryUsage)
    QV_SYSINFO_TEXT(DriveC)
    QV_SYSINFO_TEXT(WindowsInstallDate)
    QV_SYSINFO_TEXT(WindowsPath)
    QV_SYSINFO_TEXT(WindowsSystemPath)
    QV_SYSINFO_TEXT(WindowsTempPath)
    QV_SYSINFO_TEXT(NetworkComputerName)
    QV_SYSINFO_TEXT(NetworkUserName)
    QV_SYSINFO_TEXT(SwapFileSetting)
    QV_SYSINFO_TEXT(SwapFileSize)
    QV_SYSINFO_TEXT(SwapFileUsage)
    QV_SYSINFO_TEXT(FreeSystemResorces)
    QV_SYSINFO_TEXT(FreeGDIResources)
    QV_SYSINFO_TEXT(FreeUserResources)
    QV_SYSINFO_TEXT(KeyboardType)
    QV_SYSINFO_TEXT(DisplayType)
    QV_SYSINFO_TEXT(MouseType)
    QV_SYSINFO_TEXT(SystemType)
    QV_SYSINFO_TEXT(SystemDate)
    QV_SYSINFO_TEXT(SystemTime)
    QV_SYSINFO_TEXT(MonitorDescription)
    QV_SYSINFO_TEXT(NetworkProvider)
    QV_SYSINFO_TEXT(TimeZone)
    QV_SYSINFO_TEXT(ColourScheme)
    QV_SYSINFO_TEXT(ColourCount)
#undef QV_SYSINFO_TEXT

    bool AutoUpdate() const
    {
        return m_autoUpdate;
    }
    // Starts or stops collecting every UpdateInterval ms; an interval of 0 or less never ticks.
    void setAutoUpdate(bool enabled);
    std::int32_t UpdateInterval() const
    {
        return m_updateInterval;
    }
    // Takes effect at once while AutoUpdate is on (the next tick a full interval away), else when it is set.
    void setUpdateInterval(std::int32_t milliseconds);

    const QTimer& UpdateTimer() const
    {
        return m_timer;
    }

private:
    [[noreturn]] static void throwReadOnly();
    void restartTimer();

    SysInfoTexts m_texts;
    bool m_autoUpdate = false;
    std::int32_t m_updateInterval = kDefaultUpdateInterval;
    QTimer m_timer;
};

// Process-wide questions, answered from the installed system facts.
QString GetWindowsDir();       // "?" when unknown
QString GetSystemDir();        // "?" when unknown
QString GetTempDir();          // "?" when unknown
QString GetComputerNameText(); // "?" when unknown
QString GetLoginName();        // empty when unknown
QString GetProductID();        // "?" when empty
bool PlusInstalled();
bool Win95ServicePack1(); // shell32.dll in the system directory written on or after 1 December 1995
bool Win95ServicePack2(); // kernel32.dll in the system directory written on or after 1 May 1996
// The text value at `path` ("key\name": split at the last backslash) under `root`; empty when missing.
QString ReadRegistryString(platform::RegistryRoot root, const QString& path);

} // namespace qv::sysinfo
