#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

// The exit statuses of every command; the dispatcher turns errors into them.
namespace exit_status {
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1; // the command failed, or the machine or the network said no
inline constexpr int kUsage = 2;   // a mistake in the command line, or an input file that cannot be read
} // namespace exit_status

// An input file the user named cannot be read (missing, not a regular file, damaged): status 2, with the
// message as the user sees it.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fails the command for a target that exists and was not to be replaced, saying how to replace it.
[[noreturn]] void refuseToReplace(const std::exception& exists);

// Runs one subcommand with the arguments that follow its name and returns the exit status. It reports
// command-line mistakes by throwing UsageError and unreadable inputs by throwing InputError (status 2);
// any other exception means status 1.
using CommandFunction =
    std::function<int(std::span<const std::string> args, std::ostream& out, std::ostream& err)>;

struct Subcommand {
    std::string name;    // "tips"
    std::string summary; // one line in the general usage
    std::string usage;   // full text for "quorvex-cli <name> --help" and after a usage error
    CommandFunction run;
};

// The subcommands the tool knows, listed in the order they were added.
class CommandRegistry {
public:
    // Throws std::logic_error when the name is empty, already taken or reserved ("help").
    void add(Subcommand command);
    const Subcommand* find(std::string_view name) const;
    const std::vector<Subcommand>& commands() const { return m_commands; }

private:
    std::vector<Subcommand> m_commands;
};

// "quorvex-cli 3.0.3"
std::string versionText();

// Help text listing every subcommand of the registry.
std::string generalUsage(const CommandRegistry& registry);

// The whole command line after the program name: global options, "help [command]", or a subcommand
// and its arguments. Returns the process exit status: 0 success, 1 failure, 2 usage error. Output
// that cannot be written (checked by flushing `out` at the end) is a failure, reported on `err`.
int runCli(const CommandRegistry& registry, std::span<const std::string> args, std::ostream& out,
           std::ostream& err);

} // namespace qv::cli
