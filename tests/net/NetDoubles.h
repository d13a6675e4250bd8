#pragma once

#include "platform/IcmpEcho.h"
#include "platform/NameResolver.h"
#include "platform/NetworkNeighbourhood.h"

#include <QMap>

#include <condition_variable>
#include <mutex>

namespace qv::test {

// Counts the calls that pass it; while held, every call waits until it is released, as a silent server
// keeps its callers waiting.
class CallGate {
public:
    void hold();
    void release();
    // Counts the call, then waits while the gate is held.
    void pass() const;
    int calls() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_released;
    bool m_held = false;
    mutable int m_calls = 0;
};

// Answers from a table; names not in it are not found. Counts its calls, and while held it keeps
// every lookup waiting, as a silent name server would.
class ScriptedResolver final : public platform::NameResolver {
public:
    QMap<QString, platform::HostEntry> names;
    QMap<std::uint32_t, QString> addresses;

    platform::HostEntry byName(const QString& name) const override;
    platform::HostEntry byAddress(std::uint32_t address) const override;

    void hold() { m_gate.hold(); }
    void release() { m_gate.release(); }
    int calls() const { return m_gate.calls(); }

private:
    CallGate m_gate;
};

// An echo that answers as scripted and remembers the requests it was given.
class ScriptedEcho final : public platform::IcmpEcho {
public:
    explicit ScriptedEcho(platform::EchoOutcome outcome, QList<platform::EchoRequest>* requests)
        : m_outcome(outcome)
        , m_requests(requests)
    {
    }
    platform::EchoMechanism mechanism() const override { return platform::EchoMechanism::Raw; }
    platform::EchoOutcome send(const platform::EchoRequest& request) override
    {
        m_requests->append(request);
        return m_outcome;
    }

private:
    platform::EchoOutcome m_outcome;
    QList<platform::EchoRequest>* m_requests;
};

// A network neighbourhood from tables: the entries under each container (by remote name, "" for the
// top) and the sub-directories of each share path. While held, every listing (or every directory listing)
// waits, as a frozen server.
class ScriptedNeighbourhood final : public platform::NetworkNeighbourhood {
public:
    QMap<QString, platform::NetListing> containers;
    QMap<QString, QStringList> directoryTable;

    QString providerName() const override { return QStringLiteral("Samba"); }
    std::optional<platform::NetListing> list(const std::optional<platform::NetResource>& parent,
                                             platform::ResourceKind kind) const override;
    std::optional<QStringList> directories(const QString& uncPath) const override;

    void hold() { m_listingGate.hold(); }
    void release() { m_listingGate.release(); }
    void holdDirectories() { m_directoryGate.hold(); }
    void releaseDirectories() { m_directoryGate.release(); }
    int listings() const { return m_listingGate.calls(); }
    int directoryListings() const { return m_directoryGate.calls(); }

private:
    CallGate m_listingGate;
    CallGate m_directoryGate;
};

platform::NetResource resource(const QString& remoteName,
                               platform::ResourceKind type = platform::ResourceKind::Any,
                               bool container = false);

platform::HostEntry hostEntry(const QString& officialName, const QStringList& dottedAddresses);

} // namespace qv::test
