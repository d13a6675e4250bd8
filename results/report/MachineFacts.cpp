#include "results/report/MachineFacts.h"

namespace qv::cli {

namespace {

void replace(std::optional<std::string>& serial, const SerialKey& keyOf)
{
    if (serial)
        serial = keyOf(*serial);
}

void replaceInDrives(std::vector<hardware::Drive>& drives, const SerialKey& keyOf)
{
    for (hardware::Drive& drive : drives)
        replace(drive.serialNumber, keyOf);
}

} // namespace

MachineFacts collectMachineFacts(bool askAround)
{
    return {hardware::collectMemory(),
            hardware::collectDrives(),
            hardware::collectBoard(),
            hardware::collectVideo(hardware::installedMachineTree(), askAround),
            hardware::collectNetwork(hardware::installedMachineTree(), askAround),
            hardware::collectApplications()};
}

void replacePersonalFacts(MachineFacts& facts, const SerialKey& keyOf)
{
    replace(facts.network.fullName, keyOf);
    for (hardware::NetworkInterface& interface : facts.network.interfaces)
        replace(interface.mac, keyOf);
    for (hardware::DisplayConnector& connector : facts.video.connectors) {
        if (!connector.monitor)
            continue;
        hardware::Edid& edid = connector.monitor->edid;
        replace(edid.serialText, keyOf);
        if (edid.serialNumber && !edid.serialText)
            edid.serialText = keyOf(std::to_string(*edid.serialNumber));
        edid.serialNumber.reset();
    }
}

void replaceSerialNumbers(MachineFacts& facts, const SerialKey& keyOf)
{
    if (facts.memory.memorySlots) {
        for (hardware::MemorySlot& slot : *facts.memory.memorySlots)
            replace(slot.serialNumber, keyOf);
    }
    replaceInDrives(facts.drives.disks, keyOf);
    replaceInDrives(facts.drives.memoryAndLoopDevices, keyOf);
    replace(facts.board.system.serialNumber, keyOf);
    replace(facts.board.board.serialNumber, keyOf);
}

} // namespace qv::cli
