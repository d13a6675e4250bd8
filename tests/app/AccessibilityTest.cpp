#include "AppTestSupport.h"
#include "app/AboutBox.h"
#include "app/ConseilDuJourDlg.h"
#include "app/QuorvexMain.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/DiskBenchDlg.h"
#include "bench/ui/DisplayBenchDlg.h"
#include "bench/ui/InetBenchDlg.h"
#include "bench/ui/NetBenchDlg.h"
#include "bench/ui/OverallBenchDlg.h"
#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PerfCPUInfoDlg.h"
#include "bench/ui/PerfMemoireChartDlg.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "bench/ui/PerfMemoireInfoDlg.h"
#include "bench/ui/PerformancesWizardDlg.h"
#include "cpu/ui/InfoCPUDlg.h"
#include "hardware/ui/InfoApplicationsDlg.h"
#include "hardware/ui/InfoCarteMereDlg.h"
#include "hardware/ui/InfoDisquesDlg.h"
#include "hardware/ui/InfoMemoireDlg.h"
#include "hardware/ui/InfoReseauDlg.h"
#include "hardware/ui/InfoResumeDlg.h"
#include "hardware/ui/InfoVideoDlg.h"
#include "net/ui/NetDlg.h"
#include "platform/NetworkNeighbourhood.h"
#include "results/SavedResult.h"
#include "results/ui/ReportDlg.h"
#include "results/ui/ResultsDlg.h"
#include "stress/ui/StressDlg.h"
#include "sysinfo/ui/InfoSystemeDlg.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/net/NetDoubles.h"
#include "tests/support/Accessible.h"
#include "widgets/LED.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using qv::test::accessibilityProblems;

namespace {

// Every window a user can open, each shown as its command shows it, with the machine's answers scripted.
class AccessibleWindows : public WindowTest {
protected:
    const qv::test::ScopedDump processor{
        qv::test::ScopedDump::fromText(qv::test::loadDumpText("amd-k6-2.txt") + "CLOCK 350.0\n")};
    QList<qv::platform::EchoRequest> requests;
    const qv::platform::ScopedIcmpEchoOpener echo{[this](auto) {
        return std::make_unique<qv::test::ScriptedEcho>(qv::platform::EchoOutcome{}, &requests);
    }};
    const qv::platform::ScopedWorkgroupQuery workgroup{[] { return std::optional<QString>(); }};
    QWidget owner;
    qv::benchui::BenchWindows benchWindows{owner};
};

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> create; // nullptr: a long-lived window of benchWindows
    std::function<QWidget&(const qv::benchui::BenchWindows&)> longLived;
};

// One saved session of each kind the results window shows as a page.
std::vector<qv::results::SavedResult> resultsOfAFile()
{
    qv::results::SavedResult session;
    session.label = "lab";
    session.runs.push_back({{{"AluIndex", 200}, {"FpuIndex", 150}, {"GeneralIndex", 180}}, {}});
    session.summary = session.runs.front().figures;
    return {session};
}

template<class Window>
WindowCase made(const char* name)
{
    return {name, [] { return std::make_unique<Window>(); }, {}};
}

class EveryWindow : public AccessibleWindows, public testing::WithParamInterface<WindowCase> {};

// The check that keeps every window readable: a window that grows a nameless control or a command
// without an action fails here. Each new window gets a row.
TEST_P(EveryWindow, HasANameForEveryControlAndAnActionForEveryCommand)
{
    const WindowCase& c = GetParam();
    std::unique_ptr<QWidget> created = c.create ? c.create() : nullptr;
    QWidget& window = created ? *created : c.longLived(benchWindows);
    window.show();
    EXPECT_EQ(accessibilityProblems(window), QStringList());
    window.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Accessibility, EveryWindow,
    testing::Values(
        made<TQuorvexMain>("main window"), made<TAboutBox>("About"),
        made<TConseilDuJourDlg>("tip of the day"), made<TInfoCPUDlg>("processor information"),
        made<TInfoSystemeDlg>("operating system information"), made<TNetDlg>("network check"),
        made<TInfoMemoireDlg>("memory information"), made<TInfoCarteMereDlg>("motherboard information"),
        made<TInfoDisquesDlg>("drives information"), made<qv::stress::TStressDlg>("stability test"),
        made<TInfoVideoDlg>("video information"), made<TInfoReseauDlg>("network information"),
        made<TInfoApplicationsDlg>("installed applications"), made<TInfoResumeDlg>("system summary"),
        made<TPerfCPUInfoDlg>("processor benchmark introduction"),
        made<TPerfMemoireInfoDlg>("memory benchmark introduction"),
        made<TDiskBenchDlg>("hard disk benchmark"), made<TReportDlg>("report"),
        WindowCase{"results",
                   [] {
                       return std::make_unique<TResultsDlg>(nullptr, QStringLiteral("x.qvr"),
                                                            resultsOfAFile(), resultsOfAFile());
                   },
                   nullptr},
        made<TDisplay2DBenchDlg>("standard display benchmark"),
        made<TDisplay3DBenchDlg>("3D display benchmark"), made<TNetBenchDlg>("network connection benchmark"),
        made<TInetBenchDlg>("Internet connection benchmark"), made<TOverallBenchDlg>("overall performances"),
        made<TPerformancesWizardDlg>("performances wizard"),
        WindowCase{"processor benchmark run", nullptr,
                   [](const qv::benchui::BenchWindows& w) -> QWidget& { return w.PerfCPUDlg(); }},
        WindowCase{"memory benchmark run", nullptr,
                   [](const qv::benchui::BenchWindows& w) -> QWidget& { return w.PerfMemoireDlg(); }},
        WindowCase{"processor chart", nullptr,
                   [](const qv::benchui::BenchWindows& w) -> QWidget& { return w.PerfCPUChartDlg(); }},
        WindowCase{"memory chart", nullptr,
                   [](const qv::benchui::BenchWindows& w) -> QWidget& { return w.PerfMemoireChartDlg(); }}),
    qv::test::RowName());

// The twenty feature lights read as check boxes named after their captions, checked exactly where the
// processor has the feature.
TEST_F(AccessibleWindows, TheProcessorWindowsLightsReadWithTheirNamesAndLitStates)
{
    TInfoCPUDlg window;
    window.show();
    const QList<QAccessibleInterface*> lights = qv::test::accessibleWithRole(window, QAccessible::CheckBox);
    ASSERT_EQ(lights.size(), 20);
    int lit = 0;
    for (QAccessibleInterface* light : lights) {
        const auto* led = qobject_cast<TLEDLabel*>(light->object());
        ASSERT_NE(led, nullptr);
        SCOPED_TRACE(led->objectName().toStdString());
        EXPECT_EQ(light->text(QAccessible::Name), led->Caption());
        EXPECT_EQ(light->text(QAccessible::Description), led->toolTip());
        EXPECT_EQ(bool(light->state().checked), led->isEnabled());
        lit += light->state().checked ? 1 : 0;
    }
    // The K6-2 has the FPU, TSC, CX8, MMX and 3DNow! among others, but no SSE.
    EXPECT_GT(lit, 5);
    EXPECT_LT(lit, 20);
    const auto* sse = window.findChild<TLEDLabel*>(QStringLiteral("SupportSIMD"));
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(const_cast<TLEDLabel*>(sse))->state().checked);
}

} // namespace
