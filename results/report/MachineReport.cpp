#include "results/report/MachineReport.h"

#include "results/report/BoardOutput.h"
#include "results/report/DrivesOutput.h"
#include "results/report/FigureText.h"
#include "results/report/MemoryOutput.h"
#include "results/report/PeripheralOutput.h"

#include <QString>

#include <algorithm>
#include <sstream>

namespace qv::cli {

using results::JsonArray;
using results::JsonObject;
using results::JsonValue;

namespace {

JsonObject networkJson(const NetworkFacts& network)
{
    return JsonObject()
        .add("LocalHostName", network.localHostName)
        .add("LocalIPList", results::textArray(network.localIPList))
        .add("PingMechanism", results::orNull(network.pingMechanism))
        .add("NameServers", results::textArray(network.nameServers));
}

std::string quotedText(const std::string& text)
{
    return plainText(QString::fromStdString(text));
}

// Name and value lines in two columns, as the report's other sections print them.
std::string nameValueLines(const std::vector<std::pair<std::string, std::vector<std::string>>>& lines)
{
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.first.size());
    std::string text;
    for (const auto& [name, values] : lines) {
        for (std::size_t i = 0; i < std::max<std::size_t>(values.size(), 1); ++i) {
            std::string shownName = i == 0 ? name : std::string();
            shownName.resize(width, ' ');
            text += shownName + "  " + (values.empty() ? std::string("none") : visibleText(values[i])) + '\n';
        }
    }
    return text;
}

// The hardware sections as "info" prints them for people, titled; the applications as counts unless
// every package is asked for.
std::vector<std::pair<std::string, std::string>> hardwareTexts(const MachineFacts& facts,
                                                               bool allApplications)
{
    std::ostringstream memory;
    std::ostringstream drives;
    std::ostringstream board;
    std::ostringstream video;
    std::ostringstream network;
    std::ostringstream applications;
    writeMemoryText(memory, facts.memory);
    writeDrivesText(drives, facts.drives);
    writeBoardText(board, facts.board);
    writeVideoText(video, facts.video);
    writeNetworkInfoText(network, facts.network);
    writeAppsText(applications, facts.applications, allApplications);
    return {{"Memory", memory.str()},
            {"Drives", drives.str()},
            {"Board", board.str()},
            {"Video", video.str()},
            {"NetworkInterfaces", network.str()},
            {"Applications", applications.str()}};
}

// ---- HTML ------------------------------------------------------------------------------------------

// Markup characters as entities; control characters and bytes that are not UTF-8 as U+FFFD.
std::string escaped(std::string_view text)
{
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QString out;
    out.reserve(decoded.size());
    for (const QChar c : decoded) {
        const char16_t code = c.unicode();
        if (code == u'&')
            out += u"&amp;";
        else if (code == u'<')
            out += u"&lt;";
        else if (code == u'>')
            out += u"&gt;";
        else if (code == u'"')
            out += u"&quot;";
        else if (code == u'\'')
            out += u"&#39;";
        else if ((code < 0x20 && code != u'\t' && code != u'\n') || (code >= 0x7F && code < 0xA0))
            out += QChar(0xFFFD);
        else
            out += c;
    }
    return out.toStdString();
}

std::string htmlValue(const Value& value)
{
    if (std::holds_alternative<std::monostate>(value))
        return "<span class=\"none\">none</span>";
    if (const QString* text = std::get_if<QString>(&value))
        return escaped(text->toStdString());
    return escaped(plainText(value));
}

bool onlyFlags(const std::vector<Field>& fields)
{
    return std::all_of(fields.begin(), fields.end(),
                       [](const Field& field) { return std::holds_alternative<bool>(field.value); });
}

// A group of flags (the processor's features) as two lines of names rather than one row per flag.
void flagRows(std::ostringstream& html, const std::vector<Field>& flags)
{
    for (const bool wanted : {true, false}) {
        std::string names;
        for (const Field& field : flags) {
            if (std::get<bool>(field.value) == wanted)
                names += (names.empty() ? "" : " ") + escaped(field.name);
        }
        html << "<tr><th class=\"member\">" << (wanted ? "present" : "absent") << "</th><td class=\""
             << (wanted ? "flags" : "flags none") << "\">" << (names.empty() ? std::string("none") : names)
             << "</td></tr>\n";
    }
}

void htmlSection(std::ostringstream& html, std::string_view title, const Report& report)
{
    html << "<h2>" << title << "</h2>\n<table>\n";
    for (const Entry& entry : report) {
        if (entry.members.empty()) {
            html << "<tr><th>" << escaped(entry.name) << "</th><td>" << htmlValue(entry.value)
                 << "</td></tr>\n";
            continue;
        }
        html << "<tr class=\"group\"><th colspan=\"2\">" << escaped(entry.name) << "</th></tr>\n";
        if (onlyFlags(entry.members)) {
            flagRows(html, entry.members);
            continue;
        }
        for (const Field& field : entry.members)
            html << "<tr><th class=\"member\">" << escaped(field.name) << "</th><td>"
                 << htmlValue(field.value) << "</td></tr>\n";
    }
    html << "</table>\n";
}

std::string htmlList(const std::vector<std::string>& texts)
{
    if (texts.empty())
        return "<span class=\"none\">none</span>";
    std::string list;
    for (const std::string& text : texts)
        list += (list.empty() ? "" : "<br/>") + escaped(text);
    return list;
}

// A recorded condition for people: unknown for null, texts without their quotes, lists with blanks.
std::string shownCondition(const JsonValue& value)
{
    const std::string& text = value.text();
    if (text == "null")
        return "<span class=\"none\">unknown</span>";
    if (text.size() >= 2 && text.front() == '"')
        return escaped(text.substr(1, text.size() - 2));
    std::string spaced;
    for (const char c : text)
        spaced += c == ',' ? std::string(", ") : std::string(1, c);
    return escaped(spaced);
}

// A section given as lines of text: one row per line, indentation kept.
void htmlLines(std::ostringstream& html, std::string_view title, std::string_view lines)
{
    html << "<h2>" << title << "</h2>\n<table>\n";
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        html << "<tr><td>" << escaped(lines.substr(0, end)) << "</td></tr>\n";
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
    html << "</table>\n";
}

void htmlBenchmark(std::ostringstream& html, const results::SavedResult& result)
{
    html << "<h3>" << escaped(std::string(benchmarkName(result.benchmark)))
         << " benchmark</h3>\n<table>\n<tr><th></th>";
    for (const results::Figure& figure : result.summary)
        html << "<th class=\"number\">" << escaped(figure.name) << "</th>";
    html << "</tr>\n";
    const auto figuresRow = [&](const std::string& label, const results::Figures& figures) {
        html << "<tr><th>" << escaped(label) << "</th>";
        for (const results::Figure& figure : figures)
            html << "<td class=\"number\">" << escaped(figureText(figure.value)) << "</td>";
        html << "</tr>\n";
    };
    for (std::size_t i = 0; i < result.runs.size(); ++i)
        figuresRow("Run " + std::to_string(i + 1), result.runs[i].figures);
    if (result.runs.size() > 1)
        figuresRow("Median", result.summary);
    html << "</table>\n<table>\n";
    for (const results::ConditionMember& member : results::conditionMembers(result.runs.back().conditions))
        html << "<tr><th>" << escaped(member.key) << "</th><td>" << shownCondition(member.value)
             << "</td></tr>\n";
    html << "</table>\n";
}

constexpr std::string_view kStyle = R"(body { font-family: sans-serif; font-size: 14px; color: #202020;
  background: #ffffff; margin: 24px auto; max-width: 960px; }
h1 { font-size: 22px; border-bottom: 2px solid #a44b1e; padding-bottom: 4px; }
h2 { font-size: 17px; color: #a44b1e; margin-top: 28px; }
h3 { font-size: 15px; }
table { border-collapse: collapse; margin: 8px 0; }
th, td { text-align: left; vertical-align: top; padding: 3px 10px; border-bottom: 1px solid #e0e0e0; }
th { font-weight: 600; white-space: nowrap; }
td { white-space: pre-wrap; font-family: monospace; }
td.flags { white-space: normal; max-width: 640px; word-spacing: 6px; }
th.member { font-weight: normal; padding-left: 24px; }
tr.group th { background: #f0f0f0; }
.number { text-align: right; }
.none { color: #909090; font-style: italic; }
.warning { color: #a40000; }
p.meta { color: #606060; })";

} // namespace

std::string reportJsonText(const MachineReport& report)
{
    JsonArray benchmarks;
    for (const results::SavedResult& result : report.benchmarks)
        benchmarks.add(results::savedResultJson(result));
    return results::indentedJson(JsonObject()
                                     .add("Schema", results::kReportSchema)
                                     .add("SchemaVersion", results::kReportSchemaVersion)
                                     .add("Program", report.program)
                                     .add("Created", report.created)
                                     .add("Processor", reportJson(report.processor))
                                     .add("System", reportJson(report.system))
                                     .add("Network", networkJson(report.network))
                                     .add("Memory", memoryJson(report.hardware.memory))
                                     .add("Drives", drivesJson(report.hardware.drives))
                                     .add("Board", boardJson(report.hardware.board))
                                     .add("Video", videoJson(report.hardware.video))
                                     .add("NetworkInterfaces", networkInfoJson(report.hardware.network))
                                     .add("Applications", appsJson(report.hardware.applications))
                                     .add("Benchmarks", benchmarks)
                                     .add("Warnings", results::textArray(report.warnings)));
}

std::string reportPlainText(const MachineReport& report)
{
    std::ostringstream text;
    text << report.program << " report, created " << report.created << "\n\n[Processor]\n";
    writeReport(text, report.processor, false);
    text << "\n[System]\n";
    writeReport(text, report.system, false);
    const NetworkFacts& network = report.network;
    text << "\n[Network]\n"
         << nameValueLines({{"LocalHostName", {quotedText(network.localHostName)}},
                            {"LocalIPList", network.localIPList},
                            {"PingMechanism", {network.pingMechanism.value_or("none")}},
                            {"NameServers", network.nameServers}});
    for (const auto& [title, lines] : hardwareTexts(report.hardware, report.allApplications))
        text << "\n[" << title << "]\n" << lines;
    for (const results::SavedResult& result : report.benchmarks) {
        text << "\n[Benchmark " << benchmarkName(result.benchmark) << "]\n";
        for (std::size_t i = 0; i < result.runs.size(); ++i)
            text << plainFiguresLine("Run " + std::to_string(i + 1), result.runs[i].figures);
    }
    text << "\n[Warnings]\n";
    if (report.warnings.empty())
        text << "none\n";
    for (const std::string& warning : report.warnings)
        text << visibleText(warning) << '\n';
    return text.str();
}

std::string reportHtml(const MachineReport& report)
{
    std::ostringstream html;
    const std::string host = escaped(report.network.localHostName);
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" << host
         << " \xE2\x80\x94 machine report</title>\n<style>\n"
         << kStyle << "\n</style>\n</head>\n<body>\n<h1>Machine report \xE2\x80\x94 " << host
         << "</h1>\n<p class=\"meta\">" << escaped(report.program) << ", " << escaped(report.created)
         << "</p>\n";
    htmlSection(html, "Processor", report.processor);
    htmlSection(html, "System", report.system);
    const NetworkFacts& network = report.network;
    html << "<h2>Network</h2>\n<table>\n"
         << "<tr><th>LocalHostName</th><td>" << escaped(network.localHostName) << "</td></tr>\n"
         << "<tr><th>LocalIPList</th><td>" << htmlList(network.localIPList) << "</td></tr>\n"
         << "<tr><th>PingMechanism</th><td>"
         << (network.pingMechanism ? escaped(*network.pingMechanism) : htmlList({})) << "</td></tr>\n"
         << "<tr><th>NameServers</th><td>" << htmlList(network.nameServers) << "</td></tr>\n</table>\n";
    for (const auto& [title, lines] : hardwareTexts(report.hardware, report.allApplications))
        htmlLines(html, title, lines);
    if (!report.benchmarks.empty()) {
        html << "<h2>Benchmarks</h2>\n";
        for (const results::SavedResult& result : report.benchmarks)
            htmlBenchmark(html, result);
    }
    html << "<h2>Warnings</h2>\n";
    if (report.warnings.empty())
        html << "<p><span class=\"none\">none</span></p>\n";
    for (const std::string& warning : report.warnings)
        html << "<p class=\"warning\">" << escaped(warning) << "</p>\n";
    html << "</body>\n</html>\n";
    return html.str();
}

} // namespace qv::cli
