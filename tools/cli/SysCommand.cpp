#include "tools/cli/SysCommand.h"

#include "platform/DisplayCheck.h"
#include "platform/LoadableModule.h"
#include "sysinfo/SysInfo.h"
#include "sysinfo/SystemWindowTexts.h"
#include "tools/cli/Application.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/Report.h"

#include <QMetaProperty>

#include <memory>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Describe the operating system as the system information window does";

ArgParser sysArguments()
{
    ArgParser parser;
    parser.flag("--json",
                "one JSON object: SysInfo (every text, in order), AutoUpdate, UpdateInterval, Helpers and "
                "Window (the window's texts by control name, null for a hidden group)");
    return parser;
}

std::vector<Field> collectorTexts(const sysinfo::TSysInfo& info)
{
    std::vector<Field> texts;
    const QMetaObject& meta = *info.metaObject();
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.metaType() != QMetaType::fromType<QString>())
            continue;
        const QString text = property.read(&info).toString();
        const bool noScreen = qstrcmp(property.name(), "ColourCount") == 0 && text.isEmpty();
        texts.push_back({property.name(), noScreen ? Value() : Value(text)});
    }
    return texts;
}

std::vector<Field> helperAnswers()
{
    using namespace sysinfo;
    return {{"GetWindowsDir", GetWindowsDir()},
            {"GetSystemDir", GetSystemDir()},
            {"GetTempDir", GetTempDir()},
            {"GetComputerNameText", GetComputerNameText()},
            {"GetLoginName", GetLoginName()},
            {"GetProductID", GetProductID()},
            {"PlusInstalled", PlusInstalled()},
            {"Win95ServicePack1", Win95ServicePack1()},
            {"Win95ServicePack2", Win95ServicePack2()}};
}

std::vector<Field> windowTexts(const sysinfo::TSysInfo& info)
{
    const sysinfo::SystemWindowTexts shown = sysinfo::FillSystemWindowTexts(info);
    const sysinfo::InstallationTexts installation =
        sysinfo::FillInstallationTexts(info, shown.edition.ShowExtensions);
    const auto ifVisible = [](bool visible, Value value) { return visible ? std::move(value) : Value(); };
    return {{"Plateforme", shown.edition.Plateforme},
            {"OSVersion", shown.OSVersion},
            {"Release", shown.Release},
            {"NumSerie", shown.NumSerie},
            {"VersionWin95", ifVisible(shown.edition.windowsVersionVisible, shown.edition.VersionWin95)},
            {"NomUtilisateur", shown.NomUtilisateur},
            {"NomOrganisation", shown.NomOrganisation},
            {"NomConnection", shown.NomConnection},
            {"NomOrdinateur", shown.NomOrdinateur},
            {"DateInstallationWindows", installation.DateInstallationWindows},
            {"MSPlus", ifVisible(installation.extensionsVisible, installation.MSPlus)},
            {"ServicePack1", ifVisible(installation.extensionsVisible, installation.ServicePack1)},
            {"ServicePack2", ifVisible(installation.extensionsVisible, installation.ServicePack2)},
            {"RepWindows", shown.RepWindows},
            {"RepSysteme", shown.RepSysteme},
            {"RepTemp", shown.RepTemp}};
}

int runSys(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = sysArguments().parse(args);
    writeReport(out, systemReport(), parsed.has("--json"));
    return 0;
}

} // namespace

Report systemReport()
{
    const auto application = guiApplicationIfNone();
    const sysinfo::TSysInfo info;
    return {group("SysInfo", collectorTexts(info)), single("AutoUpdate", info.AutoUpdate()),
            single("UpdateInterval", info.UpdateInterval()), group("Helpers", helperAnswers()),
            group("Window", windowTexts(info))};
}

Subcommand sysCommand()
{
    return {"sys", std::string(kSummary), sysArguments().usage("sys", kSummary), runSys};
}

// The screen's depth needs a graphical application; one is started only where a display answers, so
// that ColourCount is null on a headless machine instead of an abort. It comes from a module of its
// own, so that Qt Gui is loaded only then.
std::unique_ptr<QCoreApplication> guiApplicationIfNone()
{
    if (QCoreApplication::instance() || !platform::checkDisplay().isEmpty())
        return nullptr;
    static const platform::LoadableModule gui(QV_CLI_GUI_MODULE);
    const auto create = gui.function<QCoreApplication*(int*, char**)>("qvCreateGuiApplication");
    if (!create)
        return nullptr;
    const ApplicationArguments arguments = applicationArguments();
    return std::unique_ptr<QCoreApplication>(create(arguments.count, arguments.values));
}

} // namespace qv::cli
