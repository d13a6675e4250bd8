#pragma once

#include <QCoreApplication>

#include <memory>

namespace qv::cli {

// The application object a command needs (for the event loop, or the screen), made only where the tool
// has none yet; the caller keeps it for the command's run.
template<typename Application>
std::unique_ptr<Application> applicationIfNone()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "quorvex-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<Application>(argc, argv);
}

} // namespace qv::cli
