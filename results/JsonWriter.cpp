#include "results/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>
#include <vector>

namespace qv::results {

namespace {

template<typename Number>
std::string toChars(Number value)
{
    // Large enough for any 64-bit integer and for the longest shortest-form double.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

// Adds one element (an array value, or an object member whose "key": is `prefix`) to a list.
void appendElement(std::string& list, std::string_view prefix, const JsonValue& value)
{
    if (!list.empty())
        list += ',';
    list += prefix;
    list += value.text();
}

// The length of the well-formed UTF-8 sequence that starts `text`, or 0 when it starts with a byte that
// cannot begin one, a truncated sequence, an overlong form, a surrogate or a code point past U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

JsonValue::JsonValue(std::nullptr_t)
    : m_text("null")
{
}

JsonValue::JsonValue(bool value)
    : m_text(value ? "true" : "false")
{
}

JsonValue::JsonValue(double value)
    : m_text(std::isfinite(value) ? toChars(value) : std::string("null"))
{
}

JsonValue::JsonValue(std::string_view value)
{
    appendJsonString(m_text, value);
}

JsonValue::JsonValue(const char* value)
    : JsonValue(std::string_view(value))
{
}

JsonValue::JsonValue(const std::string& value)
    : JsonValue(std::string_view(value))
{
}

JsonValue::JsonValue(const JsonObject& value)
    : m_text(value.text())
{
}

JsonValue::JsonValue(const JsonArray& value)
    : m_text(value.text())
{
}

void JsonValue::setInteger(std::int64_t value)
{
    m_text = toChars(value);
}

void JsonValue::setInteger(std::uint64_t value)
{
    m_text = toChars(value);
}

JsonObject& JsonObject::add(std::string_view key, const JsonValue& value)
{
    std::string name;
    appendJsonString(name, key);
    name += ':';
    appendElement(m_members, name, value);
    return *this;
}

std::string JsonObject::text() const
{
    return '{' + m_members + '}';
}

JsonArray& JsonArray::add(const JsonValue& value)
{
    appendElement(m_elements, {}, value);
    return *this;
}

std::string JsonArray::text() const
{
    return '[' + m_elements + ']';
}

JsonArray textArray(const std::vector<std::string>& texts)
{
    JsonArray array;
    for (const std::string& text : texts)
        array.add(text);
    return array;
}

void appendJsonString(std::string& out, std::string_view value)
{
    static constexpr std::string_view kHex = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            const auto code = static_cast<unsigned char>(c);
            if (code < 0x20) {
                out += "\\u00";
                out += kHex[code >> 4];
                out += kHex[code & 0xF];
            } else if (code < 0x80) {
                out += c;
            } else if (const std::size_t length = utf8SequenceLength(value.substr(i)); length > 0) {
                out.append(value.substr(i, length));
                i += length - 1;
            } else {
                out += "\xEF\xBF\xBD"; // U+FFFD for a byte that is not part of well-formed UTF-8
            }
        }
    }
    out += '"';
}

std::string indentedJson(const JsonObject& object)
{
    // Walks the compact text: every member and every element of a container that holds containers
    // goes on a line of its own; arrays of plain values stay on one line.
    const std::string compact = object.text();
    std::string out;
    int depth = 0;
    std::vector<bool> brokenContainers;
    const auto newLine = [&] { out += '\n' + std::string(std::size_t(2 * depth), ' '); };
    const auto holdsContainers = [&](std::size_t open) {
        int nesting = 0;
        bool inString = false;
        for (std::size_t i = open + 1; i < compact.size(); ++i) {
            const char c = compact[i];
            if (inString) {
                if (c == '\\')
                    ++i;
                else if (c == '"')
                    inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                if (nesting == 0)
                    return true;
                ++nesting;
            } else if (c == '}' || c == ']') {
                if (nesting-- == 0)
                    return false;
            }
        }
        return false;
    };
    bool inString = false;
    for (std::size_t i = 0; i < compact.size(); ++i) {
        const char c = compact[i];
        out += c;
        if (inString) {
            if (c == '\\')
                out += compact[++i];
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '{':
        case '[': {
            const bool empty = compact[i + 1] == '}' || compact[i + 1] == ']';
            brokenContainers.push_back(!empty && (c == '{' || holdsContainers(i)));
            if (brokenContainers.back()) {
                ++depth;
                newLine();
            }
            break;
        }
        case '}':
        case ']':
            if (brokenContainers.back()) {
                out.pop_back();
                --depth;
                newLine();
                out += c;
            }
            brokenContainers.pop_back();
            break;
        case ',':
            if (brokenContainers.back())
                newLine();
            else
                out += ' ';
            break;
        case ':':
            out += ' ';
            break;
        default:
            break;
        }
    }
    return out + '\n';
}

void writeJsonLine(std::ostream& out, const JsonObject& object)
{
    out << object.text() << '\n';
}

} // namespace qv::results
