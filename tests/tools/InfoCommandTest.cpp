// "quorvex-cli info memory|drives|board" over replayed machine trees, and this machine against lsblk.
#include "tools/cli/InfoCommand.h"
#include "tests/hardware/SmbiosImages.h"
#include "tools/cli/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <map>
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
    EXPECT_EQ(runInfo({"memory", "board"}).status, 2);
}

} // namespace

namespace {

TEST(InfoDrivesCommand, DesktopTreeReplaysItsDisksAndVolumes)
{
    const QJsonObject json = infoJson("drives", qv::test::writeDesktopTree);
    const QJsonArray disks = json[QStringLiteral("Disks")].toArray();
    ASSERT_EQ(disks.size(), 3);
    const QJsonObject sata = disks[1].toObject();
    EXPECT_EQ(sata[QStringLiteral("Transport")].toString(), QStringLiteral("SATA"));
    EXPECT_EQ(sata[QStringLiteral("SerialNumber")].toString(), QStringLiteral("SATA0002"));
    const QJsonObject crypt = sata[QStringLiteral("Children")][0][QStringLiteral("Children")][0].toObject();
    EXPECT_EQ(crypt[QStringLiteral("MapperName")].toString(), QStringLiteral("data"));
    EXPECT_EQ(crypt[QStringLiteral("MountPoints")].toArray(), QJsonArray{QStringLiteral("/mnt/my data")});
    EXPECT_TRUE(crypt[QStringLiteral("Usage")].isNull());
    const QJsonObject root = disks[0][QStringLiteral("Children")][1].toObject();
    EXPECT_EQ(root[QStringLiteral("Usage")][QStringLiteral("Free")].toDouble(), 600000000000.0);
    EXPECT_EQ(json[QStringLiteral("OtherDevices")][0][QStringLiteral("Type")].toString(),
              QStringLiteral("loop"));
}

TEST(InfoDrivesCommand, TextShowsDisksWithTheirVolumesIndented)
{
    qv::test::FakeTree tree;
    qv::test::writeLaptopTree(tree);
    const InfoRun run = runInfo({"drives", "--machine-tree", tree.path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(
        run.out.find(
            "  mmcblk0p1  part, 59.5 GiB, exfat \"CARD\", on /media/card, 25.1 GiB free of 118.3 GiB\n"),
        std::string::npos)
        << run.out;
}

// The block devices lsblk prints, by name, with their children flattened in.
void addLsblkDevices(const QJsonArray& devices, std::map<QString, QJsonObject>& byName)
{
    for (const QJsonValue& device : devices) {
        byName[device[QStringLiteral("name")].toString()] = device.toObject();
        addLsblkDevices(device[QStringLiteral("children")].toArray(), byName);
    }
}

void addOurDevices(const QJsonArray& devices, std::map<QString, QJsonObject>& byName)
{
    for (const QJsonValue& device : devices) {
        const QJsonValue mapper = device[QStringLiteral("MapperName")];
        byName[mapper.isString() ? mapper.toString() : device[QStringLiteral("Name")].toString()] =
            device.toObject();
        addOurDevices(device[QStringLiteral("Children")].toArray(), byName);
    }
}

QStringList sortedTexts(const QJsonArray& texts)
{
    QStringList list;
    for (const QJsonValue& text : texts)
        if (text.isString())
            list.append(text.toString());
    list.sort();
    return list;
}

QStringList childNames(const QJsonArray& children, const char* nameKey)
{
    QStringList names;
    for (const QJsonValue& child : children) {
        const QJsonValue mapper = child[QStringLiteral("MapperName")];
        names.append(mapper.isString() ? mapper.toString() : child[QLatin1String(nameKey)].toString());
    }
    names.sort();
    return names;
}

TEST(InfoDrivesCommand, ThisMachineAgreesWithLsblk)
{
    QProcess lsblk;
    lsblk.start(QStringLiteral("lsblk"),
                {QStringLiteral("-J"), QStringLiteral("-b"), QStringLiteral("-o"),
                 QStringLiteral("NAME,SIZE,TYPE,FSTYPE,MOUNTPOINTS,ROTA,TRAN,MODEL")});
    if (!lsblk.waitForFinished(30000) || lsblk.exitCode() != 0)
        GTEST_SKIP() << "lsblk cannot run here";
    std::map<QString, QJsonObject> theirs;
    addLsblkDevices(
        QJsonDocument::fromJson(lsblk.readAllStandardOutput())[QStringLiteral("blockdevices")].toArray(),
        theirs);
    const InfoRun run = runInfo({"drives", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    std::map<QString, QJsonObject> ours;
    addOurDevices(json[QStringLiteral("Disks")].toArray(), ours);
    addOurDevices(json[QStringLiteral("OtherDevices")].toArray(), ours);
    ASSERT_FALSE(theirs.empty());
    for (const auto& [name, device] : theirs) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(ours.contains(name));
        const QJsonObject& mine = ours[name];
        EXPECT_EQ(mine[QStringLiteral("Size")].toDouble(), device[QStringLiteral("size")].toDouble());
        EXPECT_EQ(mine[QStringLiteral("FileSystem")], device[QStringLiteral("fstype")]);
        EXPECT_EQ(sortedTexts(mine[QStringLiteral("MountPoints")].toArray()),
                  sortedTexts(device[QStringLiteral("mountpoints")].toArray()));
        EXPECT_EQ(childNames(mine[QStringLiteral("Children")].toArray(), "Name"),
                  childNames(device[QStringLiteral("children")].toArray(), "name"));
        if (device[QStringLiteral("type")].toString() == QStringLiteral("disk")) {
            EXPECT_EQ(mine[QStringLiteral("Rotational")], device[QStringLiteral("rota")]);
        }
    }
    // lsblk leaves out devices without a size (unused loop devices); every other disk of ours is its.
    for (const auto& [name, device] : ours) {
        if (device[QStringLiteral("Size")].toDouble() > 0) {
            EXPECT_TRUE(theirs.contains(name)) << name.toStdString();
        }
    }
}

} // namespace
