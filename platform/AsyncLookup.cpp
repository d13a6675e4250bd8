#include "platform/AsyncLookup.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

namespace qv::platform {

// Where a worker posts its result: cleared, under the lock, when the owner goes, so a worker never
// posts to a destroyed object. Posting under the lock is brief; the lookup itself runs outside it.
struct AsyncLookup::Mailbox {
    std::mutex mutex;
    AsyncLookup* owner = nullptr;
};

AsyncLookup::AsyncLookup(Done done, QObject* parent)
    : QObject(parent)
    , m_done(std::move(done))
    , m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->owner = this;
}

AsyncLookup::~AsyncLookup()
{
    const std::lock_guard lock(m_mailbox->mutex);
    m_mailbox->owner = nullptr;
}

void AsyncLookup::start(std::function<HostEntry(const NameResolver&)> work)
{
    static std::atomic<Task> lastTask{0};
    const Task task = ++lastTask;
    m_pending = 0;
    std::thread([mailbox = m_mailbox, resolver = nameResolver(), work = std::move(work), task] {
        const HostEntry entry = work(*resolver);
        const std::lock_guard lock(mailbox->mutex);
        if (AsyncLookup* owner = mailbox->owner)
            QMetaObject::invokeMethod(
                owner, [owner, task, entry] { owner->deliver(task, entry); }, Qt::QueuedConnection);
    }).detach();
    m_pending = task;
}

bool AsyncLookup::cancel()
{
    return std::exchange(m_pending, 0) != 0;
}

void AsyncLookup::deliver(Task task, const HostEntry& entry)
{
    if (task != m_pending)
        return;
    m_pending = 0;
    m_done(entry);
}

} // namespace qv::platform
