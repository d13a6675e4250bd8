#pragma once

#include <QCursor>

namespace qv::platform {

// The screen's cursor table: numbered slots, of which 0 is the default cursor. Selecting a slot other
// than 0 shows its cursor over the whole program until slot 0 is selected again.
inline constexpr int kDefaultCursorSlot = 0;
inline constexpr int kClockCursorSlot = 10;

void setScreenCursor(int slot, const QCursor& cursor);
void selectScreenCursor(int slot);
int selectedScreenCursor();

// Selects `slot` for the lifetime of this object, then the default cursor again, however the scope is
// left (an exception included).
class ScopedScreenCursor {
public:
    explicit ScopedScreenCursor(int slot) { selectScreenCursor(slot); }
    ~ScopedScreenCursor() { selectScreenCursor(kDefaultCursorSlot); }
    ScopedScreenCursor(const ScopedScreenCursor&) = delete;
    ScopedScreenCursor& operator=(const ScopedScreenCursor&) = delete;
};

} // namespace qv::platform
