#pragma once

#include "platform/ScopedHook.h"

#include <QString>

namespace qv::platform {

// The program's read-only data folder (help, sound cue): <executable>/../share/quorvex, the same
// layout in the build tree and in an installation.
QString dataDirectory();

// What the data folder holds, relative to it.
inline const QString kHelpFileName = QStringLiteral("help/quorvex.html");
inline const QString kSoundCueFileName = QStringLiteral("QUORVEX.001");

// Points dataDirectory() elsewhere (tests); an empty path restores the default. Returns the path it
// replaces.
QString setDataDirectory(QString path);
using ScopedDataDirectory = ScopedHook<QString, &setDataDirectory>;

} // namespace qv::platform
