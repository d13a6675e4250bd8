// "quorvex-cli info memory|board" over replayed machine trees.
#include "tools/cli/InfoCommand.h"
#include "tests/hardware/SmbiosImages.h"
#include "tools/cli/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct InfoRun {
    int status = -1;
    std::string out;
    std::string err;
};

InfoRun runInfo(const std::vector<std::string>& options)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::infoCommand());
    std::vector<std::string> args{"info"};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out;
    std::ostringstream err;
    InfoRun run;
    run.status = qv::cli::runCli(registry, args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

QJsonObject infoJson(const std::string& topic, void (*write)(qv::test::FakeTree&))
{
    qv::test::FakeTree tree;
    write(tree);
    const InfoRun run = runInfo({topic, "--json", "--machine-tree", tree.path().string()});
    EXPECT_EQ(run.status, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

TEST(InfoMemoryCommand, DesktopTreeReplaysItsSlotsWithNullsForEmptyOnes)
{
    const QJsonObject json = infoJson("memory", qv::test::writeDesktopTree);
    EXPECT_EQ(json.keys().size(), 8);
    EXPECT_EQ(json[QStringLiteral("Total")].toDouble(), double(16ULL << 30));
    EXPECT_EQ(json[QStringLiteral("SmbiosVersion")].toString(), QStringLiteral("3.3.0"));
    EXPECT_EQ(json[QStringLiteral("Notes")].toArray(), QJsonArray());
    const QJsonArray listed = json[QStringLiteral("Slots")].toArray();
    ASSERT_EQ(listed.size(), 4);
    const QJsonObject b1 = listed[2].toObject();
    EXPECT_EQ(b1[QStringLiteral("Locator")].toString(), QStringLiteral("DIMM_B1"));
    EXPECT_EQ(b1[QStringLiteral("Size")].toDouble(), double(32ULL << 30));
    EXPECT_EQ(b1[QStringLiteral("Type")].toString(), QStringLiteral("DDR4"));
    EXPECT_EQ(b1[QStringLiteral("Rank")].toInt(), 2);
    const QJsonObject a2 = listed[1].toObject();
    EXPECT_FALSE(a2[QStringLiteral("Installed")].toBool());
    EXPECT_TRUE(a2[QStringLiteral("Size")].isNull());
    EXPECT_TRUE(a2[QStringLiteral("Manufacturer")].isNull());
    EXPECT_EQ(json[QStringLiteral("Arrays")][0][QStringLiteral("SlotCount")].toInt(), 4);
}

TEST(InfoMemoryCommand, MachineWithoutDmiGivesNullsAndTheNote)
{
    const QJsonObject json = infoJson("memory", qv::test::writeVirtualMachineTree);
    EXPECT_TRUE(json[QStringLiteral("Slots")].isNull());
    EXPECT_TRUE(json[QStringLiteral("Arrays")].isNull());
    EXPECT_EQ(json[QStringLiteral("Notes")].toArray(),
              QJsonArray{QStringLiteral("This machine's firmware describes no memory slots")});
}

TEST(InfoMemoryCommand, TextShowsEverySlotAndTheNotes)
{
    qv::test::FakeTree tree;
    qv::test::writeDesktopTree(tree);
    const InfoRun run = runInfo({"memory", "--machine-tree", tree.path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Total         16 GiB\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Slot DIMM_A2 (BANK 1)  empty\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Slot DIMM_B1 (BANK 2)  32 GiB DDR4 DIMM, 3600 MT/s (runs at 2933 MT/s), rank 2"),
              std::string::npos)
        << run.out;
}

TEST(InfoBoardCommand, DesktopTreeReplaysItsBoardBiosAndSocket)
{
    const QJsonObject json = infoJson("board", qv::test::writeDesktopTree);
    EXPECT_EQ(json[QStringLiteral("System")][QStringLiteral("Product")].toString(),
              QStringLiteral("NW-7000 Desktop"));
    EXPECT_EQ(json[QStringLiteral("Board")][QStringLiteral("SerialNumber")].toString(),
              QStringLiteral("BSN-98765"));
    EXPECT_EQ(json[QStringLiteral("Bios")][QStringLiteral("Version")].toString(), QStringLiteral("1.40"));
    EXPECT_TRUE(json[QStringLiteral("Bios")][QStringLiteral("Characteristics")].toArray().contains(
        QStringLiteral("UEFI is supported")));
    EXPECT_EQ(json[QStringLiteral("ChassisType")].toString(), QStringLiteral("Desktop"));
    EXPECT_EQ(json[QStringLiteral("Processor")][QStringLiteral("Upgrade")].toString(),
              QStringLiteral("Socket LGA1200"));
    EXPECT_EQ(json[QStringLiteral("Notes")].toArray(), QJsonArray());
}

TEST(InfoBoardCommand, MachineWithoutDmiGivesNullsAndTheNote)
{
    const QJsonObject json = infoJson("board", qv::test::writeVirtualMachineTree);
    EXPECT_TRUE(json[QStringLiteral("System")][QStringLiteral("Manufacturer")].isNull());
    EXPECT_TRUE(json[QStringLiteral("Bios")][QStringLiteral("Characteristics")].isNull());
    EXPECT_EQ(json[QStringLiteral("Notes")].toArray(),
              QJsonArray{QStringLiteral("This machine's firmware does not describe its board")});
}

TEST(InfoMemoryCommand, MistakesAreUsageErrors)
{
    EXPECT_EQ(runInfo({"memory", "--machine-tree", "/nonexistent/tree"}).status, 2);
    const InfoRun unknown = runInfo({"firmware"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown topic 'firmware'"), std::string::npos) << unknown.err;
    EXPECT_EQ(runInfo({}).status, 2);
}

} // namespace
