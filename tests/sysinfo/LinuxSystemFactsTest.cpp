#include "platform/LinuxSystemFacts.h"
#include "platform/PackedDateTime.h"
#include "sysinfo/SysInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

using qv::platform::LinuxSystemFacts;
using qv::platform::RegistryRoot;

// The output of a shell command, as a second opinion on what the facts read.
QString shell(const QString& command)
{
    QProcess process;
    process.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
    EXPECT_TRUE(process.waitForFinished(10000)) << command.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

std::uint64_t meminfoKilobytes(const char* field)
{
    return shell(QStringLiteral("awk '/^%1:/ { print $2 }' /proc/meminfo").arg(QLatin1String(field)))
        .toULongLong();
}

// The folder of the C library this process loaded, read from /proc/self/maps.
QString loadedCLibraryFolder()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype start = line.indexOf('/');
        if (start < 0)
            continue;
        const QFileInfo file(QString::fromLocal8Bit(line.mid(start)));
        if (file.fileName().startsWith(QStringLiteral("libc.so")))
            return file.canonicalPath();
    }
    return {};
}

TEST(LinuxSystemFactsTest, VersionNamesAndSizesMatchTheSystemsOwnAnswers)
{
    const LinuxSystemFacts facts;
    const qv::platform::OsVersion version = facts.version();
    const QString prettyName =
        shell(QStringLiteral(". /etc/os-release 2>/dev/null && printf %s \"$PRETTY_NAME\""));
    EXPECT_EQ(version.platformName, prettyName.isEmpty() ? QStringLiteral("Linux") : prettyName);
    EXPECT_EQ(version.platformId, qv::platform::OsVersion::kOtherPlatform);
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    EXPECT_TRUE(
        QString::fromLatin1(names.release)
            .startsWith(QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.build)))
        << names.release;

    const qv::platform::MemoryStatus memory = facts.memory();
    EXPECT_EQ(memory.totalPhysical, meminfoKilobytes("MemTotal") * 1024);
    EXPECT_EQ(memory.totalPaging, meminfoKilobytes("SwapTotal") * 1024);
    EXPECT_NEAR(double(memory.availablePhysical), double(meminfoKilobytes("MemAvailable") * 1024),
                256.0 * 1024 * 1024);
    EXPECT_LE(memory.availablePhysical, memory.totalPhysical);

    struct statvfs root {};
    ASSERT_EQ(statvfs("/", &root), 0);
    EXPECT_EQ(facts.systemDriveSize(), std::uint64_t(root.f_blocks) * root.f_frsize);

    std::array<char, 256> host{};
    ASSERT_EQ(gethostname(host.data(), host.size() - 1), 0);
    EXPECT_EQ(facts.computerName(), QString::fromLocal8Bit(host.data()));
    const passwd* user = getpwuid(geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(facts.userName(), QString::fromLocal8Bit(user->pw_name));
    const QString fullName = QString::fromLocal8Bit(user->pw_gecos).section(QLatin1Char(','), 0, 0);
    const auto owner = facts.registryText(RegistryRoot::LocalMachine,
                                          QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
                                          QStringLiteral("RegisteredOwner"));
    EXPECT_EQ(owner.value_or(QString()), fullName);
}

TEST(LinuxSystemFactsTest, RegistryAndDirectoriesAnswerAsLinuxHasThem)
{
    const LinuxSystemFacts facts;
    constexpr auto HKLM = RegistryRoot::LocalMachine;
    const QString setup = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\Setup");
    EXPECT_EQ(facts.registryText(HKLM, setup, QStringLiteral("WinDir")), facts.windowsDirectory());
    EXPECT_EQ(facts.registryText(HKLM, setup, QStringLiteral("SysDir")), facts.systemDirectory());
    // The system directory holds the C library this process runs on, as the process's own map of its
    // files shows it, and lies inside the Windows directory.
    const QString system = facts.systemDirectory().value_or(QString());
    const QString cLibrary = loadedCLibraryFolder();
    ASSERT_FALSE(system.isEmpty());
    ASSERT_FALSE(cLibrary.isEmpty());
    EXPECT_TRUE(cLibrary == system || cLibrary.startsWith(system + QLatin1Char('/')))
        << cLibrary.toStdString();
    EXPECT_TRUE(system.startsWith(facts.windowsDirectory().value_or(QString()) + QLatin1Char('/')));
    EXPECT_EQ(QDir::cleanPath(facts.tempDirectory().value_or(QString())), QDir::tempPath());

    QFile machineId(QStringLiteral("/etc/machine-id"));
    if (machineId.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(qv::sysinfo::GetProductID(), QString::fromLatin1(machineId.readAll()).trimmed());
    }
    EXPECT_FALSE(qv::sysinfo::PlusInstalled());
    EXPECT_FALSE(qv::sysinfo::Win95ServicePack1());
    EXPECT_FALSE(facts.registryText(RegistryRoot::CurrentUser, QStringLiteral("\\Control Panel\\Appearance"),
                                    QStringLiteral("Current")));
    EXPECT_FALSE(facts.profileText(QStringLiteral("/usr/SYSTEM.INI"), QStringLiteral("boot.description"),
                                   QStringLiteral("mouse.drv")));

    // The birth time of "/" as stat reports it (0 where the file system keeps none), packed as found.
    const qint64 birth = shell(QStringLiteral("stat -c %W /")).toLongLong();
    const auto packed =
        facts.registryBinary(HKLM, QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
                             QStringLiteral("FirstInstallDateTime"));
    const QDateTime born = QDateTime::fromSecsSinceEpoch(birth);
    if (birth <= 0 || born.date().year() < 1980) {
        EXPECT_FALSE(packed);
    } else {
        ASSERT_TRUE(packed);
        ASSERT_EQ(packed->size(), 4);
        const std::uint32_t value = std::uint8_t(packed->at(0)) | std::uint8_t(packed->at(1)) << 8 |
                                    std::uint8_t(packed->at(2)) << 16 |
                                    std::uint32_t(std::uint8_t(packed->at(3))) << 24;
        EXPECT_EQ(qv::platform::decodePackedDateTime(value), born.addSecs(-(born.time().second() % 2)));
    }
}

TEST(LinuxSystemFactsTest, TheCollectorDescribesThisMachine)
{
    const qv::sysinfo::TSysInfo info;
    const LinuxSystemFacts facts;
    EXPECT_EQ(info.WindowsType(), facts.version().platformName);
    EXPECT_EQ(info.MemoryTotal(), QStringLiteral("%1 KB").arg(meminfoKilobytes("MemTotal")));
    EXPECT_EQ(info.WindowsPath(), QStringLiteral("/usr"));
    EXPECT_EQ(info.WindowsSystemPath(), QStringLiteral("/usr/lib"));
    EXPECT_EQ(info.KeyboardType(), QStringLiteral("Unknown"));
    EXPECT_EQ(info.ColourCount(), QStringLiteral("4294967296")) << "the offscreen screen is 32 bits deep";
    EXPECT_EQ(info.NetworkProvider(), QFile::exists(QStringLiteral("/etc/samba/smb.conf"))
                                          ? QStringLiteral("Samba")
                                          : QStringLiteral("Unknown"));
}

TEST(LinuxSystemFactsTest, OsReleaseValuesAreUnquoted)
{
    using qv::platform::osReleasePrettyName;
    EXPECT_EQ(osReleasePrettyName("NAME=x\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(osReleasePrettyName("PRETTY_NAME='Single quoted'"), QStringLiteral("Single quoted"));
    EXPECT_EQ(osReleasePrettyName("PRETTY_NAME=\"Say \\\"hi\\\" \\\\ now\""),
              QStringLiteral("Say \"hi\" \\ now"));
    EXPECT_EQ(osReleasePrettyName("PRETTY_NAME=Bare"), QStringLiteral("Bare"));
    EXPECT_EQ(osReleasePrettyName("#PRETTY_NAME=\"commented\"\nPRETTY_NAME=\"\""), std::nullopt);
    EXPECT_EQ(osReleasePrettyName("NAME=\"no pretty name\""), std::nullopt);
}

TEST(LinuxSystemFactsTest, MonitorNameComesFromTheEdidNameDescriptor)
{
    QByteArray edid(128, '\0');
    edid.replace(0, 8, QByteArray::fromHex("00ffffffffffff00"));
    edid.replace(54, 18, QByteArray(QByteArray::fromHex("000000ff00") + "SERIAL123\n   "));
    edid.replace(72, 18, QByteArray(QByteArray::fromHex("000000fc00") + "DELL U2415\n  "));
    EXPECT_EQ(qv::platform::edidMonitorName(edid), QStringLiteral("DELL U2415"));
    EXPECT_EQ(qv::platform::edidMonitorName(edid.left(100)), std::nullopt) << "truncated";
    edid[0] = 1;
    EXPECT_EQ(qv::platform::edidMonitorName(edid), std::nullopt) << "no EDID header";
}

} // namespace
