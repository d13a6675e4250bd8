#include "net/NetCheckTexts.h"

#include <algorithm>

namespace qv::net {

namespace {

QStringList failureAdvice()
{
    return {QString(), QStringLiteral("Network connection failed."),
            QStringLiteral("Check the hostname or IP address you typed in is correct"),
            QStringLiteral("Check the network cable is properly connected and network drivers installed.")};
}

} // namespace

namespace check_lines {

QString searching(const QString& host)
{
    return QStringLiteral("Searching distant computer '") + host + QLatin1Char('\'');
}

QStringList hostNotFound(const QString& host)
{
    return QStringList{QStringLiteral("Unable to find host '") + host + QLatin1Char('\'')} + failureAdvice();
}

QString distantComputer(const QString& host, const QString& address)
{
    return QStringLiteral("Distant computer '") + host + QStringLiteral("' is ") + address;
}

QString sending(int size, const QString& hostName, const QString& hostIP)
{
    return QStringLiteral("Sending %1 byte to ").arg(size) + hostName + QStringLiteral(" (") + hostIP +
           QLatin1Char(')');
}

QStringList received(int dataSize, const QString& hostIP, std::uint32_t roundTripTime)
{
    return {QStringLiteral("Receiving %1 byte from ").arg(dataSize) + hostIP +
                QStringLiteral(" in %1 msecs").arg(roundTripTime),
            QString(), QStringLiteral("Network link OK.")};
}

QStringList unreachable(const QString& hostIP, const QString& errorString)
{
    return QStringList{QStringLiteral("Unable to reach distant computer (") + hostIP +
                       QStringLiteral(") : ") + errorString} +
           failureAdvice();
}

} // namespace check_lines

QString lookupStatus(std::uint16_t error, const QString& dnsResult, qsizetype resultCount)
{
    if (error != 0)
        return QStringLiteral("Unknown, Error #%1").arg(error);
    return dnsResult + QStringLiteral("  (%1 adress(es))").arg(resultCount);
}

bool looksLikeDottedAddress(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
    });
}

} // namespace qv::net
