#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace qv::cli {

// The entry point of the module that holds every command built on the Qt-based libraries: it runs the
// whole command line as runCli does with the standard commands. The executable loads the module by
// file name and finds the function by this symbol, so that commands that need no Qt start without it.
using RunCommandsFunction = int(std::span<const std::string> args, std::ostream& out, std::ostream& err);
inline constexpr const char* kRunCommandsSymbol = "qvRunCommands";

} // namespace qv::cli
