#include "platform/IcmpEcho.h"

#include "platform/IcmpHelperEcho.h"
#include "platform/IcmpSocketEcho.h"

#include <utility>

namespace qv::platform {

namespace {

constexpr EchoMechanism kOrder[] = {EchoMechanism::Datagram, EchoMechanism::Raw, EchoMechanism::Helper};

IcmpEchoOpener& installedOpener()
{
    static IcmpEchoOpener current;
    return current;
}

std::unique_ptr<IcmpEcho> openMechanism(EchoMechanism mechanism)
{
    return mechanism == EchoMechanism::Helper ? openHelperEcho() : openSocketEcho(mechanism);
}

} // namespace

QString echoMechanismName(EchoMechanism mechanism)
{
    switch (mechanism) {
    case EchoMechanism::Datagram:
        return QStringLiteral("dgram");
    case EchoMechanism::Raw:
        return QStringLiteral("raw");
    case EchoMechanism::Helper:
        return QStringLiteral("helper");
    }
    return {};
}

std::optional<EchoMechanism> echoMechanismFromName(const QString& name)
{
    for (const EchoMechanism mechanism : kOrder)
        if (name == echoMechanismName(mechanism))
            return mechanism;
    return std::nullopt;
}

std::unique_ptr<IcmpEcho> openIcmpEcho(std::optional<EchoMechanism> forced)
{
    if (const IcmpEchoOpener& opener = installedOpener())
        return opener(forced);
    if (forced)
        return openMechanism(*forced);
    for (const EchoMechanism mechanism : kOrder)
        if (std::unique_ptr<IcmpEcho> echo = openMechanism(mechanism))
            return echo;
    return nullptr;
}

IcmpEchoOpener setIcmpEchoOpener(IcmpEchoOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

} // namespace qv::platform
