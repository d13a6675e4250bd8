#include "app/TipPreference.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

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
    [](const auto& info) { return std::string(info.param.name); });

TEST(TipsAtStartup, AMissingOrUnreadableFileMeansNoTips)
{
    const QString folder = qv::test::scratchDirectory();
    EXPECT_FALSE(TipsAtStartup(folder));
    QDir(folder).mkdir(kPreferenceFileName); // a folder in the file's place
    EXPECT_FALSE(TipsAtStartup(folder));
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
