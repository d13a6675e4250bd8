#include "platform/LinuxSystemFacts.h"

#include "platform/FileAccess.h"
#include "platform/Identity.h"
#include "platform/PackedDateTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <algorithm>
#include <array>

namespace qv::platform {

namespace {

constexpr std::size_t kSmallFileLimit = std::size_t{64} * 1024;

std::optional<QByteArray> readSmallFile(const QString& path)
{
    const auto head = readFileHead(QFile::encodeName(path).toStdString(), kSmallFileLimit);
    return head ? std::optional(QByteArray::fromStdString(*head)) : std::nullopt;
}

std::optional<QString> firstLine(const QString& path)
{
    const auto content = readSmallFile(path);
    if (!content)
        return std::nullopt;
    const QString line = QString::fromUtf8(content->left(content->indexOf('\n'))).trimmed();
    return line.isEmpty() ? std::nullopt : std::optional<QString>(line);
}

std::optional<QString> machineId()
{
    return firstLine(QStringLiteral("/etc/machine-id"));
}

std::optional<QString> timeZoneName()
{
    if (auto name = firstLine(QStringLiteral("/etc/timezone")))
        return name;
    const QString target = QFileInfo(QStringLiteral("/etc/localtime")).symLinkTarget();
    const QString marker = QStringLiteral("zoneinfo/");
    const qsizetype at = target.lastIndexOf(marker);
    if (at < 0 || at + marker.size() == target.size())
        return std::nullopt;
    return target.mid(at + marker.size());
}

std::optional<QString> networkProvider()
{
    if (!QFileInfo::exists(QStringLiteral("/etc/samba/smb.conf")))
        return std::nullopt;
    return QStringLiteral("Samba");
}

// The first connected display output, in the order of its connector names.
std::optional<QString> monitorName()
{
    QDir outputs(QStringLiteral("/sys/class/drm"));
    for (const QString& output : outputs.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (firstLine(outputs.filePath(output + QStringLiteral("/status"))) != QStringLiteral("connected"))
            continue;
        if (const auto edid = readSmallFile(outputs.filePath(output + QStringLiteral("/edid"))))
            if (auto name = edidMonitorName(*edid))
                return name;
    }
    return std::nullopt;
}

// The birth time of the root file system, packed; none where the file system keeps no birth time.
std::optional<QByteArray> installDateTime()
{
    struct statx status {};
    if (statx(AT_FDCWD, "/", AT_STATX_SYNC_AS_STAT, STATX_BTIME, &status) != 0 ||
        (status.stx_mask & STATX_BTIME) == 0 || status.stx_btime.tv_sec <= 0)
        return std::nullopt;
    const auto packed = encodePackedDateTime(QDateTime::fromSecsSinceEpoch(status.stx_btime.tv_sec));
    if (!packed)
        return std::nullopt;
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((*packed >> (8 * i)) & 0xFF);
    return bytes;
}

struct RegistryText {
    const char* key;  // normalised
    const char* name; // lower case
    std::optional<QString> (*read)();
};

const std::array kRegistryTexts{
    RegistryText{"software\\microsoft\\windows\\currentversion", "registeredowner", &userFullName},
    RegistryText{"software\\microsoft\\windows\\currentversion", "productid", &machineId},
    RegistryText{"enum\\monitor\\default_monitor\\0001", "devicedesc", &monitorName},
    RegistryText{"network\\logon", "primaryprovider", &networkProvider},
    RegistryText{"system\\currentcontrolset\\control\\timezoneinformation", "standardname", &timeZoneName},
    RegistryText{"software\\microsoft\\windows\\setup", "windir",
                 [] { return std::optional<QString>(QStringLiteral("/usr")); }},
    RegistryText{"software\\microsoft\\windows\\setup", "sysdir",
                 [] { return std::optional<QString>(QStringLiteral("/usr/lib")); }},
};

const char* const kInstallDateKey = "software\\microsoft\\windows\\currentversion";

bool isUnder(const QString& key, const char* path)
{
    const QString known = QString::fromLatin1(path);
    return known == key || known.startsWith(key + QLatin1Char('\\'));
}

std::uint64_t meminfoBytes(const QByteArray& meminfo, QByteArrayView field)
{
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith(field) || line.size() <= field.size() || line[field.size()] != ':')
            continue;
        const QByteArrayList words = line.mid(field.size() + 1).simplified().split(' ');
        bool ok = false;
        const std::uint64_t kilobytes = words.value(0).toULongLong(&ok);
        return ok ? kilobytes * 1024 : 0;
    }
    return 0;
}

} // namespace

std::optional<QString> LinuxSystemFacts::registryText(RegistryRoot root, const QString& key,
                                                      const QString& name) const
{
    if (root != RegistryRoot::LocalMachine)
        return std::nullopt;
    const QString normal = normaliseRegistryKey(key);
    const QString value = name.toLower();
    for (const RegistryText& entry : kRegistryTexts)
        if (normal == QLatin1String(entry.key) && value == QLatin1String(entry.name))
            return entry.read();
    return std::nullopt;
}

std::optional<QByteArray> LinuxSystemFacts::registryBinary(RegistryRoot root, const QString& key,
                                                           const QString& name) const
{
    if (root != RegistryRoot::LocalMachine || normaliseRegistryKey(key) != QLatin1String(kInstallDateKey) ||
        name.compare(QLatin1String("FirstInstallDateTime"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return installDateTime();
}

bool LinuxSystemFacts::registryKeyExists(RegistryRoot root, const QString& key) const
{
    const QString normal = normaliseRegistryKey(key);
    return root == RegistryRoot::LocalMachine &&
           std::any_of(kRegistryTexts.begin(), kRegistryTexts.end(),
                       [&](const RegistryText& entry) { return isUnder(normal, entry.key); });
}

std::optional<QString> LinuxSystemFacts::profileText(const QString&, const QString&, const QString&) const
{
    return std::nullopt;
}

OsVersion LinuxSystemFacts::version() const
{
    OsVersion version;
    const auto osRelease = readSmallFile(QStringLiteral("/etc/os-release"));
    const auto fallback = osRelease ? osRelease : readSmallFile(QStringLiteral("/usr/lib/os-release"));
    version.platformName =
        (fallback ? osReleasePrettyName(*fallback) : std::nullopt).value_or(QStringLiteral("Linux"));

    utsname names{};
    if (uname(&names) == 0) {
        static const QRegularExpression numbers(QStringLiteral("^(\\d+)\\.(\\d+)(?:\\.(\\d+))?"));
        const QRegularExpressionMatch match = numbers.match(QString::fromLatin1(names.release));
        version.major = match.captured(1).toInt();
        version.minor = match.captured(2).toInt();
        version.build = match.captured(3).toInt();
    }
    return version;
}

MemoryStatus LinuxSystemFacts::memory() const
{
    const QByteArray meminfo = readSmallFile(QStringLiteral("/proc/meminfo")).value_or(QByteArray());
    MemoryStatus status;
    status.totalPhysical = meminfoBytes(meminfo, "MemTotal");
    status.availablePhysical = meminfoBytes(meminfo, "MemAvailable");
    status.totalPaging = meminfoBytes(meminfo, "SwapTotal");
    status.availablePaging = meminfoBytes(meminfo, "SwapFree");
    return status;
}

std::optional<std::uint64_t> LinuxSystemFacts::systemDriveSize() const
{
    struct statvfs root {};
    if (statvfs("/", &root) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(root.f_blocks) * root.f_frsize;
}

std::optional<QString> LinuxSystemFacts::environmentVariable(const QString& name) const
{
    const QByteArray local = name.toLocal8Bit();
    if (!qEnvironmentVariableIsSet(local.constData()))
        return std::nullopt;
    return qEnvironmentVariable(local.constData());
}

std::optional<QString> LinuxSystemFacts::computerName() const
{
    return hostName();
}

std::optional<QString> LinuxSystemFacts::userName() const
{
    return loginName();
}

std::optional<QString> LinuxSystemFacts::windowsDirectory() const
{
    return QStringLiteral("/usr");
}

std::optional<QString> LinuxSystemFacts::systemDirectory() const
{
    return QStringLiteral("/usr/lib");
}

std::optional<QString> LinuxSystemFacts::tempDirectory() const
{
    const QString configured = qEnvironmentVariable("TMPDIR");
    return configured.isEmpty() ? QStringLiteral("/tmp") : configured;
}

std::optional<int> LinuxSystemFacts::screenBitsPerPixel() const
{
    // Read through the properties of the graphical application and its screen, so that this layer
    // needs no graphical library: the program has one, the command-line tool only where it shows a
    // display.
    QObject* application = QCoreApplication::instance();
    if (!application || !application->inherits("QGuiApplication"))
        return std::nullopt;
    const QObject* screen = application->property("primaryScreen").value<QObject*>();
    if (!screen)
        return std::nullopt;
    bool isNumber = false;
    const int depth = screen->property("depth").toInt(&isNumber);
    return isNumber ? std::optional<int>(depth) : std::nullopt;
}

std::optional<QDate> LinuxSystemFacts::lastWriteDate(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.fileTime(QFileDevice::FileModificationTime).toLocalTime().date();
}

std::optional<QString> osReleasePrettyName(const QByteArray& content)
{
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (!line.startsWith("PRETTY_NAME="))
            continue;
        const QByteArray value = line.mid(int(sizeof "PRETTY_NAME=") - 1);
        QByteArray text;
        const char quote = value.isEmpty() ? '\0' : value.front();
        if (quote == '"' || quote == '\'') {
            for (qsizetype i = 1; i < value.size() && value[i] != quote; ++i) {
                if (quote == '"' && value[i] == '\\' && i + 1 < value.size())
                    ++i;
                text += value[i];
            }
        } else {
            text = value;
        }
        return text.isEmpty() ? std::nullopt : std::optional<QString>(QString::fromUtf8(text));
    }
    return std::nullopt;
}

std::optional<QString> edidMonitorName(const QByteArray& edid)
{
    static const QByteArray header = QByteArray::fromHex("00ffffffffffff00");
    constexpr int kBlockSize = 128;
    constexpr int kFirstDescriptor = 54;
    constexpr int kDescriptorSize = 18;
    constexpr char kMonitorNameTag = '\xFC';
    if (edid.size() < kBlockSize || !edid.startsWith(header))
        return std::nullopt;
    for (int at = kFirstDescriptor; at + kDescriptorSize <= kFirstDescriptor + 4 * kDescriptorSize;
         at += kDescriptorSize) {
        if (edid[at] != 0 || edid[at + 1] != 0 || edid[at + 3] != kMonitorNameTag)
            continue;
        const QByteArray text = edid.mid(at + 5, 13);
        QString name = QString::fromLatin1(text.left(text.indexOf('\n'))).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return std::nullopt;
}

} // namespace qv::platform
