#pragma once

#include "platform/ScopedHook.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::hardware {

// The files of a machine as the hardware collectors read them: "/" on the live machine, or a recorded
// tree replayed from a folder. Paths are absolute inside the tree ("/proc/meminfo"). A missing or
// unreadable file is a missing fact, never an error: nothing here throws.
class MachineTree {
public:
    virtual ~MachineTree() = default;

    // The first `limit` bytes of a regular file or fewer (a sysfs file may never end); nothing when it is
    // missing, unreadable or not a regular file.
    virtual std::optional<std::string> read(std::string_view path, std::size_t limit) const = 0;
    // True when something stands at `path`; a file may exist and still be unreadable (root-only).
    virtual bool exists(std::string_view path) const = 0;
    // The names in a folder, sorted; empty when it is missing or not a folder.
    virtual std::vector<std::string> list(std::string_view path) const = 0;
    // The path with every link resolved inside the tree ("/sys/block/sda" gives
    // "/sys/devices/.../block/sda"); nothing when a part is missing or the links loop.
    virtual std::optional<std::string> resolve(std::string_view path) const = 0;
};

// A tree rooted at a folder of this machine. Links are followed as if the folder were "/": an absolute
// target starts again at the folder, ".." never climbs above it, so a recorded tree never reads the
// files of the machine that replays it.
class FolderTree final : public MachineTree {
public:
    explicit FolderTree(std::filesystem::path root);

    std::optional<std::string> read(std::string_view path, std::size_t limit) const override;
    bool exists(std::string_view path) const override;
    std::vector<std::string> list(std::string_view path) const override;
    std::optional<std::string> resolve(std::string_view path) const override;

    const std::filesystem::path& root() const { return m_root; }

private:
    // Where a resolved tree path lies on this machine.
    std::string hostPath(const std::string& treePath) const;

    std::filesystem::path m_root;
};

// The tree every collector reads: the live machine unless another has been installed.
const MachineTree& installedMachineTree();

// Installs `tree` for the whole process (nullptr returns to the live machine) and returns the one it
// replaces.
std::shared_ptr<const MachineTree> installMachineTree(std::shared_ptr<const MachineTree> tree);

// Installs a tree for the lifetime of this object, then restores the one installed before.
using ScopedMachineTree = platform::ScopedHook<std::shared_ptr<const MachineTree>, &installMachineTree>;

} // namespace qv::hardware
