#pragma once

#include "platform/IcmpEcho.h"

#include <QString>
#include <QStringList>

#include <memory>

// The system ping utility run as a helper: it holds the capability to send ICMP that this process may
// lack. Its arguments and its output are pure functions, tested without running it.
namespace qv::platform {

// The ping utility where this user may run it; nullptr when there is none.
std::unique_ptr<IcmpEcho> openHelperEcho();

QStringList helperArguments(const EchoRequest& request);

// What the helper said, in the C locale (standard output and error together), and how it ended.
// `measuredMs` stands in for the round trip where its reply line gives no time (data under 16 bytes).
struct HelperRun {
    QString output;
    int exitCode = 0;
    bool finished = true; // false: it was stopped after outliving its wait
    std::uint32_t measuredMs = 0;
};
EchoOutcome helperOutcome(const HelperRun& run);

} // namespace qv::platform
