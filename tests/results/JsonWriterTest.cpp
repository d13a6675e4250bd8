#include "results/JsonWriter.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

namespace {

using qv::results::JsonArray;
using qv::results::JsonObject;
using qv::results::JsonValue;

std::string quotedJson(std::string_view value)
{
    std::string out;
    qv::results::appendJsonString(out, value);
    return out;
}

TEST(JsonWriter, KeysKeepTheOrderTheyWereAddedIn)
{
    const JsonObject object = JsonObject().add("Zeta", 1).add("Alpha", 2).add("Mu", 3);
    EXPECT_EQ(object.text(), R"({"Zeta":1,"Alpha":2,"Mu":3})");
}

TEST(JsonWriter, EmptyContainers)
{
    EXPECT_EQ(JsonObject().text(), "{}");
    EXPECT_EQ(JsonArray().text(), "[]");
}

TEST(JsonWriter, NestedObjectsAndArrays)
{
    const JsonObject cache = JsonObject().add("L1Data", 32).add("Level2", 512);
    const JsonArray rates = JsonArray().add(1.5).add(JsonArray().add(true).add(nullptr)).add(cache);
    const JsonObject record = JsonObject().add("Cache", cache).add("Rates", rates).add("Name", "x");
    EXPECT_EQ(
        record.text(),
        R"({"Cache":{"L1Data":32,"Level2":512},"Rates":[1.5,[true,null],{"L1Data":32,"Level2":512}],"Name":"x"})");
}

TEST(JsonWriter, LiteralsAndStringKinds)
{
    const std::string owned = "owned";
    const JsonObject object = JsonObject()
                                  .add("t", true)
                                  .add("f", false)
                                  .add("n", nullptr)
                                  .add("s", owned)
                                  .add("v", std::string_view("v"));
    EXPECT_EQ(object.text(), R"({"t":true,"f":false,"n":null,"s":"owned","v":"v"})");
}

TEST(JsonWriter, KeysAreEscapedLikeStrings)
{
    EXPECT_EQ(JsonObject().add("a\"b", 1).text(), R"({"a\"b":1})");
}

struct EscapeCase {
    const char* name;
    std::string input;
    std::string expected;
};

class JsonStringEscaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringEscaping, WritesOnlyWhatJsonRequiresEscaped)
{
    EXPECT_EQ(quotedJson(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, JsonStringEscaping,
    testing::Values(EscapeCase{"PlainText", "Your CPU", R"("Your CPU")"},
                    EscapeCase{"QuoteIsEscaped", "say \"hi\"", R"("say \"hi\"")"},
                    EscapeCase{"BackslashIsEscaped", "C:\\dir", R"("C:\\dir")"},
                    EscapeCase{"NewlineIsEscaped", "a\nb", R"("a\nb")"},
                    EscapeCase{"CarriageReturnIsEscaped", "a\rb", R"("a\rb")"},
                    EscapeCase{"TabIsEscaped", "a\tb", R"("a\tb")"},
                    EscapeCase{"BackspaceIsEscaped", "a\bb", R"("a\bb")"},
                    EscapeCase{"FormFeedIsEscaped", "a\fb", R"("a\fb")"},
                    EscapeCase{"OtherControlBecomesUnicodeEscape", "a\x01z\x1F", R"("a\u0001z\u001f")"},
                    EscapeCase{"NulIsKeptAsUnicodeEscape", std::string("a\0b", 3), R"("a\u0000b")"},
                    EscapeCase{"SlashStaysAsIs", "a/b", R"("a/b")"},
                    EscapeCase{"DeleteStaysAsIs", "a\x7F", "\"a\x7F\""},
                    EscapeCase{"AccentedLettersStayUtf8", "Mémoire", "\"Mémoire\""},
                    EscapeCase{"MicroSignStaysUtf8", "µs", "\"µs\""},
                    EscapeCase{"FourByteSequenceStays", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
                    EscapeCase{"StrayByteBecomesReplacement",
                               "a\xFF"
                               "b",
                               "\"a\xEF\xBF\xBD"
                               "b\""},
                    EscapeCase{"TruncatedSequenceBecomesReplacement", "a\xC3", "\"a\xEF\xBF\xBD\""},
                    EscapeCase{"OverlongFormBecomesReplacement", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                    EscapeCase{"SurrogateBecomesReplacement", "\xED\xA0\x80",
                               "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
                    EscapeCase{"EmptyString", "", R"("")"}),
    qv::test::RowName());

struct DoubleCase {
    const char* name;
    double value;
    std::string expected;
};

class JsonDoubles : public testing::TestWithParam<DoubleCase> {};

TEST_P(JsonDoubles, ShortestTextThatReadsBackToTheSameValue)
{
    const std::string text = JsonValue(GetParam().value).text();
    EXPECT_EQ(text, GetParam().expected);
    double back = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(result.ec, std::errc());
    EXPECT_EQ(result.ptr, text.data() + text.size());
    EXPECT_EQ(back, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, JsonDoubles,
    testing::Values(DoubleCase{"OneTenth", 0.1, "0.1"}, DoubleCase{"MemoryRate", 3333433.5, "3333433.5"},
                    DoubleCase{"TinyUsesExponent", 1e-7, "1e-07"},
                    DoubleCase{"DhrystoneRate", 524779.6, "524779.6"}, DoubleCase{"WholeNumber", 2.0, "2"},
                    DoubleCase{"Negative", -0.25, "-0.25"},
                    DoubleCase{"OneThird", 1.0 / 3.0, "0.3333333333333333"},
                    DoubleCase{"Largest", std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
                    DoubleCase{"SmallestSubnormal", std::numeric_limits<double>::denorm_min(), "5e-324"}),
    qv::test::RowName());

TEST(JsonWriter, NonFiniteDoublesBecomeNull)
{
    EXPECT_EQ(JsonValue(std::numeric_limits<double>::quiet_NaN()).text(), "null");
    EXPECT_EQ(JsonValue(std::numeric_limits<double>::infinity()).text(), "null");
    EXPECT_EQ(JsonValue(-std::numeric_limits<double>::infinity()).text(), "null");
}

TEST(JsonWriter, IntegersAreWrittenExactlyAtTheLimitsOfTheirTypes)
{
    EXPECT_EQ(JsonValue(std::numeric_limits<std::int32_t>::min()).text(), "-2147483648");
    EXPECT_EQ(JsonValue(std::numeric_limits<std::int64_t>::min()).text(), "-9223372036854775808");
    EXPECT_EQ(JsonValue(std::numeric_limits<std::int64_t>::max()).text(), "9223372036854775807");
    EXPECT_EQ(JsonValue(std::numeric_limits<std::uint64_t>::max()).text(), "18446744073709551615");
    EXPECT_EQ(JsonValue(std::uint32_t{4000000000u}).text(), "4000000000");
    EXPECT_EQ(JsonValue(0).text(), "0");
}

TEST(JsonWriter, WritesOneObjectPerLine)
{
    std::ostringstream out;
    qv::results::writeJsonLine(out, JsonObject().add("Text", "two\nlines"));
    qv::results::writeJsonLine(out, JsonObject().add("Number", 2));
    EXPECT_EQ(out.str(), "{\"Text\":\"two\\nlines\"}\n{\"Number\":2}\n");
}

TEST(JsonWriter, IndentedFormPutsMembersOnLinesAndKeepsPlainArraysTogether)
{
    const JsonObject object = JsonObject()
                                  .add("Name", "a, {b}: [c]")
                                  .add("Load", JsonArray().add(1).add(2.5))
                                  .add("Runs", JsonArray().add(JsonObject().add("Run", 1)))
                                  .add("Empty", JsonObject())
                                  .add("None", JsonArray());
    EXPECT_EQ(qv::results::indentedJson(object), R"({
  "Name": "a, {b}: [c]",
  "Load": [1, 2.5],
  "Runs": [
    {
      "Run": 1
    }
  ],
  "Empty": {},
  "None": []
}
)");
}

} // namespace
