#include "platform/Identity.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <vector>

namespace qv::platform {

namespace {

// The effective user's passwd entry, through the re-entrant call; `buffer` holds its strings.
const passwd* effectiveUserEntry(passwd& entry, std::vector<char>& buffer)
{
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    buffer.resize(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd* found = nullptr;
    for (;;) {
        const int error = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error != ERANGE || buffer.size() >= (1U << 20))
            return error == 0 ? found : nullptr;
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<QString> nonEmpty(const QString& text)
{
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

} // namespace

std::optional<QString> hostName()
{
    std::array<char, HOST_NAME_MAX + 1> name{};
    if (gethostname(name.data(), name.size() - 1) != 0)
        return std::nullopt;
    return nonEmpty(QString::fromLocal8Bit(name.data()));
}

std::optional<QString> loginName()
{
    passwd entry{};
    std::vector<char> buffer;
    const passwd* user = effectiveUserEntry(entry, buffer);
    return user && user->pw_name ? nonEmpty(QString::fromLocal8Bit(user->pw_name)) : std::nullopt;
}

std::optional<QString> userFullName()
{
    passwd entry{};
    std::vector<char> buffer;
    const passwd* user = effectiveUserEntry(entry, buffer);
    if (!user || !user->pw_gecos)
        return std::nullopt;
    return nonEmpty(QString::fromLocal8Bit(user->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed());
}

} // namespace qv::platform
