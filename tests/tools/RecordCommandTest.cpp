// "quorvex-cli record-machine": what it keeps, what it never keeps, and that a replay gives the JSON
// recorded beside the tree.
#include "tools/cli/RecordCommand.h"
#include "hardware/tree/RecordingTree.h"
#include "platform/NetworkNeighbourhood.h"
#include "tests/hardware/SmbiosImages.h"
#include "tools/cli/Cli.h"
#include "tools/cli/InfoCommand.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& args)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::infoCommand());
    registry.add(qv::cli::recordMachineCommand());
    std::ostringstream out;
    std::ostringstream err;
    CliRun result;
    result.status = qv::cli::runCli(registry, args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::string fileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every topic replayed from `folder` prints exactly the JSON recorded beside the tree.
void expectReplayMatchesRecordedJson(const fs::path& folder)
{
    for (const std::string topic : {"memory", "drives", "board", "video", "network", "apps"}) {
        SCOPED_TRACE(topic);
        const CliRun replay = run({"info", topic, "--json", "--machine-tree", folder.string()});
        ASSERT_EQ(replay.status, 0) << replay.err;
        const std::string recorded = fileText(folder / "recording" / ("info-" + topic + ".json"));
        ASSERT_FALSE(recorded.empty());
        EXPECT_EQ(replay.out, recorded);
    }
}

TEST(RecordMachine, ThisMachineReplaysToTheRecordedJsonWithPrivateModes)
{
    qv::test::FakeTree parent;
    const fs::path folder = parent.path() / "machine";
    // The workgroup would be asked of this machine's own addresses: it is scripted here.
    const qv::platform::ScopedWorkgroupQuery workgroup(
        [] { return std::optional(QStringLiteral("TESTGROUP")); });
    const CliRun recorded = run({"record-machine", folder.string()});
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_NE(recorded.out.find("holds this machine's serial numbers, addresses and names"),
              std::string::npos);
    expectReplayMatchesRecordedJson(folder);
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat status {};
        ASSERT_EQ(::lstat(entry.path().c_str(), &status), 0);
        if (!S_ISLNK(status.st_mode)) {
            EXPECT_EQ(status.st_mode & 07777, S_ISDIR(status.st_mode) ? 0700U : 0600U) << entry.path();
        }
    }
}

TEST(RecordMachine, AnonymisedDesktopKeepsItsLayoutButNoSerialNumber)
{
    qv::test::FakeTree desktop;
    qv::test::writeDesktopTree(desktop);
    qv::test::FakeTree parent;
    const fs::path folder = parent.path() / "machine";
    const CliRun recorded =
        run({"record-machine", folder.string(), "--anonymise", "--machine-tree", desktop.path().string()});
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    expectReplayMatchesRecordedJson(folder);
    EXPECT_EQ(fs::read_symlink(folder / "sys/block/sda").string().substr(0, 11), "../devices/");
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.is_symlink())
            continue;
        const std::string text = fileText(entry.path());
        for (const char* serial :
             {"S6NVME0001", "SATA0002", "0401USB3", "NW7000-123456", "BSN-98765", "1A2B3C4D"})
            EXPECT_EQ(text.find(serial), std::string::npos) << serial << " in " << entry.path();
    }
    // The slots and the disks are all still there, with keys for serials.
    const std::string drives = fileText(folder / "recording/info-drives.json");
    EXPECT_NE(drives.find("\"Model\":\"NW Solid 500\""), std::string::npos) << drives;
    EXPECT_NE(fileText(folder / "recording/info-memory.json").find("\"Locator\":\"DIMM_B1\""),
              std::string::npos);
}

TEST(RecordMachine, FolderMustBeNewOrEmpty)
{
    qv::test::FakeTree parent;
    parent.write("machine/notes.txt", "mine");
    const CliRun refused = run({"record-machine", (parent.path() / "machine").string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("is not a new or empty folder"), std::string::npos) << refused.err;
    EXPECT_EQ(fileText(parent.path() / "machine/notes.txt"), "mine");
    EXPECT_EQ(run({"record-machine", (parent.path() / "machine/notes.txt").string()}).status, 2);
}

TEST(RecordingTree, NeverKeepsPrivateFilesAndCutsASourcePastItsBound)
{
    qv::test::FakeTree source;
    source.write("home/alice/.bashrc", "secret")
        .write("etc/shadow", "root:x")
        .write("etc/ssh/ssh_host_ed25519_key", "key")
        .write("proc/meminfo", "MemTotal: 1 kB\n")
        .write("sys/big", std::string(300, 'x'))
        .link("sys/home", "/home/alice");
    qv::hardware::RecordingTree recording(std::make_shared<qv::hardware::FolderTree>(source.path()), 200);
    for (const char* path : {"/home/alice/.bashrc", "/etc/shadow", "/etc/ssh/ssh_host_ed25519_key",
                             "/sys/home/.bashrc", "/proc/meminfo", "/sys/big"}) {
        EXPECT_TRUE(recording.read(path, 4096)) << path; // the caller is answered all the same
    }
    qv::test::FakeTree recorded;
    recording.write(recorded.path(), {}, {});
    EXPECT_FALSE(fs::exists(recorded.path() / "home"));
    EXPECT_FALSE(fs::exists(recorded.path() / "etc"));
    EXPECT_EQ(fileText(recorded.path() / "proc/meminfo"), "MemTotal: 1 kB\n");
    EXPECT_FALSE(fs::exists(recorded.path() / "sys/big"));
    const qv::hardware::FolderTree replay(recorded.path());
    EXPECT_EQ(replay.manifest().cutSources, std::vector<std::string>{"/sys"});
    const CliRun replayed = run({"info", "memory", "--machine-tree", recorded.path().string()});
    EXPECT_NE(replayed.err.find("the recording of /sys was cut"), std::string::npos) << replayed.err;
}

} // namespace
