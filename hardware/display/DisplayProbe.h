#pragma once

#include "hardware/VideoCollector.h"

namespace qv::hardware {

// The screens of the running graphical application and OpenGL's strings from an offscreen context.
// Needs a QGuiApplication; OpenGL is nothing when no context can be made.
DisplayFacts probeDisplay();

} // namespace qv::hardware
