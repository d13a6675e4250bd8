#include "results/ResultFiles.h"
#include "tests/support/FakeTree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;
using qv::results::Benchmark;
using qv::results::Existing;
using qv::results::FileError;
using qv::results::SavedResult;

const std::string kVersionOneFile = QV_SOURCE_DIR "/tests/results/data/bench-result-v1.json";

std::string versionOneText()
{
    QFile file(QString::fromStdString(kVersionOneFile));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

SavedResult sampleResult()
{
    SavedResult result;
    result.program = "quorvex-cli 3.0.3";
    result.created = "2026-12-08T10:00:00Z";
    result.label = "Mémoire, \"quoted\"\ttab";
    result.benchmark = Benchmark::Cpu;
    result.kernelRevision = 1;
    result.machine = {"00112233aabbccdd", "host", "Vendor", "Name", 0x6A3, 4, "6.1.0"};
    qv::results::RunConditions conditions;
    conditions.loadAverage = {{0.5, 0.25, 0}};
    conditions.currentKHz = std::vector<std::int64_t>{1200000, 3400000};
    conditions.governor = "powersave";
    conditions.onBattery = true;
    conditions.warnings = {"running on battery: the clock is lowered and varies"};
    const qv::results::Figures figures{
        {"DhrystoneRate", 1.5e9}, {"WhetstoneRate", 2.25e6}, {"LivermoreMflops", 812.5}, {"AluIndex", 2210},
        {"FpuIndex", 1900},       {"GeneralIndex", 2050},    {"ElapsedMs", 1234.5}};
    result.runs = {{figures, conditions}, {figures, {}}};
    result.summary = figures;
    result.reliable = false;
    result.warnings = conditions.warnings;
    return result;
}

QByteArray savedText(const SavedResult& result)
{
    return QByteArray::fromStdString(qv::results::indentedJson(qv::results::savedResultJson(result)));
}

// Runs `body` in a child process and returns its exit status; the child may change its user or mount
// namespace without touching the test process.
int inChild(const std::function<int()>& body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

constexpr int kSkipped = 77;

TEST(SavedResult, RoundTripKeepsEveryValueAndReadersIgnoreUnknownKeys)
{
    const SavedResult result = sampleResult();
    EXPECT_EQ(qv::results::parseSavedResult(savedText(result)), result);

    std::string extended = savedText(result).toStdString();
    extended = replaced(extended, "{\n", "{\n  \"Future\": {\"Nested\": [1]},\n");
    extended = replaced(extended, "\"HostName\"", "\"Rack\": 7, \"HostName\"");
    extended = replaced(extended, "\"OnBattery\"", "\"Fans\": null, \"OnBattery\"");
    EXPECT_EQ(qv::results::parseSavedResult(QByteArray::fromStdString(extended)), result);

    SavedResult broken = result;
    broken.machine.hostName = "bad\xFF"
                              "host";
    EXPECT_EQ(qv::results::parseSavedResult(savedText(broken)).machine.hostName, "bad\xEF\xBF\xBDhost");
}

TEST(SavedResult, TheCheckedInVersionOneFileKeepsLoading)
{
    const SavedResult result = qv::results::readSavedResult(kVersionOneFile);
    EXPECT_EQ(result.label, "lab machine, before the BIOS update");
    EXPECT_EQ(result.benchmark, Benchmark::Mem);
    EXPECT_EQ(result.machine.machineKey, "5f0c2a9e71d4b386");
    ASSERT_EQ(result.runs.size(), 2u);
    EXPECT_EQ(result.runs[1].conditions.governor, "performance");
    EXPECT_EQ(result.runs[1].conditions.stealShare, 0.0012);
    EXPECT_EQ(qv::results::figureValue(result.summary, "MemoryIndex"), 50490);
    EXPECT_TRUE(result.reliable);
}

// The message a file's reading fails with; "accepted" when it does not fail.
std::string readError(const std::string& path)
{
    try {
        qv::results::readSavedResult(path);
        return "accepted";
    } catch (const FileError& error) {
        return error.what();
    }
}

TEST(SavedResult, BadFilesAreRefusedWithWhatAndWhere)
{
    const qv::test::FakeTree folder;
    const std::string valid = versionOneText();
    struct Row {
        const char* name;
        std::string content;
        std::string message; // after "'F' "
    };
    const Row rows[] = {
        {"empty", "", "is not a saved result: the file is empty"},
        {"truncated", valid.substr(0, 200), "is not a saved result: unterminated string at byte 201"},
        {"an array", "[1, 2]", "is not a saved result: the file holds no JSON object"},
        {"not ours", R"({"Schema": "other", "SchemaVersion": 1})",
         "is not a saved result: Schema is \"other\", not \"quorvex-bench-result\""},
        {"a text version", replaced(valid, "\"SchemaVersion\": 1", "\"SchemaVersion\": \"1\""),
         "is not a saved result: SchemaVersion is not a number"},
        {"a newer version", replaced(valid, "\"SchemaVersion\": 1", "\"SchemaVersion\": 2"),
         "was written by a newer quorvex-cli (format 2; this one reads 1)"},
        {"NaN", replaced(valid, "\"MemoryIndex\": 50490", "\"MemoryIndex\": NaN"),
         "is not a saved result: illegal number at byte 1948"},
        {"a negative index", replaced(valid, "\"MemoryIndex\": 50490", "\"MemoryIndex\": -50490"),
         "is not a saved result: Summary.MemoryIndex is negative"},
        {"an index beyond 32 bits", replaced(valid, "\"MemoryIndex\": 50490", "\"MemoryIndex\": 1e308"),
         "is not a saved result: Summary.MemoryIndex is too large"},
        {"an absurd rate", replaced(valid, "\"Speed\": 41866.302171807605,", "\"Speed\": 1e300,"),
         "is not a saved result: Runs[0].Speed is too large"},
        {"a missing figure", replaced(valid, "\"Speed\": 41866.302171807605,", ""),
         "is not a saved result: Runs[0].Speed is missing"},
        {"an unknown benchmark", replaced(valid, "\"Benchmark\": \"mem\"", "\"Benchmark\": \"gpu\""),
         "is not a saved result: Benchmark \"gpu\" is none of cpu, mem, disk, 2d, 3d, net, inet and all"},
        {"bad conditions", replaced(valid, "\"OnlineCpus\": 2", "\"OnlineCpus\": 2.5"),
         "is not a saved result: Runs[0].Conditions.OnlineCpus is not a whole number"},
        {"over 1 MiB", std::string(1024 * 1024 + 1, ' '),
         "is not a saved result: it is larger than 1024 KiB"},
    };
    const std::string path = (folder.path() / "result.json").string();
    for (const Row& row : rows) {
        qv::test::FakeTree::writeFile(path, row.content);
        EXPECT_EQ(readError(path), "'" + path + "' " + row.message) << row.name;
    }
    const std::string missing = (folder.path() / "missing.json").string();
    EXPECT_EQ(readError(missing), "cannot read '" + missing + "': No such file or directory");
    const std::string directory = folder.path().string();
    EXPECT_EQ(readError(directory), "cannot read '" + directory + "': Is a directory");
}

std::string contentOf(const fs::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<unreadable>");
}

std::size_t entriesIn(const fs::path& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicWrite, KeepsOrReplacesTheTargetAndLeavesNothingBehindOnFailure)
{
    const qv::test::FakeTree folder;
    const fs::path target = folder.path() / "a.json";
    const mode_t previousMask = umask(022);
    qv::results::writeFileAtomically(target.string(), "first", Existing::Keep);
    umask(previousMask);
    EXPECT_EQ(contentOf(target), "first");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0644));

    try {
        qv::results::writeFileAtomically(target.string(), "second", Existing::Keep);
        ADD_FAILURE() << "an existing file was replaced";
    } catch (const qv::results::FileExistsError& error) {
        EXPECT_EQ(error.what(), "'" + target.string() + "' exists already");
    }
    EXPECT_EQ(contentOf(target), "first");
    qv::results::writeFileAtomically(target.string(), "third", Existing::Replace);
    EXPECT_EQ(contentOf(target), "third");

    const struct {
        fs::path path;
        const char* reason;
    } failures[] = {{folder.path(), "Is a directory"},
                    {folder.path() / "no" / "b.json", "No such file or directory"}};
    for (const auto& failure : failures) {
        try {
            qv::results::writeFileAtomically(failure.path.string(), "x", Existing::Replace);
            ADD_FAILURE() << failure.path << " was written";
        } catch (const FileError& error) {
            EXPECT_EQ(error.what(), "cannot write '" + failure.path.string() + "': " + failure.reason);
        }
    }
    EXPECT_EQ(entriesIn(folder.path()), 1u) << "only a.json, no temporary file";
}

TEST(AtomicWrite, AReadOnlyFolderRefusesAnUnprivilegedUser)
{
    const qv::test::FakeTree folder;
    fs::permissions(folder.path(), fs::perms(0555));
    const std::string target = (folder.path() / "a.json").string();
    const int status = inChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return kSkipped;
        try {
            qv::results::writeFileAtomically(target, "x", Existing::Keep);
        } catch (const FileError& error) {
            return std::string(error.what()) == "cannot write '" + target + "': Permission denied" ? 0 : 2;
        }
        return 1;
    });
    fs::permissions(folder.path(), fs::perms(0755));
    if (status == kSkipped)
        GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(status, 0) << "1: written anyway, 2: another message";
    EXPECT_EQ(entriesIn(folder.path()), 0u);
}

TEST(AtomicWrite, AFullFileSystemLeavesNoPartialFile)
{
    const qv::test::FakeTree folder;
    const fs::path mountPoint = folder.path() / "tiny";
    fs::create_directory(mountPoint);
    const int status = inChild([&] {
        // A private mount namespace: the tiny file system vanishes with the child.
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
            return kSkipped;
        const std::string target = (mountPoint / "r.json").string();
        try {
            qv::results::writeFileAtomically(target, std::string(256 * 1024, 'x'), Existing::Replace);
            return 1;
        } catch (const FileError& error) {
            if (std::string(error.what()) != "cannot write '" + target + "': No space left on device")
                return 2;
        }
        return entriesIn(mountPoint) == 0 ? 0 : 3;
    });
    if (status == kSkipped)
        GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(status, 0) << "1: written anyway, 2: another message, 3: a file was left";
}

} // namespace
