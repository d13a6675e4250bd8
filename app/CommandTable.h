#pragma once

#include <span>

// The main window's commands: which button on which page and which menu item each has, their hints
// and help contexts, and the order of buttons and menu items. The window builds itself from this.
namespace qv::app {

enum class Command {
    OpenResults,
    Report,
    Quit,
    PerfProcessor,
    PerfMemory,
    PerfDisk,
    PerfDisplay,
    Perf3D,
    PerfCdrom,
    PerfInternet,
    PerfNetwork,
    PerfOverall,
    InfoSummary,
    InfoProcessor,
    InfoMemory,
    InfoDrives,
    InfoVideo,
    InfoMotherboard,
    InfoOperatingSystem,
    InfoNetwork,
    InfoPrograms,
    WizardBuilder,
    WizardPerformances,
    WizardWindowsXP,
    WizardWebUpdate,
    ToolStability,
    ToolCdCheck,
    ToolBackup,
    ToolRestore,
    ToolNetworkCheck,
    Help,
    Faq,
    Contact,
    About,
};

// What a command does when chosen.
enum class CommandKind {
    Window,       // plays the sound cue and shows one of the program's windows
    OwnWindow,    // a function the program adds: its own window, no cue
    NotAvailable, // a function this version does not have: a short message, no cue
    Shell,        // help, web, mail, About, quit: no cue
};

struct ButtonInfo {
    const char* objectName;
    const char* hint;
    const char* glyph; // resource path of the labelled picture
};

struct MenuItemInfo {
    const char* objectName;
    const char* caption;
    const char* hint;
    int helpContext; // 0 shows the contents
};

struct CommandInfo {
    Command command;
    CommandKind kind;
    const char* title; // names the function in the "not available" message
    ButtonInfo button; // objectName nullptr: menu only
    MenuItemInfo menuItem;
};

// Page groups of the main window, in tab order.
enum class Page { Benchmarks, Information, Wizards, Tools };
inline constexpr int kPageCount = 4;

// What the tab strip and the page picture of a group say.
struct PageInfo {
    const char* caption; // the group's tab
    const char* tagline; // under the group's heading on its page
};
const PageInfo& pageInfo(Page page);

const CommandInfo& commandInfo(Command command);
std::span<const CommandInfo> allCommands();
std::span<const Command> pageButtons(Page page);

// One entry of a menu: a command, or a separator when `isSeparator`.
struct MenuEntry {
    bool isSeparator;
    Command command;
};

struct MenuLayout {
    const char* objectName;
    const char* caption;
    std::span<const MenuEntry> entries;
};

std::span<const MenuLayout> menuBarLayout();

} // namespace qv::app
