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

// "smb [URL] [--json]": what the network tree shows below a node: the top without URL, the workgroups for
// "smb://", a workgroup's servers or a server's shares for "smb://NAME", the sub-directories for
// "smb://SERVER/Share[/Dir...]".
Subcommand smbCommand();

} // namespace qv::cli
