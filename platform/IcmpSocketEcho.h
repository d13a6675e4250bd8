#pragma once

#include "platform/IcmpEcho.h"

#include <memory>

namespace qv::platform {

// An ICMP datagram socket (EchoMechanism::Datagram) or raw socket (EchoMechanism::Raw); nullptr where
// this process may not open one.
std::unique_ptr<IcmpEcho> openSocketEcho(EchoMechanism mechanism);

} // namespace qv::platform
