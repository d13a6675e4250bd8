#include "tools/cli/TipsCommand.h"

#include "libs/qvconsl/qvconsl.h"
#include "results/JsonWriter.h"
#include "tools/cli/ArgParser.h"

#include <ostream>

namespace qv::cli {

using results::JsonObject;
using results::writeJsonLine;

namespace {

constexpr std::string_view kSummary = "List the tips of the day shown by the program";

ArgParser tipsArguments()
{
    ArgParser parser;
    parser.flag("--json", "one JSON object per tip: {\"Number\":1,\"Text\":\"...\"}");
    return parser;
}

int runTips(std::span<const std::string> args, std::ostream& out, std::ostream& /*err*/)
{
    const bool json = tipsArguments().parse(args).has("--json");
    const std::int32_t count = GetNbConseil();
    for (std::int32_t number = 1; number <= count; ++number) {
        std::string text;
        GetConseil(number, text);
        if (json)
            writeJsonLine(out, JsonObject().add("Number", number).add("Text", text));
        else
            out << number << ": " << text << '\n';
    }
    return 0;
}

} // namespace

Subcommand tipsCommand()
{
    return {"tips", std::string(kSummary), tipsArguments().usage("tips", kSummary), runTips};
}

} // namespace qv::cli
