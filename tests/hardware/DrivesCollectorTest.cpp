// The drives collector over the hand-made machines' sysfs, udev database and mount table.
#include "hardware/DrivesCollector.h"
#include "tests/hardware/DriveTrees.h"
#include "tests/hardware/SmbiosImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

namespace {

using qv::hardware::BlockVolume;
using qv::hardware::Drive;
using qv::hardware::DrivesFacts;
using qv::hardware::FileSystemUsage;
using qv::hardware::FolderTree;

DrivesFacts collectFrom(void (*write)(qv::test::FakeTree&),
                        FolderTree::Facts facts = FolderTree::Facts::Recorded)
{
    qv::test::FakeTree files;
    write(files);
    return qv::hardware::collectDrives(FolderTree(files.path(), facts));
}

const Drive& named(const std::vector<Drive>& drives, const std::string& name)
{
    const auto found = std::ranges::find(drives, name, &Drive::name);
    EXPECT_NE(found, drives.end()) << name;
    static const Drive kNone;
    return found == drives.end() ? kNone : *found;
}

std::vector<std::string> names(const std::vector<Drive>& drives)
{
    std::vector<std::string> listed;
    for (const Drive& drive : drives)
        listed.push_back(drive.name);
    return listed;
}

TEST(DrivesCollector, DesktopListsItsDisksWithTheirMakersAndTransports)
{
    const DrivesFacts facts = collectFrom(qv::test::writeDesktopTree);
    EXPECT_EQ(names(facts.disks), (std::vector<std::string>{"nvme0n1", "sda", "sdb"}));
    EXPECT_EQ(names(facts.memoryAndLoopDevices), std::vector<std::string>{"loop0"});
    EXPECT_EQ(facts.notes, std::vector<std::string>());

    const Drive& nvme = named(facts.disks, "nvme0n1");
    EXPECT_EQ(nvme.model, "NW Fast 1TB");
    EXPECT_EQ(nvme.serialNumber, "S6NVME0001");
    EXPECT_EQ(nvme.firmware, "3B2QGXA7");
    EXPECT_EQ(nvme.transport, "NVMe");
    EXPECT_EQ(nvme.size, 1953525168ULL * 512);
    EXPECT_EQ(nvme.physicalSectorSize, 4096U);
    EXPECT_EQ(nvme.rotational, false);

    const Drive& sata = named(facts.disks, "sda");
    EXPECT_EQ(sata.model, "NW Solid 500"); // udev's encoded value, decoded and trimmed
    EXPECT_EQ(sata.vendor, "ATA");
    EXPECT_EQ(sata.firmware, "2B6Q");
    EXPECT_EQ(sata.transport, "SATA");

    const Drive& stick = named(facts.disks, "sdb");
    EXPECT_EQ(stick.transport, "USB");
    EXPECT_EQ(stick.vendor, "Stickmaker");
    EXPECT_EQ(stick.removable, true);
    ASSERT_EQ(stick.children.size(), 1U);
    EXPECT_EQ(stick.children[0].label, "STICK");
    EXPECT_TRUE(stick.children[0].mountPoints.empty());
    EXPECT_FALSE(stick.children[0].usage);
}

TEST(DrivesCollector, DesktopPartitionsCarryFileSystemsMountsAndRecordedUsage)
{
    const DrivesFacts facts = collectFrom(qv::test::writeDesktopTree);
    const Drive& nvme = named(facts.disks, "nvme0n1");
    ASSERT_EQ(nvme.children.size(), 2U);
    const BlockVolume& efi = nvme.children[0];
    EXPECT_EQ(efi.type, "part");
    EXPECT_EQ(efi.size, 512ULL << 20);
    EXPECT_EQ(efi.fileSystem, "vfat");
    EXPECT_EQ(efi.mountPoints, std::vector<std::string>{"/boot/efi"});
    EXPECT_FALSE(efi.usage); // mounted, but its usage was never recorded
    const BlockVolume& root = nvme.children[1];
    EXPECT_EQ(root.label, "root");
    EXPECT_EQ(root.mountPoints, std::vector<std::string>{"/"});
    ASSERT_TRUE(root.usage);
    EXPECT_EQ(root.usage->total, 1000000000000ULL);
    EXPECT_EQ(root.usage->available, 550000000000ULL);
}

TEST(DrivesCollector, EncryptedVolumeSitsUnderItsPartitionAsLsblkShowsIt)
{
    const DrivesFacts facts = collectFrom(qv::test::writeDesktopTree);
    const Drive& sata = named(facts.disks, "sda");
    ASSERT_EQ(sata.children.size(), 1U);
    const BlockVolume& partition = sata.children[0];
    EXPECT_EQ(partition.fileSystem, "crypto_LUKS");
    ASSERT_EQ(partition.children.size(), 1U);
    const BlockVolume& crypt = partition.children[0];
    EXPECT_EQ(crypt.name, "dm-0");
    EXPECT_EQ(crypt.mapper, "data");
    EXPECT_EQ(crypt.type, "crypt");
    EXPECT_EQ(crypt.fileSystem, "ext4");
    EXPECT_EQ(crypt.mountPoints, std::vector<std::string>{"/mnt/my data"});
}

TEST(DrivesCollector, LaptopShowsItsMountedMemoryCard)
{
    const DrivesFacts facts = collectFrom(qv::test::writeLaptopTree);
    EXPECT_EQ(names(facts.disks), (std::vector<std::string>{"mmcblk0", "nvme0n1"}));
    const Drive& card = named(facts.disks, "mmcblk0");
    EXPECT_EQ(card.transport, "MMC");
    EXPECT_EQ(card.model, "SD128");
    EXPECT_EQ(card.serialNumber, "0x1234abcd");
    ASSERT_EQ(card.children.size(), 1U);
    EXPECT_EQ(card.children[0].fileSystem, "exfat");
    EXPECT_EQ(card.children[0].mountPoints, std::vector<std::string>{"/media/card"});
    ASSERT_TRUE(card.children[0].usage);
    EXPECT_EQ(card.children[0].usage->total, 127000000000ULL);
}

TEST(DrivesCollector, FuseMountThatNeverAnswersIsUnknownWhileTheOthersAreRead)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    const qv::hardware::ScopedUsageReader reader(
        [released](const std::string& mountPoint) -> std::optional<FileSystemUsage> {
            if (mountPoint == "/media/card")
                released.wait();
            return FileSystemUsage{100, 40, 30};
        });
    const DrivesFacts facts = collectFrom(qv::test::writeLaptopTree, FolderTree::Facts::Live);
    release.set_value();
    EXPECT_FALSE(named(facts.disks, "mmcblk0").children.at(0).usage);
    const auto root = named(facts.disks, "nvme0n1").children.at(0).usage;
    ASSERT_TRUE(root);
    EXPECT_EQ(root->available, 30U);
}

TEST(DrivesCollector, VirtualMachineDiskFormattedWholeWithoutUdev)
{
    const DrivesFacts facts = collectFrom(qv::test::writeVirtualMachineTree);
    ASSERT_EQ(facts.disks.size(), 1U);
    const Drive& disk = facts.disks[0];
    EXPECT_EQ(disk.transport, "virtio");
    EXPECT_FALSE(disk.vendor); // the device's vendor is a number, no maker's name
    EXPECT_FALSE(disk.fileSystem);
    EXPECT_EQ(disk.mountPoints, std::vector<std::string>{"/"});
    EXPECT_TRUE(disk.children.empty());
    EXPECT_EQ(disk.size, 256ULL << 30);
}

TEST(DrivesCollector, EmptyTreeSaysWhatIsMissing)
{
    qv::test::FakeTree empty;
    const DrivesFacts facts = qv::hardware::collectDrives(FolderTree(empty.path()));
    EXPECT_TRUE(facts.disks.empty());
    EXPECT_EQ(facts.notes, (std::vector<std::string>{qv::hardware::drives_notes::kNoMountTable,
                                                     qv::hardware::drives_notes::kNoDisks}));
}

} // namespace
