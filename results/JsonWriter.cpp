#include "results/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>

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

void appendJsonString(std::string& out, std::string_view value)
{
    static constexpr std::string_view kHex = "0123456789abcdef";
    out += '"';
    for (const char c : value) {
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
            if (static_cast<unsigned char>(c) < 0x20) {
                const auto code = static_cast<unsigned char>(c);
                out += "\\u00";
                out += kHex[code >> 4];
                out += kHex[code & 0xF];
            } else {
                out += c; // UTF-8 bytes above 0x7F pass through unchanged
            }
        }
    }
    out += '"';
}

void writeJsonLine(std::ostream& out, const JsonObject& object)
{
    out << object.text() << '\n';
}

} // namespace qv::results
