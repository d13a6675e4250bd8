#include "tests/hardware/DriveTrees.h"

namespace qv::test {

namespace {

constexpr const char* kNvmeController = "sys/devices/pci0000:00/0000:00:1d.0/0000:03:00.0/nvme/nvme0";

void writeDisk(FakeTree& tree, const std::string& name, const BlockFiles& block, const char* rotational,
               const char* removable)
{
    writeBlock(tree, block);
    tree.write(block.folder + "/queue/logical_block_size", "512\n")
        .write(block.folder + "/queue/physical_block_size", "4096\n")
        .write(block.folder + "/queue/rotational", std::string(rotational) + '\n')
        .write(block.folder + "/removable", std::string(removable) + '\n')
        .write(block.folder + "/ro", "0\n")
        .link("sys/block/" + name, "../" + block.folder.substr(4));
}

void writeNvme(FakeTree& tree, unsigned long long sectors)
{
    const std::string disk = std::string(kNvmeController) + "/nvme0n1";
    writeDisk(tree, "nvme0n1", {disk, "259:0", sectors, ""}, "0", "0");
    tree.link(disk + "/device", "../../nvme0")
        .write(std::string(kNvmeController) + "/model", "NW Fast 1TB                             \n")
        .write(std::string(kNvmeController) + "/serial", "S6NVME0001      \n")
        .write(std::string(kNvmeController) + "/firmware_rev", "3B2QGXA7\n");
}

void writeUsage(FakeTree& tree, const std::string& facts)
{
    tree.write("recording/facts", facts);
}

} // namespace

void writeBlock(FakeTree& tree, const BlockFiles& block)
{
    tree.write(block.folder + "/dev", block.device + '\n')
        .write(block.folder + "/size", std::to_string(block.sectors) + '\n');
    if (!block.udev.empty())
        tree.write("run/udev/data/b" + block.device, block.udev);
}

void writeDesktopDrives(FakeTree& tree)
{
    const std::string nvme = std::string(kNvmeController) + "/nvme0n1";
    writeNvme(tree, 1953525168);
    writeBlock(tree, {nvme + "/nvme0n1p1", "259:1", 1048576, "E:ID_FS_TYPE=vfat\nE:ID_FS_UUID=12CE-A600\n"});
    writeBlock(tree, {nvme + "/nvme0n1p2", "259:2", 1952474112,
                      "E:ID_FS_TYPE=ext4\nE:ID_FS_LABEL=root\nE:ID_FS_LABEL_ENC=root\n"});
    tree.write(nvme + "/nvme0n1p1/partition", "1\n").write(nvme + "/nvme0n1p2/partition", "2\n");

    const std::string sata = "sys/devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0";
    writeDisk(tree, "sda",
              {sata + "/block/sda", "8:0", 976773168,
               "E:ID_BUS=ata\nE:ID_MODEL=NW_Solid_500\nE:ID_MODEL_ENC=NW\\x20Solid\\x20500\\x20\\x20\n"
               "E:ID_SERIAL_SHORT=SATA0002\nE:ID_REVISION=2B6Q\n"},
              "0", "0");
    tree.link(sata + "/block/sda/device", "../../../1:0:0:0")
        .write(sata + "/vendor", "ATA     \n")
        .write(sata + "/model", "NW Solid 500    \n");
    writeBlock(tree, {sata + "/block/sda/sda1", "8:1", 976771072, "E:ID_FS_TYPE=crypto_LUKS\n"});
    tree.write(sata + "/block/sda/sda1/partition", "1\n");
    const std::string crypt = "sys/devices/virtual/block/dm-0";
    writeBlock(tree, {crypt, "253:0", 976738304, "E:ID_FS_TYPE=ext4\nE:ID_FS_LABEL=data\n"});
    tree.write(crypt + "/dm/name", "data\n")
        .write(crypt + "/dm/uuid", "CRYPT-LUKS2-0123456789abcdef-data\n")
        .link("sys/block/dm-0", "../devices/virtual/block/dm-0")
        .link(crypt + "/slaves/sda1",
              "../../../../pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sda/sda1")
        .link(sata + "/block/sda/sda1/holders/dm-0", "../../../../../../../../../../virtual/block/dm-0");

    const std::string usb = "sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0";
    writeDisk(tree, "sdb",
              {usb + "/block/sdb", "8:16", 60555264,
               "E:ID_BUS=usb\nE:ID_VENDOR=Stickmaker\nE:ID_MODEL=Pocket_32\nE:ID_SERIAL_SHORT=0401USB3\n"},
              "1", "1");
    writeBlock(tree, {usb + "/block/sdb/sdb1", "8:17", 60553216, "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=STICK\n"});
    tree.write(usb + "/block/sdb/sdb1/partition", "1\n");

    writeDisk(tree, "loop0", {"sys/devices/virtual/block/loop0", "7:0", 0, ""}, "0", "0");
    tree.write("proc/self/mountinfo",
               "26 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n"
               "31 26 259:1 / /boot/efi rw,relatime shared:2 - vfat /dev/nvme0n1p1 rw\n"
               "40 26 253:0 / /mnt/my\\040data rw,relatime shared:3 - ext4 /dev/mapper/data rw\n"
               "22 26 0:21 / /sys rw,relatime - sysfs sysfs rw\n");
    writeUsage(tree, "statvfs /\t1000000000000 600000000000 550000000000\n");
}

void writeLaptopDrives(FakeTree& tree)
{
    const std::string nvme = std::string(kNvmeController) + "/nvme0n1";
    writeNvme(tree, 1000215216);
    writeBlock(tree, {nvme + "/nvme0n1p1", "259:1", 1000212480, "E:ID_FS_TYPE=ext4\n"});
    tree.write(nvme + "/nvme0n1p1/partition", "1\n");
    const std::string card = "sys/devices/pci0000:00/0000:00:14.5/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0";
    writeDisk(tree, "mmcblk0", {card, "179:0", 124735488, ""}, "0", "0");
    writeBlock(tree, {card + "/mmcblk0p1", "179:1", 124727296, "E:ID_FS_TYPE=exfat\nE:ID_FS_LABEL=CARD\n"});
    tree.write(card + "/mmcblk0p1/partition", "1\n")
        .write(card + "/device/name", "SD128\n")
        .write(card + "/device/serial", "0x1234abcd\n")
        .write("proc/self/mountinfo",
               "26 1 259:1 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p1 rw\n"
               "52 26 179:1 / /media/card rw,nosuid,nodev - fuseblk /dev/mmcblk0p1 rw,user_id=0\n");
    writeUsage(tree, "statvfs /\t500000000000 100000000000 90000000000\n"
                     "statvfs /media/card\t127000000000 27000000000 27000000000\n");
}

void writeVirtualMachineDrives(FakeTree& tree)
{
    const std::string disk = "sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda";
    writeDisk(tree, "vda", {disk, "254:0", 536870912, ""}, "1", "0");
    tree.link(disk + "/device", "../../../virtio1")
        .write("sys/devices/pci0000:00/0000:00:02.0/virtio1/vendor", "0x1af4\n")
        .write("proc/self/mountinfo", "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n");
}

} // namespace qv::test
