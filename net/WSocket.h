#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>

namespace qv::platform {
class AsyncLookup;
struct HostEntry;
} // namespace qv::platform

namespace qv::net {

class ESocketException : public std::runtime_error {
public:
    explicit ESocketException(const QString& message);
};

// The text of a socket error code; "Not a WinSock error" for a code outside the table.
QString SocketErrorDesc(int code);

// The machine's host name; throws ESocketException "Winsock.GetHostName failed" when it cannot be read.
QString LocalHostName();

// The IPv4 addresses of the interfaces that are up, non-loopback first, as dotted texts. Always the same
// list object, its contents replaced by each call; callers must not keep it across calls.
QStringList& LocalIPList();

// The socket component's lookup side: name to addresses, address to name and cancellation, each lookup
// on a worker and its completion through OnDnsLookupDone on this object's thread. A lookup replaced by
// another, or cancelled, never reports its own completion. The connection side is not built; its stored
// settings load and are kept.
class TWSocket : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Proto READ Proto WRITE setProto)
    Q_PROPERTY(QString LocalAddr READ LocalAddr WRITE setLocalAddr)
    Q_PROPERTY(QString LocalPort READ LocalPort WRITE setLocalPort)
    Q_PROPERTY(QString SocksLevel READ SocksLevel WRITE setSocksLevel)
    Q_PROPERTY(bool LineMode READ LineMode WRITE setLineMode)

public:
    enum TSocketState {
        wsInvalidState,
        wsOpened,
        wsBound,
        wsConnecting,
        wsConnected,
        wsAccepting,
        wsListening,
        wsClosed
    };
    Q_ENUM(TSocketState)

    static constexpr std::uint16_t kCancelled = 10004;
    static constexpr std::uint16_t kInvalidArgument = 10022;

    explicit TWSocket(QObject* owner = nullptr);
    ~TWSocket() override;

    // A dotted address completes at once, inside the call, with an empty DnsResultList.
    virtual void DnsLookup(const QString& hostName);
    virtual void ReverseDnsLookup(const QString& address);
    // With a lookup pending: forgets it and reports 10004 at once. Otherwise does nothing.
    virtual void CancelDnsLookup();

    const QString& DnsResult() const { return m_dnsResult; }
    const QStringList& DnsResultList() const { return m_dnsResultList; }
    int LastError() const { return m_lastError; }
    TSocketState State() const { return wsClosed; }

    QString Proto() const { return m_proto; }
    void setProto(const QString& proto) { m_proto = proto; }
    QString LocalAddr() const { return m_localAddr; }
    void setLocalAddr(const QString& address) { m_localAddr = address; }
    QString LocalPort() const { return m_localPort; }
    void setLocalPort(const QString& port) { m_localPort = port; }
    QString SocksLevel() const { return m_socksLevel; }
    void setSocksLevel(const QString& level);
    bool LineMode() const { return m_lineMode; }
    void setLineMode(bool on) { m_lineMode = on; }

    std::function<void(QObject* Sender, std::uint16_t Error)> OnDnsLookupDone;
    // When assigned, errors fire it instead of raising ESocketException (their message is then lost).
    std::function<void(QObject* Sender)> OnError;
    // An exception out of a completion's handler comes here; CanClose (initially true) asks to abort.
    std::function<void(QObject* Sender, const std::exception& E, bool& CanClose)> OnBgException;

private:
    enum class Direction { Forward, Reverse };
    // The common start of both lookups; false when the argument is empty (reported, and 10022 fired).
    bool beginLookup(const QString& argument);
    void startLookup(const QString& argument, Direction direction, std::uint32_t address);
    void lookupDone(const platform::HostEntry& entry);
    void fireDone(std::uint16_t error);
    void reportError(const QString& message);
    void handleBackgroundException(const std::exception& error);

    QString m_dnsResult;
    QStringList m_dnsResultList;
    int m_lastError = 0;
    Direction m_pendingDirection = Direction::Forward;
    QString m_proto = QStringLiteral("tcp");
    QString m_localAddr = QStringLiteral("0.0.0.0");
    QString m_localPort = QStringLiteral("0");
    QString m_socksLevel = QStringLiteral("5");
    bool m_lineMode = false;
    platform::AsyncLookup* m_lookups;
};

} // namespace qv::net
