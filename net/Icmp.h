#pragma once

#include "platform/IcmpEcho.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace qv::platform {
class AsyncLookup;
struct HostEntry;
} // namespace qv::platform

namespace qv::net {

class TICMPException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The reply record of an echo, 28 bytes as the ICMP library of old wrote it (its two pointers are 0).
struct TIcmpEchoReply {
    std::uint32_t Address = 0; // network byte order
    std::uint32_t Status = 0;
    std::uint32_t RTT = 0; // ms
    std::uint16_t DataSize = 0;
    std::uint16_t Reserved = 0;
    std::uint32_t Data = 0;
    std::uint8_t Ttl = 0;
    std::uint8_t Tos = 0;
    std::uint8_t Flags = 0;
    std::uint8_t OptionsSize = 0;
    std::uint32_t OptionsData = 0;
};
static_assert(sizeof(TIcmpEchoReply) == 28);

// The echo status texts; "ICMP error #<code>" for a code outside the table.
QString IcmpStatusText(std::uint32_t code);

// The 45 characters that start every echo's data, padded with spaces to its size.
inline constexpr char kEchoPayload[] = "Quorvex 2003 network check - echo request 001";
static_assert(sizeof kEchoPayload - 1 == 45);

// Sends one echo request at a time, synchronously, to one IPv4 target given by name or dotted address.
class TICMP {
public:
    static constexpr std::uint32_t kBadDestination = 11018;

    // Opens `forced` or the first echo mechanism available; throws TICMPException "Unable to get ping
    // handle" when there is none.
    explicit TICMP(std::optional<platform::EchoMechanism> forced = std::nullopt);
    ~TICMP();
    TICMP(const TICMP&) = delete;
    TICMP& operator=(const TICMP&) = delete;

    // A different text forgets the earlier resolution; the same text keeps it.
    void setAddress(const QString& address);
    const QString& Address() const { return m_address; }
    const QString& HostName() const { return m_hostName; }
    const QString& HostIP() const { return m_hostIP; }
    int Size = 56;
    int Timeout = 4000;
    int TTL = 64;
    int Flags = 0;

    // Resolves the target if needed and sends one request; the number of replies (0 or 1).
    int Ping();
    std::uint32_t ErrorCode() const { return m_errorCode; }
    QString ErrorString() const { return IcmpStatusText(m_errorCode); }
    const TIcmpEchoReply& Reply() const { return m_reply; }
    platform::EchoMechanism Mechanism() const { return m_echo->mechanism(); }

    std::function<void(TICMP* Sender, const QString& Msg)> OnDisplay;
    std::function<void(TICMP* Sender)> OnEchoRequest;
    std::function<void(TICMP* Sender, int Error)> OnEchoReply;

private:
    void resolve();
    void display(const QString& message);

    std::unique_ptr<platform::IcmpEcho> m_echo;
    TIcmpEchoReply m_reply;
    QString m_address;
    QString m_hostName;
    QString m_hostIP;
    std::uint32_t m_resolvedAddress = 0xFFFFFFFF;
    std::uint32_t m_errorCode = 0;
    bool m_resolved = false;
};

// The echo component: owns a TICMP, forwards its events with itself as Sender and the TICMP as Icmp,
// and looks host names up without blocking (completion through OnDnsLookupDone on this object's
// thread; a dotted address completes at once, inside DnsLookup).
class TPing : public QObject {
    Q_OBJECT

public:
    static constexpr std::uint16_t kCancelled = 10004;

    explicit TPing(QObject* owner = nullptr, std::optional<platform::EchoMechanism> forced = std::nullopt);
    ~TPing() override;

    QString Address() const { return m_icmp->Address(); }
    void setAddress(const QString& address) { m_icmp->setAddress(address); }
    int Size() const { return m_icmp->Size; }
    void setSize(int size) { m_icmp->Size = size; }
    int Timeout() const { return m_icmp->Timeout; }
    void setTimeout(int milliseconds) { m_icmp->Timeout = milliseconds; }
    int TTL() const { return m_icmp->TTL; }
    void setTTL(int ttl) { m_icmp->TTL = ttl; }
    int Flags() const { return m_icmp->Flags; }
    void setFlags(int flags) { m_icmp->Flags = flags; }

    const TIcmpEchoReply& Reply() const { return m_icmp->Reply(); }
    QString ErrorString() const { return m_icmp->ErrorString(); }
    std::uint32_t ErrorCode() const { return m_icmp->ErrorCode(); }
    QString HostName() const { return m_icmp->HostName(); }
    QString HostIP() const { return m_icmp->HostIP(); }
    const QString& DnsResult() const { return m_dnsResult; }
    platform::EchoMechanism Mechanism() const { return m_icmp->Mechanism(); }

    virtual void DnsLookup(const QString& hostName);
    void CancelDnsLookup();
    int Ping() { return m_icmp->Ping(); }

    std::function<void(QObject* Sender, std::uint16_t Error)> OnDnsLookupDone;
    std::function<void(QObject* Sender, TICMP* Icmp)> OnEchoRequest;
    std::function<void(QObject* Sender, TICMP* Icmp, int Error)> OnEchoReply;
    std::function<void(QObject* Sender, TICMP* Icmp, const QString& Msg)> OnDisplay;

private:
    void lookupDone(const platform::HostEntry& entry);
    void fireDone(std::uint16_t error);

    std::unique_ptr<TICMP> m_icmp;
    platform::AsyncLookup* m_lookups;
    QString m_dnsResult;
};

} // namespace qv::net
