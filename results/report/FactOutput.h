#pragma once

#include "hardware/FactTexts.h"
#include "results/JsonWriter.h"
#include "results/report/Report.h"

#include <optional>
#include <string>
#include <vector>

// Helpers shared by the "info" topics' JSON and text forms.
namespace qv::cli {

using results::orNull;

// A list of texts as JSON, or null when it is not known.
inline results::JsonValue textsOrNull(const std::optional<std::vector<std::string>>& texts)
{
    return texts ? results::JsonValue(results::textArray(*texts)) : results::JsonValue(nullptr);
}

// A text from the firmware for a terminal: control characters escaped, "?" when it is not known.
inline std::string shownText(const std::optional<std::string>& text)
{
    return text ? visibleText(*text) : "?";
}

// Sizes read as the windows show them ("16 GiB").
using hardware::sizeText;

inline std::string sizeOrUnknown(const std::optional<std::uint64_t>& bytes)
{
    return bytes ? sizeText(*bytes) : "unknown";
}

} // namespace qv::cli
