#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qv::app {

// What the program prints and its exit status, for a command line that asks for something other than
// running: --help, --version or --check-installation.
struct CommandLineAnswer {
    int status = 0;
    QString out;
    QString err;
};

// The answer to `arguments` (without the program name), or nothing when the program should run.
// Arguments other than these three are left to Qt, as before.
std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments, const QString& dataFolder);

} // namespace qv::app
