// The EDID reader against edid-decode's reading of the same blocks, so that the expected facts are not
// our own reading of the layout.
#include "hardware/Edid.h"
#include "tests/hardware/EdidBlocks.h"
#include "tests/support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using qv::hardware::Edid;
using qv::hardware::parseEdid;

// edid-decode's lines of the base block, and the checksum lines that say what they should be.
struct Decoded {
    QString text;
    QString field(const QString& pattern) const
    {
        const auto match = QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
        return match.hasMatch() ? match.captured(1) : QString();
    }
    int wrongChecksums() const { return int(text.count(QStringLiteral("(should be"))); }
};

Decoded edidDecode(const std::string& bytes)
{
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    file.write(bytes.data(), qint64(bytes.size()));
    file.flush();
    QProcess decoder;
    decoder.start(QStringLiteral("edid-decode"), {QStringLiteral("--skip-hex-dump"), file.fileName()});
    EXPECT_TRUE(decoder.waitForFinished(30000));
    return {QString::fromUtf8(decoder.readAllStandardOutput())};
}

struct Block {
    const char* name;
    std::function<std::string()> bytes;
};

std::string damaged(std::string bytes, std::size_t at)
{
    bytes[at] = char(bytes[at] ^ 0x01);
    return bytes;
}

class EdidAgainstDecoder : public testing::TestWithParam<Block> {};

TEST_P(EdidAgainstDecoder, ReadsWhatEdidDecodeReads)
{
    if (QStandardPaths::findExecutable(QStringLiteral("edid-decode")).isEmpty())
        GTEST_SKIP() << "edid-decode is not installed (scripts/test.sh installs it)";
    const std::string bytes = GetParam().bytes();
    const std::optional<Edid> edid = parseEdid(bytes);
    ASSERT_TRUE(edid);
    const Decoded decoded = edidDecode(bytes);
    ASSERT_FALSE(decoded.text.isEmpty());

    EXPECT_EQ(QString::fromStdString(edid->manufacturerId),
              decoded.field(QStringLiteral(R"(Manufacturer: (\S+))")));
    EXPECT_EQ(QString::number(edid->productCode), decoded.field(QStringLiteral(R"(Model: (\d+))")));
    EXPECT_EQ(edid->serialNumber ? QString::number(*edid->serialNumber) : QString(),
              decoded.field(QStringLiteral(R"(Serial Number: (\d+))")));
    const QString made = edid->modelYear ? QStringLiteral("Model year: %1").arg(edid->year)
                         : edid->week
                             ? QStringLiteral("Made in: week %1 of %2").arg(*edid->week).arg(edid->year)
                             : QStringLiteral("Made in: %1").arg(edid->year);
    EXPECT_EQ(made, decoded.field(QStringLiteral(R"(^\s+((?:Made in|Model year): .*)$)")));
    EXPECT_EQ(QStringLiteral("%1 cm x %2 cm").arg(edid->widthCm).arg(edid->heightCm),
              decoded.field(QStringLiteral(R"(Maximum image size: (.*)$)")));
    EXPECT_EQ(QString::fromStdString(edid->name.value_or("")),
              decoded.field(QStringLiteral(R"(Display Product Name: '(.*)')")));
    EXPECT_EQ(QString::fromStdString(edid->serialText.value_or("")),
              decoded.field(QStringLiteral(R"(Display Product Serial Number: '(.*)')")));
    ASSERT_TRUE(edid->preferredMode);
    EXPECT_EQ(QStringLiteral("%1x%2").arg(edid->preferredMode->width).arg(edid->preferredMode->height),
              decoded.field(QStringLiteral(R"(DTD 1:\s+(\d+x\d+))")));
    const double hertz = decoded.field(QStringLiteral(R"(DTD 1:\s+\d+x\d+\s+([\d.]+) Hz)")).toDouble();
    EXPECT_NEAR(edid->preferredMode->refreshMilliHertz, hertz * 1000, 0.5);
    EXPECT_EQ(edid->extensionCount + 1, edid->blocksRead);
    EXPECT_EQ(int(edid->badChecksumBlocks.size()), decoded.wrongChecksums());
}

INSTANTIATE_TEST_SUITE_P(
    Monitors, EdidAgainstDecoder,
    testing::Values(Block{"LaptopPanel", [] { return qv::test::edidBytes(qv::test::laptopPanel()); }},
                    Block{"ExternalMonitor", [] { return qv::test::edidBytes(qv::test::externalMonitor()); }},
                    Block{"TelevisionWithExtension",
                          [] { return qv::test::edidBytes(qv::test::television()); }},
                    Block{"BaseBlockChecksumWrong",
                          [] { return damaged(qv::test::edidBytes(qv::test::externalMonitor()), 127); }},
                    Block{"ExtensionChecksumWrong",
                          [] { return damaged(qv::test::edidBytes(qv::test::television()), 200); }}),
    qv::test::RowName());

TEST(Edid, NamesTheBlocksWhoseChecksumIsWrong)
{
    const auto edid = parseEdid(damaged(qv::test::edidBytes(qv::test::television()), 200));
    ASSERT_TRUE(edid);
    EXPECT_EQ(edid->badChecksumBlocks, std::vector<int>{1});
}

TEST(Edid, ReadsTheBlocksPresentWhenExtensionsAreMissing)
{
    const std::string full = qv::test::edidBytes(qv::test::television());
    const auto edid = parseEdid(full.substr(0, 128));
    ASSERT_TRUE(edid);
    EXPECT_EQ(edid->extensionCount, 1);
    EXPECT_EQ(edid->blocksRead, 1);
    EXPECT_FALSE(parseEdid(full.substr(0, 127)));
    EXPECT_FALSE(parseEdid(std::string(128, '\0')));
}

} // namespace
