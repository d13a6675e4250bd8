#include "app/CommandTable.h"

#include <array>
#include <cassert>

namespace qv::app {

namespace {

using enum Command;
using enum CommandKind;

constexpr ButtonInfo kNoButton{nullptr, nullptr, nullptr};

// clang-format off
constexpr std::array kCommands{
    CommandInfo{OpenResults, OwnWindow, "Opening a results file", kNoButton,
        {"Ouvrir1", "&Open results...", "Open a Quorvex results file", 0}},
    CommandInfo{Report, OwnWindow, "The report", kNoButton,
        {"Gnrerrapport1", "&Report", "Generate a printable report", 0}},
    CommandInfo{Quit, Shell, "", kNoButton,
        {"Quitter1", "&Quit", "Exit Quorvex", 0}},

    CommandInfo{PerfProcessor, Window, "The processor benchmark",
        {"TransparentButton1", "Test the performances of the main processor (cpu)", ":/pictures/cmd_perf_cpu.png"},
        {"Processeur2", "&Processor (CPU)", "Test the performances of the processor (CPU)", 201}},
    CommandInfo{PerfMemory, Window, "The memory benchmark",
        {"TransparentButton2", "Test the performances of memory sub-system (RAM, cache, bus)", ":/pictures/cmd_perf_memory.png"},
        {"Mmoire2", "&Memory", "Test the performances of the memory sub-system (ram, cache, bus)", 202}},
    CommandInfo{PerfDisk, OwnWindow, "The hard disk benchmark",
        {"TransparentButton3", "Test the performances of a hard disk", ":/pictures/cmd_perf_disk.png"},
        {"Disque1", "&Hard disk", "Test the performances of an hard disk drive", 203}},
    CommandInfo{PerfDisplay, OwnWindow, "The standard display benchmark",
        {"TransparentButton4", "Test the performances of standard display (2D)", ":/pictures/cmd_perf_display.png"},
        {"Vido2", "Standard &display", "Test the performances oh the standard display (2D)", 204}},
    CommandInfo{Perf3D, OwnWindow, "The 3D display benchmark",
        {"TransparentButton19", "Test display's performances in 3D mode (DirectX/Direct3D)", ":/pictures/cmd_perf_3d.png"},
        {"Affichage3D1", "&3D display", "Test the display's performances in 3D mode (DirectX)", 2041}},
    CommandInfo{PerfCdrom, NotAvailable, "The CD drive benchmark",
        {"TransparentButton5", "Test the performances of a CD-ROM, CD-R or CD-RW drive", ":/pictures/cmd_perf_cdrom.png"},
        {"CDROM1", "&CD drive", "Test the performances of a CD, CD-R, CD-RW drive", 205}},
    CommandInfo{PerfInternet, OwnWindow, "The Internet connection benchmark",
        {"TransparentButton7", "Test the performances of the internet connection", ":/pictures/cmd_perf_internet.png"},
        {"ConnexionInternet1", "&Internet connection", "Test the performances of the internet connection", 206}},
    CommandInfo{PerfNetwork, OwnWindow, "The network connection benchmark",
        {"ButtonPerfReseau", "Test the performances of a network connection", ":/pictures/cmd_perf_network.png"},
        {"Connexionrseau1", "&Network connection", "Test the performances of the network connection", 208}},
    CommandInfo{PerfOverall, OwnWindow, "The overall performances benchmark",
        {"TransparentButton6", "Test the general performances of your system", ":/pictures/cmd_perf_overall.png"},
        {"Performancesglobalesdusystmes1", "&Overall performances", "Test the general performances of your system", 207}},

    CommandInfo{InfoSummary, OwnWindow, "The system summary",
        {"TransparentButton14", "Display system symmary information", ":/pictures/cmd_info_summary.png"},
        {"Rsumdelaconfiguration1", "System &summary", "Display system information", 0}},
    CommandInfo{InfoProcessor, Window, "Processor information",
        {"TransparentButton8", "Display CPU information", ":/pictures/cmd_info_cpu.png"},
        {"Processeur1", "&Processor (CPU)", "Dispay processor information", 2}},
    CommandInfo{InfoMemory, OwnWindow, "Memory information",
        {"TransparentButton9", "Display memory information", ":/pictures/cmd_info_memory.png"},
        {"Mmoire1", "&Memory", "Display memory information", 3}},
    CommandInfo{InfoDrives, OwnWindow, "Drives information",
        {"TransparentButton10", "Display drives information", ":/pictures/cmd_info_drives.png"},
        {"Disques1", "&Drives", "&Display disk units informations (hard disk brand, model, ...)", 5}},
    CommandInfo{InfoVideo, OwnWindow, "Video information",
        {"TransparentButton11", "Display video information", ":/pictures/cmd_info_video.png"},
        {"Vido1", "&Video", "Display video information", 6}},
    CommandInfo{InfoMotherboard, OwnWindow, "Motherboard information",
        {"TransparentButton12", "Display motherboard information (bios, chipset, agp ...)", ":/pictures/cmd_info_motherboard.png"},
        {"Cartemre1", "Mother&board", "Display motherboard information (bios, chipset, cache, AGP...)", 7}},
    CommandInfo{InfoOperatingSystem, Window, "Operating system information",
        {"TransparentButton13", "Display operating system information (version, serial number...)", ":/pictures/cmd_info_os.png"},
        {"Systmedexploitation1", "&Operating System", "Dispaly operating system information", 8}},
    CommandInfo{InfoNetwork, OwnWindow, "Network information",
        {"ButtonInfoReseau", "Display network information : connection login, username, workgroup, ...", ":/pictures/cmd_info_network.png"},
        {"Network1", "&Network", "Display network information : login, username, workgroup ...", 10}},
    CommandInfo{InfoPrograms, OwnWindow, "The list of installed applications",
        {"TransparentButtonAppliInstallees", "Display installed programs information", ":/pictures/cmd_info_programs.png"},
        {"Listedesapplicationsinstalles1", "&Installed applications", "Display installed programs list", 9}},

    CommandInfo{WizardBuilder, NotAvailable, "The PC Builder wizard",
        {"TransparentButton16", "Build your PC according to your needs", ":/pictures/cmd_wiz_builder.png"},
        {"ExpertConfiguration1", "PC &Builder Wizard", "Build your PC accord to your needs.", 801}},
    CommandInfo{WizardPerformances, OwnWindow, "The performances wizard",
        {"TransparentButton15", "Analyze your PC's performances", ":/pictures/cmd_wiz_performances.png"},
        {"ExpertPerformances1", "&Performances Wizard", "Analyze your PC's performances", 802}},
    CommandInfo{WizardWindowsXP, NotAvailable, "The Windows XP wizard",
        {"TransparentButton18", "Is your PC ready to run Windows XP ?", ":/pictures/cmd_wiz_windowsxp.png"},
        {"ExpertWindowsXP1", "&Windows XP Wizard", "Is your PC ready to run Windows XP ?", 804}},
    CommandInfo{WizardWebUpdate, NotAvailable, "The Web update wizard",
        {"TransparentButton17", "Update Quorvex (required an internet connection)", ":/pictures/cmd_wiz_webupdate.png"},
        {"ExpertWebUpDate1", "Web &UpDate Wizard", "Update Quorvex (required an internet connection)", 803}},

    CommandInfo{ToolStability, Window, "The stability test",
        {"TransparentButtonTestStabilite", "Control components /  test system stability", ":/pictures/cmd_tool_stability.png"},
        {"Testerlastabilitdusystme1", "Burn-int test / &stability test", "Control components / test system stability", 901}},
    CommandInfo{ToolCdCheck, NotAvailable, "The CD check",
        {"TransparentButtonVerifCD", "Check a CD, a CD-R or a CD-RW", ":/pictures/cmd_tool_cdcheck.png"},
        {"VrifierunCDCDRRW1", "&CD check", "Check a CD, CD-R, CD-RW", 902}},
    CommandInfo{ToolBackup, NotAvailable, "The system backup",
        {"TransparentButtonSauveSysteme", "Save main windows system files", ":/pictures/cmd_tool_backup.png"},
        {"Sauvegardesystme1", "System &backup", "Save main windows systeme files", 903}},
    CommandInfo{ToolRestore, NotAvailable, "The system restore",
        {"TransparentButtonRestaureSysteme", "Restore main windows system files from an existing backup", ":/pictures/cmd_tool_restore.png"},
        {"Restaurersystme1", "System &restore", "Restore main windows system files from an existing backup", 904}},
    CommandInfo{ToolNetworkCheck, Window, "The network connection check",
        {"ButtonOutilReseau", "Network analysis, connection check, IP/DNS lookup...", ":/pictures/cmd_tool_network.png"},
        {"Testconnexionrseau1", "&Network connection check", "Network analysis, connection check, IP/DNS lookup...", 905}},

    CommandInfo{Help, Shell, "", kNoButton, {"Aide2", "&Help", "", 0}},
    CommandInfo{Faq, Shell, "", kNoButton, {"FAQonline1", "&FAQ (online)", "", 0}},
    CommandInfo{Contact, Shell, "", kNoButton,
        {"ContacttheQuorvexTeam1", "&Contact the Quorvex Team", "", 0}},
    CommandInfo{About, Shell, "", kNoButton, {"AboutItem", "&About...", "", 0}},
};
// clang-format on

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        if (static_cast<std::size_t>(kCommands[i].command) != i)
            return false;
    return true;
}
static_assert(tableFollowsEnum(), "kCommands must list the commands in the order of the Command enum");

constexpr std::array kBenchmarkButtons{PerfProcessor, PerfMemory,   PerfDisk,    PerfDisplay, Perf3D,
                                       PerfCdrom,     PerfInternet, PerfNetwork, PerfOverall};
constexpr std::array kInformationButtons{InfoProcessor, InfoMemory,      InfoDrives,
                                         InfoVideo,     InfoMotherboard, InfoOperatingSystem,
                                         InfoPrograms,  InfoNetwork,     InfoSummary};
constexpr std::array kWizardButtons{WizardBuilder, WizardPerformances, WizardWindowsXP, WizardWebUpdate};
constexpr std::array kToolButtons{ToolStability, ToolCdCheck, ToolBackup, ToolRestore, ToolNetworkCheck};

constexpr MenuEntry item(Command command)
{
    return {false, command};
}
constexpr MenuEntry kSeparator{true, Quit};

// clang-format off
constexpr std::array kFileMenu{item(OpenResults), kSeparator, item(Report), kSeparator, item(Quit)};
constexpr std::array kBenchmarkMenu{item(PerfProcessor), item(PerfMemory), item(PerfDisk), item(PerfDisplay),
    item(Perf3D), item(PerfCdrom), kSeparator, item(PerfInternet), kSeparator, item(PerfNetwork), kSeparator,
    item(PerfOverall)};
constexpr std::array kInformationMenu{item(InfoSummary), kSeparator, item(InfoProcessor), item(InfoMemory),
    item(InfoDrives), item(InfoVideo), item(InfoMotherboard), kSeparator, item(InfoOperatingSystem), kSeparator,
    item(InfoNetwork), kSeparator, item(InfoPrograms)};
constexpr std::array kWizardMenu{item(WizardBuilder), item(WizardPerformances), kSeparator, item(WizardWindowsXP),
    kSeparator, item(WizardWebUpdate)};
constexpr std::array kToolMenu{item(ToolStability), kSeparator, item(ToolCdCheck), kSeparator, item(ToolBackup),
    item(ToolRestore), kSeparator, item(ToolNetworkCheck)};
constexpr std::array kHelpMenu{item(Help), kSeparator, item(Faq), item(Contact), kSeparator, item(About)};

constexpr std::array kMenuBar{
    MenuLayout{"Fichier1", "&File", kFileMenu},
    MenuLayout{"Performances1", "&Benchmark", kBenchmarkMenu},
    MenuLayout{"Informations1", "&Information", kInformationMenu},
    MenuLayout{"Experts1", "&Wizards", kWizardMenu},
    MenuLayout{"Outils1", "&Tools", kToolMenu},
    MenuLayout{"Help1", "&Help", kHelpMenu},
};
// clang-format on

} // namespace

const CommandInfo& commandInfo(Command command)
{
    return kCommands[static_cast<std::size_t>(command)];
}

std::span<const CommandInfo> allCommands()
{
    return kCommands;
}

const PageInfo& pageInfo(Page page)
{
    static constexpr std::array<PageInfo, kPageCount> pages{{
        {"Benchmarks", "Measure how fast your PC runs"},
        {"Information", "Know what is inside your PC"},
        {"Wizards", "Step-by-step help for your PC"},
        {"Tools", "Check, test and protect your PC"},
    }};
    return pages[static_cast<size_t>(page)];
}

std::span<const Command> pageButtons(Page page)
{
    switch (page) {
    case Page::Benchmarks:
        return kBenchmarkButtons;
    case Page::Information:
        return kInformationButtons;
    case Page::Wizards:
        return kWizardButtons;
    case Page::Tools:
        return kToolButtons;
    }
    return {};
}

std::span<const MenuLayout> menuBarLayout()
{
    return kMenuBar;
}

} // namespace qv::app
