#include "results/report/DrivesOutput.h"

#include "results/report/FactOutput.h"

#include <ostream>

namespace qv::cli {

using hardware::BlockVolume;
using hardware::Drive;
using hardware::DrivesFacts;
using hardware::FileSystemUsage;
using results::JsonArray;
using results::JsonObject;
using results::JsonValue;

namespace {

JsonValue usageJson(const std::optional<FileSystemUsage>& usage)
{
    if (!usage)
        return nullptr;
    return JsonObject()
        .add("Total", usage->total)
        .add("Free", usage->free)
        .add("Available", usage->available);
}

// The facts a disk and a volume share, after each one's own.
template<typename Device>
JsonObject& addVolumeFacts(JsonObject& object, const Device& device);

JsonObject volumeJson(const BlockVolume& volume)
{
    JsonObject object;
    object.add("Name", volume.name).add("MapperName", orNull(volume.mapper)).add("Type", volume.type);
    return addVolumeFacts(object, volume);
}

template<typename Device>
JsonObject& addVolumeFacts(JsonObject& object, const Device& device)
{
    JsonArray children;
    for (const BlockVolume& child : device.children)
        children.add(volumeJson(child));
    return object.add("Size", orNull(device.size))
        .add("FileSystem", orNull(device.fileSystem))
        .add("Label", orNull(device.label))
        .add("Uuid", orNull(device.uuid))
        .add("MountPoints", results::textArray(device.mountPoints))
        .add("Usage", usageJson(device.usage))
        .add("Children", children);
}

JsonObject driveJson(const Drive& drive)
{
    JsonObject object;
    object.add("Name", drive.name)
        .add("Type", drive.type)
        .add("Model", orNull(drive.model))
        .add("Vendor", orNull(drive.vendor))
        .add("SerialNumber", orNull(drive.serialNumber))
        .add("Firmware", orNull(drive.firmware))
        .add("LogicalSectorSize", orNull(drive.logicalSectorSize))
        .add("PhysicalSectorSize", orNull(drive.physicalSectorSize))
        .add("Rotational", orNull(drive.rotational))
        .add("Removable", orNull(drive.removable))
        .add("ReadOnly", orNull(drive.readOnly))
        .add("Transport", orNull(drive.transport));
    return addVolumeFacts(object, drive);
}

JsonArray drivesArray(const std::vector<Drive>& drives)
{
    JsonArray array;
    for (const Drive& drive : drives)
        array.add(driveJson(drive));
    return array;
}

template<typename Device>
void writeFileSystem(std::ostream& out, const Device& device)
{
    if (device.fileSystem)
        out << ", " << visibleText(*device.fileSystem);
    if (device.label)
        out << " \"" << visibleText(*device.label) << '"';
    for (const std::string& mountPoint : device.mountPoints)
        out << ", on " << visibleText(mountPoint);
    if (device.usage)
        out << ", " << sizeText(device.usage->available) << " free of " << sizeText(device.usage->total);
    out << '\n';
}

void writeVolume(std::ostream& out, const BlockVolume& volume, int depth)
{
    out << std::string(std::size_t(depth) * 2, ' ') << visibleText(volume.mapper.value_or(volume.name))
        << "  " << volume.type << ", " << sizeOrUnknown(volume.size);
    writeFileSystem(out, volume);
    for (const BlockVolume& child : volume.children)
        writeVolume(out, child, depth + 1);
}

void writeDrive(std::ostream& out, const Drive& drive)
{
    const auto yesNo = [](const std::optional<bool>& value, const char* yes, const char* no) {
        return value ? (*value ? yes : no) : "?";
    };
    out << drive.name << "  " << shownText(drive.vendor) << ' ' << shownText(drive.model) << ", "
        << sizeOrUnknown(drive.size) << ", " << shownText(drive.transport) << ", "
        << yesNo(drive.rotational, "rotational", "solid-state") << ", serial "
        << shownText(drive.serialNumber) << ", firmware " << shownText(drive.firmware) << ", sectors "
        << (drive.logicalSectorSize ? std::to_string(*drive.logicalSectorSize) : "?") << '/'
        << (drive.physicalSectorSize ? std::to_string(*drive.physicalSectorSize) : "?")
        << yesNo(drive.removable, ", removable", "") << yesNo(drive.readOnly, ", read-only", "");
    writeFileSystem(out, drive);
    for (const BlockVolume& child : drive.children)
        writeVolume(out, child, 1);
}

} // namespace

JsonObject drivesJson(const DrivesFacts& facts)
{
    return JsonObject()
        .add("Disks", drivesArray(facts.disks))
        .add("OtherDevices", drivesArray(facts.memoryAndLoopDevices))
        .add("Notes", results::textArray(facts.notes));
}

void writeDrivesText(std::ostream& out, const DrivesFacts& facts)
{
    for (const Drive& drive : facts.disks)
        writeDrive(out, drive);
    if (!facts.memoryAndLoopDevices.empty())
        out << "Loop and memory devices\n";
    for (const Drive& drive : facts.memoryAndLoopDevices)
        writeDrive(out, drive);
    for (const std::string& note : facts.notes)
        out << "Note: " << note << '\n';
}

} // namespace qv::cli
