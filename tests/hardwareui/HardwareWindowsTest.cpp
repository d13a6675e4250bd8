#include "hardware/tree/MachineTree.h"
#include "hardware/ui/InfoCarteMereDlg.h"
#include "hardware/ui/InfoDisquesDlg.h"
#include "hardware/ui/InfoMemoireDlg.h"
#include "hardware/ui/UsageBar.h"
#include "platform/HelpEngine.h"
#include "tests/hardware/SmbiosImages.h"
#include "tests/hardwareui/ReplayedMachine.h"
#include "tests/support/TestSupport.h"
#include "widgets/ExtPage.h"
#include "widgets/LED.h"
#include "widgets/TransBtn.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using qv::test::ReplayedMachine;

// The texts of the labels of `widget`, shown or not, in creation order.
QStringList labelTexts(const QWidget& widget)
{
    QStringList texts;
    for (const QLabel* label : widget.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

class HardwareWindows : public qv::test::ErrorCheckedTest {};

TEST_F(HardwareWindows, MemoryWindowShowsTheUsageBarAndEverySlotWithTheEmptyOnesGreyed)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoMemoireDlg window;
    window.show();
    // 16 GiB of which 12 GiB are available.
    EXPECT_EQ(window.memoryBar().percent(), 25);
    EXPECT_EQ(window.memoryBar().caption(), QStringLiteral("25 % in use (4 GiB of 16 GiB)"));
    const QImage bar = window.memoryBar().grab().toImage();
    const auto filled = [](const QColor& c) { return c.blue() > c.red() + 40; };
    const int fillEnd = qv::hardwareui::UsageBar::filledWidth(bar.width() - 4, 25);
    EXPECT_GT(qv::test::countPixels(bar, filled, QRect(2, 2, fillEnd, bar.height() - 4)), fillEnd * 4);
    EXPECT_EQ(qv::test::countPixels(bar, filled, QRect(fillEnd + 8, 2, 40, 3)), 0);
    qv::test::saveScreenshot(window, QStringLiteral("memory-window-desktop-summary"));

    window.pages().setCurrentIndex(1);
    const QTableWidget* table = window.slotTable();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 4);
    QStringList sizes;
    for (int row = 0; row < 4; ++row)
        sizes << table->item(row, 1)->text();
    EXPECT_EQ(sizes, (QStringList{QStringLiteral("8 GiB"), QStringLiteral("Empty"), QStringLiteral("32 GiB"),
                                  QStringLiteral("Empty")}));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("DDR4 DIMM"));
    EXPECT_NE(table->item(1, 0)->foreground().color(), table->item(0, 0)->foreground().color());
    qv::test::saveScreenshot(window, QStringLiteral("memory-window-desktop-slots"));
}

TEST_F(HardwareWindows, MemoryWindowOfAMachineWithoutDmiSaysSoOnBothPages)
{
    const ReplayedMachine machine(qv::test::writeVirtualMachineTree);
    TInfoMemoireDlg window;
    window.show();
    EXPECT_EQ(window.slotTable(), nullptr);
    const QString note = QStringLiteral("This machine's firmware describes no memory slots.");
    EXPECT_EQ(labelTexts(window).count(note), 2) << "the summary and the slots page";
    window.pages().setCurrentIndex(1);
    const auto* notes = window.findChild<QLabel*>(QStringLiteral("SlotNotes"));
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->isVisible());
    EXPECT_GT(notes->height(), 10);
    qv::test::saveScreenshot(window, QStringLiteral("memory-window-no-dmi-slots"));
}

// The label that names `fact` on `page` and the value beside it.
QString factValue(const QWidget& page, const QString& fact)
{
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (label->accessibleName() == fact)
            return label->text();
    return QStringLiteral("(no such fact)");
}

TEST_F(HardwareWindows, MotherboardWindowShowsSystemBiosAndBoardPages)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoCarteMereDlg window;
    window.show();
    const auto* system = window.findChild<QWidget*>(QStringLiteral("SystemPage"));
    const auto* bios = window.findChild<QWidget*>(QStringLiteral("BiosPage"));
    const auto* board = window.findChild<QWidget*>(QStringLiteral("BoardPage"));
    ASSERT_TRUE(system && bios && board);
    EXPECT_EQ(factValue(*system, QStringLiteral("Model")), QStringLiteral("NW-7000 Desktop"));
    EXPECT_EQ(factValue(*system, QStringLiteral("Chassis")), QStringLiteral("Desktop"));
    EXPECT_EQ(factValue(*bios, QStringLiteral("Date")), QStringLiteral("03/15/2024"));
    EXPECT_EQ(factValue(*board, QStringLiteral("Model")), QStringLiteral("Z790-NW"));
    EXPECT_EQ(factValue(*board, QStringLiteral("Processor socket")), QStringLiteral("LGA1200"));
    ASSERT_NE(window.featureList(), nullptr);
    EXPECT_EQ(window.featureList()->count(), int(window.facts().biosCharacteristics->size()));
    EXPECT_GT(window.featureList()->count(), 2);
    qv::test::saveScreenshot(window, QStringLiteral("motherboard-window-desktop-system"));
    window.pages().setCurrentIndex(1);
    qv::test::saveScreenshot(window, QStringLiteral("motherboard-window-desktop-bios"));
}

TEST_F(HardwareWindows, MotherboardWindowOfAMachineWithoutDmiSaysSoOnEveryPage)
{
    const ReplayedMachine machine(qv::test::writeVirtualMachineTree);
    TInfoCarteMereDlg window;
    window.show();
    EXPECT_EQ(window.featureList(), nullptr);
    const QString note = QStringLiteral("This machine's firmware does not describe its board.");
    for (int page = 0; page < window.pages().count(); ++page) {
        window.pages().setCurrentIndex(page);
        const QWidget* shown = window.pages().currentWidget();
        SCOPED_TRACE(shown->objectName().toStdString());
        const auto* notes = shown->findChild<QLabel*>(QStringLiteral("Notes"));
        ASSERT_NE(notes, nullptr);
        EXPECT_TRUE(notes->isVisible());
        EXPECT_TRUE(notes->text().contains(note));
    }
    qv::test::saveScreenshot(window, QStringLiteral("motherboard-window-no-dmi-board"));
}

TEST_F(HardwareWindows, DrivesWindowShowsTheChosenDiskAndItsVolumesWithUsageBars)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoDisquesDlg window;
    window.show();
    QStringList disks;
    for (int row = 0; row < window.diskList().count(); ++row)
        disks << window.diskList().item(row)->text().section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(disks, (QStringList{QStringLiteral("nvme0n1"), QStringLiteral("sda"), QStringLiteral("sdb")}));

    // The first disk is shown: the EFI partition, then the root at 45 % of its recorded figures.
    const QTreeWidget& volumes = window.volumes();
    ASSERT_EQ(volumes.topLevelItemCount(), 2);
    QTreeWidgetItem* root = volumes.topLevelItem(1);
    EXPECT_EQ(root->text(1), QStringLiteral("ext4 \"root\""));
    EXPECT_EQ(root->text(3), QStringLiteral("/"));
    EXPECT_EQ(root->text(4), QStringLiteral("45 % in use (419.1 GiB of 931.3 GiB)"));
    const auto* bar = qobject_cast<qv::hardwareui::UsageBar*>(volumes.itemWidget(root, 4));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->percent(), 45);
    EXPECT_EQ(volumes.itemWidget(volumes.topLevelItem(0), 4), nullptr) << "the EFI partition is not mounted";
    const auto lit = [&](const char* name) {
        return window.findChild<TLEDLabel*>(QString::fromLatin1(name))->isEnabled();
    };
    EXPECT_TRUE(lit("SolidState"));
    EXPECT_FALSE(lit("Removable"));
    qv::test::saveScreenshot(window, QStringLiteral("drives-window-desktop-nvme"));
    const QImage shot = window.grab().toImage();
    const QRect barArea(bar->mapTo(&window, QPoint(2, 2)), QSize(bar->width() * 45 / 100 - 4, 8));
    EXPECT_GT(qv::test::countPixels(
                  shot, [](const QColor& c) { return c.blue() > c.red() + 40; }, barArea),
              barArea.width() * 4)
        << "the bar is filled to its share";

    // The SATA disk: the encrypted volume sits under its partition, and the lights follow the disk.
    window.diskList().setCurrentRow(1);
    ASSERT_EQ(volumes.topLevelItemCount(), 1);
    ASSERT_EQ(volumes.topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(volumes.topLevelItem(0)->child(0)->text(3), QStringLiteral("/mnt/my data"));
    window.diskList().setCurrentRow(2);
    EXPECT_TRUE(lit("Removable")) << "the USB stick";
    const auto* model = window.findChild<QLabel*>(QStringLiteral("Model"));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->text(), QStringLiteral("Pocket_32"));
    EXPECT_TRUE(model->isVisible());
    EXPECT_FALSE(labelTexts(window).contains(QStringLiteral("NW Fast 1TB")))
        << "the first disk's facts are gone";
    qv::test::saveScreenshot(window, QStringLiteral("drives-window-desktop-usb"));
}

// True when `page` shows something: a text, or a list or table with rows.
bool showsSomething(const QWidget& page)
{
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (label->isVisible() && !label->text().trimmed().isEmpty())
            return true;
    for (const QAbstractItemView* view : page.findChildren<QAbstractItemView*>())
        if (view->isVisible() && view->model()->rowCount() > 0)
            return true;
    return false;
}

// On this machine, whatever its firmware gives, every page of every hardware window shows something.
TEST_F(HardwareWindows, OnThisMachineNoPageIsEmpty)
{
    const std::vector<std::pair<QString, std::function<std::unique_ptr<qv::hardwareui::HardwareDialog>()>>>
        windows{{QStringLiteral("memory"), [] { return std::make_unique<TInfoMemoireDlg>(); }},
                {QStringLiteral("motherboard"), [] { return std::make_unique<TInfoCarteMereDlg>(); }},
                {QStringLiteral("drives"), [] { return std::make_unique<TInfoDisquesDlg>(); }}};
    for (const auto& [name, open] : windows) {
        const auto window = open();
        window->show();
        for (int page = 0; page < window->pages().count(); ++page) {
            window->pages().setCurrentIndex(page);
            const QWidget* shown = window->pages().currentWidget();
            EXPECT_TRUE(showsSomething(*shown))
                << name.toStdString() << ' ' << shown->objectName().toStdString();
            qv::test::saveScreenshot(*window,
                                     QStringLiteral("%1-window-this-machine-%2").arg(name).arg(page + 1));
        }
    }
}

// The frame every hardware window shares: Return closes, Help and F1 ask for the command's topic.
TEST_F(HardwareWindows, ReturnClosesAndHelpShowsTheCommandsTopic)
{
    const ReplayedMachine machine(qv::test::writeVirtualMachineTree);
    auto& help = qv::platform::HelpEngine::instance();
    TInfoMemoireDlg window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.lastRequestedContext(), 3);
    help.showHelp(&window, qv::platform::HelpEngine::kContents);
    window.helpButton().click();
    EXPECT_EQ(help.lastRequestedContext(), 3);
    EXPECT_EQ(window.closeButton().Caption(), QStringLiteral("&Close"));
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
