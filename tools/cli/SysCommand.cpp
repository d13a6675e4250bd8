#include "tools/cli/SysCommand.h"

#include "platform/DisplayCheck.h"
#include "platform/LoadableModule.h"
#include "results/report/Report.h"
#include "results/report/SystemReport.h"
#include "tools/cli/Application.h"
#include "tools/cli/ArgParser.h"

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
    const auto application = screenApplication();
    writeReport(out, systemReport(), parsed.has("--json"));
    return 0;
}

} // namespace

std::unique_ptr<QCoreApplication> screenApplication()
{
    if (QCoreApplication::instance() || !platform::checkDisplay().isEmpty())
        return nullptr;
    static const platform::LoadableModule gui(QV_CLI_GUI_MODULE);
    const auto create = gui.function<QCoreApplication*(int*, char**)>("qvCreateGuiApplication");
    if (!create)
        return nullptr;
    const ApplicationArguments arguments = applicationArguments();
    return std::unique_ptr<QCoreApplication>(create(arguments.count, arguments.values));
}

Subcommand sysCommand()
{
    return {"sys", std::string(kSummary), sysArguments().usage("sys", kSummary), runSys};
}

} // namespace qv::cli
