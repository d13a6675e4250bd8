#include "bench/ui/PerfMemoireInfoDlg.h"

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "forms/Look.h"
#include "ui_PerfMemoireInfoDlg.h"

TPerfMemoireInfoDlg::TPerfMemoireInfoDlg(QWidget* parent)
    : BenchInfoDialog(parent, TPerfMemoireDlg::kHelpContext)
    , m_ui(std::make_unique<Ui::PerfMemoireInfoDlg>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    setFont(qv::look::arialFont(13));
    bindControls(m_ui->ImageFond, m_ui->ImageTestPerf, m_ui->TransparentButton9, m_ui->TransparentButton1);
}

TPerfMemoireInfoDlg::~TPerfMemoireInfoDlg() = default;

qv::benchui::BenchRunWindow& TPerfMemoireInfoDlg::runWindow() const
{
    return qv::benchui::BenchWindows::instance().PerfMemoireDlg();
}
