#include "sysinfo/SysInfo.h"

#include "platform/ExceptionGuard.h"
#include "platform/PackedDateTime.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <stdexcept>

namespace qv::sysinfo {

using platform::RegistryRoot;
using platform::systemFacts;

namespace {

const QString kWindowsKey = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows");
const QString kUnknown = QStringLiteral("Unknown");
constexpr int kMaxBitsPerPixel = 64;

QString registryText(RegistryRoot root, const QString& key, const QString& subkey, const QString& name,
                     const QString& fallback)
{
    return systemFacts().registryText(root, key + QLatin1Char('\\') + subkey, name).value_or(fallback);
}

QString kilobytes(std::uint64_t bytes)
{
    return QStringLiteral("%1 KB").arg(bytes / 1024);
}

QString percent(std::uint64_t value)
{
    return QStringLiteral("%1 %").arg(value);
}

// part / whole × 100, truncated; 0 for an empty whole.
std::uint64_t percentOf(std::uint64_t part, std::uint64_t whole)
{
    return whole == 0 ? 0 : part * 100 / whole;
}

// %NAME% replaced by the variable's value; a name that is not set stays as written, percent signs included.
QString expandEnvironmentStrings(const QString& text)
{
    static const QRegularExpression variable(QStringLiteral("%([^%]+)%"));
    QString expanded;
    qsizetype from = 0;
    for (auto it = variable.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        expanded += text.mid(from, match.capturedStart() - from);
        expanded += systemFacts().environmentVariable(match.captured(1)).value_or(match.captured());
        from = match.capturedEnd();
    }
    return expanded + text.mid(from);
}

QString colourCount()
{
    const auto bits = systemFacts().screenBitsPerPixel();
    if (!bits || *bits < 0 || *bits > kMaxBitsPerPixel)
        return {};
    return QString::number(std::ldexp(1.0, *bits), 'f', 0);
}

QString processorType()
{
    switch (platform::GetSystemInfo().dwProcessorType) {
    case 386:
        return QStringLiteral("Intel 386");
    case 486:
        return QStringLiteral("Intel 486");
    case 586:
        return QStringLiteral("Intel Proutium");
    default:
        return {};
    }
}

QString platformText(const platform::OsVersion& version)
{
    switch (version.platformId) {
    case 0:
        return QStringLiteral("Windows 3.1x/32s");
    case 1:
        return QStringLiteral("Windows 95");
    case 2:
        return QStringLiteral("Windows NT");
    case platform::OsVersion::kOtherPlatform:
        return version.platformName;
    default:
        return {};
    }
}

// A short local date, then the long local time without its zone name.
QString localDateTimeText(const QDateTime& dateTime)
{
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*$")));
    return locale.toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(dateTime.time(), timeFormat);
}

bool writtenSince(const QString& fileName, QDate threshold)
{
    const auto written = systemFacts().lastWriteDate(JoinPath(GetSystemDir(), fileName));
    return written && *written >= threshold;
}

QString orQuestionMark(const std::optional<QString>& text)
{
    return text && !text->isEmpty() ? *text : QStringLiteral("?");
}

} // namespace

QString JoinPath(const QString& directory, const QString& name)
{
    const QChar separator = directory.startsWith(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
    if (directory.endsWith(separator))
        return directory + name;
    return directory + separator + name;
}

QString InstallDateText(const QByteArray& packed)
{
    if (packed.size() != 4)
        return {};
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(packed[i]);
    const auto dateTime = platform::decodePackedDateTime(value);
    return dateTime ? localDateTimeText(*dateTime) : QString();
}

SysInfoTexts CollectSystemTexts()
{
    const platform::SystemFacts& facts = systemFacts();
    SysInfoTexts t;

    constexpr auto HKLM = RegistryRoot::LocalMachine;
    t.RegdOrganisation = registryText(HKLM, kWindowsKey, QStringLiteral("CurrentVersion"),
                                      QStringLiteral("RegisteredOrganization"), kUnknown);
    t.RegdOwner = registryText(HKLM, kWindowsKey, QStringLiteral("CurrentVersion"),
                               QStringLiteral("RegisteredOwner"), kUnknown);
    t.WindowsInstallDate =
        InstallDateText(facts
                            .registryBinary(HKLM, kWindowsKey + QStringLiteral("\\CurrentVersion"),
                                            QStringLiteral("FirstInstallDateTime"))
                            .value_or(QByteArray()));
    t.MonitorDescription = registryText(HKLM, QStringLiteral("\\Enum\\Monitor\\Default_Monitor"),
                                        QStringLiteral("0001"), QStringLiteral("DeviceDesc"), kUnknown);
    t.NetworkProvider = registryText(HKLM, QStringLiteral("\\Network"), QStringLiteral("Logon"),
                                     QStringLiteral("PrimaryProvider"), kUnknown);
    t.TimeZone =
        registryText(HKLM, QStringLiteral("\\System\\CurrentControlSet\\Control"),
                     QStringLiteral("TimeZoneInformation"), QStringLiteral("StandardName"), kUnknown);
    t.WindowsPath = registryText(HKLM, kWindowsKey, QStringLiteral("Setup"), QStringLiteral("WinDir"), {});
    if (t.WindowsPath.isEmpty())
        t.WindowsPath = facts.windowsDirectory().value_or(QString());
    t.WindowsSystemPath =
        registryText(HKLM, kWindowsKey, QStringLiteral("Setup"), QStringLiteral("SysDir"), {});
    if (t.WindowsSystemPath.isEmpty())
        t.WindowsSystemPath = JoinPath(t.WindowsPath, QStringLiteral("SYSTEM"));

    t.ColourScheme =
        registryText(RegistryRoot::CurrentUser, QStringLiteral("\\Control Panel"),
                     QStringLiteral("Appearance"), QStringLiteral("Current"), QStringLiteral("Unnamed"));

    t.CPUType = processorType();

    const platform::OsVersion version = facts.version();
    t.WindowsType = platformText(version);
    t.WindowsVersion = QStringLiteral("%1.%2").arg(version.major).arg(version.minor);
    t.WindowsBuild = QString::number(version.build & 0xFFFF);

    // Today's sizes overflow the 32-bit figures of old: everything is computed in 64 bits.
    const platform::MemoryStatus memory = facts.memory();
    t.MemoryTotal = kilobytes(memory.totalPhysical);
    t.MemoryAvailable = kilobytes(memory.availablePhysical);
    t.MemoryUsage = percent(percentOf(memory.availablePhysical, memory.totalPhysical));
    const std::uint64_t pagingUsed =
        memory.totalPaging > memory.availablePaging ? memory.totalPaging - memory.availablePaging : 0;
    t.SwapFileSetting = kilobytes(memory.totalPaging);
    t.SwapFileSize = kilobytes(pagingUsed);
    t.SwapFileUsage = percent(
        memory.totalPaging == 0
            ? 0
            : 100 - std::min<std::uint64_t>(100, percentOf(memory.availablePaging, memory.totalPaging)));

    if (const auto drive = facts.systemDriveSize())
        t.DriveC = QStringLiteral("%1 MB").arg(*drive >> 20);

    t.WindowsTempPath = expandEnvironmentStrings(QStringLiteral("%TEMP%"));
    t.NetworkComputerName = facts.computerName().value_or(QString());
    t.NetworkUserName = facts.userName().value_or(QString());

    // The free-resource query of old answers 0 for every kind.
    t.FreeSystemResorces = t.FreeGDIResources = t.FreeUserResources = percent(0);

    t.ColourCount = colourCount();

    const QString systemIni = JoinPath(t.WindowsPath, QStringLiteral("SYSTEM.INI"));
    const auto bootKey = [&](const char* key) {
        return facts.profileText(systemIni, QStringLiteral("boot.description"), QString::fromLatin1(key))
            .value_or(kUnknown);
    };
    t.KeyboardType = bootKey("keyboard.typ");
    t.DisplayType = bootKey("display.drv");
    t.MouseType = bootKey("mouse.drv");
    t.SystemType = bootKey("system.drv");
    return t;
}

TSysInfo::TSysInfo(QObject* owner)
    : QObject(owner)
{
    m_timer.setInterval(kDefaultUpdateInterval);
    connect(&m_timer, &QTimer::timeout, this, platform::guardedSlot(this, &TSysInfo::CollectInfo));
    CollectInfo();
}

void TSysInfo::CollectInfo()
{
    m_texts = CollectSystemTexts();
}

void TSysInfo::throwReadOnly()
{
    throw std::runtime_error("Can't modify a read-only property");
}

void TSysInfo::setAutoUpdate(bool enabled)
{
    m_autoUpdate = enabled;
    restartTimer();
}

void TSysInfo::setUpdateInterval(std::int32_t milliseconds)
{
    m_updateInterval = milliseconds;
    if (m_autoUpdate)
        restartTimer();
}

// A timer without a positive interval would fire at every pass of the event loop: it stays off.
void TSysInfo::restartTimer()
{
    m_timer.stop();
    if (m_updateInterval > 0)
        m_timer.setInterval(m_updateInterval);
    if (m_autoUpdate && m_updateInterval > 0)
        m_timer.start();
}

QString GetWindowsDir()
{
    return orQuestionMark(systemFacts().windowsDirectory());
}

QString GetSystemDir()
{
    return orQuestionMark(systemFacts().systemDirectory());
}

QString GetTempDir()
{
    return orQuestionMark(systemFacts().tempDirectory());
}

QString GetComputerNameText()
{
    return orQuestionMark(systemFacts().computerName());
}

QString GetLoginName()
{
    return systemFacts().userName().value_or(QString());
}

QString GetProductID()
{
    const QString id =
        ReadRegistryString(RegistryRoot::LocalMachine,
                           QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProductID"));
    return id.isEmpty() ? QStringLiteral("?") : id;
}

bool PlusInstalled()
{
    return systemFacts().registryKeyExists(RegistryRoot::LocalMachine,
                                           QStringLiteral("SOFTWARE\\MICROSOFT\\PLUS!"));
}

bool Win95ServicePack1()
{
    return writtenSince(QStringLiteral("shell32.dll"), QDate(1995, 12, 1));
}

bool Win95ServicePack2()
{
    return writtenSince(QStringLiteral("kernel32.dll"), QDate(1996, 5, 1));
}

// The key is never created: nothing here writes to the system.
QString ReadRegistryString(RegistryRoot root, const QString& path)
{
    const qsizetype split = path.lastIndexOf(QLatin1Char('\\'));
    return systemFacts().registryText(root, path.left(split + 1), path.mid(split + 1)).value_or(QString());
}

} // namespace qv::sysinfo
