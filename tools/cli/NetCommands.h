#pragma once

#include "tools/cli/Cli.h"

namespace qv::cli {

// "ping HOST [--size N] [--ttl N] [--timeout MS] [--mechanism M] [--json]": the connection check of the
// network window: look the host up, send it one echo request, print the window's lines.
Subcommand pingCommand();

// "lookup NAME|ADDRESS [--reverse] [--json]": name to addresses, or address to name.
Subcommand lookupCommand();

// "localip [--json]": the host name and the IPv4 addresses of the interfaces that are up.
Subcommand localIpCommand();

} // namespace qv::cli
