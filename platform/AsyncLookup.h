#pragma once

#include "platform/NameResolver.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace qv::platform {

// Runs blocking lookups on threads of their own and hands the result of the pending one back on this
// object's thread. A lookup replaced by a newer one, or cancelled, never reports: each carries its task
// handle, and only the pending task's completion is delivered. A lookup may hang for seconds against a
// silent name server: nothing ever waits for one. Destroying the object drops the results still to come.
class AsyncLookup : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const HostEntry& entry)>;

    explicit AsyncLookup(Done done, QObject* parent = nullptr);
    ~AsyncLookup() override;

    // Starts `work` (a call of the installed resolver) in place of any pending lookup. Throws
    // std::system_error when no thread can be started; nothing is pending then.
    void start(std::function<HostEntry(const NameResolver&)> work);
    // Forgets the pending lookup; true when there was one.
    bool cancel();

private:
    using Task = std::uint64_t; // never 0
    struct Mailbox;

    void deliver(Task task, const HostEntry& entry);

    Done m_done;
    Task m_pending = 0;
    std::shared_ptr<Mailbox> m_mailbox;
};

} // namespace qv::platform
