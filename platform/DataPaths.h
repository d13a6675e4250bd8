#pragma once

#include <QString>

namespace qv::platform {

// The program's read-only data folder (help, sound cue): <executable>/../share/quorvex, the same
// layout in the build tree and in an installation.
QString dataDirectory();

// Points dataDirectory() elsewhere (tests); an empty path restores the default.
void setDataDirectory(const QString& path);

} // namespace qv::platform
