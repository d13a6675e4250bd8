#include "bench/ui/PerfMemoireChartDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/charts/ComparisonBars.h"
#include "bench/charts/DigitCounter.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "bench/ui/PictureStores.h"
#include "bench/ui/ResultSaving.h"
#include "platform/ExceptionGuard.h"
#include "results/SavedResult.h"
#include "ui_PerfMemoireChartDlg.h"

#include <utility>

using qv::bench::MemoryFamily;
using qv::platform::guardedSlot;

namespace {
constexpr int kCaptionPixelSize = 12;
}

TPerfMemoireChartDlg::TPerfMemoireChartDlg(QWidget* parent)
    : BenchChartDialog(parent, TPerfMemoireDlg::kHelpContext)
    , m_ui(std::make_unique<Ui::PerfMemoireChartDlg>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    m_ui->Chart1->setAxisTitle(qv::bench::memoryAxisTitle());
    m_ui->Chart1->setMarkArrowLength(qv::charts::kMemoryMarkArrowLength);
    m_ui->Chart1->setDragZoomEnabled(true);
    qv::benchui::styleChartCaption(*m_ui->Famille);
    // The longest family titles fit the caption a pixel smaller than the CPU window's captions.
    QFont captionFont = m_ui->Famille->font();
    captionFont.setPixelSize(kCaptionPixelSize);
    m_ui->Famille->setFont(captionFont);
    qv::benchui::styleChartLegend(*m_ui->Label6);
    qv::benchui::styleCompareGroup(*m_ui->GroupBox2);
    bindCommandButtons(m_ui->Imprimer, m_ui->Button2, m_ui->Button1);

    const std::pair<QPushButton*, void (TPerfMemoireChartDlg::*)()> familyButtons[] = {
        {m_ui->CompareTo486, &TPerfMemoireChartDlg::CompareTo486Click},
        {m_ui->CompareToPentium, &TPerfMemoireChartDlg::CompareToPentiumClick},
        {m_ui->CompareToPentiumII, &TPerfMemoireChartDlg::CompareToPentiumIIClick},
        {m_ui->ButtonPentiumIII, &TPerfMemoireChartDlg::PentiumIIIClick},
        {m_ui->Button3, &TPerfMemoireChartDlg::Button3Click}};
    for (const auto& [button, handler] : familyButtons)
        connect(button, &QPushButton::clicked, this, guardedSlot(this, handler));
    qv::benchui::ResultSaving::attach(*this, {m_ui->Chart1},
                                      qv::benchui::lastSessionOf(qv::results::Benchmark::Mem));
}

TPerfMemoireChartDlg::~TPerfMemoireChartDlg() = default;

void TPerfMemoireChartDlg::FormActivate()
{
    const TEtoileDlg& stars = qv::benchui::BenchWindows::instance().EtoileDlg();
    m_ui->Chart1->setBackgroundPicture(stars.ChartBackground().toImage());
    m_ui->Chart1->clearBars();

    fillFamily(qv::bench::memoryFamilyForIndex(UserIndex));

    const qv::bench::Rating rating = qv::bench::memoryRating(UserIndex);
    m_ui->RatingPanel->showRating(stars.StarsPicture(rating.stars), rating.verdict);
    m_ui->RatingPanel->startCounter(UserIndex, qv::charts::kMemoryCounterStep,
                                    qv::charts::kMemoryCounterIntervalMs);
}

void TPerfMemoireChartDlg::fillFamily(MemoryFamily family)
{
    m_family = family;
    m_ui->Famille->setText(qv::bench::memoryFamilyTitle(family));
    m_ui->Chart1->setBars(qv::charts::memoryChartBars(family, UserIndex));
}

void TPerfMemoireChartDlg::CompareTo486Click()
{
    fillFamily(MemoryFamily::I486);
}
void TPerfMemoireChartDlg::CompareToPentiumClick()
{
    fillFamily(MemoryFamily::Pentium);
}
void TPerfMemoireChartDlg::CompareToPentiumIIClick()
{
    fillFamily(MemoryFamily::PentiumII);
}
void TPerfMemoireChartDlg::PentiumIIIClick()
{
    fillFamily(MemoryFamily::PentiumIII4);
}
void TPerfMemoireChartDlg::Button3Click()
{
    fillFamily(MemoryFamily::DuronAthlon);
}
