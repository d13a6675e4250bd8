#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::hardware {

// An installed Debian package as dpkg's status file describes it.
struct InstalledPackage {
    std::string name;
    std::string version;
    std::string architecture;
    std::optional<std::uint64_t> installedSize; // bytes (dpkg gives KiB); nothing when not given
    std::optional<std::string> section;
    std::string summary; // the description's first line
};

// A desktop entry of the system or of the user: an application menus show.
struct DesktopApplication {
    std::string name;
    std::optional<std::string> comment;
    std::string file;                   // "/usr/share/applications/vim.desktop"
    std::optional<std::string> package; // the package whose file list names the entry
    bool user = false;                  // from the user's own folder
};

struct ApplicationsFacts {
    std::vector<InstalledPackage> packages;              // in the status file's order
    std::vector<DesktopApplication> desktopApplications; // by name
    std::vector<std::string> notes;
};

namespace apps_notes {
inline constexpr const char* kNoDpkg = "This machine has no Debian package database";
} // namespace apps_notes

// The packages of a status file whose state is "installed" (not those removed with their configuration
// files kept, nor half-installed ones).
std::vector<InstalledPackage> parseDpkgStatus(std::string_view status);

// /var/lib/dpkg/status, the desktop entries of /usr/share/applications, /usr/local/share/applications and
// of `userFolder` (the user's own, never recorded), and the owners /var/lib/dpkg/info/*.list name.
ApplicationsFacts collectApplications(const MachineTree& tree = installedMachineTree(),
                                      const std::optional<std::string>& userFolder = std::nullopt);

// The user's own desktop entries: $XDG_DATA_HOME/applications, else ~/.local/share/applications.
std::optional<std::string> userApplicationsFolder();

} // namespace qv::hardware
