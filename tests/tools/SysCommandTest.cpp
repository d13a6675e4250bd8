// "quorvex-cli sys" over scripted system facts.
#include "tools/cli/SysCommand.h"
#include "tests/sysinfo/ScriptedSystemFacts.h"
#include "tools/cli/Cli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string runSys(const std::vector<std::string>& options)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::sysCommand());
    std::vector<std::string> args{"sys"};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(qv::cli::runCli(registry, args, out, err), 0) << err.str();
    return out.str();
}

qv::test::ScriptedSystemFacts windows95()
{
    qv::test::ScriptedSystemFacts facts;
    facts.os = {1, {}, 4, 0, 950};
    facts.systemDir = QStringLiteral("C:\\WINDOWS\\SYSTEM");
    facts.fileDates.insert(QStringLiteral("C:\\WINDOWS\\SYSTEM\\shell32.dll"), QDate(1996, 1, 10));
    return facts;
}

// The object's keys in the order they are written.
QStringList keysInOrder(const QJsonObject& object, const QString& text)
{
    QStringList keys = object.keys();
    std::sort(keys.begin(), keys.end(), [&](const QString& a, const QString& b) {
        return text.indexOf(QLatin1Char('"') + a + QStringLiteral("\":")) <
               text.indexOf(QLatin1Char('"') + b + QStringLiteral("\":"));
    });
    return keys;
}

TEST(SysCommandTest, JsonHoldsTheTextsInOrderAndNullsForWhatTheWindowHides)
{
    const auto facts = windows95().install();
    const QString text = QString::fromStdString(runSys({"--json"}));
    ASSERT_EQ(text.count(QLatin1Char('\n')), 1) << "one line";
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    EXPECT_EQ(keysInOrder(json, text), (QStringList{QStringLiteral("SysInfo"), QStringLiteral("AutoUpdate"),
                                                    QStringLiteral("UpdateInterval"),
                                                    QStringLiteral("Helpers"), QStringLiteral("Window")}));
    const QJsonObject sysInfo = json[QStringLiteral("SysInfo")].toObject();
    const QStringList keys = keysInOrder(sysInfo, text);
    EXPECT_EQ(keys.size(), 33);
    EXPECT_EQ(keys.first(), QStringLiteral("RegdOrganisation"));
    EXPECT_EQ(keys.indexOf(QStringLiteral("SystemTime")) + 1,
              keys.indexOf(QStringLiteral("MonitorDescription")));
    EXPECT_EQ(keys.last(), QStringLiteral("ColourCount"));
    EXPECT_TRUE(sysInfo[QStringLiteral("ColourCount")].isNull()) << "no screen depth";
    EXPECT_EQ(sysInfo[QStringLiteral("WindowsType")].toString(), QStringLiteral("Windows 95"));
    EXPECT_EQ(json[QStringLiteral("UpdateInterval")].toInt(), 1000);
    EXPECT_EQ(json[QStringLiteral("Helpers")][QStringLiteral("GetWindowsDir")].toString(),
              QStringLiteral("?"));
    EXPECT_EQ(json[QStringLiteral("Helpers")][QStringLiteral("Win95ServicePack1")].toBool(), true);

    const QJsonObject window = json[QStringLiteral("Window")].toObject();
    EXPECT_EQ(window[QStringLiteral("Plateforme")].toString(), QStringLiteral("Windows 95"));
    EXPECT_EQ(window[QStringLiteral("VersionWin95")].toString(), QStringLiteral("4.00.950a"));
    EXPECT_EQ(window[QStringLiteral("ServicePack1")], QJsonValue(true));
    EXPECT_EQ(window[QStringLiteral("MSPlus")], QJsonValue(false));

    qv::test::ScriptedSystemFacts nt;
    nt.os = {2, {}, 5, 1, 2600};
    const auto replaced = nt.install();
    const QJsonObject xp = QJsonDocument::fromJson(QByteArray::fromStdString(runSys({"--json"}))).object();
    EXPECT_EQ(xp[QStringLiteral("Window")][QStringLiteral("Plateforme")].toString(),
              QStringLiteral("Windows XP (NT technology)"));
    for (const char* hidden : {"VersionWin95", "MSPlus", "ServicePack1", "ServicePack2"})
        EXPECT_TRUE(xp[QStringLiteral("Window")][QLatin1String(hidden)].isNull()) << hidden;
}

TEST(SysCommandTest, TextListsTheSameValuesAligned)
{
    const auto facts = windows95().install();
    const QStringList lines = QString::fromStdString(runSys({})).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 33 + 2 + 9 + 16);
    static const QRegularExpression line(QStringLiteral("^(\\S+ +)(\\S.*)$"));
    QMap<QString, QString> values;
    QSet<qsizetype> valueColumns;
    for (const QString& text : lines) {
        const QRegularExpressionMatch match = line.match(text);
        ASSERT_TRUE(match.hasMatch()) << text.toStdString();
        values.insert(match.captured(1).trimmed(), match.captured(2));
        valueColumns.insert(match.capturedStart(2));
    }
    EXPECT_EQ(valueColumns.size(), 1) << "one column for the values";
    EXPECT_EQ(values.value(QStringLiteral("SysInfo.WindowsVersion")), QStringLiteral("\"4.0\""));
    EXPECT_EQ(values.value(QStringLiteral("Window.VersionWin95")), QStringLiteral("\"4.00.950a\""));
    EXPECT_EQ(values.value(QStringLiteral("SysInfo.ColourCount")), QStringLiteral("null"));
    EXPECT_EQ(values.value(QStringLiteral("AutoUpdate")), QStringLiteral("false"));
}

} // namespace
