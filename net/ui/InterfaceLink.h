#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <mutex>

// A worker's way to the user-interface thread, which the interface side can cut. Once cut, no change
// runs any more and a worker waiting for one is let go: a worker stuck in a slow library call can so be
// left to finish on its own while the window carries on (or goes), its later results dropped.
class InterfaceLink : public std::enable_shared_from_this<InterfaceLink> {
public:
    // `receiver` lives on the user-interface thread and must outlive every call made before cut().
    explicit InterfaceLink(QObject* receiver);

    // Runs `change` on the receiver's thread (at once when called there) and waits for it. False, with
    // nothing run, when the link is cut before the change runs.
    bool call(const std::function<void()>& change);
    // No change runs after this returns. Interface side only.
    void cut();
    bool isCut() const;

private:
    mutable std::mutex m_mutex;
    QObject* m_receiver; // only touched before cut()
    QThread* m_thread;
    bool m_cut = false;
};
