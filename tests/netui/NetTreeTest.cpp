#include "net/ui/NetTreeView.h"
#include "platform/Dialogs.h"
#include "tests/net/NetDoubles.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using qv::platform::ResourceKind;

using qv::test::resource;

// Two workgroups; this machine's (HOME, answered as "HO ME") holds SERVER with a disk and a printer.
std::shared_ptr<qv::test::ScriptedNeighbourhood> neighbourhood()
{
    auto scripted = std::make_shared<qv::test::ScriptedNeighbourhood>();
    scripted->containers.insert(QString(), {{resource(QStringLiteral("Samba"), ResourceKind::Any, true)}, 0});
    scripted->containers.insert(QStringLiteral("Samba"),
                                {{resource(QStringLiteral("OFFICE"), ResourceKind::Any, true),
                                  resource(QStringLiteral("HOME"), ResourceKind::Any, true)},
                                 0});
    scripted->containers.insert(QStringLiteral("HOME"),
                                {{resource(QStringLiteral("\\\\SERVER"), ResourceKind::Any, true),
                                  resource(QStringLiteral("\\\\NAS"), ResourceKind::Any, true)},
                                 0});
    scripted->containers.insert(QStringLiteral("OFFICE"),
                                {{resource(QStringLiteral("\\\\PRINTHOST"), ResourceKind::Any, true)}, 0});
    scripted->containers.insert(QStringLiteral("\\\\SERVER"),
                                {{resource(QStringLiteral("\\\\SERVER\\Public"), ResourceKind::Disk),
                                  resource(QStringLiteral("\\\\SERVER\\Laser"), ResourceKind::Print)},
                                 0});
    scripted->containers.insert(QStringLiteral("\\\\NAS"),
                                {{resource(QStringLiteral("\\\\NAS\\Backup"), ResourceKind::Disk)}, 0});
    scripted->directoryTable.insert(
        QStringLiteral("\\\\SERVER\\Public"),
        {QStringLiteral("."), QStringLiteral(".."), QStringLiteral("Music"), QStringLiteral("Docs")});
    return scripted;
}

QStringList texts(const QTreeWidgetItem* parent)
{
    QStringList result;
    for (int i = 0; i < parent->childCount(); ++i)
        result << parent->child(i)->text(0);
    return result;
}

QStringList roots(const QTreeWidget& tree)
{
    return texts(tree.invisibleRootItem());
}

QTreeWidgetItem* find(const QTreeWidget& tree, const QString& text)
{
    const QList<QTreeWidgetItem*> found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

class NetTreeTest : public qv::test::ErrorCheckedTest {
protected:
    void run(TCustomNetTreeView::TResourceType type, bool inOtherThread = true)
    {
        tree.setResourceType(type);
        tree.setInOtherThread(inOtherThread);
        tree.StartAnalysis();
        if (inOtherThread) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return done > 0; }, 5000));
        }
    }

    std::shared_ptr<qv::test::ScriptedNeighbourhood> scripted = neighbourhood();
    qv::platform::ScopedNetworkNeighbourhood m_neighbourhood{scripted};
    qv::platform::ScopedWorkgroupQuery m_workgroup{
        [] { return std::optional<QString>(QStringLiteral("HO ME")); }};
    TVSNetTreeView tree;
    int done = 0;

    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        tree.OnDone = [this](QObject* sender) {
            EXPECT_EQ(sender, &tree);
            ++done;
        };
    }
};

TEST_F(NetTreeTest, AThreadedRunShowsEveryKindSortedWithTheLocalComputersAtTheTop)
{
    run(TCustomNetTreeView::rtAny);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(tree.Running());
    EXPECT_EQ(tree.WorkgroupName(), QStringLiteral("HOME")) << "blanks removed";
    EXPECT_EQ(roots(tree),
              (QStringList{QStringLiteral("Samba"), QStringLiteral("NAS"), QStringLiteral("SERVER")}));
    const QTreeWidgetItem* provider = tree.topLevelItem(0);
    EXPECT_EQ(TCustomNetTreeView::imageOf(provider), TCustomNetTreeView::kProviderImage);
    EXPECT_EQ(texts(provider), (QStringList{QStringLiteral("HOME"), QStringLiteral("OFFICE")}));
    EXPECT_EQ(texts(provider->child(0)), (QStringList{QStringLiteral("NAS"), QStringLiteral("SERVER")}));
    const QTreeWidgetItem* server = provider->child(0)->child(1);
    EXPECT_EQ(TCustomNetTreeView::imageOf(server), TCustomNetTreeView::kComputerImage);
    EXPECT_EQ(texts(server), (QStringList{QStringLiteral("Laser"), QStringLiteral("Public")}));
    EXPECT_EQ(server->child(0)->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator) << "a printer";
    EXPECT_EQ(server->child(1)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator) << "a disk";
    EXPECT_EQ(texts(tree.topLevelItem(2)), texts(server)) << "the copy keeps the subtree";
}

TEST_F(NetTreeTest, ResourceTypesStopAtTheirLevel)
{
    const struct {
        TCustomNetTreeView::TResourceType type;
        const char* deepest;
        const char* absent;
    } rows[] = {
        {TCustomNetTreeView::rtProvider, "Samba", "HOME"},
        {TCustomNetTreeView::rtWorkgroup, "OFFICE", "SERVER"},
        {TCustomNetTreeView::rtComputer, "PRINTHOST", "Public"},
        {TCustomNetTreeView::rtDisk, "Public", "Laser"},
        {TCustomNetTreeView::rtPrint, "Laser", "Public"},
    };
    for (const auto& row : rows) {
        run(row.type, false);
        EXPECT_NE(find(tree, QString::fromLatin1(row.deepest)), nullptr) << row.deepest;
        EXPECT_EQ(find(tree, QString::fromLatin1(row.absent)), nullptr) << row.absent;
    }
    EXPECT_EQ(done, 0) << "a run on the calling thread has no OnDone";
}

TEST_F(NetTreeTest, PathsAndDirectoryListing)
{
    run(TCustomNetTreeView::rtAny, false);
    QTreeWidgetItem* share = tree.topLevelItem(0)->child(0)->child(1)->child(1);
    ASSERT_EQ(share->text(0), QStringLiteral("Public"));
    tree.setCurrentItem(tree.topLevelItem(0)->child(0));
    EXPECT_EQ(tree.SelectedPath(), QString()) << "a workgroup";
    tree.setCurrentItem(share->parent());
    EXPECT_EQ(tree.SelectedPath(), QStringLiteral("SERVER"));
    tree.setCurrentItem(share);
    EXPECT_EQ(tree.SelectedPath(), QStringLiteral("\\\\SERVER\\Public"));

    // Directories are listed from the neighbourhood the tree was built from, whatever is installed since.
    const qv::platform::ScopedNetworkNeighbourhood another{
        std::make_shared<qv::test::ScriptedNeighbourhood>()};
    share->setExpanded(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return share->childCount() == 2; }, 5000));
    EXPECT_EQ(texts(share), (QStringList{QStringLiteral("Docs"), QStringLiteral("Music")}));
    EXPECT_EQ(TCustomNetTreeView::NodePath(share->child(0)), QStringLiteral("\\\\SERVER\\Public\\Docs"));
    share->setExpanded(false);
    share->setExpanded(true);
    EXPECT_EQ(scripted->directoryListings(), 1) << "a share with children is not listed again";

    scripted->directoryTable.insert(QStringLiteral("\\\\NAS\\Backup"), {});
    QTreeWidgetItem* backup = find(tree, QStringLiteral("Backup"));
    backup->setExpanded(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted->directoryListings() == 2; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return backup->childIndicatorPolicy() == QTreeWidgetItem::DontShowIndicator; }, 5000))
        << "nothing to list";
}

TEST_F(NetTreeTest, StopEndsARunSoonAndAnotherCanStart)
{
    tree.StopAnalysis(); // idle: nothing happens
    scripted->hold();
    tree.StartAnalysis();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted->listings() == 1; }, 5000));
    EXPECT_TRUE(tree.Running());
    tree.StopAnalysis();
    EXPECT_TRUE(tree.Stopping());
    scripted->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 5000));
    EXPECT_EQ(tree.topLevelItemCount(), 0) << "nothing is added once the stop is asked";
    tree.StartAnalysis();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 2; }, 5000));
    EXPECT_NE(find(tree, QStringLiteral("Public")), nullptr);
}

// A server that never answers: the worker stays inside the library call.
TEST_F(NetTreeTest, AFrozenServerNeverHoldsStopOrClose)
{
    scripted->hold();
    tree.StartAnalysis();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted->listings() == 1; }, 5000));
    QElapsedTimer clock;
    clock.start();
    tree.StopAnalysis();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 5000));
    EXPECT_LT(clock.elapsed(), 1000) << "Stop";
    EXPECT_FALSE(tree.Running());

    auto closing = std::make_unique<TVSNetTreeView>();
    closing->StartAnalysis();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted->listings() == 2; }, 5000));
    clock.restart();
    closing.reset();
    EXPECT_LT(clock.elapsed(), 1000) << "closing";

    // The workers come back later to nobody: their results are dropped, the tree stays as it was.
    scripted->release();
    ASSERT_TRUE(QTest::qWaitFor([] { return TCustomNetTreeView::workersRunning() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(done, 1);
}

TEST_F(NetTreeTest, ListingAFrozenShareKeepsTheTreeLiveAndAFailedNodeCanBeOpenedAgain)
{
    run(TCustomNetTreeView::rtAny, false);
    QTreeWidgetItem* share = tree.topLevelItem(0)->child(0)->child(1)->child(1);
    scripted->holdDirectories();
    QElapsedTimer clock;
    clock.start();
    share->setExpanded(true);
    EXPECT_LT(clock.elapsed(), 500) << "the listing waits on its own worker";
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted->directoryListings() == 1; }, 5000));
    EXPECT_EQ(share->childCount(), 0);
    scripted->releaseDirectories();
    ASSERT_TRUE(QTest::qWaitFor([&] { return share->childCount() == 2; }, 5000));

    QTreeWidgetItem* backup = find(tree, QStringLiteral("Backup"));
    backup->setExpanded(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !backup->isExpanded(); }, 5000)) << "the listing failed";
    EXPECT_EQ(backup->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator) << "still expandable";
    scripted->directoryTable.insert(QStringLiteral("\\\\NAS\\Backup"), {QStringLiteral("Daily")});
    backup->setExpanded(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return backup->childCount() == 1; }, 5000)) << "tried again";
    ASSERT_TRUE(QTest::qWaitFor([] { return TCustomNetTreeView::workersRunning() == 0; }, 5000));
}

TEST_F(NetTreeTest, LongNamesScrollSideways)
{
    const QString longName = QStringLiteral("A share whose name is much longer than the tree is wide");
    scripted->containers[QStringLiteral("\\\\NAS")].entries = {
        resource(QStringLiteral("\\\\NAS\\") + longName, ResourceKind::Disk)};
    tree.resize(200, 150);
    tree.show();
    run(TCustomNetTreeView::rtAny, false);
    find(tree, longName)->parent()->setExpanded(true);
    tree.scrollToItem(find(tree, longName));
    QCoreApplication::processEvents();
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(tree.columnWidth(0), tree.fontMetrics().horizontalAdvance(longName)) << "the name is never cut";
}

TEST_F(NetTreeTest, AnEnumerationErrorIsShownOnce)
{
    QStringList shown;
    const qv::platform::ScopedInformationPresenter capture(
        [&](QWidget*, const QString& text) { shown << text; });
    scripted->containers[QStringLiteral("OFFICE")].error = 5;
    run(TCustomNetTreeView::rtAny);
    EXPECT_EQ(shown, QStringList{QStringLiteral("WNetEnumResource Error")});
    EXPECT_NE(find(tree, QStringLiteral("PRINTHOST")), nullptr) << "the entries before the error stay";
}

} // namespace
