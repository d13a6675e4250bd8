#include "bench/ui/PerfCPUDlg.h"

#include "bench/BenchmarkRuns.h"
#include "bench/Scoring.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PictureStores.h"
#include "forms/Look.h"
#include "platform/Dialogs.h"
#include "results/report/SessionLog.h"
#include "ui_PerfCPUDlg.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

const QString kInProgress = QStringLiteral("in progress...");
const QString kDone = QStringLiteral("done.");

// The status texts: paragraphs separated by an empty line.
const QString kAluStatus =
    QStringLiteral("Quorvex is now evaluating your CPU's ALU performances.\n\n"
                   "Basics operations, integer arithmetic, logic are now beeing processed.\n\n"
                   "CPU's performances strongly depends on ALU performances.");
const QString kFpuStatus = QStringLiteral(
    "Quorvex is now evaluating your CPU's FPU performances.\n\n"
    "Float operations, trigonometric functions, complex functions are now beeing processed\n\n"
    "The FPU's performances are very importants for 3D modeling softwares, CAD, and 3D games 3D.");

void setUpCheckMark(TAnimated& check, const QString& strip, const QColor& key)
{
    check.setBitMap(QPixmap(QStringLiteral(":/pictures/") + strip));
    check.setFrameCount(8);
    check.setTransparentColor(key);
    check.setPlay(false);
}

} // namespace

TPerfCPUDlg::TPerfCPUDlg(QWidget* parent)
    : BenchRunWindow(parent, kHelpContext)
    , m_ui(std::make_unique<Ui::PerfCPUDlg>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    setFont(qv::look::arialFont(12));
    for (QLabel* header : {m_ui->Label6, m_ui->Label7})
        qv::look::fillBackground(*header, qv::look::kDialogBackground);
    for (QLabel* detail : {m_ui->Label3, m_ui->Label4})
        detail->setFont(qv::look::arialFont(11));
    setUpCheckMark(*m_ui->checkALU, QStringLiteral("check_red.png"), QColor(255, 0, 0));
    setUpCheckMark(*m_ui->checkFPU, QStringLiteral("check_grey.png"), QColor(128, 128, 128));
}

TPerfCPUDlg::~TPerfCPUDlg() = default;

void TPerfCPUDlg::FormActivate()
{
    m_ui->ImageFond->setPixmap(qv::benchui::BenchWindows::instance().FondGrisDlg().GreyBackground());
    m_ui->checkALU->hide();
    m_ui->checkFPU->hide();
    m_ui->etatALU->clear();
    m_ui->etatFPU->clear();
    m_ui->Status->clear();
    qv::look::setBold(*m_ui->LabelALU, false);
    qv::look::setBold(*m_ui->LabelFPU, false);
    qv::look::setBold(*m_ui->Status, true);
    QApplication::processEvents();
}

void TPerfCPUDlg::showAluStep()
{
    qv::look::setBold(*m_ui->Status, false);
    qv::look::setBold(*m_ui->LabelALU, true);
    m_ui->etatALU->setText(kInProgress);
    m_ui->Status->setText(kAluStatus);
    repaint();
}

void TPerfCPUDlg::showFpuStep()
{
    m_ui->etatALU->setText(kDone);
    m_ui->checkALU->show();
    m_ui->etatFPU->setText(kInProgress);
    qv::look::setBold(*m_ui->LabelALU, false);
    qv::look::setBold(*m_ui->LabelFPU, true);
    m_ui->Status->setText(kFpuStatus);
    repaint();
}

void TPerfCPUDlg::showDoneStep()
{
    m_ui->etatFPU->setText(kDone);
    m_ui->checkFPU->show();
    qv::look::setBold(*m_ui->LabelFPU, false);
    repaint();
}

void TPerfCPUDlg::RunCpuBenchmark()
{
    using namespace qv::bench;
    const auto measure = [this] {
        qv::cli::ProgramSession session(qv::results::Benchmark::Cpu, qv::cli::programSignature());
        session.begin();
        QElapsedTimer elapsed;
        elapsed.start();
        showAluStep();
        const double dhrystone = m_kernels.dhrystoneRate(kDhrystoneScale);
        AluIndex = ScoreAlu(dhrystone);
        showFpuStep();
        const double whetstone = m_kernels.whetstoneRate(kWhetstoneScale);
        const double mflops = m_kernels.livermoreMflops(kLivermoreScale);
        FpuIndex = ScoreFpu(whetstone, mflops);
        showDoneStep();
        GeneralIndex = ScoreGeneral(AluIndex, FpuIndex);
        qv::cli::sessionLog().add(session.finish({{"DhrystoneRate", dhrystone},
                                                  {"WhetstoneRate", whetstone},
                                                  {"LivermoreMflops", mflops},
                                                  {"AluIndex", double(AluIndex)},
                                                  {"FpuIndex", double(FpuIndex)},
                                                  {"GeneralIndex", double(GeneralIndex)},
                                                  {"ElapsedMs", double(elapsed.elapsed())}}));
    };
    const auto showChart = [this] {
        TPerfCPUChartDlg chart(this);
        chart.SetIndices(AluIndex, FpuIndex, GeneralIndex);
        qv::platform::showModal(chart);
    };
    runMeasurement(measure, showChart);
}
