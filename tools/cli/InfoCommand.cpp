#include "tools/cli/InfoCommand.h"

#include "hardware/BoardCollector.h"
#include "hardware/DrivesCollector.h"
#include "hardware/MemoryCollector.h"
#include "hardware/tree/MachineTree.h"
#include "results/JsonWriter.h"
#include "results/report/BoardOutput.h"
#include "results/report/DrivesOutput.h"
#include "results/report/MachineFacts.h"
#include "results/report/MemoryOutput.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/MachineTreeOption.h"

#include <ostream>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary =
    "Describe the machine's memory, drives or board as the information windows do";

ArgParser infoArguments()
{
    ArgParser parser;
    parser.positionals("memory|drives|board", 1, 1);
    parser.flag("--json", "one JSON object (keys in the documentation of the hardware facts)");
    parser.option("--machine-tree", "DIR",
                  "read the facts from the machine recorded in DIR instead of this one");
    return parser;
}

int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = infoArguments().parse(args);
    const std::string& topic = parsed.positionals().front();
    if (topic != "memory" && topic != "drives" && topic != "board")
        throw UsageError("unknown topic '" + topic + "'");
    const auto replay = replayedTree(parsed.text("--machine-tree"), err);
    const bool json = parsed.has("--json");
    if (topic == "memory") {
        const hardware::MemoryFacts facts = hardware::collectMemory();
        if (json)
            results::writeJsonLine(out, memoryJson(facts));
        else
            writeMemoryText(out, facts);
    } else if (topic == "drives") {
        const hardware::DrivesFacts facts = hardware::collectDrives();
        if (json)
            results::writeJsonLine(out, drivesJson(facts));
        else
            writeDrivesText(out, facts);
    } else {
        const hardware::BoardFacts facts = hardware::collectBoard();
        if (json)
            results::writeJsonLine(out, boardJson(facts));
        else
            writeBoardText(out, facts);
    }
    return 0;
}

} // namespace

Subcommand infoCommand()
{
    return {"info", std::string(kSummary), infoArguments().usage("info", kSummary), runInfo};
}

} // namespace qv::cli
