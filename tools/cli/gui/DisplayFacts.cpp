// The screens and OpenGL strings for "info video" and "record-machine", in the graphical module: only
// they load it, and only where a display is usable.
#include "hardware/display/DisplayProbe.h"

#include <cstring>

// Writes the display facts' text (as the machine tree's facts file keeps it) to `out`; false when it
// does not fit.
extern "C" __attribute__((visibility("default"))) bool qvDisplayFactsText(char* out, std::size_t size)
{
    const std::string text = qv::hardware::displayFactsText(qv::hardware::probeDisplay());
    if (text.size() + 1 > size)
        return false;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}
