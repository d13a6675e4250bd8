#pragma once

#include "hardware/tree/MachineTree.h"

#include <optional>
#include <string>

namespace qv::bench::disk {

// The drive a folder lives on, as far as the system tells: "" where a fact is unknown.
struct DriveOfFolder {
    std::string device;     // "nvme0n1", "sda", "loop3"
    std::string model;      // the drive's own model text
    std::string transport;  // "NVMe", "SATA", "SCSI", "USB", "virtio", "SD/MMC", "virtual"
    std::string fileSystem; // "ext4", "tmpfs", ...
    std::optional<bool> rotational;
};

// The mount from /proc/self/mountinfo, the drive from the drives collector.
DriveOfFolder driveOfFolder(const std::string& folder,
                            const hardware::MachineTree& tree = hardware::installedMachineTree());

} // namespace qv::bench::disk
