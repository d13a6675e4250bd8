#include "tools/cli/SysCommand.h"

#include "results/report/Report.h"
#include "results/report/SystemReport.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/DisplaySession.h"

#include <memory>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Describe the operating system as the system information window does";

ArgParser sysArguments()
{
    ArgParser parser;
    parser.flag("--json",
                "one JSON object: SysInfo (every text, in order), AutoUpdate, UpdateInterval, Helpers and "
                "Window (the window's texts by control name, null for a hidden group)");
    return parser;
}

int runSys(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = sysArguments().parse(args);
    const auto application = applicationForTheScreen();
    writeReport(out, systemReport(), parsed.has("--json"));
    return 0;
}

} // namespace

Subcommand sysCommand()
{
    return {"sys", std::string(kSummary), sysArguments().usage("sys", kSummary), runSys};
}

} // namespace qv::cli
