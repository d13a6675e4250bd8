#include "bench/ui/BenchWindows.h"

#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PerfMemoireChartDlg.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "bench/ui/PictureStores.h"

#include <stdexcept>

namespace qv::benchui {

namespace {

BenchWindows* current = nullptr;

template<typename Window>
Window& alive(const QPointer<Window>& window)
{
    if (!window)
        throw std::logic_error("the benchmark window has been deleted with its owner");
    return *window;
}

} // namespace

BenchWindows::BenchWindows(QWidget& owner)
    : m_perfCpu(new TPerfCPUDlg(&owner))
    , m_etoile(new TEtoileDlg(&owner))
    , m_fondGris(new TFondGrisDlg(&owner))
    , m_perfCpuChart(new TPerfCPUChartDlg(&owner))
    , m_perfMemoireChart(new TPerfMemoireChartDlg(&owner))
    , m_perfMemoire(new TPerfMemoireDlg(&owner))
{
    current = this;
}

BenchWindows::~BenchWindows()
{
    if (current == this)
        current = nullptr;
}

BenchWindows& BenchWindows::instance()
{
    if (!current)
        throw std::logic_error("the benchmark windows have not been created");
    return *current;
}

TPerfCPUDlg& BenchWindows::PerfCPUDlg() const
{
    return alive(m_perfCpu);
}
TEtoileDlg& BenchWindows::EtoileDlg() const
{
    return alive(m_etoile);
}
TFondGrisDlg& BenchWindows::FondGrisDlg() const
{
    return alive(m_fondGris);
}
TPerfCPUChartDlg& BenchWindows::PerfCPUChartDlg() const
{
    return alive(m_perfCpuChart);
}
TPerfMemoireChartDlg& BenchWindows::PerfMemoireChartDlg() const
{
    return alive(m_perfMemoireChart);
}
TPerfMemoireDlg& BenchWindows::PerfMemoireDlg() const
{
    return alive(m_perfMemoire);
}

} // namespace qv::benchui
