// The machine tree: links stay inside the tree, reads are bounded, missing files are missing facts.
#include "hardware/tree/MachineTree.h"
#include "tests/support/FakeTree.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using qv::hardware::FolderTree;
namespace fs = std::filesystem;

class MachineTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_files.write("sys/devices/pci0000:00/0000:00:1f.2/ata1/host0/block/sda/size", "976773168\n")
            .write("sys/devices/virtual/block/loop0/size", "0\n")
            .write("etc/hostname", "replayed\n");
        fs::create_directories(m_files.path() / "sys/block");
        fs::create_directory_symlink("../devices/pci0000:00/0000:00:1f.2/ata1/host0/block/sda",
                                     m_files.path() / "sys/block/sda");
        fs::create_directory_symlink("../devices/virtual/block/loop0", m_files.path() / "sys/block/loop0");
    }

    qv::test::FakeTree m_files;
    FolderTree m_tree{m_files.path()};
};

TEST_F(MachineTreeTest, RelativeLinksResolveInsideTheTree)
{
    EXPECT_EQ(m_tree.read("/sys/block/sda/size", 100), "976773168\n");
    EXPECT_EQ(m_tree.resolve("/sys/block/sda"), "/sys/devices/pci0000:00/0000:00:1f.2/ata1/host0/block/sda");
    EXPECT_EQ(m_tree.list("/sys/block"), (std::vector<std::string>{"loop0", "sda"}));
    EXPECT_EQ(m_tree.resolve("/sys/block/loop0/../../../../../../.."), "/") << ".. stops at the tree's root";
}

TEST_F(MachineTreeTest, AbsoluteLinksStartAgainAtTheTreeNotAtThisMachine)
{
    fs::create_symlink("/etc/hostname", m_files.path() / "name");
    fs::create_symlink("../../../../../../etc/hostname", m_files.path() / "sys/climbing");
    EXPECT_EQ(m_tree.read("/name", 100), "replayed\n");
    EXPECT_EQ(m_tree.read("/sys/climbing", 100), "replayed\n");
}

TEST_F(MachineTreeTest, MissingLoopingAndNonFileEntriesAreMissingFacts)
{
    fs::create_symlink("loop-b", m_files.path() / "loop-a");
    fs::create_symlink("loop-a", m_files.path() / "loop-b");
    EXPECT_EQ(m_tree.read("/proc/meminfo", 100), std::nullopt);
    EXPECT_FALSE(m_tree.exists("/proc/meminfo"));
    EXPECT_EQ(m_tree.read("/loop-a", 100), std::nullopt);
    EXPECT_EQ(m_tree.resolve("/loop-a"), std::nullopt);
    EXPECT_EQ(m_tree.read("/sys/block", 100), std::nullopt) << "a folder";
    EXPECT_EQ(m_tree.list("/etc/hostname"), std::vector<std::string>()) << "a file";
    EXPECT_EQ(m_tree.list("/nowhere"), std::vector<std::string>());
}

TEST_F(MachineTreeTest, ReadsStopAtTheirBound)
{
    EXPECT_EQ(m_tree.read("/sys/block/sda/size", 3), "976");
    // A kernel file gives its size as 0 and is still read, up to the bound.
    const FolderTree live("/");
    const auto status = live.read("/proc/self/status", 16);
    ASSERT_TRUE(status.has_value()) << "/proc/self resolves through its relative link";
    EXPECT_EQ(status->size(), 16U);
}

TEST_F(MachineTreeTest, ScopedTreeIsInstalledAndRestored)
{
    const qv::hardware::MachineTree* live = &qv::hardware::installedMachineTree();
    {
        const qv::hardware::ScopedMachineTree replay(std::make_shared<FolderTree>(m_files.path()));
        EXPECT_EQ(qv::hardware::installedMachineTree().read("/etc/hostname", 100), "replayed\n");
    }
    EXPECT_EQ(&qv::hardware::installedMachineTree(), live);
}

} // namespace
