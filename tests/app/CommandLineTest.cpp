#include "app/CommandLine.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using qv::app::answerCommandLine;

TEST(CommandLine, OnlyItsOwnOptionsAnswerTheRestIsLeftToQt)
{
    EXPECT_FALSE(answerCommandLine({}, QString()).has_value());
    EXPECT_FALSE(
        answerCommandLine({QStringLiteral("-platform"), QStringLiteral("xcb")}, QString()).has_value());
    const auto version = answerCommandLine({QStringLiteral("--version")}, QString());
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->out, QStringLiteral("quorvex (Quorvex 2003) %1\n").arg(qv::test::packagedVersion()));
    EXPECT_TRUE(
        answerCommandLine({QStringLiteral("--help")}, QString())->out.startsWith(QStringLiteral("Usage: ")));
}

TEST(CommandLine, CheckInstallationNamesWhatIsMissing)
{
    const QDir folder(qv::test::scratchDirectory());
    QFile(folder.filePath(QStringLiteral("QUORVEX.001"))).open(QIODevice::WriteOnly);
    const auto answer = answerCommandLine({QStringLiteral("--check-installation")}, folder.path());
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, 1);
    EXPECT_EQ(answer->out, folder.filePath(QStringLiteral("QUORVEX.001")) + QLatin1Char('\n'));
    EXPECT_EQ(
        answer->err,
        QStringLiteral("quorvex: missing %1\n").arg(folder.filePath(QStringLiteral("help/quorvex.html"))));
}
