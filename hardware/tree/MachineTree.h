#pragma once

#include "platform/ScopedHook.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
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

    // A fact that is no file (a file system's usage): the live machine answers what `live` computes, a
    // recorded tree what was recorded under `key`, and nothing for a key it never recorded.
    using LiveFact = std::function<std::optional<std::string>()>;
    virtual std::optional<std::string> fact(const std::string& key, const LiveFact& live) const;
};

// Where a recording keeps what is not a copied file, as tree paths: the non-file facts ("key<TAB>value"
// lines, escaped), and the manifest of what was cut or could not be read.
inline constexpr const char* kRecordedFactsPath = "/recording/facts";
inline constexpr const char* kRecordedManifestPath = "/recording/manifest";

// Facts files keep one fact per line: tabs, line breaks and backslashes are escaped.
std::string escapedFactText(std::string_view text);
std::string unescapedFactText(std::string_view text);

// What a recording's manifest lists.
struct RecordingManifest {
    std::vector<std::string> cutSources; // "/sys": source folders whose recording stopped at its bound
    std::vector<std::string> unreadable; // paths that existed but could not be read when recorded
};
RecordingManifest parseRecordingManifest(std::string_view text);

// A tree rooted at a folder of this machine. Links are followed as if the folder were "/": an absolute
// target starts again at the folder, ".." never climbs above it, so a recorded tree never reads the
// files of the machine that replays it.
class FolderTree final : public MachineTree {
public:
    // A recorded tree answers its recorded facts; the live machine ("/") computes them.
    enum class Facts { Recorded, Live };
    explicit FolderTree(std::filesystem::path root, Facts facts = Facts::Recorded);

    std::optional<std::string> read(std::string_view path, std::size_t limit) const override;
    bool exists(std::string_view path) const override;
    std::vector<std::string> list(std::string_view path) const override;
    std::optional<std::string> resolve(std::string_view path) const override;
    std::optional<std::string> fact(const std::string& key, const LiveFact& live) const override;

    // As resolve(), telling `visit` of every link met on the way: its tree path and its target as
    // written.
    using LinkVisitor = std::function<void(const std::string& path, const std::string& target)>;
    std::optional<std::string> resolve(std::string_view path, const LinkVisitor& visit) const;

    const std::filesystem::path& root() const { return m_root; }
    // Where a tree path lies on this machine, links not resolved.
    std::string hostPath(const std::string& treePath) const;
    const RecordingManifest& manifest() const { return m_manifest; }

private:
    std::filesystem::path m_root;
    Facts m_facts;
    std::map<std::string, std::string, std::less<>> m_recordedFacts;
    RecordingManifest m_manifest;
};

// The tree every collector reads: the live machine unless another has been installed.
const MachineTree& installedMachineTree();
// The same, shared, for work that may outlive the installation (a query on a thread of its own).
std::shared_ptr<const MachineTree> installedMachineTreePointer();

// Installs `tree` for the whole process (nullptr returns to the live machine) and returns the one it
// replaces.
std::shared_ptr<const MachineTree> installMachineTree(std::shared_ptr<const MachineTree> tree);

// Installs a tree for the lifetime of this object, then restores the one installed before.
using ScopedMachineTree = platform::ScopedHook<std::shared_ptr<const MachineTree>, &installMachineTree>;

} // namespace qv::hardware
