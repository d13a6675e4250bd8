#pragma once

#include <QString>

#include <optional>

namespace qv::platform {

// The machine's host name (gethostname); empty when the system gives none.
std::optional<QString> hostName();

// The login name of the effective user, from the passwd database (never the environment, which any
// caller may set); empty when the user has no entry.
std::optional<QString> loginName();

// The effective user's full name: the first field of the passwd entry's comment; empty when blank.
std::optional<QString> userFullName();

} // namespace qv::platform
