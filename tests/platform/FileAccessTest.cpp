#include "platform/FileAccess.h"
#include "tests/support/FakeTree.h"
#include "tests/support/Fifo.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace qv::platform;

namespace {

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The reason of the FileAccessError that `work` throws, or "<none>".
template<typename Work>
std::string reasonOf(Work work)
{
    try {
        work();
    } catch (const FileAccessError& error) {
        return error.reason().empty() ? error.what() : error.reason();
    }
    return "<none>";
}

} // namespace

TEST(FileAccessRead, AFifoIsRefusedAtOnceAndADeviceOnlyWhereAllowed)
{
    const qv::test::FakeTree folder;
    const std::string fifo = (folder.path() / "fifo").string();
    ASSERT_TRUE(qv::test::makeFifo(fifo));
    std::string reason;
    EXPECT_TRUE(qv::test::endsWithoutAWriter(fifo, [&] {
        reason = reasonOf([&] { readBoundedFile(fifo, 100, Readable::RegularFileOrCharacterDevice); });
    })) << "reading a FIFO waited for a writer";
    EXPECT_EQ(reason, "not a regular file");
    EXPECT_FALSE(readFileHead(fifo, 10).has_value());

    EXPECT_EQ(reasonOf([] { readBoundedFile("/dev/null", 100); }), "not a regular file");
    EXPECT_EQ(readBoundedFile("/dev/null", 100, Readable::RegularFileOrCharacterDevice), "");
    // An endless device is cut at the bound, one byte past it.
    EXPECT_THROW(readBoundedFile("/dev/zero", 4096, Readable::RegularFileOrCharacterDevice),
                 FileTooLargeError);
    EXPECT_EQ(reasonOf([&] { readBoundedFile(folder.path().string(), 100); }), "Is a directory");
}

TEST(FileAccessWrite, ADeviceOrFifoIsWrittenIntoAndNeverReplaced)
{
    const qv::test::FakeTree folder;
    // A device full of nothing: the write error is said, not swallowed.
    EXPECT_EQ(reasonOf([] { writeFileTarget("/dev/full", "report", Existing::Replace); }),
              "No space left on device");

    const std::string fifo = (folder.path() / "fifo").string();
    ASSERT_TRUE(qv::test::makeFifo(fifo));
    EXPECT_EQ(reasonOf([&] { writeFileTarget(fifo, "x", Existing::Replace); }), "No such device or address")
        << "a FIFO without a reader is an error, not a wait";
    std::string received;
    std::thread reader([&] { received = contentOf(fifo); });
    // The reader's open() returns once a writer comes; try until it is there.
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (reasonOf([&] { writeFileTarget(fifo, "through the pipe", Existing::Replace); }) == "<none>")
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));

    std::ostringstream standardOutput;
    writeFileTarget("-", "to standard output", Existing::Keep, &standardOutput);
    EXPECT_EQ(standardOutput.str(), "to standard output");

    const fs::path node = folder.path() / "null";
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (needs root): " << std::strerror(errno);
    writeFileTarget(node.string(), "into the device", Existing::Replace);
    EXPECT_TRUE(fs::is_character_file(node)) << "the device became a file";
    EXPECT_THROW(writeFileTarget(node.string(), "x", Existing::Keep), FileExistsError);
}

TEST(FileAccessWrite, ReplacingAFileKeepsItsModeAndOwner)
{
    const qv::test::FakeTree folder;
    const fs::path file = folder.path() / "private";
    qv::test::FakeTree::writeFile(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    writeFileTarget(file.string(), "new", Existing::Replace);
    EXPECT_EQ(contentOf(file), "new");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    if (!root)
        GTEST_SKIP() << "the owner is checked as root only";
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
}

TEST(FileAccessWrite, AnOwnRegularFileOnlyIsReplacedAndALinkIsNeverFollowed)
{
    const qv::test::FakeTree folder;
    const fs::path target = folder.path() / "target";
    qv::test::FakeTree::writeFile(target, "line one\nline two\n");
    const fs::path link = folder.path() / "link";
    fs::create_symlink(target, link);
    EXPECT_EQ(reasonOf([&] { writeFileTarget(link.string(), "x", Existing::ReplaceOwnRegularFile); }),
              "not a regular file");
    EXPECT_EQ(contentOf(target), "line one\nline two\n");
    EXPECT_TRUE(fs::is_symlink(link));

    // A dangling link exists too: neither kept targets nor own-file targets go through it.
    const fs::path dangling = folder.path() / "dangling";
    fs::create_symlink(folder.path() / "nowhere", dangling);
    EXPECT_THROW(writeFileTarget(dangling.string(), "x", Existing::Keep), FileExistsError);
    EXPECT_THROW(checkWritableTarget(dangling.string(), Existing::Keep), FileExistsError);
    EXPECT_FALSE(fs::exists(folder.path() / "nowhere"));

    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another user is checked as root only";
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    EXPECT_EQ(reasonOf([&] { writeFileTarget(target.string(), "x", Existing::ReplaceOwnRegularFile); }),
              std::strerror(EACCES));
    EXPECT_EQ(contentOf(target), "line one\nline two\n");
}

TEST(FileAccessWrite, TargetsThatCannotTakeAFileAreSaidBeforeAnyWrite)
{
    const qv::test::FakeTree folder;
    const struct {
        const char* name;
        std::string path;
        Existing existing;
        std::string reason;
    } rows[] = {
        {"a folder, even when replacing", folder.path().string(), Existing::Replace, "Is a directory"},
        {"a folder, when keeping", folder.path().string(), Existing::Keep, "Is a directory"},
        {"a missing folder", (folder.path() / "no" / "r.json").string(), Existing::Keep,
         "No such file or directory"},
        {"a name too long", (folder.path() / std::string(300, 'n')).string(), Existing::Keep,
         "File name too long"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(reasonOf([&] { checkWritableTarget(row.path, row.existing); }), row.reason) << row.name;
    EXPECT_TRUE(fs::is_empty(folder.path())) << "the checks leave nothing behind";
}
