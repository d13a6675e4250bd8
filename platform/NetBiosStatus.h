#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

namespace qv::platform::netbios {

constexpr std::uint16_t kNameServicePort = 137;

// The node-status request for the wildcard name "*" (50 bytes).
QByteArray nodeStatusRequest(std::uint16_t transactionId);

// Whether `answer` is the response to the request with this transaction id.
bool answers(const QByteArray& answer, std::uint16_t transactionId);

// The last group name of suffix 0x1E (the workgroup) in a node-status response, trailing blanks removed;
// nullopt when there is none or the response is malformed.
std::optional<QString> workgroupIn(const QByteArray& answer);

// Asks each address (IPv4, network byte order) in turn on a connected UDP socket until one names a
// workgroup, `budget` in all, shared evenly among the addresses not yet asked.
std::optional<QString> queryWorkgroup(const QList<std::uint32_t>& addresses,
                                      std::chrono::milliseconds budget);

} // namespace qv::platform::netbios
