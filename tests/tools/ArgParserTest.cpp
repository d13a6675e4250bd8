#include "tools/cli/ArgParser.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qv::cli::ArgParser;
using qv::cli::ParsedArgs;
using qv::cli::UsageError;

// The options the benchmark and processor commands are going to need.
ArgParser benchParser()
{
    ArgParser parser;
    parser.flag("--json", "JSON output")
        .flag("--no-clock", "skip the clock measurement")
        .option("--cpuid-dump", "FILE", "replay a recorded CPUID dump")
        .integerOption("--repeat", "N", 1, 100, "run N times")
        .integerOption("--offset", "K", -10, 10, "signed value")
        .positionals("cpu|mem", 0, 1);
    return parser;
}

ParsedArgs parse(std::vector<std::string> args)
{
    return benchParser().parse(args);
}

TEST(ArgParser, NothingGivenMeansNothingSet)
{
    const ParsedArgs parsed = parse({});
    EXPECT_FALSE(parsed.has("--json"));
    EXPECT_FALSE(parsed.text("--cpuid-dump").has_value());
    EXPECT_FALSE(parsed.integer("--repeat").has_value());
    EXPECT_TRUE(parsed.positionals().empty());
}

TEST(ArgParser, ReadsFlagsOptionsAndPositionalsInAnyOrder)
{
    const ParsedArgs parsed =
        parse({"--repeat", "3", "cpu", "--json", "--cpuid-dump=dump.txt", "--offset", "-4"});
    EXPECT_TRUE(parsed.has("--json"));
    EXPECT_FALSE(parsed.has("--no-clock"));
    EXPECT_EQ(parsed.text("--cpuid-dump"), "dump.txt");
    EXPECT_EQ(parsed.integer("--repeat"), 3);
    EXPECT_EQ(parsed.integer("--offset"), -4);
    EXPECT_EQ(parsed.positionals(), std::vector<std::string>{"cpu"});
}

TEST(ArgParser, RangeLimitsAreInclusive)
{
    EXPECT_EQ(parse({"--repeat", "1"}).integer("--repeat"), 1);
    EXPECT_EQ(parse({"--repeat=100"}).integer("--repeat"), 100);
}

TEST(ArgParser, DoubleDashEndsTheOptions)
{
    const ParsedArgs parsed = parse({"--", "--json"});
    EXPECT_FALSE(parsed.has("--json"));
    EXPECT_EQ(parsed.positionals(), std::vector<std::string>{"--json"});
}

TEST(ArgParser, LoneDashIsAValueNotAnOption)
{
    EXPECT_EQ(parse({"--cpuid-dump", "-"}).text("--cpuid-dump"), "-");
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;
};

class ArgParserErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ArgParserErrors, ReportsTheMistakeInOneLine)
{
    try {
        parse(GetParam().args);
        FAIL() << "no UsageError";
    } catch (const UsageError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, ArgParserErrors,
    testing::Values(
        ErrorCase{"UnknownOption", {"--jsn"}, "unknown option '--jsn'"},
        ErrorCase{"UnknownShortOption", {"-x"}, "unknown option '-x'"},
        ErrorCase{"FlagGivenAValue", {"--json=yes"}, "option '--json' takes no value"},
        ErrorCase{"ValueMissingAtTheEnd", {"--repeat"}, "option '--repeat' needs a value N"},
        ErrorCase{"ValueMissingBeforeAnotherOption",
                  {"--cpuid-dump", "--json"},
                  "option '--cpuid-dump' needs a value FILE"},
        ErrorCase{"EmptyValueAfterEquals", {"--repeat="}, "option '--repeat' needs a value N"},
        ErrorCase{
            "WordForANumber", {"--repeat", "three"}, "option '--repeat' expects a whole number, got 'three'"},
        ErrorCase{
            "TrailingGarbage", {"--repeat", "3x"}, "option '--repeat' expects a whole number, got '3x'"},
        ErrorCase{"Fraction", {"--repeat", "1.5"}, "option '--repeat' expects a whole number, got '1.5'"},
        ErrorCase{
            "ExplicitPlusSign", {"--repeat", "+3"}, "option '--repeat' expects a whole number, got '+3'"},
        ErrorCase{"BelowTheRange", {"--repeat", "0"}, "option '--repeat' must be between 1 and 100, got 0"},
        ErrorCase{
            "AboveTheRange", {"--repeat", "101"}, "option '--repeat' must be between 1 and 100, got 101"},
        ErrorCase{"NegativeBelowTheRange",
                  {"--offset", "-11"},
                  "option '--offset' must be between -10 and 10, got -11"},
        ErrorCase{"BeyondSixtyFourBits",
                  {"--repeat", "99999999999999999999"},
                  "option '--repeat' must be between 1 and 100, got 99999999999999999999"},
        ErrorCase{"TooManyPositionals", {"cpu", "mem"}, "unexpected argument 'mem'"}),
    qv::test::RowName());

TEST(ArgParser, RequiredPositionalMissing)
{
    ArgParser parser;
    parser.positionals("cpu|mem", 1, 1);
    EXPECT_THROW(parser.parse(std::vector<std::string>{}), UsageError);
    EXPECT_EQ(parser.parse(std::vector<std::string>{"mem"}).positionals().front(), "mem");
}

TEST(ArgParser, UsageShowsSynopsisDescriptionAndAlignedOptions)
{
    ArgParser parser;
    parser.flag("--json", "JSON output")
        .integerOption("--repeat", "N", 1, 9, "run N times")
        .positionals("cpu|mem", 1, 1);
    EXPECT_EQ(parser.usage("bench", "Run a benchmark"),
              "Usage: quorvex-cli bench [--json] [--repeat N] cpu|mem\n"
              "Run a benchmark\n"
              "\n"
              "Options:\n"
              "  --json      JSON output\n"
              "  --repeat N  run N times\n");
}

} // namespace
