#include "platform/CursorTable.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace qv::platform;

TEST(CursorTable, SelectingTheClockSlotOverridesTheCursorUntilTheDefaultReturns)
{
    setScreenCursor(kClockCursorSlot, QCursor(Qt::WaitCursor));
    selectScreenCursor(kClockCursorSlot);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(selectedScreenCursor(), kClockCursorSlot);

    selectScreenCursor(kDefaultCursorSlot);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(selectedScreenCursor(), kDefaultCursorSlot);
}

TEST(CursorTable, SelectingTwiceDoesNotStackOverrides)
{
    setScreenCursor(kClockCursorSlot, QCursor(Qt::WaitCursor));
    selectScreenCursor(kClockCursorSlot);
    selectScreenCursor(kClockCursorSlot);
    selectScreenCursor(kDefaultCursorSlot);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(CursorTable, AnEmptySlotShowsTheArrow)
{
    selectScreenCursor(7);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    selectScreenCursor(kDefaultCursorSlot);
}
