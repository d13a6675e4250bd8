#include "tools/cli/Report.h"

#include "results/JsonWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>

namespace qv::cli {

using results::JsonObject;
using results::JsonValue;
using results::writeJsonLine;

namespace {

std::string shortestText(float value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

JsonValue jsonValue(const Value& value)
{
    return std::visit(
        [](const auto& v) -> JsonValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return JsonValue(nullptr);
            else if constexpr (std::is_same_v<T, QString>)
                return JsonValue(v.toStdString());
            else if constexpr (std::is_same_v<T, float>)
                // The float's own shortest digits, not those of its widened double.
                return JsonValue(std::stod(shortestText(v)));
            else
                return JsonValue(v);
        },
        value);
}

} // namespace

std::string plainText(const Value& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return "null";
            } else if constexpr (std::is_same_v<T, QString>) {
                std::string shown = "\"";
                for (const char c : v.toStdString())
                    shown += c == '\0' ? std::string("\\0") : std::string(1, c);
                return shown + '"';
            } else if constexpr (std::is_same_v<T, float>) {
                return shortestText(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "true" : "false";
            } else {
                return std::to_string(v);
            }
        },
        value);
}

JsonObject reportJson(const Report& report)
{
    JsonObject object;
    for (const Entry& entry : report) {
        if (entry.members.empty()) {
            object.add(entry.name, jsonValue(entry.value));
            continue;
        }
        JsonObject members;
        for (const Field& field : entry.members)
            members.add(field.name, jsonValue(field.value));
        object.add(entry.name, members);
    }
    return object;
}

namespace {

void writeText(std::ostream& out, const Report& report)
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const Entry& entry : report) {
        if (entry.members.empty())
            lines.emplace_back(entry.name, plainText(entry.value));
        for (const Field& field : entry.members)
            lines.emplace_back(entry.name + '.' + field.name, plainText(field.value));
    }
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.first.size());
    for (auto& [name, value] : lines) {
        name.resize(width, ' ');
        out << name << "  " << value << '\n';
    }
}

} // namespace

Entry group(std::string name, std::vector<Field> members)
{
    return {std::move(name), std::move(members), {}};
}

Entry single(std::string name, Value value)
{
    return {std::move(name), {}, std::move(value)};
}

void writeReport(std::ostream& out, const Report& report, bool json)
{
    if (json)
        writeJsonLine(out, reportJson(report));
    else
        writeText(out, report);
}

} // namespace qv::cli
