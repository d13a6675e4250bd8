#pragma once

#include "hardware/FileSystemUsage.h"
#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// A partition, a device-mapper volume (LVM, LUKS) or an md array, placed as lsblk places it: under the
// disk or volume it is built on. An md array or a volume built on several members appears under each.
struct BlockVolume {
    std::string name;                      // "nvme0n1p2", "dm-0", "md0"
    std::optional<std::string> mapper;     // the device-mapper name, "vg0-root"
    std::string type;                      // "part", "lvm", "crypt", "dm", "raid1", …
    std::optional<std::uint64_t> size;     // bytes
    std::optional<std::string> fileSystem; // "ext4", "vfat", "crypto_LUKS", from the udev database
    std::optional<std::string> label;
    std::optional<std::string> uuid;
    std::vector<std::string> mountPoints; // empty when it is not mounted
    // Of the first mount point; empty when not mounted or not readable in time (a dead network mount).
    std::optional<FileSystemUsage> usage;
    std::vector<BlockVolume> children;
};

// A whole disk from /sys/block.
struct Drive {
    std::string name; // "nvme0n1", "sda", "loop0"
    std::string type; // "disk", "loop", "rom", …
    std::optional<std::string> model;
    std::optional<std::string> vendor;
    std::optional<std::string> serialNumber;
    std::optional<std::string> firmware;
    std::optional<std::uint64_t> size; // bytes
    std::optional<std::uint32_t> logicalSectorSize;
    std::optional<std::uint32_t> physicalSectorSize;
    std::optional<bool> rotational;
    std::optional<bool> removable;
    std::optional<bool> readOnly;
    std::optional<std::string> transport;  // "NVMe", "SATA", "SCSI", "USB", "virtio", "MMC"
    std::optional<std::string> fileSystem; // a file system on the whole disk, without partitions
    std::optional<std::string> label;
    std::optional<std::string> uuid;
    std::vector<std::string> mountPoints;
    std::optional<FileSystemUsage> usage;
    std::vector<BlockVolume> children; // partitions, and volumes built on the whole disk
};

// Everything the drives window and "info drives" show. Loop, RAM and compressed-RAM devices are listed
// apart from the disks.
struct DrivesFacts {
    std::vector<Drive> disks;
    std::vector<Drive> memoryAndLoopDevices;
    std::vector<std::string> notes;
};

namespace drives_notes {
inline constexpr const char* kNoDisks = "The kernel lists no disks";
inline constexpr const char* kNoMountTable = "The mount table cannot be read";
} // namespace drives_notes

// /sys/block, the udev database under /run/udev/data, /proc/self/mountinfo and the usage of each mounted
// file system (a tree fact, so a recorded tree replays it).
DrivesFacts collectDrives(const MachineTree& tree = installedMachineTree());

} // namespace qv::hardware
