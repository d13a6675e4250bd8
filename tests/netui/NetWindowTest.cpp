#include "forms/Look.h"
#include "net/Icmp.h"
#include "net/WSocket.h"
#include "net/ui/NetDlg.h"
#include "platform/Dialogs.h"
#include "platform/HelpEngine.h"
#include "tests/net/NetDoubles.h"
#include "tests/support/TestSupport.h"
#include "ui_NetDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using qv::platform::ResourceKind;

using qv::test::resource;

const QStringList kAdvice{
    QString(), QStringLiteral("Network connection failed."),
    QStringLiteral("Check the hostname or IP address you typed in is correct"),
    QStringLiteral("Check the network cable is properly connected and network drivers installed.")};

class NetWindowTest : public qv::test::ErrorCheckedTest {
protected:
    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        resolver->names.insert(
            QStringLiteral("server.test"),
            qv::test::hostEntry(QStringLiteral("server.test"),
                                {QStringLiteral("192.0.2.7"), QStringLiteral("192.0.2.8")}));
        resolver->addresses.insert(qv::platform::parseInetAddr(QStringLiteral("192.0.2.7")),
                                   QStringLiteral("server.test"));
        neighbourhood->containers.insert(QString(),
                                         {{resource(QStringLiteral("Samba"), ResourceKind::Any, true)}, 0});
        neighbourhood->containers.insert(QStringLiteral("Samba"),
                                         {{resource(QStringLiteral("HOME"), ResourceKind::Any, true)}, 0});
        neighbourhood->containers.insert(
            QStringLiteral("HOME"), {{resource(QStringLiteral("\\\\SERVER"), ResourceKind::Any, true)}, 0});
        neighbourhood->containers.insert(
            QStringLiteral("\\\\SERVER"),
            {{resource(QStringLiteral("\\\\SERVER\\Public"), ResourceKind::Disk)}, 0});
        answer(true);
        reopen();
    }

    // The echo is opened with the window: a new answer needs a new window.
    void reopen()
    {
        window.reset();
        window = std::make_unique<TNetDlg>();
        window->show();
    }

    void answer(bool reply)
    {
        qv::platform::EchoOutcome outcome;
        if (reply) {
            outcome.replies = 1;
            outcome.reply.roundTripTime = 7;
            outcome.reply.dataSize = 56;
        } else {
            outcome.errorCode = qv::platform::echo_status::kRequestTimedOut;
        }
        m_opener.reset();
        m_opener.emplace(
            [this, outcome](auto) { return std::make_unique<qv::test::ScriptedEcho>(outcome, &requests); });
    }

    QStringList memo() const { return form().DisplayMemo->toPlainText().split(QLatin1Char('\n')); }
    const Ui::NetDlg& form() const { return window->form(); }

    void check(const QString& host)
    {
        form().HostEdit->setText(host);
        form().pingButton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form().pingButton->isEnabled(); }, 5000));
    }

    std::shared_ptr<qv::test::ScriptedResolver> resolver = std::make_shared<qv::test::ScriptedResolver>();
    qv::platform::ScopedNameResolver m_resolver{resolver};
    std::shared_ptr<qv::test::ScriptedNeighbourhood> neighbourhood =
        std::make_shared<qv::test::ScriptedNeighbourhood>();
    qv::platform::ScopedNetworkNeighbourhood m_neighbourhood{neighbourhood};
    qv::platform::ScopedWorkgroupQuery m_workgroup{
        [] { return std::optional<QString>(QStringLiteral("HOME")); }};
    std::optional<qv::platform::ScopedIcmpEchoOpener> m_opener;
    QList<qv::platform::EchoRequest> requests;
    std::unique_ptr<TNetDlg> window;
};

TEST_F(NetWindowTest, TheConnectionCheckWritesEachOutcome)
{
    EXPECT_EQ(form().HostEdit->text(), TNetDlg::kDefaultHost);
    check(QStringLiteral("server.test"));
    EXPECT_EQ(memo(), (QStringList{QStringLiteral("Searching distant computer 'server.test'"),
                                   QStringLiteral("Distant computer 'server.test' is 192.0.2.7"),
                                   QStringLiteral("Sending 56 byte to 192.0.2.7 (192.0.2.7)"),
                                   QStringLiteral("Receiving 56 byte from 192.0.2.7 in 7 msecs"), QString(),
                                   QStringLiteral("Network link OK.")}));

    check(QStringLiteral("missing.test"));
    EXPECT_EQ(memo(), (QStringList{QStringLiteral("Searching distant computer 'missing.test'"),
                                   QStringLiteral("Unable to find host 'missing.test'")} +
                       kAdvice));

    answer(false);
    reopen();
    check(QStringLiteral("192.0.2.9"));
    EXPECT_EQ(
        memo(),
        (QStringList{QStringLiteral("Searching distant computer '192.0.2.9'"),
                     QStringLiteral("Distant computer '192.0.2.9' is 192.0.2.9"),
                     QStringLiteral("Sending 56 byte to 192.0.2.9 (192.0.2.9)"),
                     QStringLiteral("Unable to reach distant computer (192.0.2.9) : Request timed out")} +
         kAdvice));
    EXPECT_EQ(resolver->calls(), 2) << "a dotted address is not looked up";

    // The broadcast address is the one dotted text that reads as "no address": nothing is sent, and the
    // check still ends with its verdict.
    resolver->names.insert(
        QStringLiteral("255.255.255.255"),
        qv::test::hostEntry(QStringLiteral("255.255.255.255"), {QStringLiteral("255.255.255.255")}));
    requests.clear();
    check(QStringLiteral("255.255.255.255"));
    EXPECT_EQ(
        memo(),
        (QStringList{QStringLiteral("Searching distant computer '255.255.255.255'"),
                     QStringLiteral("Distant computer '255.255.255.255' is 255.255.255.255"),
                     QStringLiteral("Unable to reach distant computer (255.255.255.255) : Bad Destination")} +
         kAdvice));
    EXPECT_TRUE(requests.isEmpty());
}

TEST_F(NetWindowTest, AltCOnTheConnectionPageChecksAndNeverCloses)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    form().PageControl1->setActivePage(form().TabSheet2);
    form().HostEdit->setText(QStringLiteral("192.0.2.9"));
    for (int press = 0; press < 2; ++press) {
        QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form().pingButton->isEnabled(); }, 5000));
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(requests.size(), 2) << "each press checks";
}

// Tab follows the first page as it is seen: the page tabs, the resource type chosen (not the first one of
// its group), the tree beside it, then the analysis button below.
TEST_F(NetWindowTest, TabFollowsTheFirstPageAndLandsOnTheChosenResourceType)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* tabs = form().PageControl1->tabBar();
    tabs->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int press = 0; press < 6; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              (QStringList{QStringLiteral("ResourceItem3"), QStringLiteral("VSNetTreeView1"),
                           QStringLiteral("button_AnalyseReseau"), QStringLiteral("TransparentButton9"),
                           QStringLiteral("TransparentButton1"), QString()}))
        << "then Close, Help and round to the page tabs";
    form().ResourceItem4->setChecked(true);
    tabs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form().ResourceItem4) << "the Tab stop follows the choice";
}

TEST_F(NetWindowTest, LookupsShowTheirStatusAndResults)
{
    const auto lookUp = [&](TTransparentButton* button, const QString& text) {
        form().HostEditLookUp->setText(text);
        button->click();
        EXPECT_FALSE(form().ReverseLookUpButton->isEnabled() &&
                     form().IPLabel->text().endsWith(QLatin1String("...")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return form().LookupButton->isEnabled(); }, 5000));
    };
    lookUp(form().LookupButton, QStringLiteral("server.test"));
    EXPECT_EQ(form().IPLabel->text(), QStringLiteral("192.0.2.7  (2 adress(es))"));
    EXPECT_EQ(form().IPListMemo->toPlainText(), QStringLiteral("192.0.2.7\n192.0.2.8"));
    EXPECT_FALSE(form().CancelButtonLookUp->isEnabled());
    lookUp(form().LookupButton, QStringLiteral("10.0.0.1"));
    EXPECT_EQ(form().IPLabel->text(), QStringLiteral("10.0.0.1  (0 adress(es))"));
    lookUp(form().ReverseLookUpButton, QStringLiteral("192.0.2.7"));
    EXPECT_EQ(form().IPLabel->text(), QStringLiteral("server.test  (1 adress(es))"));
    lookUp(form().LookupButton, QStringLiteral("missing.test"));
    EXPECT_EQ(form().IPLabel->text(), QStringLiteral("Unknown, Error #11001"));
    EXPECT_TRUE(form().IPListMemo->toPlainText().isEmpty());

    resolver->hold();
    form().HostEditLookUp->setText(QStringLiteral("server.test"));
    form().LookupButton->click();
    form().CancelButtonLookUp->click();
    EXPECT_EQ(form().IPLabel->text(), QStringLiteral("Unknown, Error #10004"));
    EXPECT_TRUE(form().ReverseLookUpButton->isEnabled());
    resolver->release();
    form().CancelButtonLookUp->click(); // nothing pending: the label only clears
    EXPECT_EQ(form().IPLabel->text(), QString());

    form().LocalIPButton->click();
    EXPECT_EQ(form().IPListMemo->toPlainText(), qv::net::LocalIPList().join(QLatin1Char('\n')));
    EXPECT_EQ(form().HostEditLookUp->text(), qv::net::LocalIPList().value(0));
}

TEST_F(NetWindowTest, TheAddressCheckRefusesWhatIsNoAddress)
{
    QStringList refused;
    const qv::platform::ScopedErrorPresenter capture(
        [&](QWidget*, const QString& title, const QString& text) {
            refused << title + QStringLiteral(": ") + text;
        });
    for (const QString& text : {QStringLiteral("1.2.3.x"), QString()}) {
        form().HostEditLookUp->setText(text);
        form().ReverseLookUpButton->click();
    }
    EXPECT_EQ(refused,
              QStringList(2, QStringLiteral("Invalid IP address: Invalid IP address (ex: 192.0.2.1)")));
    EXPECT_TRUE(form().LookupButton->isEnabled()) << "nothing else changes";

    form().HostEditLookUp->setText(QString());
    form().LookupButton->click();
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("DNS lookup: invalid host name.")});
    EXPECT_TRUE(form().CancelButtonLookUp->isEnabled());
    form().CancelButtonLookUp->click();
    EXPECT_TRUE(form().LookupButton->isEnabled());
    EXPECT_TRUE(form().ReverseLookUpButton->isEnabled()) << "no completion comes to enable it";
}

TEST_F(NetWindowTest, AnalysisFillsTheTreeAndClosingDuringARunIsSafe)
{
    EXPECT_EQ(form().LabelChemin->text(), QStringLiteral("Network path: "));
    form().button_AnalyseReseau->click();
    EXPECT_EQ(form().LabelWorkGroup->text(), QStringLiteral("Workgroup (Domain): HOME"));
    EXPECT_FALSE(form().button_AnalyseReseau->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().button_AnalyseReseau->isEnabled(); }, 5000));
    EXPECT_FALSE(form().Button_Stop->isVisible());
    const QList<QTreeWidgetItem*> shares =
        form().VSNetTreeView1->findItems(QStringLiteral("Public"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(shares.isEmpty());
    form().VSNetTreeView1->setCurrentItem(shares.first());
    EXPECT_EQ(form().LabelChemin->text(), QStringLiteral("Chemin réseau: \\\\SERVER\\Public"));

    neighbourhood->hold();
    const int listings = neighbourhood->listings();
    form().button_AnalyseReseau->click();
    EXPECT_TRUE(form().Button_Stop->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return neighbourhood->listings() > listings; }, 5000));
    QTimer::singleShot(50, window.get(), [this] { neighbourhood->release(); });
    window->close(); // stops and waits for the run, serving it meanwhile
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form().VSNetTreeView1->Running());
}

TEST_F(NetWindowTest, StopAndCloseTakeEffectAtOnceWithAFrozenServer)
{
    neighbourhood->hold();
    form().button_AnalyseReseau->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return neighbourhood->listings() == 1; }, 5000));
    QElapsedTimer clock;
    clock.start();
    form().Button_Stop->click();
    EXPECT_EQ(form().LabelChemin->text(), QStringLiteral("Stopping the network analysis..."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().button_AnalyseReseau->isEnabled(); }, 5000));
    EXPECT_LT(clock.elapsed(), 1000) << "Stop";
    EXPECT_EQ(form().LabelChemin->text(), QStringLiteral("Network path: "));

    form().button_AnalyseReseau->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return neighbourhood->listings() == 2; }, 5000));
    clock.restart();
    window->close();
    EXPECT_LT(clock.elapsed(), 1000) << "Close";
    EXPECT_FALSE(window->isVisible());

    neighbourhood->release();
    ASSERT_TRUE(QTest::qWaitFor([] { return TCustomNetTreeView::workersRunning() == 0; }, 5000));
}

TEST_F(NetWindowTest, CaptionsKeepClearOfTheButtonMark)
{
    form().PageControl1->setActivePage(form().TabSheet3);
    for (TTransparentButton* button :
         {form().LookupButton, form().ReverseLookUpButton, form().LocalIPButton}) {
        const QRect area(button->mapTo(window.get(), QPoint(0, 0)), button->size());
        const QImage withCaption = window->grab(area).toImage();
        const QString caption = button->Caption();
        button->setCaption(QString());
        const QImage bare = window->grab(area).toImage();
        button->setCaption(caption);
        const int markEnd = (button->width() - button->Glyph().deviceIndependentSize().toSize().width()) / 2 +
                            qv::look::kButtonPictureMark;
        int touched = 0;
        for (int y = 0; y < bare.height(); ++y)
            for (int x = 0; x < markEnd; ++x)
                touched += withCaption.pixel(x, y) != bare.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(touched, 0) << caption.toStdString();
    }
}

TEST_F(NetWindowTest, HelpAndTheThreePagesRendered)
{
    form().TransparentButton1->click();
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), TNetDlg::kHelpContext);
    EXPECT_EQ(window->size(), QSize(504, 485));

    form().button_AnalyseReseau->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().button_AnalyseReseau->isEnabled(); }, 5000));
    form().VSNetTreeView1->expandAll();
    check(QStringLiteral("server.test"));
    form().HostEditLookUp->setText(QStringLiteral("server.test"));
    form().LookupButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().LookupButton->isEnabled(); }, 5000));

    const QList<TTabSheet*> pages{form().TabSheet1, form().TabSheet2, form().TabSheet3};
    const QList<QWidget*> shown{form().VSNetTreeView1, form().DisplayMemo, form().IPLabel};
    const QStringList names{QStringLiteral("analysis"), QStringLiteral("check"), QStringLiteral("lookup")};
    for (int i = 0; i < pages.size(); ++i) {
        form().PageControl1->setActivePage(pages[i]);
        const QImage image(qv::test::saveScreenshot(*window, QStringLiteral("net_check_") + names[i]));
        const QRect area(shown[i]->mapTo(window.get(), QPoint(0, 0)), shown[i]->size());
        EXPECT_GT(qv::test::countPixels(
                      image, [](const QColor& c) { return c.lightness() < 100; }, area),
                  20)
            << names[i].toStdString() << ": its texts are drawn";
    }
}

} // namespace
