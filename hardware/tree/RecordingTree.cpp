#include "hardware/tree/RecordingTree.h"

#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace qv::hardware {

namespace {

// exists() of a file keeps its first bytes, as a read would: the collectors ask for small files only.
constexpr std::size_t kExistsCopyLimit = std::size_t(64) * 1024;

using platform::FileDescriptor;

// "/sys" for "/sys/block/sda/size".
std::string sourceOf(std::string_view path)
{
    const std::size_t end = path.find('/', 1);
    return std::string(path.substr(0, end));
}

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    throw RecordingError(what + " '" + path + "': " + std::strerror(errno));
}

// The folder at tree path `path` below `root`, made where missing; a link on the way is refused.
FileDescriptor folderAt(const FileDescriptor& root, std::string_view path, const std::string& shown)
{
    FileDescriptor folder(::fcntl(root.get(), F_DUPFD_CLOEXEC, 0));
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string part(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty())
            continue;
        if (::mkdirat(folder.get(), part.c_str(), 0700) != 0 && errno != EEXIST)
            fail("cannot make the folder", shown);
        FileDescriptor next(
            ::openat(folder.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isOpen())
            fail("cannot open the folder", shown);
        folder = std::move(next);
    }
    return folder;
}

std::pair<std::string_view, std::string> parentAndName(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return {path.substr(0, slash), std::string(path.substr(slash + 1))};
}

void writeFile(const FileDescriptor& root, const std::string& path, const std::string& contents)
{
    const auto [parent, name] = parentAndName(path);
    const FileDescriptor folder = folderAt(root, parent, path);
    const FileDescriptor file(
        ::openat(folder.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.isOpen() || ::fchmod(file.get(), 0600) != 0)
        fail("cannot write", path);
    for (std::size_t written = 0; written < contents.size();) {
        const ssize_t count = ::write(file.get(), contents.data() + written, contents.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            fail("cannot write", path);
        written += std::size_t(count);
    }
}

} // namespace

bool isPrivatePath(std::string_view path)
{
    static constexpr std::array<std::string_view, 12> kPrivate = {"/home",
                                                                  "/root",
                                                                  "/etc/shadow",
                                                                  "/etc/gshadow",
                                                                  "/etc/ssh",
                                                                  "/etc/NetworkManager/system-connections",
                                                                  "/etc/wpa_supplicant",
                                                                  "/var/lib/iwd",
                                                                  "/etc/ppp",
                                                                  "/etc/ipsec.secrets",
                                                                  "/run/user",
                                                                  "/var/lib/NetworkManager"};
    const bool below = std::ranges::any_of(kPrivate, [path](std::string_view folder) {
        return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/' ||
                                            folder.ends_with("shadow") || folder.ends_with("secrets"));
    });
    return below || path.find("/.ssh") != std::string_view::npos ||
           (path.starts_with("/proc/") && path.ends_with("/environ"));
}

RecordingTree::RecordingTree(std::shared_ptr<const FolderTree> source, std::size_t sourceBound)
    : m_source(std::move(source))
    , m_sourceBound(sourceBound)
{
}

std::optional<std::string> RecordingTree::resolveKeepingLinks(std::string_view path) const
{
    return m_source->resolve(path, [this](const std::string& link, const std::string& target) {
        if (!isPrivatePath(link))
            m_links.emplace(link, target);
    });
}

void RecordingTree::keepFile(const std::string& resolved, const std::string& contents) const
{
    std::string& kept = m_files[resolved];
    if (kept.size() >= contents.size())
        return;
    std::size_t& used = m_sourceBytes[sourceOf(resolved)];
    if (used + contents.size() - kept.size() > m_sourceBound) {
        m_cut.insert(sourceOf(resolved));
        if (kept.empty())
            m_files.erase(resolved);
        return;
    }
    used += contents.size() - kept.size();
    kept = contents;
}

void RecordingTree::keep(const std::string& resolved, const std::optional<std::string>& contents) const
{
    if (contents) {
        keepFile(resolved, *contents);
        return;
    }
    struct stat status {};
    if (::lstat(m_source->hostPath(resolved).c_str(), &status) != 0)
        return;
    if (S_ISDIR(status.st_mode))
        m_folders.insert(resolved);
    else if (S_ISREG(status.st_mode) && !m_files.contains(resolved))
        m_unreadable.insert(resolved);
}

std::optional<std::string> RecordingTree::read(std::string_view path, std::size_t limit) const
{
    std::optional<std::string> contents = m_source->read(path, limit);
    const std::scoped_lock lock(m_mutex);
    if (isPrivatePath(path))
        return contents;
    if (const auto resolved = resolveKeepingLinks(path); resolved && !isPrivatePath(*resolved))
        keep(*resolved, contents);
    return contents;
}

bool RecordingTree::exists(std::string_view path) const
{
    const std::scoped_lock lock(m_mutex);
    const auto resolved = isPrivatePath(path) ? m_source->resolve(path) : resolveKeepingLinks(path);
    if (!resolved || isPrivatePath(*resolved))
        return resolved.has_value();
    keep(*resolved, m_source->read(*resolved, kExistsCopyLimit));
    return true;
}

std::vector<std::string> RecordingTree::list(std::string_view path) const
{
    std::vector<std::string> names = m_source->list(path);
    const std::scoped_lock lock(m_mutex);
    const auto resolved = isPrivatePath(path) ? std::nullopt : resolveKeepingLinks(path);
    if (!resolved || isPrivatePath(*resolved))
        return names;
    m_folders.insert(*resolved);
    // Its links and folders are kept so that the listing replays; its files only when they are read.
    for (const std::string& name : names) {
        const std::string entry = (*resolved == "/" ? "" : *resolved) + '/' + name;
        struct stat status {};
        if (isPrivatePath(entry) || ::lstat(m_source->hostPath(entry).c_str(), &status) != 0)
            continue;
        if (S_ISDIR(status.st_mode))
            m_folders.insert(entry);
        else if (S_ISLNK(status.st_mode))
            resolveKeepingLinks(entry);
    }
    return names;
}

std::optional<std::string> RecordingTree::resolve(std::string_view path) const
{
    const std::scoped_lock lock(m_mutex);
    if (isPrivatePath(path))
        return m_source->resolve(path);
    // The target is kept too, so that the replay resolves the path even when nothing below it is read
    // (a device's driver, named by its folder alone).
    const auto resolved = resolveKeepingLinks(path);
    if (resolved && !isPrivatePath(*resolved))
        keep(*resolved, m_source->read(*resolved, kExistsCopyLimit));
    return resolved;
}

std::optional<std::string> RecordingTree::fact(const std::string& key, const LiveFact& live) const
{
    std::optional<std::string> value = m_source->fact(key, live);
    const std::scoped_lock lock(m_mutex);
    if (value)
        m_facts[key] = *value;
    return value;
}

std::set<std::string> RecordingTree::cutSources() const
{
    const std::scoped_lock lock(m_mutex);
    return m_cut;
}

void RecordingTree::write(const std::filesystem::path& folder, const Transform& transform,
                          const std::map<std::string, std::string>& besides) const
{
    const std::scoped_lock lock(m_mutex);
    const FileDescriptor root(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!root.isOpen())
        fail("cannot open the folder", folder.string());
    const auto changed = [&transform](const std::string& text) { return transform ? transform(text) : text; };
    for (const std::string& path : m_folders)
        folderAt(root, path, path);
    for (const auto& [path, target] : m_links) {
        const auto [parent, name] = parentAndName(path);
        const FileDescriptor at = folderAt(root, parent, path);
        if (::symlinkat(target.c_str(), at.get(), name.c_str()) != 0 && errno != EEXIST)
            fail("cannot make the link", path);
    }
    for (const auto& [path, contents] : m_files)
        writeFile(root, path, changed(contents));
    std::string manifest;
    for (const std::string& source : m_cut)
        manifest += "cut " + source + '\n';
    for (const std::string& path : m_unreadable) {
        writeFile(root, path, {});
        manifest += "unreadable " + path + '\n';
    }
    std::string facts;
    for (const auto& [key, value] : m_facts)
        facts += escapedFactText(key) + '\t' + escapedFactText(changed(value)) + '\n';
    writeFile(root, kRecordedFactsPath, facts);
    writeFile(root, kRecordedManifestPath, manifest);
    for (const auto& [path, contents] : besides)
        writeFile(root, path, contents);
}

} // namespace qv::hardware
