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

MachineFacts collectMachineFacts()
{
    return {hardware::collectMemory(), hardware::collectDrives(), hardware::collectBoard()};
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
