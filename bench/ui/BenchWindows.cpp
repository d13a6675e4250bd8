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
}

BenchWindows::BenchWindows(QWidget* owner)
    : m_perfCpu(std::make_unique<TPerfCPUDlg>(owner))
    , m_etoile(std::make_unique<TEtoileDlg>(owner))
    , m_fondGris(std::make_unique<TFondGrisDlg>(owner))
    , m_perfCpuChart(std::make_unique<TPerfCPUChartDlg>(owner))
    , m_perfMemoireChart(std::make_unique<TPerfMemoireChartDlg>(owner))
    , m_perfMemoire(std::make_unique<TPerfMemoireDlg>(owner))
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

} // namespace qv::benchui
