#pragma once

#include "results/JsonWriter.h"
#include "tools/cli/Report.h"

#include <array>
#include <cstdint>
#include <cstdio>
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

// 17179869184 gives "16 GiB", 1610612736 "1.5 GiB", 524288 "512 KiB".
inline std::string sizeText(std::uint64_t bytes)
{
    static constexpr std::array<const char*, 5> kUnits{"bytes", "KiB", "MiB", "GiB", "TiB"};
    std::size_t unit = 0;
    double value = double(bytes);
    while (value >= 1024 && unit + 1 < kUnits.size()) {
        value /= 1024;
        ++unit;
    }
    std::array<char, 32> text{};
    const bool whole = value == double(std::uint64_t(value));
    std::snprintf(text.data(), text.size(), whole ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
    return text.data();
}

inline std::string sizeOrUnknown(const std::optional<std::uint64_t>& bytes)
{
    return bytes ? sizeText(*bytes) : "unknown";
}

} // namespace qv::cli
