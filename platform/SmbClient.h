#pragma once

#include "platform/SmbNeighbourhood.h"

namespace qv::platform {

// Lists smb:// URLs with libsmbclient, anonymously (no Kerberos, no credentials), quietly (no debug
// output, no log file) and without writing anything to the system. The library's configuration and protocol
// choice are process-wide, so one thread of the process makes every library call, one at a time, with one
// context per protocol choice. Every wait for an answer is capped at 2 s, but the library's connect
// attempts are fixed at 5 s each and a session request on port 139 at 20 s, so each read() waits for that
// thread at most kNeighbourhoodTimeout (6 s, longer than one connect attempt): then it returns a listing
// with error ETIMEDOUT, and the call it gave up on finishes on its own with its result discarded. Calls
// behind such a call wait for it within their own 6 s.
class SmbClientReader final : public SmbDirectoryReader {
public:
    std::optional<SmbListing> read(const QByteArray& url, SmbProtocols protocols) const override;
};

} // namespace qv::platform
