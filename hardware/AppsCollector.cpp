#include "hardware/AppsCollector.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <map>
#include <tuple>

namespace qv::hardware {

namespace {

constexpr std::size_t kStatusLimit = std::size_t(256) * 1024 * 1024;
constexpr std::size_t kEntryLimit = std::size_t(64) * 1024;
constexpr std::size_t kListLimit = std::size_t(16) * 1024 * 1024;
constexpr std::string_view kDpkgInfo = "/var/lib/dpkg/info";

std::string_view trimmedView(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// One paragraph's fields we use; continuation lines (starting with a blank) belong to the field before
// and are skipped, as only the description's first line is kept.
struct Paragraph {
    std::string_view package, status, version, architecture, size, section, description;
    void set(std::string_view key, std::string_view value)
    {
        if (key == "Package")
            package = value;
        else if (key == "Status")
            status = value;
        else if (key == "Version")
            version = value;
        else if (key == "Architecture")
            architecture = value;
        else if (key == "Installed-Size")
            size = value;
        else if (key == "Section")
            section = value;
        else if (key == "Description")
            description = value;
    }
    // "install ok installed", "hold ok installed": the last word is the state.
    bool installed() const { return status.ends_with(" installed") && !package.empty(); }
};

std::optional<std::uint64_t> kibibytes(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value * 1024;
}

void keep(const Paragraph& p, std::vector<InstalledPackage>& packages)
{
    if (!p.installed())
        return;
    packages.push_back({std::string(p.package), std::string(p.version), std::string(p.architecture),
                        kibibytes(p.size),
                        p.section.empty() ? std::nullopt : std::optional(std::string(p.section)),
                        std::string(p.description)});
}

// A desktop entry's [Desktop Entry] group: untranslated Name and Comment; hidden entries give nothing.
std::optional<DesktopApplication> desktopEntry(std::string_view text, const std::string& file)
{
    DesktopApplication app;
    app.file = file;
    bool inGroup = false;
    bool application = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmedView(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmedView(line.substr(0, equals));
        const std::string_view value = trimmedView(line.substr(equals + 1));
        if (key == "Name")
            app.name = value;
        else if (key == "Comment")
            app.comment = std::string(value);
        else if (key == "Type")
            application = value == "Application";
        else if ((key == "NoDisplay" || key == "Hidden") && value == "true")
            return std::nullopt;
    }
    if (!application || app.name.empty())
        return std::nullopt;
    return app;
}

// Which package's file list names each path of `wanted`.
std::map<std::string, std::string> owners(const MachineTree& tree, const std::vector<std::string>& wanted)
{
    std::map<std::string, std::string> found;
    if (wanted.empty())
        return found;
    for (const std::string& list : tree.list(kDpkgInfo)) {
        if (!list.ends_with(".list"))
            continue;
        const auto text = tree.read(std::string(kDpkgInfo) + '/' + list, kListLimit);
        if (!text || text->find("/applications/") == std::string::npos)
            continue;
        // "vim-common.list", "libc6:amd64.list": the package is the name without the suffix.
        const std::string stem = list.substr(0, list.size() - std::string_view(".list").size());
        const std::string package = stem.substr(0, stem.find(':'));
        for (const std::string& path : wanted) {
            const std::size_t at = text->find(path + '\n');
            if (at != std::string::npos && (at == 0 || (*text)[at - 1] == '\n'))
                found.emplace(path, package);
        }
    }
    return found;
}

} // namespace

std::vector<InstalledPackage> parseDpkgStatus(std::string_view status)
{
    std::vector<InstalledPackage> packages;
    Paragraph paragraph;
    while (!status.empty()) {
        const std::size_t end = status.find('\n');
        const std::string_view line = status.substr(0, end);
        status = end == std::string_view::npos ? std::string_view() : status.substr(end + 1);
        if (trimmedView(line).empty()) {
            keep(paragraph, packages);
            paragraph = {};
            continue;
        }
        if (line.front() == ' ' || line.front() == '\t')
            continue;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos)
            paragraph.set(line.substr(0, colon), trimmedView(line.substr(colon + 1)));
    }
    keep(paragraph, packages);
    return packages;
}

std::optional<std::string> userApplicationsFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::string(data) + "/applications";
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return std::string(home) + "/.local/share/applications";
    return std::nullopt;
}

ApplicationsFacts collectApplications(const MachineTree& tree, const std::optional<std::string>& userFolder)
{
    ApplicationsFacts facts;
    if (const auto status = tree.read("/var/lib/dpkg/status", kStatusLimit))
        facts.packages = parseDpkgStatus(*status);
    else
        facts.notes.emplace_back(apps_notes::kNoDpkg);

    std::vector<std::pair<std::string, bool>> folders = {{"/usr/share/applications", false},
                                                         {"/usr/local/share/applications", false}};
    if (userFolder)
        folders.emplace_back(*userFolder, true);
    std::vector<std::string> systemFiles;
    for (const auto& [folder, user] : folders) {
        for (const std::string& name : tree.list(folder)) {
            std::string file = folder;
            file += '/';
            file += name;
            if (!name.ends_with(".desktop"))
                continue;
            const auto text = tree.read(file, kEntryLimit);
            auto app = text ? desktopEntry(*text, file) : std::nullopt;
            if (!app)
                continue;
            app->user = user;
            if (!user)
                systemFiles.push_back(file);
            facts.desktopApplications.push_back(std::move(*app));
        }
    }
    const auto owned = owners(tree, systemFiles);
    for (DesktopApplication& app : facts.desktopApplications) {
        if (const auto found = owned.find(app.file); found != owned.end())
            app.package = found->second;
    }
    std::ranges::sort(facts.desktopApplications,
                      [](const DesktopApplication& a, const DesktopApplication& b) {
                          return std::tie(a.name, a.file) < std::tie(b.name, b.file);
                      });
    return facts;
}

} // namespace qv::hardware
