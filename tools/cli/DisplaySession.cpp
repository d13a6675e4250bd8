#include "tools/cli/DisplaySession.h"

#include "platform/DisplayCheck.h"
#include "platform/LoadableModule.h"
#include "tools/cli/Application.h"

#include <array>

namespace qv::cli {

namespace {

const platform::LoadableModule& guiModule()
{
    static const platform::LoadableModule gui(QV_CLI_GUI_MODULE);
    return gui;
}

} // namespace

std::unique_ptr<QCoreApplication> applicationForTheScreen()
{
    if (QCoreApplication::instance() || !platform::checkDisplay().isEmpty())
        return nullptr;
    const auto create = guiModule().function<QCoreApplication*(int*, char**)>("qvCreateGuiApplication");
    if (!create)
        return nullptr;
    const ApplicationArguments arguments = applicationArguments();
    return std::unique_ptr<QCoreApplication>(create(arguments.count, arguments.values));
}

DisplaySession::DisplaySession()
    : m_application(applicationForTheScreen())
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || !application->inherits("QGuiApplication"))
        return;
    const auto factsText = guiModule().function<bool(char*, std::size_t)>("qvDisplayFactsText");
    if (!factsText)
        return;
    m_source.emplace([factsText]() -> std::optional<hardware::DisplayFacts> {
        std::array<char, std::size_t(64) * 1024> text{};
        if (!factsText(text.data(), text.size()))
            return std::nullopt;
        return hardware::parseDisplayFacts(text.data());
    });
}

} // namespace qv::cli
