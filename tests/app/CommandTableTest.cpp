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
    for (const CommandSpec& spec : allCommands()) {
        ASSERT_NE(spec.menuItem.objectName, nullptr);
        EXPECT_FALSE(names.contains(QString::fromLatin1(spec.menuItem.objectName)))
            << spec.menuItem.objectName;
        names.insert(QString::fromLatin1(spec.menuItem.objectName));
        if (spec.button.objectName) {
            ++buttons;
            EXPECT_FALSE(names.contains(QString::fromLatin1(spec.button.objectName)))
                << spec.button.objectName;
            names.insert(QString::fromLatin1(spec.button.objectName));
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

    for (const CommandSpec& spec : allCommands()) {
        SCOPED_TRACE(spec.menuItem.objectName);
        EXPECT_EQ(pagesPerButton.value(spec.command), spec.button.objectName ? 1 : 0);
        EXPECT_EQ(menusPerItem.value(spec.command), 1);
    }
}

TEST(CommandTable, OnlyTheFiveFunctionsOfThisVersionOpenWindows)
{
    QList<Command> windows;
    for (const CommandSpec& spec : allCommands())
        if (spec.kind == CommandKind::Window)
            windows.append(spec.command);
    EXPECT_EQ(windows, (QList<Command>{Command::PerfProcessor, Command::PerfMemory, Command::InfoProcessor,
                                       Command::InfoOperatingSystem, Command::ToolNetworkCheck}));
}
