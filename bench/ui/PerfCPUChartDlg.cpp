#include "bench/ui/PerfCPUChartDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/charts/ComparisonBars.h"
#include "bench/charts/DigitCounter.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PictureStores.h"
#include "bench/ui/ResultSaving.h"
#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "results/SavedResult.h"
#include "ui_PerfCPUChartDlg.h"

using qv::bench::CpuChart;
using qv::bench::CpuFamily;
using qv::platform::guardedSlot;

TPerfCPUChartDlg::TPerfCPUChartDlg(QWidget* parent)
    : BenchChartDialog(parent, TPerfCPUDlg::kHelpContext)
    , m_ui(std::make_unique<Ui::PerfCPUChartDlg>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    for (CpuChart which : qv::bench::kCpuCharts)
        chart(which).setAxisTitle(qv::bench::cpuAxisTitle(which));
    qv::benchui::styleChartCaption(*m_ui->Famille);
    qv::benchui::styleChartCaption(*m_ui->FamilleALU);
    qv::benchui::styleChartCaption(*m_ui->FamilleFPU);
    for (QLabel* legend : {m_ui->Label1, m_ui->Label2, m_ui->Label3})
        qv::benchui::styleChartLegend(*legend);
    for (TTransparentButton* page :
         {m_ui->BoutonOngletCPU, m_ui->TransparentButton1, m_ui->TransparentButton2})
        qv::benchui::stylePageButton(*page);
    qv::benchui::styleCompareGroup(*m_ui->GroupBox1);
    bindCommandButtons(m_ui->Imprimer, m_ui->Button2, m_ui->Button1);
    connectButtons();
    qv::benchui::ResultSaving::attach(
        *this, {&chart(CpuChart::General), &chart(CpuChart::Alu), &chart(CpuChart::Fpu)},
        qv::benchui::lastSessionOf(qv::results::Benchmark::Cpu));
}

TPerfCPUChartDlg::~TPerfCPUChartDlg() = default;

void TPerfCPUChartDlg::connectButtons()
{
    const auto onClick = [this](auto* button, void (TPerfCPUChartDlg::*handler)()) {
        connect(button, &std::remove_pointer_t<decltype(button)>::clicked, this, guardedSlot(this, handler));
    };
    onClick(m_ui->BoutonOngletCPU, &TPerfCPUChartDlg::BoutonOngletCPUClick);
    onClick(m_ui->TransparentButton1, &TPerfCPUChartDlg::TransparentButton1Click);
    onClick(m_ui->TransparentButton2, &TPerfCPUChartDlg::TransparentButton2Click);
    onClick(m_ui->CompareToPentium, &TPerfCPUChartDlg::CompareToPentiumClick);
    onClick(m_ui->ButtonCeleron, &TPerfCPUChartDlg::ButtonCeleronClick);
    onClick(m_ui->ButtonDuron, &TPerfCPUChartDlg::ButtonDuronClick);
    onClick(m_ui->CompareToPentiumII, &TPerfCPUChartDlg::CompareToPentiumIIClick);
    onClick(m_ui->ButtonAthlon, &TPerfCPUChartDlg::ButtonAthlonClick);
    onClick(m_ui->CompareTo486, &TPerfCPUChartDlg::CompareToPentiumIIIClick);
    onClick(m_ui->ButtonTBird, &TPerfCPUChartDlg::ButtonTBirdClick);
    onClick(m_ui->buttonCompareToPentium4, &TPerfCPUChartDlg::buttonCompareToPentium4Click);
    onClick(m_ui->buttonCompareToAthlonXP, &TPerfCPUChartDlg::buttonCompareToAthlonXPClick);
}

void TPerfCPUChartDlg::SetIndices(std::int32_t alu, std::int32_t fpu, std::int32_t general)
{
    AluIndex = alu;
    FpuIndex = fpu;
    GeneralIndex = general;
}

qv::charts::BarChartView& TPerfCPUChartDlg::chart(CpuChart which) const
{
    switch (which) {
    case CpuChart::General:
        return *m_ui->Chart1;
    case CpuChart::Alu:
        return *m_ui->Chart2;
    case CpuChart::Fpu:
        break;
    }
    return *m_ui->Chart3;
}

QLabel& TPerfCPUChartDlg::caption(CpuChart which) const
{
    switch (which) {
    case CpuChart::General:
        return *m_ui->Famille;
    case CpuChart::Alu:
        return *m_ui->FamilleALU;
    case CpuChart::Fpu:
        break;
    }
    return *m_ui->FamilleFPU;
}

void TPerfCPUChartDlg::FormActivate()
{
    const TEtoileDlg& stars = qv::benchui::BenchWindows::instance().EtoileDlg();
    const QImage background = stars.ChartBackground().toImage();
    for (CpuChart which : qv::bench::kCpuCharts) {
        chart(which).setBackgroundPicture(background);
        chart(which).clearBars();
    }
    showPage(m_ui->TabSheet1);

    fillFamily(qv::bench::cpuFamilyForIndex(GeneralIndex));

    const qv::bench::Rating rating = qv::bench::cpuRating(GeneralIndex);
    m_ui->RatingPanel->showRating(stars.StarsPicture(rating.stars), rating.verdict);
    m_ui->RatingPanel->startCounter(GeneralIndex, qv::charts::kCpuCounterStep,
                                    qv::charts::kCpuCounterIntervalMs);
}

void TPerfCPUChartDlg::fillFamily(CpuFamily family)
{
    m_family = family;
    for (CpuChart which : qv::bench::kCpuCharts) {
        const std::int32_t index = which == CpuChart::General ? GeneralIndex
                                   : which == CpuChart::Alu   ? AluIndex
                                                              : FpuIndex;
        caption(which).setText(qv::bench::cpuChartCaption(family, which));
        chart(which).setBars(qv::charts::cpuChartBars(family, which, index));
    }
}

// Shows a chart page; its button stays down while the page is shown.
void TPerfCPUChartDlg::showPage(QWidget* page)
{
    m_ui->PageControl1->setCurrentWidget(page);
    m_ui->BoutonOngletCPU->setDown(page == m_ui->TabSheet1);
    m_ui->TransparentButton1->setDown(page == m_ui->TabSheet2);
    m_ui->TransparentButton2->setDown(page == m_ui->TabSheet3);
}

void TPerfCPUChartDlg::BoutonOngletCPUClick()
{
    showPage(m_ui->TabSheet1);
}
void TPerfCPUChartDlg::TransparentButton1Click()
{
    showPage(m_ui->TabSheet2);
}
void TPerfCPUChartDlg::TransparentButton2Click()
{
    showPage(m_ui->TabSheet3);
}
void TPerfCPUChartDlg::CompareToPentiumClick()
{
    fillFamily(CpuFamily::Pentium);
}
void TPerfCPUChartDlg::ButtonCeleronClick()
{
    fillFamily(CpuFamily::Celeron);
}
void TPerfCPUChartDlg::ButtonDuronClick()
{
    fillFamily(CpuFamily::Duron);
}
void TPerfCPUChartDlg::CompareToPentiumIIClick()
{
    fillFamily(CpuFamily::PentiumII);
}
void TPerfCPUChartDlg::ButtonAthlonClick()
{
    fillFamily(CpuFamily::Athlon);
}
void TPerfCPUChartDlg::CompareToPentiumIIIClick()
{
    fillFamily(CpuFamily::PentiumIII);
}
void TPerfCPUChartDlg::ButtonTBirdClick()
{
    fillFamily(CpuFamily::AthlonThunderbird);
}
void TPerfCPUChartDlg::buttonCompareToPentium4Click()
{
    fillFamily(CpuFamily::Pentium4);
}
void TPerfCPUChartDlg::buttonCompareToAthlonXPClick()
{
    fillFamily(CpuFamily::AthlonXP);
}
