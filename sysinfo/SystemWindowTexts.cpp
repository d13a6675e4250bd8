#include "sysinfo/SystemWindowTexts.h"

#include "sysinfo/SysInfo.h"

namespace qv::sysinfo {

Edition DecideEdition(const QString& windowsType, const QString& windowsVersion, const QString& windowsBuild,
                      const std::function<bool()>& servicePack1, const std::function<bool()>& servicePack2)
{
    Edition edition;
    edition.Plateforme = windowsType;
    if (windowsType == QLatin1String("Windows 95")) {
        edition.windowsVersionVisible = true;
        QString version = windowsVersion + QStringLiteral("0.") + windowsBuild;
        const QChar decider = version.size() > 2 ? version.at(2) : QChar();
        if (decider == QLatin1Char('9')) {
            edition.Plateforme = QStringLiteral("Windows ME (Millennium Edition)");
        } else if (decider == QLatin1Char('1')) {
            edition.Plateforme = windowsBuild == QLatin1String("2222")
                                     ? QStringLiteral("Windows 98 Second Edition")
                                     : QStringLiteral("Windows 98");
        } else {
            edition.ShowExtensions = true;
            if (servicePack2())
                version += QLatin1Char('b');
            else if (servicePack1())
                version += QLatin1Char('a');
        }
        edition.VersionWin95 = version;
    } else if (windowsType == QLatin1String("Windows NT")) {
        const QChar major = windowsVersion.isEmpty() ? QChar() : windowsVersion.front();
        if (major == QLatin1Char('3'))
            edition.Plateforme = QStringLiteral("Windows NT3");
        else if (major == QLatin1Char('4'))
            edition.Plateforme = QStringLiteral("Windows NT4");
        else if (major == QLatin1Char('5'))
            edition.Plateforme = QStringLiteral("Windows 2000 (NT technology)");
        if (windowsVersion == QLatin1String("5.1"))
            edition.Plateforme = QStringLiteral("Windows XP (NT technology)");
    }
    return edition;
}

SystemWindowTexts FillSystemWindowTexts(const TSysInfo& info)
{
    SystemWindowTexts texts;
    texts.OSVersion = info.WindowsVersion();
    texts.Release = info.WindowsBuild();
    texts.NumSerie = GetProductID();
    texts.NomUtilisateur = info.RegdOwner();
    texts.NomOrganisation = info.RegdOrganisation();
    texts.NomConnection = GetLoginName();
    texts.NomOrdinateur = GetComputerNameText();
    texts.edition = DecideEdition(info.WindowsType(), info.WindowsVersion(), info.WindowsBuild(),
                                  &Win95ServicePack1, &Win95ServicePack2);
    texts.RepWindows = GetWindowsDir();
    texts.RepSysteme = GetSystemDir();
    texts.RepTemp = GetTempDir();
    return texts;
}

InstallationTexts FillInstallationTexts(const TSysInfo& info, bool showExtensions)
{
    InstallationTexts texts;
    texts.DateInstallationWindows = info.WindowsInstallDate();
    if (showExtensions) {
        texts.extensionsVisible = true;
        texts.MSPlus = PlusInstalled();
        texts.ServicePack1 = Win95ServicePack1();
        texts.ServicePack2 = Win95ServicePack2();
    }
    return texts;
}

} // namespace qv::sysinfo
