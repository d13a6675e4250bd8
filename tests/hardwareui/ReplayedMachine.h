#pragma once

#include "hardware/tree/MachineTree.h"
#include "tests/support/FakeTree.h"

#include <memory>

namespace qv::test {

// A hand-made machine installed as the tree every collector reads, for the test's lifetime. The tree
// reads its recorded facts when it is made, so the files are written first.
class ReplayedMachine {
public:
    explicit ReplayedMachine(void (*write)(FakeTree&))
        : m_installed(written(write))
    {
    }

private:
    std::shared_ptr<hardware::FolderTree> written(void (*write)(FakeTree&))
    {
        write(m_tree);
        return std::make_shared<hardware::FolderTree>(m_tree.path());
    }

    FakeTree m_tree;
    const hardware::ScopedMachineTree m_installed;
};

} // namespace qv::test
