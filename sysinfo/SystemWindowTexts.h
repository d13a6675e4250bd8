#pragma once

#include <QString>

#include <functional>

namespace qv::sysinfo {

class TSysInfo;

// The edition the operating-system window names, decided from the platform, version and build texts.
struct Edition {
    QString Plateforme;
    bool windowsVersionVisible = false; // the "Windows version" group, for the Windows 95 family only
    QString VersionWin95;               // its long version text, e.g. "4.00.950a"
    bool ShowExtensions = false;        // Windows 95 itself: the installation page shows its extensions
};

// The service-pack questions are asked only for Windows 95 itself.
Edition DecideEdition(const QString& windowsType, const QString& windowsVersion, const QString& windowsBuild,
                      const std::function<bool()>& servicePack1, const std::function<bool()>& servicePack2);

// What the window shows on activation: the first, second and fourth pages.
struct SystemWindowTexts {
    Edition edition;
    QString OSVersion;
    QString Release;
    QString NumSerie;
    QString NomUtilisateur;
    QString NomOrganisation;
    QString NomConnection;
    QString NomOrdinateur;
    QString RepWindows;
    QString RepSysteme;
    QString RepTemp;
};

SystemWindowTexts FillSystemWindowTexts(const TSysInfo& info);

// The installation page, filled on the first page change.
struct InstallationTexts {
    QString DateInstallationWindows;
    bool extensionsVisible = false;
    bool MSPlus = false;
    bool ServicePack1 = false;
    bool ServicePack2 = false;
};

InstallationTexts FillInstallationTexts(const TSysInfo& info, bool showExtensions);

} // namespace qv::sysinfo
