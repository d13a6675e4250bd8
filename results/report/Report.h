#pragma once

#include "results/JsonWriter.h"

#include <QString>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv::cli {

// One value of a report: absent (null), a flag, a 32-bit signed number, a measured speed or a text.
using Value = std::variant<std::monostate, bool, std::int32_t, float, QString>;

struct Field {
    std::string name;
    Value value;
};

// A top-level entry: either one value or a group of values (a sub-object).
struct Entry {
    std::string name;
    std::vector<Field> members; // a group when not empty
    Value value;
};

using Report = std::vector<Entry>;

Entry group(std::string name, std::vector<Field> members);
Entry single(std::string name, Value value);

// The report as one JSON object on one line (entries as keys, groups as nested objects, in order), or as
// text: one "Name  value" or "Group.Name  value" line per value, names padded to one width, texts quoted
// so that blanks at either end show.
void writeReport(std::ostream& out, const Report& report, bool json);

// The report as the JSON object writeReport prints.
results::JsonObject reportJson(const Report& report);

// A value as the text form shows it: texts quoted and visible (see visibleText), null as null.
std::string plainText(const Value& value);

// Text from a file, the system or the network made safe for a terminal: every control character (C0,
// DEL and the C1 range) shows as an escape, "\0" for a zero character and "\x1B" or "\u009B" for the
// others, so that no escape sequence or line break reaches the terminal raw.
std::string visibleText(std::string_view text);

} // namespace qv::cli
