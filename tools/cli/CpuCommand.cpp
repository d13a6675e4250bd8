#include "tools/cli/CpuCommand.h"

#include "platform/CpuidDump.h"
#include "platform/FileAccess.h"
#include "results/report/Report.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/Cli.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <stdexcept>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Identify the processor as the processor information window does";

ArgParser cpuArguments()
{
    ArgParser parser;
    parser.option(
        "--cpuid-dump", "FILE",
        "replay the processor recorded in FILE (lines \"CPUID LLLLLLLL: EAX-EBX-ECX-EDX\"); the clock "
        "is this machine's unless a line \"CLOCK MHz\" gives it");
    parser.flag("--no-clock", "skip the 2-second clock measurement (Speed and RawSpeed stay 0)");
    parser.flag("--json",
                "one JSON object whose keys are the record's property names, then Characteristics and Window "
                "(the processor window's controls by name, null on a hidden page)");
    parser.option("--record-cpuid", "FILE",
                  "write this processor's CPUID leaves to FILE in the dump format (\"-\": standard output)");
    parser.flag("--force", "let --record-cpuid replace an existing FILE");
    return parser;
}

// As bench --save: an existing file is replaced only with --force, and then in one step.
int recordDump(const std::string& path, bool force, std::ostream& out)
{
    const std::string dump = platform::recordCpuidDump(platform::installedCpuidSource());
    try {
        platform::writeFileTarget(path, dump, force ? platform::Existing::Replace : platform::Existing::Keep,
                                  &out);
    } catch (const platform::FileExistsError& error) {
        refuseToReplace(error);
    }
    if (path != "-") {
        const auto leaves = std::count(dump.begin(), dump.end(), '\n') - 1;
        out << "Recorded " << leaves << " CPUID leaves in " << path << '\n';
    }
    return 0;
}

int runCpu(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = cpuArguments().parse(args);
    std::unique_ptr<platform::ScopedCpuidSource> replay;
    if (const auto path = parsed.text("--cpuid-dump")) {
        std::shared_ptr<platform::RecordedCpuidSource> dump;
        try {
            dump = std::make_shared<platform::RecordedCpuidSource>(
                platform::RecordedCpuidSource::fromFile(*path));
        } catch (const platform::FileAccessError& error) {
            throw InputError("cannot read the CPUID dump '" + *path + "': " + error.reason());
        }
        replay = std::make_unique<platform::ScopedCpuidSource>(std::move(dump));
    }
    if (parsed.has("--force") && !parsed.has("--record-cpuid"))
        throw UsageError("--force goes with --record-cpuid FILE");
    if (const auto path = parsed.text("--record-cpuid"))
        return recordDump(*path, parsed.has("--force"), out);

    writeReport(out, processorReport(!parsed.has("--no-clock")), parsed.has("--json"));
    return 0;
}

} // namespace

Subcommand cpuCommand()
{
    return {"cpu", std::string(kSummary), cpuArguments().usage("cpu", kSummary), runCpu};
}

} // namespace qv::cli
