#pragma once

#include <string>

namespace qv::bench::disk {

// The drive a folder lives on, as far as the system tells: "" where a fact is unknown.
struct DriveOfFolder {
    std::string device;     // "nvme0n1", "sda", "loop3"
    std::string model;      // the drive's own model text
    std::string transport;  // "NVMe", "SATA", "USB", "virtio", "SD/MMC", "virtual"
    std::string fileSystem; // "ext4", "tmpfs", ...
};

// Read from /sys and /proc/self/mountinfo directly, until the drives collector answers it.
DriveOfFolder driveOfFolder(const std::string& folder);

} // namespace qv::bench::disk
