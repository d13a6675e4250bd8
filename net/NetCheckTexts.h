#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace qv::net {

// The lines the network check shows while it checks a host: looking it up, sending one echo request
// and reading the reply.
namespace check_lines {
QString searching(const QString& host);
QStringList hostNotFound(const QString& host);
QString distantComputer(const QString& host, const QString& address);
QString sending(int size, const QString& hostName, const QString& hostIP);
QStringList received(int dataSize, const QString& hostIP, std::uint32_t roundTripTime);
QStringList unreachable(const QString& hostIP, const QString& errorString);
} // namespace check_lines

// The status of a name or address lookup: "Unknown, Error #<code>", or the first result and how many
// there are.
QString lookupStatus(std::uint16_t error, const QString& dnsResult, qsizetype resultCount);

// The address check of the address-to-name lookup: not empty, digits and points only.
bool looksLikeDottedAddress(const QString& text);

} // namespace qv::net
