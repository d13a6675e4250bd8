#pragma once

#include "platform/SmbNeighbourhood.h"

namespace qv::platform {

// Lists smb:// URLs with libsmbclient, anonymously (no Kerberos, no credentials), quietly (no debug
// output, no log file) and without writing anything to the system. Each thread has its own contexts, one
// per protocol choice. The library's configuration and protocol choice are process-wide, so calls from
// different threads run one at a time. Every wait for an answer is capped at 2 s (the library's connect
// attempts are fixed at 5 s each).
class SmbClientReader final : public SmbDirectoryReader {
public:
    std::optional<SmbListing> read(const QByteArray& url, SmbProtocols protocols) const override;
};

} // namespace qv::platform
