#include "tools/cli/MachineTreeOption.h"

#include "tools/cli/Cli.h"

#include <filesystem>
#include <ostream>

namespace qv::cli {

std::unique_ptr<hardware::ScopedMachineTree> replayedTree(const std::optional<std::string>& folder,
                                                          std::ostream& err)
{
    if (!folder)
        return nullptr;
    std::error_code error;
    if (!std::filesystem::is_directory(*folder, error))
        throw InputError("cannot read the machine tree '" + *folder + "': not a folder");
    auto tree = std::make_shared<hardware::FolderTree>(*folder);
    for (const std::string& source : tree->manifest().cutSources)
        err << "Note: the recording of " << source
            << " was cut at its size bound; facts read from it may be missing\n";
    return std::make_unique<hardware::ScopedMachineTree>(std::move(tree));
}

} // namespace qv::cli
