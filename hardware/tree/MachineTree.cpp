#include "hardware/tree/MachineTree.h"

#include "platform/FileAccess.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <deque>
#include <system_error>
#include <utility>

namespace qv::hardware {

namespace {

// A recording's facts and manifest are small; anything larger is not one of ours.
constexpr std::size_t kRecordingFileLimit = std::size_t(16) * 1024 * 1024;

// As the kernel's own bound on links followed while resolving one path.
constexpr int kMaximumLinks = 40;

std::deque<std::string> partsOf(std::string_view path)
{
    std::deque<std::string> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty() && part != ".")
            parts.emplace_back(part);
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

std::string joined(const std::vector<std::string>& parts)
{
    if (parts.empty())
        return "/";
    std::string path;
    for (const std::string& part : parts)
        path += '/' + part;
    return path;
}

std::optional<std::string> linkTarget(const std::string& hostPath)
{
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(hostPath.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || std::size_t(length) >= buffer.size())
        return std::nullopt;
    return std::string(buffer.data(), std::size_t(length));
}

std::shared_ptr<const MachineTree>& installedSlot()
{
    static std::shared_ptr<const MachineTree> slot;
    return slot;
}

std::optional<std::string> hostFile(const std::string& path)
{
    try {
        return platform::readAtMost(platform::openForReading(path), path, kRecordingFileLimit);
    } catch (const platform::FileAccessError&) {
        return std::nullopt;
    }
}

// Calls `take` with each line of `text`.
template<typename Take>
void forEachLine(std::string_view text, Take take)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        take(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

} // namespace

std::optional<std::string> MachineTree::fact(const std::string&, const LiveFact&) const
{
    return std::nullopt;
}

std::string escapedFactText(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string unescapedFactText(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char next = text[++i];
        plain += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    }
    return plain;
}

RecordingManifest parseRecordingManifest(std::string_view text)
{
    RecordingManifest manifest;
    forEachLine(text, [&](std::string_view line) {
        if (line.starts_with("cut "))
            manifest.cutSources.emplace_back(line.substr(4));
        else if (line.starts_with("unreadable "))
            manifest.unreadable.emplace_back(line.substr(11));
    });
    return manifest;
}

FolderTree::FolderTree(std::filesystem::path root, Facts facts)
    : m_root(std::move(root))
    , m_facts(facts)
{
    if (m_facts == Facts::Live)
        return;
    if (const auto text = hostFile(hostPath(kRecordedFactsPath))) {
        forEachLine(*text, [&](std::string_view line) {
            const std::size_t tab = line.find('\t');
            if (tab != std::string_view::npos)
                m_recordedFacts.emplace(unescapedFactText(line.substr(0, tab)),
                                        unescapedFactText(line.substr(tab + 1)));
        });
    }
    if (const auto text = hostFile(hostPath(kRecordedManifestPath)))
        m_manifest = parseRecordingManifest(*text);
}

std::optional<std::string> FolderTree::fact(const std::string& key, const LiveFact& live) const
{
    if (m_facts == Facts::Live)
        return live();
    const auto found = m_recordedFacts.find(key);
    return found == m_recordedFacts.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::string FolderTree::hostPath(const std::string& treePath) const
{
    std::string base = m_root.string();
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + treePath;
}

std::optional<std::string> FolderTree::resolve(std::string_view path) const
{
    return resolve(path, LinkVisitor());
}

std::optional<std::string> FolderTree::resolve(std::string_view path, const LinkVisitor& visit) const
{
    std::vector<std::string> resolved;
    std::deque<std::string> pending = partsOf(path);
    int links = 0;
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(std::move(part));
        const std::string host = hostPath(joined(resolved));
        struct stat status {};
        if (::lstat(host.c_str(), &status) != 0)
            return std::nullopt;
        if (!S_ISLNK(status.st_mode))
            continue;
        const auto target = linkTarget(host);
        if (!target || ++links > kMaximumLinks)
            return std::nullopt;
        if (visit)
            visit(joined(resolved), *target);
        resolved.pop_back();
        if (target->front() == '/')
            resolved.clear();
        std::deque<std::string> targetParts = partsOf(*target);
        pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    }
    return joined(resolved);
}

bool FolderTree::exists(std::string_view path) const
{
    return resolve(path).has_value();
}

std::optional<std::string> FolderTree::read(std::string_view path, std::size_t limit) const
{
    const auto resolved = resolve(path);
    if (!resolved || std::ranges::find(m_manifest.unreadable, *resolved) != m_manifest.unreadable.end())
        return std::nullopt;
    const std::string host = hostPath(*resolved);
    try {
        return platform::readAtMost(platform::openForReading(host), host, limit);
    } catch (const platform::FileAccessError&) {
        return std::nullopt;
    }
}

std::vector<std::string> FolderTree::list(std::string_view path) const
{
    std::vector<std::string> names;
    const auto resolved = resolve(path);
    if (!resolved)
        return names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(hostPath(*resolved), error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const MachineTree& installedMachineTree()
{
    return *installedMachineTreePointer();
}

std::shared_ptr<const MachineTree> installedMachineTreePointer()
{
    static const auto liveMachine = std::make_shared<const FolderTree>("/", FolderTree::Facts::Live);
    const auto& installed = installedSlot();
    return installed ? installed : liveMachine;
}

std::shared_ptr<const MachineTree> installMachineTree(std::shared_ptr<const MachineTree> tree)
{
    return std::exchange(installedSlot(), std::move(tree));
}

} // namespace qv::hardware
