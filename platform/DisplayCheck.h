#pragma once

#include <QString>

namespace qv::platform {

// Qt aborts inside the QApplication constructor when it cannot reach a display, so the program asks
// first. Returns an empty string when a display is usable, otherwise one line saying why not.
QString checkDisplay();

} // namespace qv::platform
