#include "tools/cli/MachineFacts.h"

#include "tools/cli/Cli.h"

#include <filesystem>
#include <ostream>

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

std::unique_ptr<hardware::ScopedMachineTree> replayedTree(const std::optional<std::string>& folder,
                                                          std::ostream& err)
{
    if (!folder)
        return nullptr;
    std::error_code error;
    if (!std::filesystem::is_directory(*folder, error))
        throw InputError("cannot read the machine tree '" + *folder + "': not a folder");
    auto tree = std::make_shared<hardware::FolderTree>(*folder);
    for (const std::string& source : tree->manifest().cutSources)
        err << "Note: the recording of " << source
            << " was cut at its size bound; facts read from it may be missing\n";
    return std::make_unique<hardware::ScopedMachineTree>(std::move(tree));
}

} // namespace qv::cli
