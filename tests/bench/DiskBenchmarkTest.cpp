#include "bench/disk/DiskBenchmark.h"
#include "bench/disk/DiskReferences.h"
#include "bench/disk/DriveOfFolder.h"
#include "bench/disk/TestFile.h"
#include "tests/support/FakeTree.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;
using namespace qv::bench::disk;
using namespace std::chrono_literals;

constexpr std::int64_t kFileSize = 4 * kMiB;

std::size_t entriesIn(const fs::path& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::int64_t freeBytes(const fs::path& folder)
{
    struct statvfs space {};
    statvfs(folder.c_str(), &space);
    return std::int64_t(space.f_bavail) * std::int64_t(space.f_frsize);
}

DiskSettings shortRun(const fs::path& folder)
{
    DiskSettings settings;
    settings.folder = folder.string();
    settings.fileSize = kFileSize;
    settings.duration = 60ms;
    settings.warmUp = 10ms;
    settings.verify = true;
    return settings;
}

// File systems mounted for one test, in a mount namespace of the test's own process (each test runs
// in a process of its own), so that nothing is left mounted when it ends.
class PrivateMounts {
public:
    PrivateMounts() = default;
    PrivateMounts(const PrivateMounts&) = delete;
    PrivateMounts& operator=(const PrivateMounts&) = delete;

    // Empty when the namespace cannot be had; otherwise why it cannot.
    std::optional<std::string> enter()
    {
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return "no private mount namespace here (needs root): " + std::string(std::strerror(errno));
        return std::nullopt;
    }

    // A fresh ext4 file system of `megabytes` on a loop device, mounted at `mountPoint`.
    std::optional<std::string> mountExt4(const fs::path& mountPoint, int megabytes)
    {
        const fs::path image = m_images.path() / (mountPoint.filename().string() + ".img");
        fs::create_directories(mountPoint);
        fs::resize_file((std::ofstream(image), image), std::uintmax_t(megabytes) * std::uintmax_t(kMiB));
        if (std::system(("mkfs.ext4 -q -F " + image.string() + " >/dev/null 2>&1").c_str()) != 0)
            return "mkfs.ext4 is missing or failed";
        if (std::system(
                ("mount -o loop " + image.string() + " " + mountPoint.string() + " 2>/dev/null").c_str()) !=
            0)
            return "the loop mount of an ext4 image is refused here";
        m_mounted.push_back(mountPoint);
        return std::nullopt;
    }

    std::optional<std::string> mountTmpfs(const fs::path& mountPoint, const std::string& options)
    {
        fs::create_directories(mountPoint);
        if (mount("tmpfs", mountPoint.c_str(), "tmpfs", options.find("ro") == 0 ? MS_RDONLY : 0,
                  options.c_str()) != 0)
            return "mounting tmpfs is refused here";
        m_mounted.push_back(mountPoint);
        return std::nullopt;
    }

    ~PrivateMounts()
    {
        for (const fs::path& mountPoint : m_mounted)
            umount2(mountPoint.c_str(), MNT_DETACH);
    }

private:
    qv::test::FakeTree m_images;
    std::vector<fs::path> m_mounted;
};

class DiskBenchmarkOnExt4 : public testing::Test {
protected:
    void SetUp() override
    {
        std::optional<std::string> refused = m_mounts.enter();
        if (!refused)
            refused = m_mounts.mountExt4(folder(), 40);
        if (refused)
            GTEST_SKIP() << *refused;
    }
    fs::path folder() const { return m_root.path() / "ext4"; }

    qv::test::FakeTree m_root;
    PrivateMounts m_mounts;
};

void expectEveryFigure(const DiskResult& result)
{
    bool moved = false;
    ASSERT_EQ(result.tests.size(), diskPatterns().size());
    for (const DiskTestResult& test : result.tests) {
        SCOPED_TRACE(std::string(test.pattern.label));
        for (const auto& measured : {test.read, test.write}) {
            ASSERT_TRUE(measured.has_value());
            // A run this short may see no request finish on a loaded machine; what it saw must agree.
            EXPECT_GE(measured->megabytesPerSecond, 0);
            EXPECT_EQ(measured->iops > 0, measured->megabytesPerSecond > 0);
            EXPECT_EQ(measured->iops > 0, measured->meanLatencyUs > 0);
            EXPECT_GE(measured->p99LatencyUs, 0);
            moved = moved || measured->iops > 0;
        }
    }
    EXPECT_TRUE(moved) << "no request finished in any test";
}

TEST_F(DiskBenchmarkOnExt4, DirectIoReadsBackEveryByteWrittenAndLeavesNothing)
{
    const std::atomic<bool> stop = false;
    const DiskResult result = runDiskBenchmark(shortRun(folder()), stop);
    EXPECT_TRUE(result.direct);
    EXPECT_EQ(result.cacheNote, "");
    EXPECT_FALSE(result.stopped);
    expectEveryFigure(result);
    EXPECT_GT(result.verifiedBytes, kFileSize);
    EXPECT_EQ(result.mismatchedBytes, 0);
    EXPECT_EQ(entriesIn(folder()), 1u) << "only ext4's lost+found";
    const DriveOfFolder drive = driveOfFolder(folder().string());
    EXPECT_EQ(drive.fileSystem, "ext4");
    EXPECT_TRUE(drive.device.starts_with("loop")) << drive.device;
    EXPECT_EQ(drive.transport, "virtual");
}

TEST_F(DiskBenchmarkOnExt4, RefusedIoUringLeavesThreadsAtTheSameDepth)
{
    const ScopedUringOpener refused([](int, int) { return std::unique_ptr<IoQueue>(); });
    const std::atomic<bool> stop = false;
    const DiskResult result = runDiskBenchmark(shortRun(folder()), stop);
    EXPECT_EQ(result.method, IoMethod::ThreadPool);
    EXPECT_EQ(result.deepestQueue, 32);
    expectEveryFigure(result);
    EXPECT_GT(result.verifiedBytes, 0);
    EXPECT_EQ(result.mismatchedBytes, 0);
}

TEST_F(DiskBenchmarkOnExt4, StopEndsTheRunAndTheFileGoes)
{
    std::atomic<bool> stop = false;
    const std::int64_t before = freeBytes(folder());
    DiskSettings settings = shortRun(folder());
    settings.duration = 10min; // ends only by the stop
    const DiskResult result = runDiskBenchmark(settings, stop, [&](const DiskProgress& progress) {
        if (progress.phase == DiskPhase::Reading && progress.fraction > 0.0001)
            stop = true; // once some reading is done
    });
    EXPECT_TRUE(result.stopped);
    ASSERT_EQ(result.tests.size(), 1u);
    EXPECT_FALSE(result.tests[0].read.has_value());
    EXPECT_EQ(freeBytes(folder()), before);
    EXPECT_EQ(entriesIn(folder()), 1u);
}

TEST_F(DiskBenchmarkOnExt4, AFileSystemFillingUpDuringTheWriteTestIsReportedAndTheFileGoes)
{
    const std::int64_t before = freeBytes(folder());
    const fs::path filler = folder() / "filler";
    DiskSettings settings = shortRun(folder());
    settings.duration = 400ms; // long enough for a look at the free space
    const std::atomic<bool> stop = false;
    std::string message;
    try {
        runDiskBenchmark(settings, stop, [&](const DiskProgress& progress) {
            if (progress.phase != DiskPhase::Writing || fs::exists(filler))
                return;
            const int fd = open(filler.c_str(), O_CREAT | O_WRONLY, 0600);
            posix_fallocate(fd, 0, freeBytes(folder()));
            close(fd);
        });
    } catch (const DiskBenchError& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "The file system of '" + folder().string() +
                           "' filled up during the test; the test file has been removed.");
    fs::remove(filler);
    EXPECT_EQ(freeBytes(folder()), before);
}

TEST(DiskBenchmark, InMemoryTheFiguresAreSaidToShowThePageCache)
{
    if (!fs::is_directory("/dev/shm"))
        GTEST_SKIP() << "no /dev/shm here";
    // A folder of the test's own: other processes come and go in /dev/shm itself.
    const QTemporaryDir own(QStringLiteral("/dev/shm/qv-disk-test-XXXXXX"));
    ASSERT_TRUE(own.isValid());
    const fs::path folder = own.path().toStdString();
    const std::atomic<bool> stop = false;
    const DiskResult result = runDiskBenchmark(shortRun(folder), stop);
    EXPECT_FALSE(result.direct);
    EXPECT_EQ(result.cacheNote,
              "The folder is in memory (tmpfs): the figures show the page cache, not a drive.");
    expectEveryFigure(result);
    EXPECT_EQ(result.mismatchedBytes, 0);
    EXPECT_EQ(entriesIn(folder), 0u);
}

std::string refusal(const fs::path& folder, std::int64_t size = kFileSize)
{
    try {
        checkFolder(folder.string(), size);
    } catch (const DiskBenchError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(DiskBenchmark, FolderChecksRefuseWhatCannotHoldTheTestFile)
{
    qv::test::FakeTree root;
    root.write("file", "x");
    EXPECT_EQ(refusal(root.path() / "missing"),
              "The folder '" + (root.path() / "missing").string() + "' does not exist.");
    EXPECT_EQ(refusal(root.path() / "file"), "'" + (root.path() / "file").string() + "' is not a folder.");
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev")) {
        if (entry.is_block_file()) {
            EXPECT_EQ(refusal(entry.path()), "'" + entry.path().string() + "' is not a folder.");
            break;
        }
    }
    EXPECT_EQ(refusal(root.path()), "accepted");

    PrivateMounts mounts;
    if (const auto refused = mounts.enter())
        GTEST_SKIP() << *refused;
    const fs::path readOnly = root.path() / "ro";
    const fs::path small = root.path() / "small";
    if (const auto refused = mounts.mountTmpfs(readOnly, "ro,size=1m"))
        GTEST_SKIP() << *refused;
    if (const auto refused = mounts.mountTmpfs(small, "size=8m"))
        GTEST_SKIP() << *refused;
    EXPECT_EQ(refusal(readOnly), "The folder '" + readOnly.string() + "' is read-only.");
    EXPECT_EQ(refusal(small, 8 * kMiB),
              "Not enough free space in '" + small.string() +
                  "': the test needs 9 MiB (the file and 10 % more), 8 MiB are free.");
    EXPECT_EQ(refusal(small, 7 * kMiB), "accepted");
}

TEST(DiskReferences, TheSataSsdRowIsTheThousandOfTheIndex)
{
    const auto& rows = diskReferences();
    const auto sata = std::find_if(rows.begin(), rows.end(),
                                   [](const DiskReference& row) { return row.label == "SATA SSD"; });
    ASSERT_NE(sata, rows.end());
    EXPECT_DOUBLE_EQ(diskIndex(sata->rates), 1000);
    DiskRates doubled = sata->rates;
    for (double& rate : doubled)
        rate *= 2;
    EXPECT_DOUBLE_EQ(diskIndex(doubled), 2000);
    DiskRates missing = sata->rates;
    missing[7] = 0;
    EXPECT_EQ(diskIndex(missing), 0);
}

} // namespace
