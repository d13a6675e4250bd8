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

} // namespace qv::platform
