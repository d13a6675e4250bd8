#include "platform/CursorTable.h"

#include <QApplication>
#include <QHash>

namespace qv::platform {

namespace {

QHash<int, QCursor> g_cursors;

int g_selected = kDefaultCursorSlot;

// Picture cursors must go before the application that made them: the table is emptied when the
// application object is destroyed.
void clearCursorTable()
{
    g_cursors.clear();
    g_selected = kDefaultCursorSlot;
}

} // namespace

void setScreenCursor(int slot, const QCursor& cursor)
{
    static const bool clearedAtExit = (qAddPostRoutine(clearCursorTable), true);
    Q_UNUSED(clearedAtExit);
    g_cursors.insert(slot, cursor);
}

void selectScreenCursor(int slot)
{
    // At most one override cursor is ever pushed, so selecting twice never stacks them.
    if (g_selected != kDefaultCursorSlot)
        QApplication::restoreOverrideCursor();
    g_selected = kDefaultCursorSlot;
    if (slot == kDefaultCursorSlot)
        return;
    QApplication::setOverrideCursor(g_cursors.value(slot, QCursor(Qt::ArrowCursor)));
    g_selected = slot;
}

int selectedScreenCursor()
{
    return g_selected;
}

} // namespace qv::platform
