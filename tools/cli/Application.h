#pragma once

#include <QCoreApplication>

#include <memory>

namespace qv::cli {

// The command line every application object of the tool is made with; it outlives them all.
struct ApplicationArguments {
    int* count;
    char** values;
};
inline ApplicationArguments applicationArguments()
{
    static int argc = 1;
    static char name[] = "quorvex-cli";
    static char* argv[] = {name, nullptr};
    return {&argc, argv};
}

// The application object a command needs (for the event loop), made only where the tool has none yet;
// the caller keeps it for the command's run.
template<typename Application>
std::unique_ptr<Application> applicationIfNone()
{
    if (QCoreApplication::instance())
        return nullptr;
    const ApplicationArguments arguments = applicationArguments();
    return std::make_unique<Application>(*arguments.count, arguments.values);
}

// A graphical application object, from a module of its own so that Qt Gui is loaded only then; made only
// where the tool has no application object yet and a display answers (else nullptr).
std::unique_ptr<QCoreApplication> guiApplicationIfNone();

} // namespace qv::cli
