#include "net/ui/InterfaceLink.h"

#include <QThread>

#include <future>

InterfaceLink::InterfaceLink(QObject* receiver)
    : m_receiver(receiver)
    , m_thread(receiver->thread())
{
}

bool InterfaceLink::call(const std::function<void()>& change)
{
    if (QThread::currentThread() == m_thread) {
        if (isCut())
            return false;
        change();
        return true;
    }
    // The promise is kept by the posted call: it is set when the call has run, or broken when the call is
    // dropped unrun (its receiver deleted), and either way the wait below ends.
    auto ran = std::make_shared<std::promise<bool>>();
    std::future<bool> result = ran->get_future();
    {
        const std::lock_guard lock(m_mutex);
        if (m_cut)
            return false;
        QMetaObject::invokeMethod(
            m_receiver,
            [self = shared_from_this(), ran, &change] {
                const bool live = !self->isCut();
                if (live)
                    change();
                ran->set_value(live);
            },
            Qt::QueuedConnection);
    }
    try {
        return result.get();
    } catch (const std::future_error&) {
        return false;
    }
}

void InterfaceLink::cut()
{
    const std::lock_guard lock(m_mutex);
    m_cut = true;
}

bool InterfaceLink::isCut() const
{
    const std::lock_guard lock(m_mutex);
    return m_cut;
}
