// The video, network, installed-applications and summary windows over the hand-made machines, rendered
// headless.
#include "hardware/ui/InfoApplicationsDlg.h"
#include "hardware/ui/InfoReseauDlg.h"
#include "hardware/ui/InfoResumeDlg.h"
#include "hardware/ui/InfoVideoDlg.h"
#include "platform/NetworkNeighbourhood.h"
#include "tests/hardware/SmbiosImages.h"
#include "tests/hardwareui/ReplayedMachine.h"
#include "tests/support/TestSupport.h"
#include "widgets/ExtPage.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using qv::test::ReplayedMachine;

QString valueOf(const QWidget& page, const QString& fact)
{
    for (const QLabel* label : page.findChildren<QLabel*>())
        if (label->accessibleName() == fact)
            return label->text();
    return QStringLiteral("(no such fact)");
}

class PeripheralWindows : public qv::test::ErrorCheckedTest {};

TEST_F(PeripheralWindows, VideoWindowShowsAdaptersMonitorsScreensAndOpenGl)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoVideoDlg window;
    window.show();
    const auto* adapters = window.findChild<QTableWidget*>(QStringLiteral("AdaptersTable"));
    ASSERT_NE(adapters, nullptr);
    EXPECT_EQ(adapters->rowCount(), 2);
    EXPECT_EQ(adapters->item(1, 1)->text(), QStringLiteral("amdgpu"));
    EXPECT_EQ(adapters->item(0, 3)->text(), QStringLiteral("Shared"));
    qv::test::saveScreenshot(window, QStringLiteral("video-window-desktop-adapters"));
    window.pages().setCurrentIndex(1);
    const auto* monitors = window.findChild<QTableWidget*>(QStringLiteral("MonitorsTable"));
    ASSERT_NE(monitors, nullptr);
    EXPECT_EQ(monitors->item(0, 0)->text(), QStringLiteral("DP-1"));
    EXPECT_TRUE(monitors->item(0, 2)->text().startsWith(QStringLiteral("Dell Inc. DELL U2719D")));
    EXPECT_EQ(monitors->item(1, 2)->text(), QString());
    const QImage shown = window.grab().toImage();
    EXPECT_GT(shown.width(), 600);
    qv::test::saveScreenshot(window, QStringLiteral("video-window-desktop-monitors"));
    window.pages().setCurrentIndex(3);
    EXPECT_EQ(valueOf(*window.pages().currentWidget(), QStringLiteral("Vendor")), QStringLiteral("AMD"));
}

TEST_F(PeripheralWindows, VideoWindowSaysWhyScreensAndOpenGlAreMissing)
{
    const ReplayedMachine laptop(qv::test::writeLaptopTree);
    TInfoVideoDlg window;
    window.show();
    for (int page : {1, 2, 3}) {
        window.pages().setCurrentIndex(page);
        const auto* notes = window.pages().currentWidget()->findChild<QLabel*>(QStringLiteral("Notes"));
        ASSERT_NE(notes, nullptr) << page;
        EXPECT_TRUE(notes->isVisible()) << page;
        EXPECT_FALSE(notes->text().isEmpty()) << page;
    }
    qv::test::saveScreenshot(window, QStringLiteral("video-window-laptop-opengl"));
}

TEST_F(PeripheralWindows, NetworkWindowShowsItsIdentityThenTheWorkgroupWhenItAnswers)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoReseauDlg window;
    QSignalSpy answered(&window, &TInfoReseauDlg::workgroupAnswered);
    window.show();
    const QWidget& identity = *window.findChild<QWidget*>(QStringLiteral("IdentityPage"));
    EXPECT_EQ(valueOf(identity, QStringLiteral("User")), QStringLiteral("Ada Lovelace"));
    ASSERT_TRUE(answered.count() > 0 || answered.wait(5000));
    EXPECT_EQ(valueOf(identity, QStringLiteral("Workgroup")), QStringLiteral("ENGINES"));
    qv::test::saveScreenshot(window, QStringLiteral("network-window-desktop-identity"));
    window.pages().setCurrentIndex(1);
    const QTableWidget& interfaces = window.interfaceTable();
    ASSERT_EQ(interfaces.rowCount(), 3);
    EXPECT_EQ(interfaces.item(2, 0)->text(), QStringLiteral("lo")) << "loopback last";
    EXPECT_EQ(interfaces.item(1, 5)->text(), QStringLiteral("1000 Mbit/s, full"));
    qv::test::saveScreenshot(window, QStringLiteral("network-window-desktop-interfaces"));
}

TEST_F(PeripheralWindows, NetworkWindowOpensBeforeASlowWorkgroupAnswers)
{
    std::atomic<bool> release = false;
    const qv::platform::ScopedWorkgroupQuery slow([&release] {
        while (!release)
            QThread::msleep(5);
        return std::optional(QStringLiteral("LATE"));
    });
    qv::test::FakeTree files;
    const qv::hardware::ScopedMachineTree live(
        std::make_shared<qv::hardware::FolderTree>(files.path(), qv::hardware::FolderTree::Facts::Live));
    auto window = std::make_unique<TInfoReseauDlg>();
    QSignalSpy answered(window.get(), &TInfoReseauDlg::workgroupAnswered);
    window->show();
    EXPECT_EQ(answered.count(), 0) << "the window did not wait for the query";
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Workgroup"))->text(),
              QStringLiteral("Asking the network…"));
    release = true;
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_EQ(window->facts().workgroup, "LATE");
}

TEST_F(PeripheralWindows, ApplicationsWindowSortsBySizeAndFilters)
{
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoApplicationsDlg window;
    window.show();
    const auto* desktopTable = window.findChild<QTableWidget*>(QStringLiteral("DesktopTable"));
    ASSERT_NE(desktopTable, nullptr);
    EXPECT_EQ(desktopTable->rowCount(), 2);
    EXPECT_EQ(window.pages().currentIndex(), 0) << "desktop applications first";
    window.pages().setCurrentIndex(1);
    const QTableView& table = window.packageTable();
    EXPECT_EQ(table.model()->rowCount(), 2);
    EXPECT_EQ(window.countLabel().text(), QStringLiteral("2 packages, 390 KiB installed"));
    const_cast<QTableView&>(table).sortByColumn(3, Qt::DescendingOrder);
    EXPECT_EQ(table.model()->index(0, 0).data().toString(), QStringLiteral("vim-common"));
    window.filterBox().setText(QStringLiteral("PYTHON"));
    EXPECT_EQ(table.model()->rowCount(), 1);
    EXPECT_EQ(window.countLabel().text(), QStringLiteral("1 shown of 2 packages, 390 KiB installed"));
    qv::test::saveScreenshot(window, QStringLiteral("applications-window-desktop-filtered"));
}

TEST_F(PeripheralWindows, SummaryWindowHasSevenPagesAndOpensWithoutAsking)
{
    int asked = 0;
    const qv::platform::ScopedWorkgroupQuery query([&asked] {
        ++asked;
        return std::optional<QString>();
    });
    const ReplayedMachine desktop(qv::test::writeDesktopTree);
    TInfoResumeDlg window;
    window.show();
    ASSERT_EQ(window.pages().count(), 7);
    window.pages().setCurrentIndex(4);
    EXPECT_EQ(window.pages().currentWidget()->objectName(), QStringLiteral("VideoPage"));
    EXPECT_TRUE(
        valueOf(*window.pages().currentWidget(), QStringLiteral("Monitor")).contains(QStringLiteral("DELL")));
    qv::test::saveScreenshot(window, QStringLiteral("summary-window-desktop-video"));
    window.pages().setCurrentIndex(0);
    qv::test::saveScreenshot(window, QStringLiteral("summary-window-desktop-processor"));
    EXPECT_EQ(asked, 0);
}

} // namespace
