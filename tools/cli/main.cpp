#include "platform/LoadableModule.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CommandsModule.h"
#include "tools/cli/TipsCommand.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// `tips` needs no Qt: it runs from the executable's own frame, which starts in a few milliseconds.
// Every other command, and the general help that lists them all, comes from the commands module.
bool runsWithoutModule(const std::vector<std::string>& args)
{
    return !args.empty() && args.front() == "tips";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (runsWithoutModule(args)) {
        qv::cli::CommandRegistry frameCommands;
        frameCommands.add(qv::cli::tipsCommand());
        return qv::cli::runCli(frameCommands, args, std::cout, std::cerr);
    }
    using qv::platform::LoadableModule;
    static const LoadableModule commands(QV_CLI_COMMANDS_MODULE, LoadableModule::Binding::AtFirstCall);
    const auto run = commands.function<qv::cli::RunCommandsFunction>(qv::cli::kRunCommandsSymbol);
    if (!run) {
        std::cerr << "quorvex-cli: the commands library cannot be loaded: " << commands.error() << '\n';
        return qv::cli::exit_status::kFailure;
    }
    return run(args, std::cout, std::cerr);
}
