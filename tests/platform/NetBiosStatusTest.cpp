#include "platform/NetBiosStatus.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qv::platform::netbios;

namespace {

struct Name {
    QByteArray name; // padded to 15 bytes with blanks
    std::uint8_t suffix;
    std::uint16_t flags;
};

constexpr std::uint16_t kGroup = 0x8000;
constexpr std::uint16_t kUnique = 0x0000;

void appendWord(QByteArray& data, std::uint16_t value)
{
    data.append(char(value >> 8)).append(char(value & 0xFF));
}

// A node-status response as a name server sends it: header, the question's name, the record's type,
// class, TTL and data length, then the name table and the statistics.
QByteArray response(std::uint16_t id, const QList<Name>& names, std::uint16_t flags = 0x8400)
{
    QByteArray answer;
    for (const std::uint16_t value :
         {id, flags, std::uint16_t(0), std::uint16_t(1), std::uint16_t(0), std::uint16_t(0)})
        appendWord(answer, value);
    answer.append(char(32)).append("CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA").append('\0');
    appendWord(answer, 0x21);
    appendWord(answer, 1);
    answer.append(4, '\0');
    QByteArray data(1, char(names.size()));
    for (const Name& name : names) {
        data.append(name.name.leftJustified(15, ' ')).append(char(name.suffix));
        appendWord(data, name.flags);
    }
    data.append(46, '\0'); // unit id and statistics
    appendWord(answer, std::uint16_t(data.size()));
    return answer + data;
}

} // namespace

TEST(NetBiosStatus, RequestAsksForTheWildcardNodeStatus)
{
    // Id, a query with one question; "*" and 15 NULs encoded; node status, internet class.
    const QByteArray expected = QByteArray::fromHex("beef00000001000000000000") + char(32) + "CK" +
                                QByteArray(30, 'A') + QByteArray::fromHex("0000210001");
    const QByteArray request = nodeStatusRequest(0xBEEF);
    EXPECT_EQ(request.size(), 50);
    EXPECT_EQ(request.toHex().toStdString(), expected.toHex().toStdString());
}

TEST(NetBiosStatus, OnlyTheResponseToOurRequestAnswers)
{
    EXPECT_TRUE(answers(response(0x1234, {}), 0x1234));
    EXPECT_FALSE(answers(response(0x1235, {}), 0x1234));
    EXPECT_FALSE(answers(nodeStatusRequest(0x1234), 0x1234)) << "a request, not a response";
    EXPECT_FALSE(answers(QByteArray::fromHex("1234"), 0x1234));
}

TEST(NetBiosStatus, WorkgroupIsTheLastGroupNameOfSuffix1E)
{
    const QList<Name> table{{"HOST", 0x00, kUnique},    {"FIRST GROUP", 0x1E, kGroup},
                            {"HOST", 0x20, kUnique},    {"NOT A GROUP", 0x1E, kUnique},
                            {"MY GROUP", 0x1E, kGroup}, {"MY GROUP", 0x00, kGroup}};
    EXPECT_EQ(workgroupIn(response(1, table)), QStringLiteral("MY GROUP")) << "inner blanks stay";
}

TEST(NetBiosStatus, NoWorkgroupInErrorsOrMalformedAnswers)
{
    EXPECT_EQ(workgroupIn(response(1, {{"HOST", 0x20, kUnique}, {"GROUP", 0x00, kGroup}})), std::nullopt);
    EXPECT_EQ(workgroupIn(response(1, {{"GROUP", 0x1E, kGroup}}, 0x8403)), std::nullopt) << "name error";
    const QByteArray whole = response(1, {{"HOST", 0x20, kUnique}, {"GROUP", 0x1E, kGroup}});
    const qsizetype tableEnd = whole.size() - 46;
    EXPECT_EQ(workgroupIn(whole.left(tableEnd)), QStringLiteral("GROUP"));
    for (const qsizetype size : {qsizetype(0), qsizetype(12), qsizetype(40), tableEnd - 1})
        EXPECT_EQ(workgroupIn(whole.left(size)), std::nullopt) << "cut at " << size;
}
