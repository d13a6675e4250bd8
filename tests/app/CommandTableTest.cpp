#include "app/CommandTable.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

using namespace qv::app;

TEST(CommandTable, EveryCommandHasOneMenuItemAndAtMostOneButton)
{
    QSet<QString> names;
    int buttons = 0;
    for (const CommandInfo& info : allCommands()) {
        ASSERT_NE(info.menuItem.objectName, nullptr);
        EXPECT_FALSE(names.contains(QString::fromLatin1(info.menuItem.objectName)))
            << info.menuItem.objectName;
        names.insert(QString::fromLatin1(info.menuItem.objectName));
        if (info.button.objectName) {
            ++buttons;
            EXPECT_FALSE(names.contains(QString::fromLatin1(info.button.objectName)))
                << info.button.objectName;
            names.insert(QString::fromLatin1(info.button.objectName));
        }
    }
    EXPECT_EQ(buttons, 9 + 9 + 4 + 5);
}

TEST(CommandTable, EveryButtonStandsOnExactlyOnePageAndEveryItemInExactlyOneMenu)
{
    QMap<Command, int> pagesPerButton;
    for (int page = 0; page < kPageCount; ++page)
        for (Command command : pageButtons(static_cast<Page>(page)))
            ++pagesPerButton[command];
    QMap<Command, int> menusPerItem;
    for (const MenuLayout& menu : menuBarLayout())
        for (const MenuEntry& entry : menu.entries)
            if (!entry.isSeparator)
                ++menusPerItem[entry.command];

    for (const CommandInfo& info : allCommands()) {
        SCOPED_TRACE(info.menuItem.objectName);
        EXPECT_EQ(pagesPerButton.value(info.command), info.button.objectName ? 1 : 0);
        EXPECT_EQ(menusPerItem.value(info.command), 1);
    }
}

TEST(CommandTable, OnlyTheFunctionsOfThisVersionOpenWindows)
{
    QList<Command> windows;
    for (const CommandInfo& info : allCommands())
        if (info.kind == CommandKind::Window)
            windows.append(info.command);
    EXPECT_EQ(windows, (QList<Command>{Command::PerfProcessor, Command::PerfMemory, Command::InfoProcessor,
                                       Command::InfoOperatingSystem, Command::ToolStability,
                                       Command::ToolNetworkCheck}));
}
