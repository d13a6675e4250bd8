#include "tools/cli/Cli.h"
#include "libs/qvconsl/qvconsl.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/StandardCommands.h"
#include "tools/cli/TipsCommand.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using qv::cli::CommandRegistry;
using qv::cli::Subcommand;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const CommandRegistry& registry, std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = qv::cli::runCli(registry, args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

// Stand-in commands that record how they were called, next to the real tips command.
class CliDispatch : public testing::Test {
protected:
    CliDispatch()
    {
        registry.add({"echo", "Print the arguments", "Usage: quorvex-cli echo [ARG...]\n",
                      [this](std::span<const std::string> args, std::ostream& out, std::ostream&) {
                          received.assign(args.begin(), args.end());
                          for (const std::string& arg : args)
                              out << arg << '\n';
                          return 0;
                      }});
        registry.add({"count", "Parse a number", "Usage: quorvex-cli count [--repeat N]\n",
                      [](std::span<const std::string> args, std::ostream& out, std::ostream&) {
                          qv::cli::ArgParser parser;
                          parser.integerOption("--repeat", "N", 1, 10, "");
                          out << parser.parse(args).integer("--repeat").value_or(1) << '\n';
                          return 0;
                      }});
        registry.add({"broken", "Always fails", "Usage: quorvex-cli broken\n",
                      [](std::span<const std::string>, std::ostream&, std::ostream&) -> int {
                          throw std::runtime_error("cannot read the dump");
                      }});
        registry.add(qv::cli::tipsCommand());
    }

    CommandRegistry registry;
    std::vector<std::string> received;
};

// The general help as a person reads it and as the manual page's builder (packaging/cli-commands.sh)
// picks the commands out of it: "  name  summary" lines, the summaries in one column.
TEST_F(CliDispatch, HelpListsEverySubcommandWithItsSummary)
{
    const std::regex commandLine("  ([a-z][a-z-]*)  +(\\S.*)");
    for (const char* helpArg : {"--help", "-h", "help"}) {
        SCOPED_TRACE(helpArg);
        const Result result = run(registry, {helpArg});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(result.err.empty());
        const std::vector<std::string> printed = lines(result.out);
        ASSERT_GE(printed.size(), 2u);
        EXPECT_EQ(printed[0], "Usage: quorvex-cli <command> [options]");
        EXPECT_NE(printed[1].find("quorvex-cli --help | --version"), std::string::npos) << printed[1];

        std::vector<std::string> names;
        std::vector<std::string> summaries;
        std::set<std::ptrdiff_t> summaryColumns;
        for (const std::string& line : printed) {
            std::smatch match;
            if (std::regex_match(line, match, commandLine)) {
                names.push_back(match[1]);
                summaries.push_back(match[2]);
                summaryColumns.insert(match.position(2));
            }
        }
        EXPECT_EQ(names, (std::vector<std::string>{"echo", "count", "broken", "tips", "help"}));
        EXPECT_EQ(summaries, (std::vector<std::string>{"Print the arguments", "Parse a number",
                                                       "Always fails", qv::cli::tipsCommand().summary,
                                                       "Show this help, or the help of one command"}));
        EXPECT_EQ(summaryColumns.size(), 1u) << "summaries start in one column";
        EXPECT_EQ(printed.back(), "Run 'quorvex-cli <command> --help' for the options of a command.");
    }
}

// The version the package's change log gives, which is kept apart from the build's.
TEST_F(CliDispatch, VersionPrintsThePackagedVersion)
{
    const Result result = run(registry, {"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "quorvex-cli " + qv::test::packagedVersion().toStdString() + '\n');
}

TEST_F(CliDispatch, ForwardsTheArgumentsAfterTheSubcommandName)
{
    const Result result = run(registry, {"echo", "a b", "-", "42"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(received, (std::vector<std::string>{"a b", "-", "42"}));
    EXPECT_EQ(result.out, "a b\n-\n42\n");
}

TEST_F(CliDispatch, SubcommandHelpShowsItsUsageWithoutRunningIt)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"echo", "--help"},
                                                 {"echo", "x", "-h"},
                                                 {"help", "echo"},
                                                 {"--help", "echo"}}) {
        received = {"not run"};
        const Result result = run(registry, args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "Usage: quorvex-cli echo [ARG...]\n");
        EXPECT_EQ(received, std::vector<std::string>{"not run"});
    }
}

TEST_F(CliDispatch, HelpAfterDoubleDashIsAnArgument)
{
    const Result result = run(registry, {"echo", "--", "--help"});
    EXPECT_EQ(received, (std::vector<std::string>{"--", "--help"}));
    EXPECT_EQ(result.status, 0);
}

struct UsageErrorCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;   // first line on stderr
    std::string usageLine; // where the usage that follows starts
};

class CliUsageErrors : public CliDispatch, public testing::WithParamInterface<UsageErrorCase> {};

TEST_P(CliUsageErrors, PrintMessageAndUsageOnStandardErrorAndExitWithTwo)
{
    const Result result = run(registry, GetParam().args);
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.out.empty());
    EXPECT_EQ(firstLine(result.err), GetParam().message);
    EXPECT_NE(result.err.find('\n' + GetParam().usageLine), std::string::npos) << result.err;
}

constexpr const char* kGeneralUsage = "Usage: quorvex-cli <command> [options]";

INSTANTIATE_TEST_SUITE_P(
    Mistakes, CliUsageErrors,
    testing::Values(
        UsageErrorCase{"NoCommand", {}, "quorvex-cli: missing command", kGeneralUsage},
        UsageErrorCase{
            "UnknownCommand", {"frobnicate"}, "quorvex-cli: unknown command 'frobnicate'", kGeneralUsage},
        UsageErrorCase{
            "UnknownGlobalOption", {"--verbose"}, "quorvex-cli: unknown option '--verbose'", kGeneralUsage},
        UsageErrorCase{
            "VersionWithArgument", {"--version", "x"}, "quorvex-cli: unexpected argument 'x'", kGeneralUsage},
        UsageErrorCase{"HelpForUnknownCommand",
                       {"help", "nope"},
                       "quorvex-cli help: unknown command 'nope'",
                       kGeneralUsage},
        UsageErrorCase{"UnknownSubcommandOption",
                       {"count", "--fast"},
                       "quorvex-cli count: unknown option '--fast'",
                       "Usage: quorvex-cli count"},
        UsageErrorCase{"MissingValue",
                       {"count", "--repeat"},
                       "quorvex-cli count: option '--repeat' needs a value N",
                       "Usage: quorvex-cli count"},
        UsageErrorCase{"BadNumber",
                       {"count", "--repeat", "many"},
                       "quorvex-cli count: option '--repeat' expects a whole number, got 'many'",
                       "Usage: quorvex-cli count"},
        UsageErrorCase{"NumberOutOfRange",
                       {"count", "--repeat", "11"},
                       "quorvex-cli count: option '--repeat' must be between 1 and 10, got 11",
                       "Usage: quorvex-cli count"},
        UsageErrorCase{"TipsWithUnknownOption",
                       {"tips", "--xml"},
                       "quorvex-cli tips: unknown option '--xml'",
                       "Usage: quorvex-cli tips"},
        UsageErrorCase{"TipsWithArgument",
                       {"tips", "3"},
                       "quorvex-cli tips: unexpected argument '3'",
                       "Usage: quorvex-cli tips"}),
    qv::test::RowName());

TEST_F(CliDispatch, AFailingCommandExitsWithOneAndSaysWhy)
{
    const Result result = run(registry, {"broken"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "quorvex-cli broken: cannot read the dump\n");
}

// Stream buffers that lose the output as a full disk does: one refuses every character, the other
// takes them and fails when flushed.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

class FailingFlushBuffer : public std::stringbuf {
protected:
    int sync() override { return -1; }
};

TEST_F(CliDispatch, OutputThatCannotBeWrittenTurnsSuccessIntoFailure)
{
    RefusingBuffer refusing;
    FailingFlushBuffer failingFlush;
    const std::vector<std::vector<std::string>> commands = {{"echo", "a"}, {"--version"}, {"help"}};
    for (std::streambuf* buffer : std::initializer_list<std::streambuf*>{&refusing, &failingFlush}) {
        for (const std::vector<std::string>& args : commands) {
            std::ostream out(buffer);
            std::ostringstream err;
            EXPECT_EQ(qv::cli::runCli(registry, args, out, err), 1) << args.front();
            EXPECT_EQ(err.str(), "quorvex-cli: cannot write to standard output\n") << args.front();
        }
    }
}

TEST(CliProgram, StandardOutputOnAFullDeviceIsAFailure)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    const QList<QStringList> commands = {{QStringLiteral("--version")},
                                         {QStringLiteral("tips"), QStringLiteral("--json")},
                                         {QStringLiteral("cpu"), QStringLiteral("--no-clock")}};
    for (const QStringList& args : commands) {
        QProcess program;
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
        program.start(QStringLiteral(QV_CLI_PROGRAM), args);
        ASSERT_TRUE(program.waitForFinished(60000)) << args.join(' ').toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(program.readAllStandardError().startsWith("quorvex-cli: cannot write to standard output"))
            << args.join(' ').toStdString();
    }
}

TEST(CommandRegistry, RefusesDuplicateOrReservedNames)
{
    CommandRegistry registry;
    const auto noop = [](std::span<const std::string>, std::ostream&, std::ostream&) { return 0; };
    registry.add({"cpu", "", "", noop});
    EXPECT_THROW(registry.add({"cpu", "", "", noop}), std::logic_error);
    EXPECT_THROW(registry.add({"help", "", "", noop}), std::logic_error);
    EXPECT_THROW(registry.add({"--cpu", "", "", noop}), std::logic_error);
    EXPECT_THROW(registry.add({"", "", "", noop}), std::logic_error);
    EXPECT_EQ(registry.commands().size(), 1u);
}

// The real tool: the tips subcommand reads the tip library.
class TipsCommand : public testing::Test {
protected:
    static std::string tip(std::int32_t number)
    {
        std::string text;
        GetConseil(number, text);
        return text;
    }

    CommandRegistry registry = qv::cli::standardCommands();
};

// The commands and options the README documents for scripts. Options may be added, never taken away: each
// documented one stays on an option line of its command's help.
TEST_F(TipsCommand, EveryDocumentedCommandAndOptionIsInTheHelp)
{
    const std::map<std::string, std::vector<std::string>> documented = {
        {"tips", {"--json"}},
        {"cpu", {"--json", "--cpuid-dump FILE", "--record-cpuid FILE"}},
        {"bench", {"--repeat N", "--json", "--save FILE", "--compare FILE"}},
        {"report", {"--format", "--output FILE", "--bench"}},
        {"sys", {"--json"}},
        {"ping", {"--size", "--ttl", "--timeout", "--mechanism", "--json"}},
        {"lookup", {"--reverse"}},
        {"localip", {}},
        {"smb", {}},
    };
    const std::string general = run(registry, {"--help"}).out;
    for (const auto& [command, options] : documented) {
        SCOPED_TRACE(command);
        EXPECT_NE(general.find("\n  " + command + "  "), std::string::npos) << general;
        const Result help = run(registry, {"help", command});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.starts_with("Usage: quorvex-cli " + command)) << help.out;
        for (const std::string& option : options)
            EXPECT_NE(help.out.find("\n  " + option + ' '), std::string::npos) << option << '\n' << help.out;
    }
}

TEST_F(TipsCommand, PrintsEveryTipAsNumberColonText)
{
    const Result result = run(registry, {"tips"});
    ASSERT_EQ(result.status, 0);
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), static_cast<std::size_t>(GetNbConseil()));
    for (std::int32_t number = 1; number <= GetNbConseil(); ++number)
        EXPECT_EQ(printed[number - 1], std::to_string(number) + ": " + tip(number));
}

TEST_F(TipsCommand, JsonLinesParseBackToNumberAndText)
{
    const Result result = run(registry, {"tips", "--json"});
    ASSERT_EQ(result.status, 0);
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), static_cast<std::size_t>(GetNbConseil()));
    for (std::int32_t number = 1; number <= GetNbConseil(); ++number) {
        const std::string& line = printed[number - 1];
        SCOPED_TRACE(line);
        EXPECT_TRUE(line.starts_with("{\"Number\":" + std::to_string(number) + ",\"Text\":"));
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject object = document.object();
        EXPECT_EQ(object.size(), 2);
        EXPECT_EQ(object.value(QStringLiteral("Number")).toInt(), number);
        EXPECT_EQ(object.value(QStringLiteral("Text")).toString(), QString::fromStdString(tip(number)));
    }
}

} // namespace
