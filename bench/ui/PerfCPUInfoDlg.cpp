#include "bench/ui/PerfCPUInfoDlg.h"

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUDlg.h"
#include "forms/Look.h"
#include "ui_PerfCPUInfoDlg.h"

TPerfCPUInfoDlg::TPerfCPUInfoDlg(QWidget* parent)
    : BenchInfoDialog(parent, TPerfCPUDlg::kHelpContext)
    , m_ui(std::make_unique<Ui::PerfCPUInfoDlg>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    setFont(qv::look::arialFont(13));
    bindControls(m_ui->ImageFond, m_ui->ImageTestPerf, m_ui->TransparentButton9, m_ui->TransparentButton1);
}

TPerfCPUInfoDlg::~TPerfCPUInfoDlg() = default;

qv::benchui::BenchRunWindow& TPerfCPUInfoDlg::runWindow() const
{
    return qv::benchui::BenchWindows::instance().PerfCPUDlg();
}
