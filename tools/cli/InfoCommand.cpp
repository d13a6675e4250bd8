#include "tools/cli/InfoCommand.h"

#include "hardware/AppsCollector.h"
#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"
#include "hardware/NetworkCollector.h"
#include "hardware/VideoCollector.h"
#include "hardware/summary/SystemSummary.h"
#include "hardware/tree/MachineTree.h"
#include "results/JsonWriter.h"
#include "results/report/BoardOutput.h"
#include "results/report/DrivesOutput.h"
#include "results/report/MachineFacts.h"
#include "results/report/MemoryOutput.h"
#include "results/report/PeripheralOutput.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/DisplaySession.h"
#include "tools/cli/MachineTreeOption.h"

#include <functional>
#include <ostream>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary =
    "Describe the machine's memory, drives, board, video, network or applications as the information "
    "windows do";

struct Topic {
    const char* name;
    const char* description;
    // Prints the topic's facts; `replayed` says whether they come from a recorded tree.
    std::function<void(std::ostream& out, bool json, bool replayed)> show;
};

template<typename Facts>
void print(std::ostream& out, bool json, const Facts& facts, results::JsonObject (*toJson)(const Facts&),
           void (*toText)(std::ostream&, const Facts&))
{
    if (json)
        results::writeJsonLine(out, toJson(facts));
    else
        toText(out, facts);
}

const std::vector<Topic>& topics()
{
    static const std::vector<Topic> list = {
        {"memory", "total and available memory, swap, the memory slots",
         [](std::ostream& out, bool json, bool) {
             print(out, json, hardware::collectMemory(), memoryJson, writeMemoryText);
         }},
        {"drives", "disks, partitions, file systems, mount points and their usage",
         [](std::ostream& out, bool json, bool) {
             print(out, json, hardware::collectDrives(), drivesJson, writeDrivesText);
         }},
        {"board", "system and board makers, BIOS, chassis, processor socket, chipset",
         [](std::ostream& out, bool json, bool) {
             print(out, json, hardware::collectBoard(), boardJson, writeBoardText);
         }},
        {"video", "display controllers, connectors and monitors, screens, OpenGL",
         [](std::ostream& out, bool json, bool replayed) {
             // A replay answers what was recorded: no display of this machine is opened for it.
             std::optional<DisplaySession> display;
             if (!replayed)
                 display.emplace();
             print(out, json, hardware::collectVideo(), videoJson, writeVideoText);
         }},
        {"network", "user, host, workgroup, domain, interfaces, gateways, name servers",
         [](std::ostream& out, bool json, bool) {
             print(out, json, hardware::collectNetwork(), networkInfoJson, writeNetworkInfoText);
         }},
        {"apps", "installed packages and desktop applications",
         [](std::ostream& out, bool json, bool replayed) {
             // The user's own entries are read on this machine only; a recording never holds them.
             const auto facts =
                 hardware::collectApplications(hardware::installedMachineTree(),
                                               replayed ? std::nullopt : hardware::userApplicationsFolder());
             if (json)
                 results::writeJsonLine(out, appsJson(facts));
             else
                 writeAppsText(out, facts);
         }},
        {"summary", "one page each for processor, memory, system, board, video, drives, network",
         [](std::ostream& out, bool json, bool) {
             print(out, json, hardware::collectSummary(), summaryJson, writeSummaryText);
         }},
    };
    return list;
}

ArgParser infoArguments()
{
    ArgParser parser;
    parser.positionals("memory|drives|board|video|network|apps|summary", 0, 1);
    parser.flag("--json", "one JSON object (keys in the documentation of the hardware facts)");
    parser.option("--machine-tree", "DIR",
                  "read the facts from the machine recorded in DIR instead of this one");
    return parser;
}

int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = infoArguments().parse(args);
    if (parsed.positionals().empty()) {
        out << "What \"quorvex-cli info TOPIC\" shows:\n";
        for (const Topic& topic : topics())
            out << "  " << topic.name << std::string(10 - std::string_view(topic.name).size(), ' ')
                << topic.description << '\n';
        return 0;
    }
    const std::string& name = parsed.positionals().front();
    const auto topic = std::ranges::find_if(topics(), [&name](const Topic& t) { return name == t.name; });
    if (topic == topics().end())
        throw UsageError("unknown topic '" + name + "'");
    const auto replay = replayedTree(parsed.text("--machine-tree"), err);
    topic->show(out, parsed.has("--json"), replay != nullptr);
    return 0;
}

} // namespace

Subcommand infoCommand()
{
    return {"info", std::string(kSummary), infoArguments().usage("info", kSummary), runInfo};
}

} // namespace qv::cli
