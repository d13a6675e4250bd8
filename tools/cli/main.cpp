#include "platform/ExceptionGuard.h"
#include "tools/cli/StandardCommands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // An error caught inside an event handler (a lookup's completion) is printed, never shown in a box.
    const qv::platform::ScopedDefaultHandler toStandardError(
        [](const QString& message) { std::cerr << "quorvex-cli: " << message.toStdString() << '\n'; });
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qv::cli::runCli(qv::cli::standardCommands(), args, std::cout, std::cerr);
}
