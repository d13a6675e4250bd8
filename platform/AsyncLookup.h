#pragma once

#include "platform/NameResolver.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace qv::platform {

// Runs blocking lookups on threads of their own and hands each result back on this object's thread,
// with the task handle it was started under, so that a caller recognises (and drops) the completion
// of a lookup it has replaced or cancelled. A lookup may hang for seconds against a silent name
// server: nothing ever waits for one. Destroying the object drops the results still to come.
class AsyncLookup : public QObject {
    Q_OBJECT

public:
    using Task = std::uint64_t; // never 0
    using Done = std::function<void(Task task, const HostEntry& entry)>;

    explicit AsyncLookup(Done done, QObject* parent = nullptr);
    ~AsyncLookup() override;

    // Starts `work` (a call of the installed resolver) and returns its task. Throws std::system_error
    // when no thread can be started.
    Task start(std::function<HostEntry(const NameResolver&)> work);

private:
    struct Mailbox;

    Done m_done;
    std::shared_ptr<Mailbox> m_mailbox;
};

} // namespace qv::platform
