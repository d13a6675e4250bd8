#include "hardware/DrivesCollector.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace qv::hardware {

namespace {

constexpr std::size_t kAttributeLimit = 4096;
constexpr std::size_t kUdevLimit = std::size_t(64) * 1024;
constexpr std::size_t kMountTableLimit = std::size_t(4) * 1024 * 1024;
constexpr std::uint64_t kSectorSize = 512; // sysfs counts sizes in 512-byte sectors whatever the disk's
// Volumes built on volumes are followed this deep; the kernel's own stacking is far shallower.
constexpr int kMaximumDepth = 8;

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

std::optional<std::string> attribute(const MachineTree& tree, const std::string& path)
{
    const auto text = tree.read(path, kAttributeLimit);
    if (!text || trimmed(*text).empty())
        return std::nullopt;
    return std::string(trimmed(*text));
}

template<typename T>
std::optional<T> number(const MachineTree& tree, const std::string& path)
{
    const auto text = attribute(tree, path);
    T value{};
    if (!text ||
        std::from_chars(text->data(), text->data() + text->size(), value).ptr != text->data() + text->size())
        return std::nullopt;
    return value;
}

std::optional<bool> flag(const MachineTree& tree, const std::string& path)
{
    const auto value = number<int>(tree, path);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

// udev's encoding of odd bytes in a value ("WDC\x20WD10") undone.
std::string udevDecoded(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        if (text.substr(i, 2) == "\\x" && i + 4 <= text.size() &&
            std::from_chars(text.data() + i + 2, text.data() + i + 4, value, 16).ptr == text.data() + i + 4) {
            plain += char(value);
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// The "E:KEY=value" properties of a device in the udev database.
class UdevProperties {
public:
    UdevProperties(const MachineTree& tree, const std::optional<std::string>& device)
    {
        const auto text = device ? tree.read("/run/udev/data/b" + *device, kUdevLimit) : std::nullopt;
        std::string_view rest = text ? std::string_view(*text) : std::string_view();
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            const std::size_t equals = line.find('=');
            if (line.starts_with("E:") && equals != std::string_view::npos)
                m_values.emplace(line.substr(2, equals - 2), line.substr(equals + 1));
        }
    }

    // The first of `keys` that is given; a key ending in "_ENC" is decoded.
    std::optional<std::string> value(std::initializer_list<std::string_view> keys) const
    {
        for (const std::string_view key : keys) {
            const auto found = m_values.find(key);
            if (found == m_values.end())
                continue;
            std::string text(trimmed(key.ends_with("_ENC") ? udevDecoded(found->second) : found->second));
            if (!text.empty())
                return text;
        }
        return std::nullopt;
    }

private:
    std::map<std::string, std::string, std::less<>> m_values;
};

struct Mount {
    std::string device; // "259:1"
    std::string mountPoint;
    std::string type;
    std::string source; // "/dev/nvme0n1p1"
};

// A mountinfo field, whose blanks and backslashes are written as octal escapes ("\040").
std::string mountinfoDecoded(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        if (text[i] == '\\' && i + 4 <= text.size() &&
            std::from_chars(text.data() + i + 1, text.data() + i + 4, value, 8).ptr == text.data() + i + 4) {
            plain += char(value);
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::vector<Mount> parseMountinfo(std::string_view text)
{
    std::vector<Mount> mounts;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<std::string_view> fields;
        for (std::size_t position = 0; position < line.size();) {
            const std::size_t blank = std::min(line.find(' ', position), line.size());
            fields.push_back(line.substr(position, blank - position));
            position = blank + 1;
        }
        const auto separator = std::ranges::find(fields, std::string_view("-"));
        if (fields.size() < 5 || std::distance(separator, fields.end()) < 3)
            continue;
        mounts.push_back({std::string(fields[2]), mountinfoDecoded(fields[4]),
                          mountinfoDecoded(*(separator + 1)), mountinfoDecoded(*(separator + 2))});
    }
    return mounts;
}

class Collector {
public:
    explicit Collector(const MachineTree& tree)
        : m_tree(tree)
    {
        if (const auto text = tree.read("/proc/self/mountinfo", kMountTableLimit))
            m_mounts = parseMountinfo(*text);
        else
            m_facts.notes.emplace_back(drives_notes::kNoMountTable);
    }

    DrivesFacts collect()
    {
        for (const std::string& name : m_tree.list("/sys/block")) {
            const std::string folder = "/sys/block/" + name;
            if (!m_tree.list(folder + "/slaves").empty())
                continue; // shown under each of its members
            Drive drive = disk(name, folder);
            const bool apart =
                name.starts_with("loop") || name.starts_with("ram") || name.starts_with("zram");
            (apart ? m_facts.memoryAndLoopDevices : m_facts.disks).push_back(std::move(drive));
        }
        if (m_facts.disks.empty())
            m_facts.notes.emplace_back(drives_notes::kNoDisks);
        return std::move(m_facts);
    }

private:
    // The file system facts every block device has: udev's, the mount table's and the usage.
    template<typename Device>
    void addFileSystem(Device& device, const std::string& folder, const std::optional<std::string>& mapper)
    {
        const auto number = attribute(m_tree, folder + "/dev");
        const UdevProperties udev(m_tree, number);
        device.fileSystem = udev.value({"ID_FS_TYPE"});
        device.label = udev.value({"ID_FS_LABEL_ENC", "ID_FS_LABEL"});
        device.uuid = udev.value({"ID_FS_UUID"});
        const Mount* first = nullptr;
        for (const Mount& mount : m_mounts) {
            const bool same = (number && mount.device == *number) || mount.source == "/dev/" + device.name ||
                              (mapper && mount.source == "/dev/mapper/" + *mapper);
            if (!same || std::ranges::find(device.mountPoints, mount.mountPoint) != device.mountPoints.end())
                continue;
            device.mountPoints.push_back(mount.mountPoint);
            if (!first)
                first = &mount;
        }
        if (first)
            device.usage = usage(*first);
    }

    std::optional<FileSystemUsage> usage(const Mount& mount) const
    {
        const auto text = m_tree.fact("statvfs " + mount.mountPoint, [&]() -> std::optional<std::string> {
            const auto figures = liveUsage(mount.mountPoint, mount.type);
            return figures ? std::optional<std::string>(usageFactText(*figures)) : std::nullopt;
        });
        return text ? parseUsageFact(*text) : std::nullopt;
    }

    std::optional<std::uint64_t> size(const std::string& folder) const
    {
        const auto sectors = number<std::uint64_t>(m_tree, folder + "/size");
        if (!sectors || *sectors > UINT64_MAX / kSectorSize)
            return std::nullopt;
        return *sectors * kSectorSize;
    }

    Drive disk(const std::string& name, const std::string& folder)
    {
        Drive drive;
        drive.name = name;
        drive.type = name.starts_with("loop") ? "loop" : name.starts_with("sr") ? "rom" : "disk";
        const UdevProperties udev(m_tree, attribute(m_tree, folder + "/dev"));
        drive.model = udev.value({"ID_MODEL_ENC", "ID_MODEL"});
        if (!drive.model)
            drive.model = attribute(m_tree, folder + "/device/model");
        if (!drive.model) // a memory card names itself here
            drive.model = attribute(m_tree, folder + "/device/name");
        drive.vendor = udev.value({"ID_VENDOR_ENC", "ID_VENDOR"});
        // A virtio or PCI device gives its vendor as a number ("0x1af4"), which names no maker.
        if (const auto vendor = attribute(m_tree, folder + "/device/vendor");
            !drive.vendor && vendor && !vendor->starts_with("0x"))
            drive.vendor = vendor;
        drive.serialNumber = udev.value({"ID_SERIAL_SHORT"});
        if (!drive.serialNumber)
            drive.serialNumber = attribute(m_tree, folder + "/device/serial");
        drive.firmware = udev.value({"ID_REVISION"});
        if (!drive.firmware)
            drive.firmware = attribute(m_tree, folder + "/device/firmware_rev");
        if (!drive.firmware)
            drive.firmware = attribute(m_tree, folder + "/device/rev");
        drive.size = size(folder);
        drive.logicalSectorSize = number<std::uint32_t>(m_tree, folder + "/queue/logical_block_size");
        drive.physicalSectorSize = number<std::uint32_t>(m_tree, folder + "/queue/physical_block_size");
        drive.rotational = flag(m_tree, folder + "/queue/rotational");
        drive.removable = flag(m_tree, folder + "/removable");
        drive.readOnly = flag(m_tree, folder + "/ro");
        drive.transport = transport(name, m_tree.resolve(folder).value_or(""), udev);
        addFileSystem(drive, folder, std::nullopt);
        for (const std::string& entry : m_tree.list(folder)) {
            std::string child = folder + '/';
            child += entry;
            if (entry.starts_with(name) && m_tree.exists(child + "/partition"))
                drive.children.push_back(partition(entry, child));
        }
        addHolders(drive.children, folder, 0);
        return drive;
    }

    BlockVolume partition(const std::string& name, const std::string& folder)
    {
        BlockVolume volume;
        volume.name = name;
        volume.type = "part";
        volume.size = size(folder);
        addFileSystem(volume, folder, std::nullopt);
        addHolders(volume.children, folder, 0);
        return volume;
    }

    // The device-mapper volumes and md arrays built on the device in `folder`.
    void addHolders(std::vector<BlockVolume>& children, const std::string& folder, int depth)
    {
        if (depth >= kMaximumDepth)
            return;
        for (const std::string& name : m_tree.list(folder + "/holders")) {
            const std::string holder = "/sys/block/" + name;
            BlockVolume volume;
            volume.name = name;
            volume.mapper = attribute(m_tree, holder + "/dm/name");
            volume.type = holderType(holder);
            volume.size = size(holder);
            addFileSystem(volume, holder, volume.mapper);
            addHolders(volume.children, holder, depth + 1);
            children.push_back(std::move(volume));
        }
    }

    std::string holderType(const std::string& holder) const
    {
        if (const auto level = attribute(m_tree, holder + "/md/level"))
            return *level;
        const std::string uuid = attribute(m_tree, holder + "/dm/uuid").value_or("");
        if (uuid.starts_with("LVM-"))
            return "lvm";
        if (uuid.starts_with("CRYPT-"))
            return "crypt";
        if (uuid.starts_with("mpath-"))
            return "mpath";
        if (uuid.starts_with("part"))
            return "part";
        return "dm";
    }

    // How the disk is attached, from where the kernel placed it.
    static std::optional<std::string> transport(const std::string& name, const std::string& device,
                                                const UdevProperties& udev)
    {
        if (name.starts_with("nvme") || device.find("/nvme/") != std::string::npos)
            return "NVMe";
        if (device.find("/usb") != std::string::npos || udev.value({"ID_BUS"}) == "usb")
            return "USB";
        if (name.starts_with("mmcblk") || device.find("/mmc_host/") != std::string::npos)
            return "MMC";
        if (device.find("/virtio") != std::string::npos)
            return "virtio";
        if (device.find("/ata") != std::string::npos || udev.value({"ID_BUS"}) == "ata")
            return "SATA";
        if (device.find("/host") != std::string::npos && device.find("/target") != std::string::npos)
            return "SCSI";
        return std::nullopt;
    }

    const MachineTree& m_tree;
    std::vector<Mount> m_mounts;
    DrivesFacts m_facts;
};

} // namespace

DrivesFacts collectDrives(const MachineTree& tree)
{
    return Collector(tree).collect();
}

} // namespace qv::hardware
