#pragma once

#include <QString>

namespace qv::platform {

// Qt aborts inside the QApplication constructor when no platform it tries can start (no display
// reachable, no such plugin), so the program asks first: the platforms Qt will try, in its order, each
// with its plugin installed and its X11 or Wayland display answering. Returns an empty string when one
// of them is usable, otherwise one line saying why none is.
QString checkDisplay();

} // namespace qv::platform
