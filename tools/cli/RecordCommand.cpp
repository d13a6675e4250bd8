#include "tools/cli/RecordCommand.h"

#include "hardware/tree/RecordingTree.h"
#include "results/SavedResult.h"
#include "results/report/BoardOutput.h"
#include "results/report/DrivesOutput.h"
#include "results/report/MachineFacts.h"
#include "results/report/MemoryOutput.h"
#include "results/report/PeripheralOutput.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/DisplaySession.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <sstream>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Record what the information windows read into a machine tree";

ArgParser recordArguments()
{
    ArgParser parser;
    parser.positionals("DIR", 1, 1);
    parser.flag("--anonymise", "replace serial numbers by keys, as the report does");
    parser.option("--machine-tree", "SRC",
                  "record from the machine recorded in SRC instead of this one (to anonymise a recording)");
    return parser;
}

// DIR must be new or empty: a recording never mixes with other files.
void prepareFolder(const std::string& folder)
{
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        if (::mkdir(folder.c_str(), 0700) != 0)
            throw InputError("cannot make the folder '" + folder + "'");
        return;
    }
    std::error_code error;
    if (!S_ISDIR(status.st_mode) || !std::filesystem::is_empty(folder, error) || error)
        throw InputError("'" + folder + "' is not a new or empty folder");
}

// A key of a serial number's length, so that a firmware table keeps its layout when the serial is
// replaced. Serials that identify nothing ("0", "00000000") are kept.
std::string keyOfSerial(const std::string& serial)
{
    if (serial.size() < 4 || std::ranges::all_of(serial, [&serial](char c) { return c == serial.front(); }))
        return serial;
    std::string key = results::machineKeyOf(serial);
    while (key.size() < serial.size())
        key += key;
    return key.substr(0, serial.size());
}

// Replaces each serial where it stands as a whole value: between line breaks, NULs, blanks, '=', '_'.
std::string withKeys(std::string text, const std::map<std::string, std::string>& keys)
{
    const auto bounds = [](char c) {
        return c == '\0' || c == '\n' || c == ' ' || c == '\t' || c == '=' || c == '_';
    };
    for (const auto& [serial, key] : keys) {
        for (std::size_t at = text.find(serial); at != std::string::npos; at = text.find(serial, at + 1)) {
            const std::size_t end = at + serial.size();
            if ((at == 0 || bounds(text[at - 1])) && (end == text.size() || bounds(text[end])))
                text.replace(at, serial.size(), key);
        }
    }
    return text;
}

std::string jsonLine(const results::JsonObject& object)
{
    std::ostringstream line;
    results::writeJsonLine(line, object);
    return line.str();
}

std::shared_ptr<const hardware::FolderTree> sourceTree(const std::optional<std::string>& recorded)
{
    if (!recorded)
        return std::make_shared<hardware::FolderTree>("/", hardware::FolderTree::Facts::Live);
    std::error_code error;
    if (!std::filesystem::is_directory(*recorded, error))
        throw InputError("cannot read the machine tree '" + *recorded + "': not a folder");
    return std::make_shared<hardware::FolderTree>(*recorded);
}

int runRecord(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = recordArguments().parse(args);
    const std::string& folder = parsed.positionals().front();
    auto recording = std::make_shared<hardware::RecordingTree>(sourceTree(parsed.text("--machine-tree")));
    prepareFolder(folder);
    MachineFacts facts;
    {
        const hardware::ScopedMachineTree recordingTree(recording);
        facts = collectMachineFacts(true);
    }
    std::map<std::string, std::string> keys;
    if (parsed.has("--anonymise")) {
        replaceSerialNumbers(facts, [&keys](const std::string& serial) {
            return keys.emplace(serial, keyOfSerial(serial)).first->second;
        });
    }
    recording->write(folder, [&keys](const std::string& text) { return withKeys(text, keys); },
                     {{"/recording/info-memory.json", jsonLine(memoryJson(facts.memory))},
                      {"/recording/info-drives.json", jsonLine(drivesJson(facts.drives))},
                      {"/recording/info-board.json", jsonLine(boardJson(facts.board))},
                      {"/recording/info-video.json", jsonLine(videoJson(facts.video))},
                      {"/recording/info-network.json", jsonLine(networkInfoJson(facts.network))},
                      {"/recording/info-apps.json", jsonLine(appsJson(facts.applications))}});
    out << "Recorded into " << folder << "; replay it with \"quorvex-cli info TOPIC --machine-tree " << folder
        << "\".\n";
    for (const std::string& source : recording->cutSources())
        out << "The recording of " << source << " was cut at 16 MiB; its manifest says so.\n";
    out << "The recording holds this machine's serial numbers, addresses and names"
        << (keys.empty() ? " (--anonymise replaces serial numbers by keys)"
                         : "; its serial numbers were replaced by keys")
        << ". Look through it before you hand it over.\n";
    return 0;
}

} // namespace

Subcommand recordMachineCommand()
{
    return {"record-machine", std::string(kSummary), recordArguments().usage("record-machine", kSummary),
            runRecord};
}

} // namespace qv::cli
