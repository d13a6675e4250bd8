#include "bench/ui/PerfMemoireDlg.h"

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfMemoireChartDlg.h"
#include "bench/ui/PictureStores.h"
#include "forms/Look.h"
#include "platform/Dialogs.h"
#include "results/report/SessionLog.h"
#include "ui_PerfMemoireDlg.h"

#include <QApplication>

namespace {

const QString kRunningStatus =
    QStringLiteral("Quorvex is now evaluating the performances of the memory subsystem...");

qv::bench::MemoryBenchmarkFigures runRealKernel()
{
    return qv::bench::runMemoryKernel();
}

} // namespace

TPerfMemoireDlg::TPerfMemoireDlg(QWidget* parent)
    : BenchRunWindow(parent, kHelpContext)
    , m_ui(std::make_unique<Ui::PerfMemoireDlg>())
    , m_kernel(runRealKernel)
{
    m_ui->setupUi(this);
    setFixedSize(size());
    setFont(qv::look::arialFont(12));
}

TPerfMemoireDlg::~TPerfMemoireDlg() = default;

void TPerfMemoireDlg::setKernel(qv::benchui::MemoryKernel kernel)
{
    m_kernel = kernel ? std::move(kernel) : runRealKernel;
}

void TPerfMemoireDlg::FormActivate()
{
    m_ui->ImageFond->setPixmap(qv::benchui::BenchWindows::instance().FondGrisDlg().GreyBackground());
    m_ui->Statut->clear();
    qv::look::setBold(*m_ui->Statut, true);
    QApplication::processEvents();
}

// A failed allocation throws out of the measurement: the run ends without an index or a chart and the
// error reaches the handler of the click that started it.
void TPerfMemoireDlg::RunMemoryBenchmark()
{
    const auto measure = [this] {
        m_ui->Statut->setText(kRunningStatus);
        repaint();
        qv::cli::ProgramSession session(qv::results::Benchmark::Mem, qv::cli::programSignature());
        session.begin();
        const qv::bench::MemoryBenchmarkFigures figures = m_kernel();
        m_memoryIndex = figures.memoryIndex;
        qv::cli::sessionLog().add(session.finish({{"ElapsedMs", figures.elapsedMs},
                                                  {"Speed", figures.speed},
                                                  {"MemoryIndex", double(figures.memoryIndex)}}));
    };
    const auto showChart = [this] {
        TPerfMemoireChartDlg chart(this);
        chart.SetUserIndex(m_memoryIndex);
        qv::platform::showModal(chart);
    };
    runMeasurement(measure, showChart);
}
