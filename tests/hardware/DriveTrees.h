#pragma once

#include "tests/support/FakeTree.h"

#include <string>

// The disks of the hand-made machines: sysfs as the kernel lays it out (links into /sys/devices), the
// udev database and the mount table.
namespace qv::test {

// One block device's sysfs attributes and udev properties.
struct BlockFiles {
    std::string folder;             // "sys/devices/…/block/sda" or a partition folder below it
    std::string device;             // "8:0"
    unsigned long long sectors = 0; // of 512 bytes
    std::string udev;               // the udev database file's "E:" lines, or "" for none
};

void writeBlock(FakeTree& tree, const BlockFiles& block);

// NVMe with an EFI partition and the root file system, a SATA SSD whose one partition holds an
// encrypted volume mounted at "/mnt/my data", a USB stick, an unused loop device. The root's usage is a
// recorded fact.
void writeDesktopDrives(FakeTree& tree);
// NVMe holding the root, an SD card mounted through FUSE at /media/card.
void writeLaptopDrives(FakeTree& tree);
// A virtio disk formatted whole and mounted at "/", no udev database (as in a container's machine).
void writeVirtualMachineDrives(FakeTree& tree);

} // namespace qv::test
