#pragma once

#include "hardware/tree/MachineTree.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {

// A folder tree in which some files exist but cannot be read, as root-only files are for other users
// (the tests run as root, who reads every file).
class RootOnlyTree final : public hardware::MachineTree {
public:
    RootOnlyTree(const std::filesystem::path& root, std::vector<std::string> rootOnly)
        : m_files(root)
        , m_rootOnly(std::move(rootOnly))
    {
    }
    std::optional<std::string> read(std::string_view path, std::size_t limit) const override
    {
        const bool denied =
            std::any_of(m_rootOnly.begin(), m_rootOnly.end(),
                        [path](const std::string& prefix) { return path.starts_with(prefix); });
        return denied ? std::nullopt : m_files.read(path, limit);
    }
    bool exists(std::string_view path) const override { return m_files.exists(path); }
    std::vector<std::string> list(std::string_view path) const override { return m_files.list(path); }
    std::optional<std::string> resolve(std::string_view path) const override { return m_files.resolve(path); }

private:
    hardware::FolderTree m_files;
    std::vector<std::string> m_rootOnly;
};

} // namespace qv::test
