#include "sysinfo/SysInfo.h"
#include "platform/PackedDateTime.h"
#include "sysinfo/SystemWindowTexts.h"
#include "tests/support/TestSupport.h"
#include "tests/sysinfo/ScriptedSystemFacts.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using qv::platform::RegistryRoot;
using qv::sysinfo::TSysInfo;
using qv::test::ScriptedSystemFacts;

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr std::uint64_t MB = 1024 * 1024;
const QString kCurrentVersion = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");

// A Windows 98 Second Edition machine of 2002, as its registry, SYSTEM.INI and system calls answer.
ScriptedSystemFacts windows98Machine()
{
    ScriptedSystemFacts facts;
    facts.setRegistry(HKLM, kCurrentVersion, QStringLiteral("RegisteredOwner"),
                      QStringLiteral("Ann Example"));
    facts.setRegistry(HKLM, kCurrentVersion, QStringLiteral("RegisteredOrganization"),
                      QStringLiteral("Example Ltd"));
    facts.setRegistry(HKLM, kCurrentVersion, QStringLiteral("FirstInstallDateTime"),
                      QByteArray::fromHex("00602E2D"));
    facts.setRegistry(HKLM, kCurrentVersion, QStringLiteral("ProductID"),
                      QStringLiteral("12345-OEM-0001234-56789"));
    facts.setRegistry(HKLM, QStringLiteral("\\Enum\\Monitor\\Default_Monitor\\0001"),
                      QStringLiteral("DeviceDesc"), QStringLiteral("Plug and Play Monitor"));
    facts.setRegistry(HKLM, QStringLiteral("\\Network\\Logon"), QStringLiteral("PrimaryProvider"),
                      QStringLiteral("Microsoft Network"));
    facts.setRegistry(HKLM, QStringLiteral("\\System\\CurrentControlSet\\Control\\TimeZoneInformation"),
                      QStringLiteral("StandardName"), QStringLiteral("Romance Standard Time"));
    facts.setRegistry(HKLM, QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\Setup"), QStringLiteral("WinDir"),
                      QStringLiteral("C:\\WINDOWS"));
    facts.setRegistry(HKLM, QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\Setup"), QStringLiteral("SysDir"),
                      QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    facts.setRegistry(RegistryRoot::CurrentUser, QStringLiteral("\\Control Panel\\Appearance"),
                      QStringLiteral("Current"), QStringLiteral("Windows Standard"));
    for (const auto& [key, value] :
         {std::pair{"keyboard.typ", "Standard 101/102-Key"},
          std::pair{"display.drv", "Standard PCI Graphics Adapter (VGA)"},
          std::pair{"mouse.drv", "Standard mouse"}, std::pair{"system.drv", "Standard PC"}})
        facts.setProfile(QStringLiteral("C:\\WINDOWS\\SYSTEM.INI"), QStringLiteral("boot.description"),
                         QString::fromLatin1(key), QString::fromLatin1(value));
    facts.os = {1, {}, 4, 10, 0x040A08AE}; // the build's high word carries the version
    facts.memoryStatus = {256 * MB, 64 * MB, 400 * MB, 100 * MB};
    facts.driveSize = 2048 * MB;
    facts.environment.insert(QStringLiteral("TEMP"), QStringLiteral("C:\\WINDOWS\\TEMP"));
    facts.computer = QStringLiteral("BUREAU");
    facts.user = QStringLiteral("ann");
    facts.windowsDir = QStringLiteral("C:\\WINDOWS");
    facts.systemDir = QStringLiteral("C:\\WINDOWS\\SYSTEM");
    facts.tempDir = QStringLiteral("C:\\WINDOWS\\TEMP\\");
    facts.bitsPerPixel = 16;
    return facts;
}

TEST(SysInfoTest, CollectsEveryTextOfAWindowsMachine)
{
    const qv::platform::ScopedSystemInfoProvider processor([] { return qv::platform::SystemInfo{1, 586}; });
    const auto facts = windows98Machine().install();
    const TSysInfo info;
    EXPECT_EQ(info.RegdOwner(), QStringLiteral("Ann Example"));
    EXPECT_EQ(info.RegdOrganisation(), QStringLiteral("Example Ltd"));
    EXPECT_EQ(info.CPUType(), QStringLiteral("Intel Proutium"));
    EXPECT_EQ(info.WindowsType(), QStringLiteral("Windows 95"));
    EXPECT_EQ(info.WindowsVersion(), QStringLiteral("4.10"));
    EXPECT_EQ(info.WindowsBuild(), QStringLiteral("2222"));
    EXPECT_EQ(info.MemoryTotal(), QStringLiteral("262144 KB"));
    EXPECT_EQ(info.MemoryAvailable(), QStringLiteral("65536 KB"));
    EXPECT_EQ(info.MemoryUsage(), QStringLiteral("25 %"));
    EXPECT_EQ(info.SwapFileSetting(), QStringLiteral("409600 KB"));
    EXPECT_EQ(info.SwapFileSize(), QStringLiteral("307200 KB"));
    EXPECT_EQ(info.SwapFileUsage(), QStringLiteral("75 %"));
    EXPECT_EQ(info.DriveC(), QStringLiteral("2048 MB"));
    EXPECT_TRUE(
        info.WindowsInstallDate().contains(QLocale().toString(QDate(2002, 9, 14), QLocale::ShortFormat)));
    EXPECT_TRUE(info.WindowsInstallDate().contains(QStringLiteral("12:00:00")))
        << info.WindowsInstallDate().toStdString();
    EXPECT_EQ(info.WindowsPath(), QStringLiteral("C:\\WINDOWS"));
    EXPECT_EQ(info.WindowsSystemPath(), QStringLiteral("C:\\WINDOWS\\SYSTEM"));
    EXPECT_EQ(info.WindowsTempPath(), QStringLiteral("C:\\WINDOWS\\TEMP"));
    EXPECT_EQ(info.NetworkComputerName(), QStringLiteral("BUREAU"));
    EXPECT_EQ(info.NetworkUserName(), QStringLiteral("ann"));
    EXPECT_EQ(info.KeyboardType(), QStringLiteral("Standard 101/102-Key"));
    EXPECT_EQ(info.DisplayType(), QStringLiteral("Standard PCI Graphics Adapter (VGA)"));
    EXPECT_EQ(info.MouseType(), QStringLiteral("Standard mouse"));
    EXPECT_EQ(info.SystemType(), QStringLiteral("Standard PC"));
    EXPECT_EQ(info.MonitorDescription(), QStringLiteral("Plug and Play Monitor"));
    EXPECT_EQ(info.NetworkProvider(), QStringLiteral("Microsoft Network"));
    EXPECT_EQ(info.TimeZone(), QStringLiteral("Romance Standard Time"));
    EXPECT_EQ(info.ColourScheme(), QStringLiteral("Windows Standard"));
    EXPECT_EQ(info.ColourCount(), QStringLiteral("65536"));
    EXPECT_EQ(qv::sysinfo::GetProductID(), QStringLiteral("12345-OEM-0001234-56789"));
    EXPECT_EQ(qv::sysinfo::GetTempDir(), QStringLiteral("C:\\WINDOWS\\TEMP\\"));
}

// Every source failing: each text takes its default, nothing throws, nothing divides by zero.
TEST(SysInfoTest, AMachineWithoutAnySourceGivesTheDefaults)
{
    const qv::platform::ScopedSystemInfoProvider processor([] { return qv::platform::SystemInfo{1, 8664}; });
    const auto facts = ScriptedSystemFacts().install();
    const TSysInfo info;
    for (const QString& text :
         {info.RegdOwner(), info.RegdOrganisation(), info.MonitorDescription(), info.NetworkProvider(),
          info.TimeZone(), info.KeyboardType(), info.DisplayType(), info.MouseType(), info.SystemType()})
        EXPECT_EQ(text, QStringLiteral("Unknown"));
    EXPECT_EQ(info.ColourScheme(), QStringLiteral("Unnamed"));
    for (const QString& text : {info.CPUType(), info.WindowsType(), info.DriveC(), info.WindowsInstallDate(),
                                info.WindowsPath(), info.NetworkComputerName(), info.NetworkUserName(),
                                info.SystemDate(), info.SystemTime(), info.ColourCount()})
        EXPECT_EQ(text, QString());
    EXPECT_EQ(info.WindowsSystemPath(), QStringLiteral("\\SYSTEM"));
    EXPECT_EQ(info.WindowsTempPath(), QStringLiteral("%TEMP%"));
    for (const QString& text : {info.MemoryUsage(), info.SwapFileUsage(), info.FreeSystemResorces(),
                                info.FreeGDIResources(), info.FreeUserResources()})
        EXPECT_EQ(text, QStringLiteral("0 %"));
    EXPECT_EQ(info.SwapFileSetting(), QStringLiteral("0 KB"));

    using namespace qv::sysinfo;
    for (const QString& text :
         {GetWindowsDir(), GetSystemDir(), GetTempDir(), GetComputerNameText(), GetProductID()})
        EXPECT_EQ(text, QStringLiteral("?"));
    EXPECT_EQ(GetLoginName(), QString());
    EXPECT_FALSE(PlusInstalled() || Win95ServicePack1() || Win95ServicePack2());
}

TEST(SysInfoTest, TodaysSizesAreNotCutTo32Bits)
{
    auto facts = windows98Machine();
    facts.memoryStatus = {64 * 1024 * MB, 48 * 1024 * MB, 0, 0};
    facts.driveSize = std::uint64_t{3} * 1024 * 1024 * MB;
    facts.bitsPerPixel = 32;
    const auto installed = facts.install();
    const TSysInfo info;
    EXPECT_EQ(info.MemoryTotal(), QStringLiteral("67108864 KB"));
    EXPECT_EQ(info.MemoryUsage(), QStringLiteral("75 %"));
    EXPECT_EQ(info.SwapFileUsage(), QStringLiteral("0 %")) << "no swap";
    EXPECT_EQ(info.DriveC(), QStringLiteral("3145728 MB"));
    EXPECT_EQ(info.ColourCount(), QStringLiteral("4294967296"));
}

TEST(SysInfoTest, EmptyDirectoryValuesFallBack)
{
    auto facts = windows98Machine();
    const QString setup = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\Setup");
    facts.setRegistry(HKLM, setup, QStringLiteral("WinDir"), QString());
    facts.setRegistry(HKLM, setup, QStringLiteral("SysDir"), QString());
    facts.windowsDir = QStringLiteral("D:\\WIN98");
    const auto installed = facts.install();
    const TSysInfo info;
    EXPECT_EQ(info.WindowsPath(), QStringLiteral("D:\\WIN98"));
    EXPECT_EQ(info.WindowsSystemPath(), QStringLiteral("D:\\WIN98\\SYSTEM"));
    EXPECT_EQ(info.KeyboardType(), QStringLiteral("Unknown")) << "SYSTEM.INI is read where Windows now is";
}

TEST(SysInfoTest, PackedDatesDecodeOnlyWhenValid)
{
    using qv::platform::decodePackedDateTime;
    EXPECT_EQ(decodePackedDateTime(0x2D2E6000), QDateTime(QDate(2002, 9, 14), QTime(12, 0, 0)));
    EXPECT_EQ(decodePackedDateTime(0x00210000), QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    EXPECT_EQ(decodePackedDateTime(0), std::nullopt) << "month 0";
    EXPECT_EQ(decodePackedDateTime(0x2C5E0000), std::nullopt) << "30 February 2002";
    EXPECT_EQ(decodePackedDateTime(0x2D2EC000), std::nullopt) << "24 o'clock";
    EXPECT_EQ(decodePackedDateTime(0x2D2E601E), std::nullopt) << "60 seconds";
    EXPECT_EQ(qv::sysinfo::InstallDateText(QByteArray::fromHex("00602E")), QString()) << "3 bytes";
    EXPECT_EQ(qv::platform::encodePackedDateTime(QDateTime(QDate(2002, 9, 14), QTime(12, 0, 1))),
              0x2D2E6000U);
    EXPECT_EQ(qv::platform::encodePackedDateTime(QDateTime(QDate(1979, 12, 31), QTime(23, 0))), std::nullopt);
}

TEST(SysInfoTest, ServicePacksAreJudgedByTheirFilesWholeDates)
{
    auto facts = windows98Machine();
    const auto judge = [&](QDate shell32, QDate kernel32) {
        facts.fileDates = {{QStringLiteral("C:\\WINDOWS\\SYSTEM\\shell32.dll"), shell32},
                           {QStringLiteral("C:\\WINDOWS\\SYSTEM\\kernel32.dll"), kernel32}};
        const auto installed = facts.install();
        return std::pair{qv::sysinfo::Win95ServicePack1(), qv::sysinfo::Win95ServicePack2()};
    };
    EXPECT_EQ(judge({1996, 3, 15}, {1996, 4, 2}), std::pair(true, false));
    EXPECT_EQ(judge({1995, 12, 1}, {1996, 5, 1}), std::pair(true, true));
    EXPECT_EQ(judge({1995, 11, 30}, {1996, 4, 30}), std::pair(false, false));
}

TEST(SysInfoTest, TextsAreReadOnly)
{
    const auto facts = windows98Machine().install();
    TSysInfo info;
    try {
        info.setRegdOwner(QStringLiteral("Someone else"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Can't modify a read-only property");
    }
    EXPECT_FALSE(info.setProperty("WindowsType", QStringLiteral("Windows NT")));
    EXPECT_EQ(info.RegdOwner(), QStringLiteral("Ann Example"));
    EXPECT_EQ(info.WindowsType(), QStringLiteral("Windows 95"));
}

TEST(SysInfoTest, TheTimerFollowsAutoUpdateAndItsInterval)
{
    auto facts = windows98Machine();
    auto installed =
        std::make_unique<qv::platform::ScopedSystemFacts>(std::make_shared<ScriptedSystemFacts>(facts));
    TSysInfo info;
    const QTimer& timer = info.UpdateTimer();
    EXPECT_FALSE(info.AutoUpdate());
    EXPECT_EQ(info.UpdateInterval(), 1000);
    EXPECT_FALSE(timer.isActive());

    info.setUpdateInterval(20);
    EXPECT_EQ(timer.interval(), 1000) << "nothing changes until AutoUpdate is set";
    EXPECT_FALSE(timer.isActive());
    info.setAutoUpdate(true);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 20);

    // A tick collects again.
    facts.computer = QStringLiteral("SALON");
    installed.reset();
    installed =
        std::make_unique<qv::platform::ScopedSystemFacts>(std::make_shared<ScriptedSystemFacts>(facts));
    EXPECT_TRUE(QTest::qWaitFor([&] { return info.NetworkComputerName() == QStringLiteral("SALON"); }, 2000));

    info.setUpdateInterval(0);
    EXPECT_FALSE(timer.isActive()) << "a zero interval never ticks";
    info.setUpdateInterval(500);
    EXPECT_TRUE(timer.isActive());
    info.setAutoUpdate(false);
    EXPECT_FALSE(timer.isActive());
}

TEST(SysInfoTest, RegistryPathsSplitAtTheLastBackslash)
{
    auto facts = windows98Machine();
    facts.setRegistry(HKLM, QStringLiteral("SOFTWARE\\MICROSOFT\\PLUS!\\Setup"), QStringLiteral("Version"),
                      QStringLiteral("1.0"));
    const auto installed = facts.install();
    EXPECT_EQ(
        qv::sysinfo::ReadRegistryString(HKLM, QStringLiteral("software\\microsoft\\plus!\\setup\\VERSION")),
        QStringLiteral("1.0"));
    EXPECT_EQ(qv::sysinfo::ReadRegistryString(HKLM, QStringLiteral("ProductID")), QString()) << "no key";
    EXPECT_TRUE(qv::sysinfo::PlusInstalled());
}

struct EditionRow {
    const char* type;
    const char* version;
    const char* build;
    bool servicePack1;
    bool servicePack2;
    const char* plateforme;
    const char* versionWin95; // nullptr: the group is hidden
    bool extensions;
};

TEST(SysInfoTest, EditionsOfEveryFamily)
{
    const EditionRow rows[] = {
        {"Windows 95", "4.10", "2222", false, false, "Windows 98 Second Edition", "4.100.2222", false},
        {"Windows 95", "4.10", "1998", true, true, "Windows 98", "4.100.1998", false},
        {"Windows 95", "4.90", "3000", false, false, "Windows ME (Millennium Edition)", "4.900.3000", false},
        {"Windows 95", "4.0", "950", true, false, "Windows 95", "4.00.950a", true},
        {"Windows 95", "4.0", "1111", true, true, "Windows 95", "4.00.1111b", true},
        {"Windows 95", "4.0", "950", false, false, "Windows 95", "4.00.950", true},
        {"Windows NT", "5.1", "2600", false, false, "Windows XP (NT technology)", nullptr, false},
        {"Windows NT", "5.2", "3790", false, false, "Windows 2000 (NT technology)", nullptr, false},
        {"Windows NT", "5.0", "2195", false, false, "Windows 2000 (NT technology)", nullptr, false},
        {"Windows NT", "4.0", "1381", false, false, "Windows NT4", nullptr, false},
        {"Windows NT", "3.51", "1057", false, false, "Windows NT3", nullptr, false},
        {"Windows NT", "6.0", "6000", false, false, "Windows NT", nullptr, false},
        {"Windows 3.1x/32s", "3.10", "0", false, false, "Windows 3.1x/32s", nullptr, false},
        {"", "0.0", "0", false, false, "", nullptr, false},
        {"Debian GNU/Linux 12 (bookworm)", "6.1", "0", true, true, "Debian GNU/Linux 12 (bookworm)", nullptr,
         false},
    };
    for (const EditionRow& row : rows) {
        const QString context = QStringLiteral("%1 %2 %3")
                                    .arg(QString::fromLatin1(row.type), QString::fromLatin1(row.version),
                                         QString::fromLatin1(row.build));
        const qv::sysinfo::Edition edition = qv::sysinfo::DecideEdition(
            QString::fromLatin1(row.type), QString::fromLatin1(row.version), QString::fromLatin1(row.build),
            [&] { return row.servicePack1; }, [&] { return row.servicePack2; });
        EXPECT_EQ(edition.Plateforme, QString::fromLatin1(row.plateforme)) << context.toStdString();
        EXPECT_EQ(edition.windowsVersionVisible, row.versionWin95 != nullptr) << context.toStdString();
        if (row.versionWin95) {
            EXPECT_EQ(edition.VersionWin95, QString::fromLatin1(row.versionWin95)) << context.toStdString();
        }
        EXPECT_EQ(edition.ShowExtensions, row.extensions) << context.toStdString();
    }
}

} // namespace
