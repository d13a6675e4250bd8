#include "tools/cli/Cli.h"

#include "tools/cli/ArgParser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <ostream>
#include <stdexcept>

namespace qv::cli {

namespace {

constexpr std::string_view kProgram = "quorvex-cli";

bool isHelpOption(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

// "--help" or "-h" anywhere before "--" asks for the subcommand's help instead of running it.
bool asksForHelp(std::span<const std::string> args)
{
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [](const std::string& arg) { return isHelpOption(arg); });
}

int usageError(std::ostream& err, std::string_view where, std::string_view message, std::string_view usage)
{
    err << where << ": " << message << '\n' << usage;
    return exit_status::kUsage;
}

int runSubcommand(const Subcommand& command, std::span<const std::string> args, std::ostream& out,
                  std::ostream& err)
{
    if (asksForHelp(args)) {
        out << command.usage;
        return 0;
    }
    const std::string where = std::string(kProgram) + ' ' + command.name;
    try {
        return command.run(args, out, err);
    } catch (const UsageError& error) {
        return usageError(err, where, error.what(), command.usage);
    } catch (const InputError& error) {
        err << where << ": " << error.what() << '\n';
        return exit_status::kUsage;
    } catch (const std::exception& error) {
        err << where << ": " << error.what() << '\n';
        return exit_status::kFailure;
    }
}

int runHelp(const CommandRegistry& registry, std::span<const std::string> topics, std::ostream& out,
            std::ostream& err)
{
    if (topics.empty()) {
        out << generalUsage(registry);
        return 0;
    }
    const std::string where = std::string(kProgram) + " help";
    if (topics.size() > 1)
        return usageError(err, where, "unexpected argument '" + topics[1] + '\'', generalUsage(registry));
    const Subcommand* command = registry.find(topics.front());
    if (command == nullptr)
        return usageError(err, where, "unknown command '" + topics.front() + '\'', generalUsage(registry));
    out << command->usage;
    return 0;
}

int dispatch(const CommandRegistry& registry, std::span<const std::string> args, std::ostream& out,
             std::ostream& err)
{
    if (args.empty())
        return usageError(err, kProgram, "missing command", generalUsage(registry));
    const std::string& first = args.front();
    const auto rest = args.subspan(1);
    if (isHelpOption(first) || first == "help")
        return runHelp(registry, rest, out, err);
    if (first == "--version") {
        if (!rest.empty())
            return usageError(err, kProgram, "unexpected argument '" + rest.front() + '\'',
                              generalUsage(registry));
        out << versionText() << '\n';
        return 0;
    }
    if (first.starts_with('-'))
        return usageError(err, kProgram, "unknown option '" + first + '\'', generalUsage(registry));
    const Subcommand* command = registry.find(first);
    if (command == nullptr)
        return usageError(err, kProgram, "unknown command '" + first + '\'', generalUsage(registry));
    return runSubcommand(*command, rest, out, err);
}

// Output that never arrived (a full disk, a closed file) turns success into failure. The reason is
// known only when this flush is what fails; after an earlier failed write errno may be anything.
int statusAfterFlushing(std::ostream& out, std::ostream& err, int status)
{
    const bool failedEarlier = !out;
    errno = 0;
    out.flush();
    if (out)
        return status;
    const int reason = failedEarlier ? 0 : errno;
    err << kProgram << ": cannot write to standard output";
    if (reason != 0)
        err << ": " << std::strerror(reason);
    err << '\n';
    return status == exit_status::kSuccess ? exit_status::kFailure : status;
}

} // namespace

void refuseToReplace(const std::exception& exists)
{
    throw std::runtime_error(std::string(exists.what()) + "; --force replaces it");
}

void CommandRegistry::add(Subcommand command)
{
    if (command.name.empty() || command.name == "help" || command.name.starts_with('-') ||
        find(command.name) != nullptr)
        throw std::logic_error("bad or repeated subcommand name '" + command.name + '\'');
    m_commands.push_back(std::move(command));
}

const Subcommand* CommandRegistry::find(std::string_view name) const
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(),
                                 [name](const Subcommand& command) { return command.name == name; });
    return it == m_commands.end() ? nullptr : &*it;
}

std::string versionText()
{
    return std::string(kProgram) + ' ' + QV_CLI_VERSION;
}

std::string generalUsage(const CommandRegistry& registry)
{
    std::size_t width = std::string_view("help").size();
    for (const Subcommand& command : registry.commands())
        width = std::max(width, command.name.size());
    const auto line = [width](std::string name, std::string_view summary) {
        name.resize(width, ' ');
        return "  " + name + "  " + std::string(summary) + '\n';
    };

    std::string text = "Usage: quorvex-cli <command> [options]\n"
                       "       quorvex-cli --help | --version\n"
                       "\nCommands:\n";
    for (const Subcommand& command : registry.commands())
        text += line(command.name, command.summary);
    text += line("help", "Show this help, or the help of one command");
    text += "\nRun 'quorvex-cli <command> --help' for the options of a command.\n";
    return text;
}

int runCli(const CommandRegistry& registry, std::span<const std::string> args, std::ostream& out,
           std::ostream& err)
{
    return statusAfterFlushing(out, err, dispatch(registry, args, out, err));
}

} // namespace qv::cli
