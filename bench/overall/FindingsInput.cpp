#include "bench/overall/FindingsInput.h"

#include <algorithm>

namespace qv::bench::overall {

using results::Benchmark;

namespace {

void readConditions(FindingsInput& input, const results::RunConditions& conditions)
{
    input.governor = conditions.governor;
    if (conditions.currentKHz && !conditions.currentKHz->empty())
        input.clockKHz = *std::max_element(conditions.currentKHz->begin(), conditions.currentKHz->end());
    input.hardwareMaxKHz = conditions.hardwareMaxKHz;
    input.scalingMaxKHz = conditions.scalingMaxKHz;
    input.throttleEvents = conditions.throttleEvents;
    input.onBattery = conditions.onBattery;
    input.otherCpuUse = conditions.otherCpuUse;
}

void readMemory(FindingsInput& input, const hardware::MemoryFacts& memory)
{
    input.totalMemory = memory.totals.total;
    if (!memory.memorySlots || memory.memorySlots->empty())
        return;
    input.memorySlots = int(memory.memorySlots->size());
    input.installedModules =
        int(std::count_if(memory.memorySlots->begin(), memory.memorySlots->end(),
                          [](const hardware::MemorySlot& slot) { return slot.installed; }));
}

// The drive the test file was on, as the drives collector knows it.
void readDisk(FindingsInput& input, const results::SavedResult& disk, const hardware::DrivesFacts& drives)
{
    input.randomReadMBs = results::figureValue(disk.summary, "Rnd4KQ1ReadMBs");
    const auto device = disk.setup.find("Device");
    if (device == disk.setup.end() || device->second.empty())
        return;
    input.diskName = device->second;
    for (const hardware::Drive& drive : drives.disks) {
        if (drive.name == device->second)
            input.diskRotational = drive.rotational;
    }
    // A device the collector does not list as a disk (a mapped volume): the medium the benchmark recorded.
    const auto medium = disk.setup.find("Medium");
    if (!input.diskRotational && medium != disk.setup.end() && !medium->second.empty())
        input.diskRotational = medium->second == "rotational";
}

void readGraphics(FindingsInput& input, const results::SavedResult* threeD, const hardware::VideoFacts& video)
{
    if (threeD) {
        input.display3DIndex = results::figureValue(threeD->summary, "Display3DIndex");
        if (const auto renderer = threeD->setup.find("Renderer");
            renderer != threeD->setup.end() && !renderer->second.empty())
            input.renderer = renderer->second;
    }
    if (!input.renderer && video.openGl && !video.openGl->renderer.empty())
        input.renderer = video.openGl->renderer;
}

} // namespace

FindingsInput findingsInput(const OverallResult& result, const hardware::MemoryFacts& memory,
                            const hardware::DrivesFacts& drives, const hardware::VideoFacts& video)
{
    FindingsInput input;
    // The processor benchmark keeps the processors busiest; without it, the first benchmark that ran.
    const results::SavedResult* busiest = result.session(Benchmark::Cpu);
    if (busiest == nullptr && !result.sessions.empty())
        busiest = &result.sessions.front();
    if (busiest != nullptr)
        readConditions(input, busiest->runs.back().conditions);
    readMemory(input, memory);
    if (const results::SavedResult* disk = result.session(Benchmark::Disk))
        readDisk(input, *disk, drives);
    readGraphics(input, result.session(Benchmark::Display3D), video);
    return input;
}

FindingsInput findingsInputHere(const OverallResult& result)
{
    const hardware::MachineTree& tree = hardware::installedMachineTree();
    return findingsInput(result, hardware::collectMemory(tree), hardware::collectDrives(tree),
                         hardware::collectVideo(tree));
}

} // namespace qv::bench::overall
