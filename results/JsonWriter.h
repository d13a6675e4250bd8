#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qv::results {

class JsonObject;
class JsonArray;

// Integers of every width and signedness; bool stays a JSON boolean.
template<typename T>
concept JsonInteger = std::integral<T> && !std::same_as<T, bool>;

// One JSON value, held as its compact text. Implicit conversions let callers write
// `object.add("Number", 1).add("Text", text)`. Strings are UTF-8 and written as they are, escaping only
// what JSON requires; doubles use the shortest form that reads back to the same value, NaN and the
// infinities become null. Bytes that are not well-formed UTF-8 become U+FFFD.
class JsonValue {
public:
    JsonValue(std::nullptr_t);
    JsonValue(bool value);
    JsonValue(double value);
    JsonValue(std::string_view value);
    JsonValue(const char* value);
    JsonValue(const std::string& value);
    JsonValue(const JsonObject& value);
    JsonValue(const JsonArray& value);

    template<JsonInteger T>
    JsonValue(T value)
    {
        if constexpr (std::is_signed_v<T>)
            setInteger(static_cast<std::int64_t>(value));
        else
            setInteger(static_cast<std::uint64_t>(value));
    }

    const std::string& text() const { return m_text; }

private:
    void setInteger(std::int64_t value);
    void setInteger(std::uint64_t value);

    std::string m_text;
};

// An object whose members are written in the order they are added.
class JsonObject {
public:
    JsonObject& add(std::string_view key, const JsonValue& value);
    std::string text() const;

private:
    std::string m_members;
};

class JsonArray {
public:
    JsonArray& add(const JsonValue& value);
    std::string text() const;

private:
    std::string m_elements;
};

// An array of texts, in their order.
JsonArray textArray(const std::vector<std::string>& texts);

// A value that may be unknown: the value, or null.
template<typename T>
JsonValue orNull(const std::optional<T>& value)
{
    return value ? JsonValue(*value) : JsonValue(nullptr);
}

// Appends `value` to `out` as a JSON string literal, quotes included.
void appendJsonString(std::string& out, std::string_view value);

// The object over several lines, indented by two blanks per level, ending with a line break: the form
// of files people may read. Arrays of plain values stay on one line.
std::string indentedJson(const JsonObject& object);

// Writes the object on one line: the form every subcommand uses for --json output.
void writeJsonLine(std::ostream& out, const JsonObject& object);

} // namespace qv::results
