#include "app/TipPreference.h"
#include "platform/FileAccess.h"
#include "tests/support/Fifo.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using namespace qv::app;

namespace {

QString folderWithPreference(const QByteArray& content)
{
    const QString folder = qv::test::scratchDirectory();
    QFile file(QDir(folder).filePath(kPreferenceFileName));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return folder;
}

QByteArray preferenceIn(const QString& folder)
{
    QFile file(QDir(folder).filePath(kPreferenceFileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct ReadCase {
    const char* name;
    QByteArray content;
    bool showsTips;
};

class TipsAtStartupReads : public ::testing::TestWithParam<ReadCase> {};

} // namespace

TEST_P(TipsAtStartupReads, OnlyTheExactFirstLine)
{
    EXPECT_EQ(TipsAtStartup(folderWithPreference(GetParam().content)), GetParam().showsTips);
}

INSTANTIATE_TEST_SUITE_P(
    PreferenceFile, TipsAtStartupReads,
    ::testing::Values(
        ReadCase{"YesWithCrLf", "ConseilAuDemarrage=OUI;\r\n", true},
        ReadCase{"YesWithLf", "ConseilAuDemarrage=OUI;\n", true},
        ReadCase{"YesWithoutLineEnd", "ConseilAuDemarrage=OUI;", true},
        ReadCase{"YesFollowedByMoreLines", "ConseilAuDemarrage=OUI;\r\nanything\r\nelse\n", true},
        ReadCase{"No", "ConseilAuDemarrage=NON;\r\n", false},
        ReadCase{"LowerCase", "ConseilAuDemarrage=oui;\r\n", false},
        ReadCase{"WithoutSemicolon", "ConseilAuDemarrage=OUI\r\n", false},
        ReadCase{"LeadingBlanks", "  ConseilAuDemarrage=OUI;\r\n", false},
        ReadCase{"TrailingText", "ConseilAuDemarrage=OUI;x\r\n", false},
        ReadCase{"YesOnTheSecondLine", "\r\nConseilAuDemarrage=OUI;\r\n", false},
        ReadCase{"Empty", "", false},
        ReadCase{"Binary", QByteArray("\x00\xff\xfe\x01ConseilAuDemarrage=OUI;", 27), false},
        ReadCase{"OneEnormousLine", "ConseilAuDemarrage=OUI;" + QByteArray(8 * 1024 * 1024, 'x'), false}),
    qv::test::RowName());

TEST(TipsAtStartup, AMissingOrUnreadableFileMeansNoTips)
{
    const QString folder = qv::test::scratchDirectory();
    EXPECT_FALSE(TipsAtStartup(folder));
    QDir(folder).mkdir(kPreferenceFileName); // a folder in the file's place
    EXPECT_FALSE(TipsAtStartup(folder));
}

TEST(TipsAtStartup, AFifoIsNotWaitedFor)
{
    const QString folder = qv::test::scratchDirectory();
    const std::string fifo = QDir(folder).filePath(kPreferenceFileName).toStdString();
    ASSERT_TRUE(qv::test::makeFifo(fifo));
    bool tips = true;
    EXPECT_TRUE(qv::test::endsWithoutAWriter(fifo, [&] { tips = TipsAtStartup(folder); }));
    EXPECT_FALSE(tips);
}

TEST(WriteTipPreference, NeverWritesThroughALinkNorIntoAnotherUsersFile)
{
    const QString folder = qv::test::scratchDirectory();
    const QString target = QDir(folder).filePath(QStringLiteral("passwd"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("root:x:0:0\nuser:x:1000:1000\n");
    }
    const QString link = QDir(folder).filePath(kPreferenceFileName);
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_THROW(writeTipPreference(true, folder), std::runtime_error);
    EXPECT_EQ(preferenceIn(folder), QByteArray("root:x:0:0\nuser:x:1000:1000\n")) << "the link's target";
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    if (geteuid() != 0)
        GTEST_SKIP() << "a preference file of another user is checked as root only";
    QFile::remove(link);
    const QString theirs = folderWithPreference("ConseilAuDemarrage=OUI;\r\n");
    ASSERT_EQ(
        ::chown(QFile::encodeName(QDir(theirs).filePath(kPreferenceFileName)).constData(), 65534, 65534), 0);
    EXPECT_THROW(writeTipPreference(false, theirs), std::runtime_error);
    EXPECT_EQ(preferenceIn(theirs), QByteArray("ConseilAuDemarrage=OUI;\r\n"));
}

TEST(WriteTipPreference, WritesOneLineEndedByCrLfAndDropsTheRest)
{
    const QString folder = folderWithPreference("ConseilAuDemarrage=OUI;\r\nold second line\r\n");
    writeTipPreference(false, folder);
    EXPECT_EQ(preferenceIn(folder), QByteArray("ConseilAuDemarrage=NON;\r\n"));
    writeTipPreference(true, folder);
    EXPECT_EQ(preferenceIn(folder), QByteArray("ConseilAuDemarrage=OUI;\r\n"));
    EXPECT_TRUE(TipsAtStartup(folder));
}

TEST(WriteTipPreference, AFailureRaisesAReadableErrorAndKeepsTheOldFile)
{
    const QString missingFolder = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("gone"));
    try {
        writeTipPreference(true, missingFolder);
        FAIL() << "writing into a missing folder succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(kPreferenceFileName)) << error.what();
    }

    const QString folder = qv::test::scratchDirectory();
    QDir(folder).mkdir(kPreferenceFileName);
    EXPECT_THROW(writeTipPreference(false, folder), std::runtime_error);
    EXPECT_TRUE(QFileInfo(QDir(folder).filePath(kPreferenceFileName)).isDir());
}

namespace {

// A tmpfs of one page mounted on a fresh folder while the object lives (root only).
class SmallTmpfs {
public:
    SmallTmpfs()
        : m_folder(qv::test::scratchDirectory())
    {
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", 0, "size=4k") == 0;
        m_reason = m_mounted ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& reason() const { return m_reason; }
    const QString& folder() const { return m_folder; }

    // Writes a filler file until the file system has no room left.
    void fill() const
    {
        QFile filler(QDir(m_folder).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'x')) > 0) {
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace

TEST(WriteTipPreference, AFullDiskIsReportedAndKeepsTheOldFile)
{
    const QString folder = folderWithPreference("ConseilAuDemarrage=OUI;\r\n");
    // A disk that has no room left: every write that reaches it fails.
    const qv::platform::ScopedFileWriteCall fullDisk([](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    try {
        writeTipPreference(false, folder);
        FAIL() << "a write to a full disk succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
            << error.what();
    }
    EXPECT_EQ(preferenceIn(folder), QByteArray("ConseilAuDemarrage=OUI;\r\n"));
}

// The real file system: the write to a full disk must be seen even though it is the flush, not the
// write call, that meets the full disk when the file is buffered.
TEST(WriteTipPreference, AFullFileSystemIsReportedAndKeepsTheOldFile)
{
    const SmallTmpfs tmpfs;
    if (!tmpfs.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << tmpfs.reason().toStdString();
    writeTipPreference(true, tmpfs.folder());
    tmpfs.fill();
    EXPECT_THROW(writeTipPreference(false, tmpfs.folder()), std::runtime_error);
    EXPECT_EQ(preferenceIn(tmpfs.folder()), QByteArray("ConseilAuDemarrage=OUI;\r\n"));
}
