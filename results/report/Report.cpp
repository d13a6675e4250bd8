#include "results/report/Report.h"

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

std::string hexEscape(std::string_view prefix, unsigned value, int digits)
{
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(prefix);
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
    return text;
}

} // namespace

std::string visibleText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (byte == 0) {
            shown += "\\0";
        } else if (byte < 0x20 || byte == 0x7F) {
            shown += hexEscape("\\x", byte, 2);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080 to U+009F in UTF-8: terminals take some of them as escape sequences too.
            shown += hexEscape("\\u", next, 4);
            ++i;
        } else {
            shown += char(byte);
        }
    }
    return shown;
}

std::string plainText(const Value& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return "null";
            } else if constexpr (std::is_same_v<T, QString>) {
                return '"' + visibleText(v.toStdString()) + '"';
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
