#include "bench/disk/DriveOfFolder.h"

#include "hardware/DrivesCollector.h"
#include "platform/FileAccess.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace qv::bench::disk {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMountTableLimit = std::size_t(1024) * 1024;

// Whether `name` is the volume itself or one built on it, however deep.
bool holdsVolume(const std::vector<hardware::BlockVolume>& volumes, const std::string& name)
{
    return std::ranges::any_of(volumes, [&name](const hardware::BlockVolume& volume) {
        return volume.name == name || holdsVolume(volume.children, name);
    });
}

// The type of the mount of device `major:minor` whose mount point holds the folder most closely.
std::string fileSystemOf(const std::string& folder, const std::string& deviceNumber)
{
    std::istringstream mounts(platform::readFileHead("/proc/self/mountinfo", kMountTableLimit).value_or(""));
    std::string line;
    std::string best;
    std::size_t bestLength = 0;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, number, root, mountPoint;
        fields >> id >> parent >> number >> root >> mountPoint;
        const std::size_t separator = line.find(" - ");
        if (number != deviceNumber || separator == std::string::npos)
            continue;
        const bool holds =
            folder.starts_with(mountPoint) &&
            (mountPoint == "/" || folder.size() == mountPoint.size() || folder[mountPoint.size()] == '/');
        if (holds && mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            std::istringstream(line.substr(separator + 3)) >> best;
        }
    }
    return best;
}

} // namespace

DriveOfFolder driveOfFolder(const std::string& folder, const hardware::MachineTree& tree)
{
    DriveOfFolder drive;
    struct stat info {};
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || stat(canonical.c_str(), &info) != 0)
        return drive;
    const std::string number = std::to_string(major(info.st_dev)) + ':' + std::to_string(minor(info.st_dev));
    drive.fileSystem = fileSystemOf(canonical.string(), number);
    // The block device of the mount ("vda1", "dm-0"), then the disk it lives on, as the drives collector
    // nests partitions and volumes under their disks.
    const fs::path device = fs::canonical(fs::path("/sys/dev/block") / number, error);
    if (error)
        return drive;
    const std::string volume = device.filename().string();
    const hardware::DrivesFacts facts = hardware::collectDrives(tree);
    for (const auto* list : {&facts.disks, &facts.memoryAndLoopDevices}) {
        const auto disk = std::ranges::find_if(*list, [&volume](const hardware::Drive& candidate) {
            return candidate.name == volume || holdsVolume(candidate.children, volume);
        });
        if (disk == list->end())
            continue;
        drive.device = disk->name;
        drive.model = disk->model.value_or(std::string());
        // The names saved results have always used for cards and for loop and RAM devices.
        drive.transport = disk->transport == "MMC" ? "SD/MMC" : disk->transport.value_or(std::string());
        if (list == &facts.memoryAndLoopDevices)
            drive.transport = "virtual";
        drive.rotational = disk->rotational;
        break;
    }
    return drive;
}

} // namespace qv::bench::disk
