// The board collector over the hand-made machines, and the firmware structures it reads against
// dmidecode's reading of them.
#include "hardware/BoardCollector.h"
#include "tests/hardware/RootOnlyTree.h"
#include "tests/hardware/SmbiosImages.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

using qv::hardware::BoardFacts;
using qv::hardware::FolderTree;
namespace notes = qv::hardware::board_notes;

BoardFacts collectFrom(void (*write)(qv::test::FakeTree&))
{
    qv::test::FakeTree files;
    write(files);
    return qv::hardware::collectBoard(FolderTree(files.path()));
}

// dmidecode's lines for the BIOS and processor structures of `image`.
QStringList dmidecodeLines(const qv::test::SmbiosImage& image)
{
    QTemporaryFile dump;
    EXPECT_TRUE(dump.open());
    const std::string bytes = image.dump();
    dump.write(bytes.data(), qint64(bytes.size()));
    dump.flush();
    QProcess dmidecode;
    dmidecode.start(QStringLiteral("dmidecode"),
                    {QStringLiteral("--from-dump"), dump.fileName(), QStringLiteral("-t"),
                     QStringLiteral("0"), QStringLiteral("-t"), QStringLiteral("4")});
    EXPECT_TRUE(dmidecode.waitForFinished(30000));
    return QString::fromUtf8(dmidecode.readAllStandardOutput()).split(QLatin1Char('\n'));
}

TEST(BoardAgainstDmidecode, CharacteristicsSocketAndUpgradeReadAsDmidecodeReadsThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dmidecode")).isEmpty())
        GTEST_SKIP() << "dmidecode is not installed (scripts/test.sh installs it)";
    const BoardFacts facts = collectFrom(qv::test::writeDesktopTree);
    const QStringList lines = dmidecodeLines(qv::test::desktopSmbios());
    std::vector<std::string> characteristics;
    for (qsizetype i = lines.indexOf(QStringLiteral("\tCharacteristics:")) + 1;
         i > 0 && i < lines.size() && lines[i].startsWith(QStringLiteral("\t\t")); ++i)
        characteristics.push_back(lines[i].trimmed().toStdString());
    ASSERT_FALSE(characteristics.empty());
    EXPECT_EQ(facts.biosCharacteristics, characteristics);
    const auto value = [&lines](const char* key) -> std::optional<std::string> {
        const QString prefix = QLatin1Char('\t') + QLatin1String(key) + QStringLiteral(": ");
        for (const QString& line : lines)
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).toStdString();
        return std::nullopt;
    };
    EXPECT_EQ(facts.processorSocket, value("Socket Designation"));
    EXPECT_EQ(facts.processorUpgrade, value("Upgrade"));
}

TEST(BoardCollector, DesktopGivesItsIdentityBiosAndChassis)
{
    const BoardFacts facts = collectFrom(qv::test::writeDesktopTree);
    EXPECT_EQ(facts.system.manufacturer, "Northwind Computers");
    EXPECT_EQ(facts.system.product, "NW-7000 Desktop");
    EXPECT_EQ(facts.system.serialNumber, "NW7000-123456");
    EXPECT_EQ(facts.board.product, "Z790-NW");
    EXPECT_EQ(facts.board.version, "Rev 1.02");
    EXPECT_EQ(facts.biosDate, "03/15/2024");
    EXPECT_EQ(facts.chassisType, "Desktop");
    EXPECT_EQ(facts.smbiosVersion, "3.3.0");
    EXPECT_EQ(facts.notes, std::vector<std::string>());
}

TEST(BoardCollector, LaptopWithoutBiosStructuresSaysSo)
{
    const BoardFacts facts = collectFrom(qv::test::writeLaptopTree);
    EXPECT_EQ(facts.chassisType, "Notebook");
    EXPECT_EQ(facts.board.manufacturer, std::nullopt);
    EXPECT_EQ(facts.system.serialNumber, std::nullopt) << "a serial of blanks";
    EXPECT_EQ(facts.biosCharacteristics, std::nullopt);
    EXPECT_EQ(facts.notes, std::vector<std::string>{notes::kNoTables});
}

TEST(BoardCollector, VirtualMachineWithoutDmiSaysSo)
{
    const BoardFacts facts = collectFrom(qv::test::writeVirtualMachineTree);
    EXPECT_EQ(facts.system.manufacturer, std::nullopt);
    EXPECT_EQ(facts.notes, std::vector<std::string>{notes::kNoBoard});
}

TEST(BoardCollector, RootOnlyFactsNeedAdministratorRights)
{
    qv::test::FakeTree files;
    qv::test::writeDesktopTree(files);
    const BoardFacts facts = qv::hardware::collectBoard(
        qv::test::RootOnlyTree(files.path(), {"/sys/firmware/dmi/tables/", "/sys/class/dmi/id/product_serial",
                                              "/sys/class/dmi/id/board_serial"}));
    EXPECT_EQ(facts.system.serialNumber, std::nullopt);
    EXPECT_EQ(facts.system.product, "NW-7000 Desktop");
    EXPECT_EQ(facts.processorSocket, std::nullopt);
    EXPECT_EQ(facts.notes,
              (std::vector<std::string>{notes::kSerialsNeedAdministrator, notes::kTablesNeedAdministrator}));
}

} // namespace
