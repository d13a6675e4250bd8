#pragma once

#include "platform/ScopedHook.h"

#include <QUrl>

#include <functional>

class QWidget;

namespace qv::platform {

// Asks the desktop to "open" a web page or a mailto: address with the user's default program.
// The result is ignored: without a browser or mail program nothing further happens.
void ShellOpen(QWidget* parent, const QUrl& url);

// Replaces the desktop call (tests record the address instead); an empty function restores it.
using ShellOpener = std::function<void(const QUrl&)>;
ShellOpener setShellOpener(ShellOpener opener);
using ScopedShellOpener = ScopedHook<ShellOpener, &setShellOpener>;

} // namespace qv::platform
