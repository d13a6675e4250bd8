#pragma once

#include <QString>

#include <string_view>

namespace qv::benchui {

// Text from the logic libraries (UTF-8, not zero-terminated) as the windows show it.
inline QString uiText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace qv::benchui
