#include "forms/Look.h"
#include "platform/HelpEngine.h"
#include "platform/LinuxSystemFacts.h"
#include "sysinfo/ui/InfoSystemeDlg.h"
#include "tests/support/TestSupport.h"
#include "tests/sysinfo/ScriptedSystemFacts.h"
#include "ui_InfoSystemeDlg.h"
#include "widgets/ElideLabel.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using qv::platform::RegistryRoot;
using qv::test::ScriptedSystemFacts;

const QString kSystemDir = QStringLiteral("C:\\WINDOWS\\SYSTEM");

// A Windows machine of the given platform, version and build, its files of the system directory dated.
ScriptedSystemFacts windowsMachine(std::int32_t platform, std::int32_t major, std::int32_t minor,
                                   std::int32_t build)
{
    ScriptedSystemFacts facts;
    facts.os = {platform, {}, major, minor, build};
    facts.systemDir = kSystemDir;
    facts.windowsDir = QStringLiteral("C:\\WINDOWS");
    facts.tempDir = QStringLiteral("C:\\WINDOWS\\TEMP\\");
    facts.computer = QStringLiteral("BUREAU");
    facts.user = QStringLiteral("ann");
    const QString currentVersion = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    facts.setRegistry(RegistryRoot::LocalMachine, currentVersion, QStringLiteral("RegisteredOwner"),
                      QStringLiteral("Ann Example"));
    facts.setRegistry(RegistryRoot::LocalMachine, currentVersion, QStringLiteral("FirstInstallDateTime"),
                      QByteArray::fromHex("00602E2D"));
    facts.setRegistry(RegistryRoot::LocalMachine, currentVersion, QStringLiteral("ProductID"),
                      QStringLiteral("12345-OEM-0001234-56789"));
    return facts;
}

void dateFile(ScriptedSystemFacts& facts, const char* name, QDate date)
{
    facts.fileDates.insert(kSystemDir + QLatin1Char('\\') + QString::fromLatin1(name), date);
}

class InfoSystemeWindowTest : public qv::test::ErrorCheckedTest {
protected:
    std::unique_ptr<TInfoSystemeDlg> open(const ScriptedSystemFacts& facts)
    {
        m_facts.emplace(std::make_shared<ScriptedSystemFacts>(facts));
        auto window = std::make_unique<TInfoSystemeDlg>();
        window->show();
        return window;
    }

    std::optional<qv::platform::ScopedSystemFacts> m_facts;
};

TEST_F(InfoSystemeWindowTest, Windows95WithServicePack1ShowsItsExtensionsOnTheInstallationPage)
{
    auto facts = windowsMachine(1, 4, 0, 950);
    dateFile(facts, "shell32.dll", {1996, 1, 10});
    dateFile(facts, "kernel32.dll", {1996, 2, 10});
    const auto window = open(facts);
    const Ui::InfoSystemeDlg& form = window->form();
    EXPECT_EQ(form.Plateforme->text(), QStringLiteral("Windows 95"));
    EXPECT_EQ(form.OSVersion->text(), QStringLiteral("4.0"));
    EXPECT_EQ(form.Release->text(), QStringLiteral("950"));
    EXPECT_EQ(form.NumSerie->text(), QStringLiteral("12345-OEM-0001234-56789"));
    EXPECT_TRUE(form.GroupVersionWin95->isVisible());
    EXPECT_EQ(form.VersionWin95->text(), QStringLiteral("4.00.950a"));
    EXPECT_EQ(form.NomUtilisateur->text(), QStringLiteral("Ann Example"));
    EXPECT_EQ(form.NomOrganisation->text(), QStringLiteral("Unknown"));
    EXPECT_EQ(form.NomConnection->text(), QStringLiteral("ann"));
    EXPECT_EQ(form.NomOrdinateur->text(), QStringLiteral("BUREAU"));
    EXPECT_EQ(form.RepSysteme->text(), kSystemDir);
    EXPECT_EQ(form.DateInstallationWindows->text(), QStringLiteral("?")) << "filled on the first page change";

    form.PageControl1->setActivePage(form.TabSheet3);
    EXPECT_TRUE(form.DateInstallationWindows->text().contains(QStringLiteral("12:00:00")));
    EXPECT_TRUE(form.Extentions->isVisible());
    EXPECT_FALSE(form.MSPlus->isChecked());
    EXPECT_TRUE(form.ServicePack1->isChecked());
    EXPECT_FALSE(form.ServicePack2->isChecked());

    // Filled once per showing: later changes of the files are not seen.
    dateFile(facts, "kernel32.dll", {1996, 8, 1});
    m_facts.reset();
    m_facts.emplace(std::make_shared<ScriptedSystemFacts>(facts));
    form.PageControl1->setActivePage(form.TabSheet1);
    form.PageControl1->setActivePage(form.TabSheet3);
    EXPECT_FALSE(form.ServicePack2->isChecked());

    // Clicking a check box changes nothing.
    qv::test::saveScreenshot(*window, QStringLiteral("system_info_win95_installation"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      form.MSPlus->mapTo(window.get(), QPoint(8, 10)));
    EXPECT_FALSE(form.MSPlus->isChecked());
}

TEST_F(InfoSystemeWindowTest, OtherEditionsHideTheGroupsThatDoNotApply)
{
    const auto windows98 = open(windowsMachine(1, 4, 10, 2222));
    EXPECT_EQ(windows98->form().Plateforme->text(), QStringLiteral("Windows 98 Second Edition"));
    EXPECT_EQ(windows98->form().VersionWin95->text(), QStringLiteral("4.100.2222"));
    windows98->form().PageControl1->setActivePage(windows98->form().TabSheet3);
    EXPECT_FALSE(windows98->form().Extentions->isVisible());

    auto facts = windowsMachine(2, 5, 1, 2600);
    facts.setRegistry(RegistryRoot::LocalMachine,
                      QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
                      QStringLiteral("FirstInstallDateTime"), QByteArray::fromHex("00000000"));
    const auto xp = open(facts);
    EXPECT_EQ(xp->form().Plateforme->text(), QStringLiteral("Windows XP (NT technology)"));
    EXPECT_FALSE(xp->form().GroupVersionWin95->isVisible());
    xp->form().PageControl1->setActivePage(xp->form().TabSheet3);
    EXPECT_EQ(xp->form().DateInstallationWindows->text(), QString()) << "an invalid date shows empty";
    EXPECT_FALSE(xp->form().Extentions->isVisible());
}

TEST_F(InfoSystemeWindowTest, ActivatingAgainShowsTheFirstPageAndCloseAndHelpWork)
{
    const auto window = open(windowsMachine(2, 5, 0, 2195));
    const Ui::InfoSystemeDlg& form = window->form();
    form.PageControl1->setActivePage(form.TabSheet4);
    window->FormActivate();
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet1);
    EXPECT_EQ(form.Plateforme->text(), QStringLiteral("Windows 2000 (NT technology)"));

    form.TransparentButton1->click();
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), TInfoSystemeDlg::kHelpContext);
    form.TransparentButton9->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(InfoSystemeWindowTest, KeyboardPageChangesFillTheInstallationPage)
{
    const auto window = open(windowsMachine(2, 5, 1, 2600));
    const Ui::InfoSystemeDlg& form = window->form();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    form.PageControl1->setFocus();
    QTest::keyClick(form.PageControl1, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(form.PageControl1, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(form.PageControl1->ActivePage(), form.TabSheet3);
    EXPECT_NE(form.DateInstallationWindows->text(), QStringLiteral("?"));
}

TEST_F(InfoSystemeWindowTest, LongValuesAreCutWithAnEllipsisAndShownWholeInTheirTooltip)
{
    ScriptedSystemFacts facts = windowsMachine(2, 5, 1, 2600);
    facts.computer = QString(63, QLatin1Char('w'));
    facts.tempDir = QStringLiteral("/home/someone/a/rather/long/path/to/the/folder/of/temporary/files");
    const auto window = open(facts);
    const Ui::InfoSystemeDlg& form = window->form();
    EXPECT_EQ(form.NomOrdinateur->text(), *facts.computer) << "the label keeps the whole value";
    for (TElideLabel* label : {form.NomOrdinateur, form.RepTemp}) {
        EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026))) << label->objectName().toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), label->contentsRect().width());
    }
    EXPECT_EQ(form.RepTemp->shownToolTip(), *facts.tempDir);
    EXPECT_EQ(form.NomOrdinateur->shownToolTip(),
              *facts.computer + QStringLiteral("\nNom du poste de travail"));
    form.PageControl1->setActivePage(form.TabSheet4);
    const QImage image(qv::test::saveScreenshot(*window, QStringLiteral("system_info_long_values")));
    const QRect beyond(
        form.RepTemp->mapTo(window.get(), QPoint(form.RepTemp->width(), 0)),
        QSize(form.GroupBox4->width() - form.RepTemp->geometry().right() - 1, form.RepTemp->height()));
    EXPECT_EQ(qv::test::countPixels(image, qv::look::kDialogText, beyond), 0)
        << "nothing drawn past the label";
    EXPECT_FALSE(form.Release->isElided());
    EXPECT_EQ(form.Release->shownToolTip(), form.Release->toolTip());
}

// This machine on all four pages, for a person to look at.

// The label's text drawn afresh over the given background, in the label's font and the dialog's text
// colour: what the window must show in the label's rectangle.
QImage drawnLabel(const QLabel& label, const QString& text, QImage::Format format, const QColor& background)
{
    QImage image(label.size(), format);
    image.fill(background);
    QPainter painter(&image);
    painter.setFont(label.font());
    painter.setPen(qv::look::kDialogText);
    painter.drawText(image.rect(), static_cast<int>(label.alignment()), text);
    return image;
}

// This machine on all four pages: on each, a label shows its text at its place.
TEST_F(InfoSystemeWindowTest, RendersThisMachineOnEveryPage)
{
    TInfoSystemeDlg window;
    window.show();
    const Ui::InfoSystemeDlg& form = window.form();
    EXPECT_EQ(window.size(), QSize(404, 360));
    const qv::platform::LinuxSystemFacts facts;
    EXPECT_FALSE(form.GroupVersionWin95->isVisible());

    struct Shown {
        TTabSheet* page;
        QLabel* label;
        QString text;
        QString picture;
    };
    const QList<Shown> pages{
        {form.TabSheet1, form.Plateforme, facts.version().platformName, QStringLiteral("os")},
        {form.TabSheet2, form.NomConnection, facts.userName().value_or(QString()), QStringLiteral("user")},
        {form.TabSheet3, form.Label10, QStringLiteral("Install. date  :"), QStringLiteral("installation")},
        {form.TabSheet4, form.RepWindows, facts.windowsDirectory().value_or(QString()),
         QStringLiteral("directories")},
    };
    for (const Shown& shown : pages) {
        SCOPED_TRACE(shown.picture.toStdString());
        ASSERT_FALSE(shown.text.isEmpty());
        form.PageControl1->setActivePage(shown.page);
        const QImage image(qv::test::saveScreenshot(window, QStringLiteral("system_info_") + shown.picture));
        const QImage label =
            image.copy(QRect(shown.label->mapTo(&window, QPoint(0, 0)), shown.label->size()));
        // The group's panel shows at the label's corner, which the vertically centred text never reaches.
        EXPECT_TRUE(label == drawnLabel(*shown.label, shown.text, label.format(), label.pixelColor(0, 0)))
            << "the label does not show \"" << shown.text.toStdString() << '"';
        EXPECT_GT(qv::test::countPixels(image, qv::look::kDialogBackground), 404 * 360 / 3);
    }
    EXPECT_FALSE(form.Extentions->isVisible());
}

} // namespace
