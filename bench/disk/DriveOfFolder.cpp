#include "bench/disk/DriveOfFolder.h"

#include "platform/FileAccess.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <utility>

namespace qv::bench::disk {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMountTableLimit = std::size_t(1024) * 1024;

std::string firstLine(const fs::path& file)
{
    std::string line = platform::readFileHead(file, 256).value_or(std::string());
    line = line.substr(0, line.find('\n'));
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string transportOf(const std::string& devicePath)
{
    static const std::array<std::pair<const char*, const char*>, 6> kMarks{{{"/nvme", "NVMe"},
                                                                            {"/usb", "USB"},
                                                                            {"/mmc", "SD/MMC"},
                                                                            {"/ata", "SATA"},
                                                                            {"/virtio", "virtio"},
                                                                            {"/virtual/", "virtual"}}};
    for (const auto& [mark, name] : kMarks) {
        if (devicePath.find(mark) != std::string::npos)
            return name;
    }
    return {};
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

DriveOfFolder driveOfFolder(const std::string& folder)
{
    DriveOfFolder drive;
    struct stat info {};
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || stat(canonical.c_str(), &info) != 0)
        return drive;
    const std::string number = std::to_string(major(info.st_dev)) + ':' + std::to_string(minor(info.st_dev));
    drive.fileSystem = fileSystemOf(canonical.string(), number);
    fs::path device = fs::canonical(fs::path("/sys/dev/block") / number, error);
    if (error)
        return drive;
    if (fs::exists(device / "partition"))
        device = device.parent_path();
    drive.device = device.filename().string();
    drive.model = firstLine(device / "device/model");
    drive.transport = transportOf(device.string());
    return drive;
}

} // namespace qv::bench::disk
