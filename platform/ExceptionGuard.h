#pragma once

#include "platform/ScopedHook.h"

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace qv::platform {

// Receives the text of an error that no handler caught. The program installs a message box
// (showUnhandledError of platform/Dialogs.h) and goes on; tests install a recorder instead.
using DefaultHandler = std::function<void(const QString& message)>;

// Installs `handler` (empty: a line on standard error) and returns the one it replaces.
DefaultHandler setDefaultHandler(DefaultHandler handler);
using ScopedDefaultHandler = ScopedHook<DefaultHandler, &setDefaultHandler>;
void reportUnhandledError(const QString& message);

// Runs one event handler's body. An exception never unwinds into Qt's frames: it is caught here and
// its text handed to the default handler.
template<typename Body>
void guarded(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        reportUnhandledError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportUnhandledError(QStringLiteral("Unknown error"));
    }
}

// A slot for connect() that runs `method` of `receiver` inside the guard, e.g.
// connect(button, &TTransparentButton::clicked, this, guardedSlot(this, &Window::OkClick)).
template<typename Receiver, typename Method>
auto guardedSlot(Receiver* receiver, Method method)
{
    return [receiver, method] { guarded([&] { (receiver->*method)(); }); };
}

} // namespace qv::platform
