#include "tools/cli/CommandsModule.h"

#include "platform/ExceptionGuard.h"
#include "tools/cli/Cli.h"
#include "tools/cli/StandardCommands.h"

#include <ostream>
#include <type_traits>

extern "C" __attribute__((visibility("default"))) int qvRunCommands(std::span<const std::string> args,
                                                                    std::ostream& out, std::ostream& err)
{
    // An error caught inside an event handler (a lookup's completion) is printed, never shown in a box.
    const qv::platform::ScopedDefaultHandler toStandardError(
        [&err](const QString& message) { err << "quorvex-cli: " << message.toStdString() << '\n'; });
    return qv::cli::runCli(qv::cli::standardCommands(), args, out, err);
}

// The declaration and the definition must agree, or the executable would call through a wrong type.
static_assert(std::is_same_v<decltype(qvRunCommands), qv::cli::RunCommandsFunction>);
