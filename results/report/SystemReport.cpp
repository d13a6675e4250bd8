#include "results/report/SystemReport.h"

#include "sysinfo/SysInfo.h"
#include "sysinfo/SystemWindowTexts.h"

#include <QMetaProperty>

namespace qv::cli {

namespace {

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

} // namespace

Report systemReport()
{
    const sysinfo::TSysInfo info;
    return {group("SysInfo", collectorTexts(info)), single("AutoUpdate", info.AutoUpdate()),
            single("UpdateInterval", info.UpdateInterval()), group("Helpers", helperAnswers()),
            group("Window", windowTexts(info))};
}

} // namespace qv::cli
