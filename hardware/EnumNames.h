#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::hardware {

// The name of a value of an SMBIOS enumeration whose values start at 1. Value 2, "Unknown", is a missing
// fact like 0, a value past the table or a gap in it.
template<std::size_t N>
std::optional<std::string> enumName(const std::array<std::string_view, N>& names,
                                    std::optional<std::uint8_t> value)
{
    constexpr std::uint8_t kUnknown = 2;
    if (!value || *value == 0 || *value == kUnknown || *value > N || names[*value - 1].empty())
        return std::nullopt;
    return std::string(names[*value - 1]);
}

} // namespace qv::hardware
