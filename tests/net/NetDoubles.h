#pragma once

#include "platform/IcmpEcho.h"
#include "platform/NameResolver.h"

#include <QMap>

#include <condition_variable>
#include <mutex>

namespace qv::test {

// Answers from a table; names not in it are not found. Counts its calls, and while held it keeps
// every lookup waiting, as a silent name server would.
class ScriptedResolver final : public platform::NameResolver {
public:
    QMap<QString, platform::HostEntry> names;
    QMap<std::uint32_t, QString> addresses;

    platform::HostEntry byName(const QString& name) const override;
    platform::HostEntry byAddress(std::uint32_t address) const override;

    void hold();
    void release();
    int calls() const;

private:
    void waitWhileHeld() const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_released;
    bool m_held = false;
    mutable int m_calls = 0;
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

platform::HostEntry hostEntry(const QString& officialName, const QStringList& dottedAddresses);

} // namespace qv::test
