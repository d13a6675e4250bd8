#include "cpu/cxCPU2kVcl.h"
#include "cpu/ui/InfoCPUDlg.h"
#include "platform/CursorTable.h"
#include "platform/HelpEngine.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"
#include "ui_InfoCPUDlg.h"
#include "widgets/LED.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace {

using qv::test::ScopedDump;

constexpr std::uint32_t kCoppermineFeatures = 0x0387FBFF;
constexpr std::uint32_t kK6Features = 0x008021BF; // no PAE, APIC, MTRR, MCA, CMOV or SSE

// Opens the window on a recorded processor whose clock measures `clock` MHz at once.
class InfoCPUWindowTest : public qv::test::ErrorCheckedTest {
protected:
    std::unique_ptr<TInfoCPUDlg> open(const std::string& dump, const char* clock)
    {
        m_dump.emplace(ScopedDump::fromText(dump + "CLOCK " + clock + '\n'));
        auto window = std::make_unique<TInfoCPUDlg>();
        window->show();
        return window;
    }

    static bool enabled(const TInfoCPUDlg& window, const char* indicator)
    {
        const auto* led = window.findChild<TLEDLabel*>(QString::fromLatin1(indicator));
        EXPECT_NE(led, nullptr) << indicator;
        return led && led->isEnabled();
    }

    qv::test::ScopedSystemInfo m_facts{1, 586};
    std::optional<ScopedDump> m_dump;
};

TEST_F(InfoCPUWindowTest, ACoppermineAt866FillsBothPages)
{
    const auto window =
        open(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures, {1, 0, 0, 0x82}), "866.0");
    const Ui::InfoCPUDlg& form = window->form();
    EXPECT_EQ(form.TypeProcesseur->text(), QStringLiteral("Intel Pentium III (0.18µ) at 866 Mhz série EB"));
    EXPECT_EQ(form.BusDonnees->text(), QStringLiteral("64 bits"));
    EXPECT_EQ(form.TailleCacheL2->text(), QStringLiteral("256 Ko"));
    EXPECT_EQ(form.TypeSupport->text(), QStringLiteral("Slot 1"));
    EXPECT_EQ(form.Classe->text(), QStringLiteral("P6"));
    EXPECT_EQ(form.Modele->text(), QStringLiteral("Pentium III (0.18µ)"));
    EXPECT_EQ(form.Frequence->text(), QStringLiteral("866 Mhz"));
    EXPECT_EQ(form.Marque->text(), QStringLiteral("Intel Corporation"));
    EXPECT_EQ(form.FrequenceInterne->text(), QStringLiteral("866 Mhz"));
    EXPECT_EQ(form.FrequenceExterne->text(), QStringLiteral("133 Mhz"));
    EXPECT_EQ(form.FrequencePCI->text(), QStringLiteral("33 Mhz"));
    EXPECT_TRUE(form.Standard->isChecked());
    EXPECT_FALSE(form.OverDrive->isChecked());
    EXPECT_TRUE(form.Copro->isEnabled() && form.SupportMMX->isEnabled() && form.SupportSIMD->isEnabled());
    EXPECT_FALSE(form.Support3DNow->isEnabled());
    for (const char* indicator : {"FPU", "VME", "DE", "PSE", "TSC", "MSR", "PAE", "MCE", "CX8", "APIC",
                                  "MTRR", "PGE", "MCA", "CMOV", "MMX", "SIMD"}) {
        EXPECT_TRUE(enabled(*window, indicator)) << indicator;
    }
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet1);
    EXPECT_TRUE(form.TabSheet2->TabVisible());
}

TEST_F(InfoCPUWindowTest, TheTypeButtonsOnlyShowTheType)
{
    const auto window =
        open(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures, {1, 0, 0, 0x82}), "866.0");
    const Ui::InfoCPUDlg& form = window->form();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    form.PageControl1->setActivePage(form.TabSheet2);
    // On its round mark, through the window as a real click comes (a radio button answers clicks on its mark
    // and caption only).
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      form.OverDrive->mapTo(window.get(), QPoint(8, form.OverDrive->height() / 2)));
    EXPECT_FALSE(form.OverDrive->isChecked()) << "a click";
    // The keyboard: Tab never reaches them, and arrow keys on whatever has the focus leave them.
    for (int press = 0; press < 12; ++press) {
        QTest::keyClick(window.get(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus != form.Standard && focus != form.OverDrive) << press;
        QTest::keyClick(focus ? focus : window.get(), Qt::Key_Down);
    }
    EXPECT_TRUE(form.Standard->isChecked());
    EXPECT_FALSE(form.OverDrive->isChecked()) << "a key";
}

TEST_F(InfoCPUWindowTest, ACoppermineAt866WithoutDescriptor82IsStillSeriesEB)
{
    const auto window =
        open(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures, {1, 0, 0, 0x43}), "866.0");
    EXPECT_EQ(window->form().TypeProcesseur->text(),
              QStringLiteral("Intel Pentium III (0.18µ) at 866 Mhz série EB"));
}

TEST_F(InfoCPUWindowTest, TheSixteenIndicatorsFollowTheFeatureFlags)
{
    const auto window = open(qv::test::dumpText("AuthenticAMD", 0x58C, kK6Features), "350.0");
    for (const char* present : {"FPU", "VME", "DE", "PSE", "TSC", "MSR", "MCE", "CX8", "PGE", "MMX"})
        EXPECT_TRUE(enabled(*window, present)) << present;
    for (const char* absent : {"PAE", "APIC", "MTRR", "MCA", "CMOV", "SIMD"})
        EXPECT_FALSE(enabled(*window, absent)) << absent;
    EXPECT_FALSE(window->form().Support3DNow->isEnabled()) << "family 5 without the 3DNow flag";
}

TEST_F(InfoCPUWindowTest, A3DNowFlagOrAnAmdOfFamily6LightsThe3DNowIndicator)
{
    auto window = open(qv::test::loadDumpText("amd-k6-2.txt"), "350.0");
    EXPECT_TRUE(window->form().Support3DNow->isEnabled());
    window = open(qv::test::dumpText("AuthenticAMD", 0x642, 0x0183F9FF), "1200.0");
    EXPECT_TRUE(window->form().Support3DNow->isEnabled());
    EXPECT_EQ(window->form().Classe->text(), QStringLiteral("P6"));
}

TEST_F(InfoCPUWindowTest, ACeleronWith128KShowsItsOwnTableLinesButKeepsItsModelName)
{
    const auto window = open(qv::test::loadDumpText("intel-celeron-mendocino.txt"), "301.5");
    const Ui::InfoCPUDlg& form = window->form();
    EXPECT_EQ(form.TypeProcesseur->text(), QStringLiteral("Intel Celeron at 300 Mhz"));
    EXPECT_EQ(form.Modele->text(), QStringLiteral("Celeron"));
    EXPECT_EQ(form.TailleCacheL2->text(), QStringLiteral("128 Ko"));
    EXPECT_EQ(form.TypeCacheL2->text(), QStringLiteral("Intégré sur le processeur"));
    EXPECT_EQ(form.FrequenceExterne->text(), QStringLiteral("66 Mhz"));
}

TEST_F(InfoCPUWindowTest, MeasuredHalvesRoundToTheEvenNeighbour)
{
    for (const char* clock : {"865.5", "866.5"}) {
        const auto window =
            open(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures, {1, 0, 0, 0x82}), clock);
        EXPECT_EQ(window->form().Frequence->text(), QStringLiteral("866 Mhz")) << clock;
        EXPECT_EQ(window->form().FrequenceInterne->text(), QStringLiteral("866 Mhz")) << clock;
    }
}

TEST_F(InfoCPUWindowTest, WithoutCpuidOnlyTheGeneralPageRemainsAndItsIndicatorsSayNothing)
{
    const auto window = open(qv::test::loadDumpText("no-cpuid.txt"), "500.0");
    const Ui::InfoCPUDlg& form = window->form();
    EXPECT_EQ(form.TypeProcesseur->text(), QStringLiteral("Unknown Pentium class at 25 Mhz"));
    EXPECT_FALSE(form.TabSheet2->TabVisible());
    EXPECT_FALSE(form.TabSheet2->isVisibleTo(window.get()));
    EXPECT_FALSE(form.TabSheet2->isEnabled());
    EXPECT_EQ(form.PageControl1->tabCount(), 1);
    qv::test::saveScreenshot(*window, QStringLiteral("cpu_info_no_cpuid"));
    for (const TLEDLabel* indicator : {form.Copro, form.SupportMMX, form.Support3DNow, form.SupportSIMD}) {
        EXPECT_FALSE(indicator->isEnabled()) << indicator->objectName().toStdString();
        EXPECT_FALSE(indicator->Lit()) << indicator->objectName().toStdString();
    }
}

TEST_F(InfoCPUWindowTest, ActivatingAgainLeavesEveryTextAndCloseAndHelpWork)
{
    const auto window = open(qv::test::loadDumpText("amd-athlon-thunderbird.txt"), "1203.0");
    const Ui::InfoCPUDlg& form = window->form();
    form.PageControl1->setActivePage(form.TabSheet2);
    const QString title = form.TypeProcesseur->text();
    const QString frequency = form.Frequence->text();
    window->FormActivate();
    EXPECT_EQ(form.TypeProcesseur->text(), title);
    EXPECT_EQ(form.Frequence->text(), frequency);
    EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet1);

    form.TransparentButton1->click();
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), TInfoCPUDlg::kHelpContext);
    form.TransparentButton9->click();
    EXPECT_FALSE(window->isVisible());
}

// A processor source whose clock measurement notes the cursor shown meanwhile, or fails.
class ObservedClock final : public qv::platform::CpuidSource {
public:
    ObservedClock(std::shared_ptr<const qv::platform::CpuidSource> inner, bool fails)
        : m_inner(std::move(inner))
        , m_fails(fails)
    {
    }
    bool identificationFlagToggles() const override { return m_inner->identificationFlagToggles(); }
    qv::platform::CpuidRegisters execute(std::uint32_t leaf) const override { return m_inner->execute(leaf); }
    std::uint64_t readTimeStampCounter() const override { return 0; }
    std::optional<float> scriptedClockMegahertz() const override
    {
        cursorWhileMeasuring = qv::platform::selectedScreenCursor();
        if (m_fails)
            throw std::runtime_error("the clock failed");
        return 866.0f;
    }
    mutable int cursorWhileMeasuring = -1;

private:
    std::shared_ptr<const qv::platform::CpuidSource> m_inner;
    bool m_fails;
};

TEST_F(InfoCPUWindowTest, TheClockCursorShowsWhileTheClockIsMeasuredAndNeverStays)
{
    for (const bool fails : {false, true}) {
        auto clock = std::make_shared<ObservedClock>(
            ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures)), fails);
        const qv::platform::ScopedCpuidSource source(clock);
        if (fails) {
            EXPECT_THROW(TInfoCPUDlg(), std::runtime_error);
        } else {
            const TInfoCPUDlg window;
        }
        EXPECT_EQ(clock->cursorWhileMeasuring, qv::platform::kClockCursorSlot) << fails;
        EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot) << fails;
    }
}

// Every text of every recorded processor fits its label whole; the title may take two lines.
TEST_F(InfoCPUWindowTest, TextsFitTheirLabelsForEveryRecordedProcessor)
{
    for (const QString& file :
         QDir(QStringLiteral(QV_SOURCE_DIR "/tests/cpu/dumps")).entryList(QDir::Files)) {
        const auto window = open(qv::test::loadDumpText(file.toStdString()), "2400.0");
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const QFontMetrics metrics(label->font());
            const QRect needed = metrics.boundingRect(
                label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
            EXPECT_LE(label->wordWrap() ? needed.height() : metrics.horizontalAdvance(label->text()),
                      label->wordWrap() ? label->height() : label->width())
                << file.toStdString() << ": " << label->text().toStdString();
        }
    }
}

// Both pages, for a person to look at: a processor of 1998 and this machine (measured for real).
TEST_F(InfoCPUWindowTest, RendersBothPages)
{
    const auto greenPixels = [](TInfoCPUDlg& window, const QImage& image, const char* indicator) {
        const auto* led = window.findChild<TLEDLabel*>(QString::fromLatin1(indicator));
        return qv::test::countPixels(
            image, [](const QColor& c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 40; },
            QRect(led->mapTo(&window, QPoint(0, 0)), led->size()));
    };
    const auto renderPages = [](TInfoCPUDlg& window, const QString& name) {
        const Ui::InfoCPUDlg& form = window.form();
        const QImage general(qv::test::saveScreenshot(window, name + QStringLiteral("_general")));
        form.PageControl1->setActivePage(form.TabSheet2);
        const QImage detailed(qv::test::saveScreenshot(window, name + QStringLiteral("_detailed")));
        return std::pair{general, detailed};
    };

    const auto k6 = open(qv::test::dumpText("AuthenticAMD", 0x58C, kK6Features), "350.0");
    const auto [general, detailed] = renderPages(*k6, QStringLiteral("cpu_info_k6"));
    EXPECT_GT(greenPixels(*k6, general, "SupportMMX"), 0) << "a present feature glows green";
    EXPECT_EQ(greenPixels(*k6, general, "SupportSIMD"), 0) << "an absent one is grey";
    EXPECT_GT(greenPixels(*k6, detailed, "FPU"), 0);
    EXPECT_EQ(greenPixels(*k6, detailed, "CMOV"), 0);

    m_dump.reset();
    TInfoCPUDlg thisMachine;
    thisMachine.show();
    EXPECT_NE(thisMachine.form().TypeProcesseur->text(), QStringLiteral("?"));
    renderPages(thisMachine, QStringLiteral("cpu_info_this_machine"));
}

} // namespace
