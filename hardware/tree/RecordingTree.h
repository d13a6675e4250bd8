#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

namespace qv::hardware {

// A recording could not be written; what() names the file and the reason.
class RecordingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True for files that never leave the machine: home folders, /root, the shadow files, SSH keys, network
// secrets, processes' environments.
bool isPrivatePath(std::string_view path);

// Answers every read from `source` (the live machine) and keeps a copy of what was read: the files, the
// links met on the way (targets as written, so sysfs's stay relative), the folders listed with their
// links and sub-folders, the non-file facts. write() lays the copy out as a tree that replays those
// reads. Private files are answered but never kept.
class RecordingTree final : public MachineTree {
public:
    static constexpr std::size_t kSourceBound = std::size_t(16) * 1024 * 1024;

    // `sourceBound`: the most bytes kept per source folder ("/sys", "/proc", …); what would pass it is
    // left out and the source listed as cut.
    explicit RecordingTree(std::shared_ptr<const FolderTree> source, std::size_t sourceBound = kSourceBound);

    std::optional<std::string> read(std::string_view path, std::size_t limit) const override;
    bool exists(std::string_view path) const override;
    std::vector<std::string> list(std::string_view path) const override;
    std::optional<std::string> resolve(std::string_view path) const override;
    std::optional<std::string> fact(const std::string& key, const LiveFact& live) const override;

    // The source folders whose recording was cut at the bound.
    std::set<std::string> cutSources() const;

    // Writes the recording into the existing, empty `folder`: folders 0700, files 0600, nothing followed
    // through a link inside it. Each kept file's contents and each fact pass through `transform` (which
    // keeps them as they are when empty); `besides` (tree path → contents) are written as given.
    // Throws RecordingError.
    using Transform = std::function<std::string(const std::string&)>;
    void write(const std::filesystem::path& folder, const Transform& transform,
               const std::map<std::string, std::string>& besides) const;

private:
    std::optional<std::string> resolveKeepingLinks(std::string_view path) const;
    // Keeps what a path that exists is: a file's first `limit` bytes, a folder, or an unreadable file.
    void keep(const std::string& resolved, const std::optional<std::string>& contents) const;
    void keepFile(const std::string& resolved, const std::string& contents) const;

    std::shared_ptr<const FolderTree> m_source;
    std::size_t m_sourceBound;
    mutable std::recursive_mutex m_mutex;
    mutable std::map<std::string, std::string> m_files;
    mutable std::map<std::string, std::string> m_links;
    mutable std::set<std::string> m_folders;
    mutable std::set<std::string> m_unreadable;
    mutable std::map<std::string, std::size_t> m_sourceBytes;
    mutable std::set<std::string> m_cut;
    mutable std::map<std::string, std::string> m_facts;
};

} // namespace qv::hardware
