#pragma once

#include <memory>

class QWidget;
class TEtoileDlg;
class TFondGrisDlg;
class TPerfCPUChartDlg;
class TPerfCPUDlg;
class TPerfMemoireChartDlg;
class TPerfMemoireDlg;

namespace qv::benchui {

// The benchmark windows that live as long as the program, created in start-up order and reachable by
// the other windows through instance(). The program (or a test) holds one for its whole life.
class BenchWindows {
public:
    explicit BenchWindows(QWidget* owner);
    ~BenchWindows();
    BenchWindows(const BenchWindows&) = delete;
    BenchWindows& operator=(const BenchWindows&) = delete;

    // The set alive now; throws std::logic_error when there is none.
    static BenchWindows& instance();

    TPerfCPUDlg& PerfCPUDlg() const { return *m_perfCpu; }
    TEtoileDlg& EtoileDlg() const { return *m_etoile; }
    TFondGrisDlg& FondGrisDlg() const { return *m_fondGris; }
    TPerfCPUChartDlg& PerfCPUChartDlg() const { return *m_perfCpuChart; }
    TPerfMemoireChartDlg& PerfMemoireChartDlg() const { return *m_perfMemoireChart; }
    TPerfMemoireDlg& PerfMemoireDlg() const { return *m_perfMemoire; }

private:
    std::unique_ptr<TPerfCPUDlg> m_perfCpu;
    std::unique_ptr<TEtoileDlg> m_etoile;
    std::unique_ptr<TFondGrisDlg> m_fondGris;
    std::unique_ptr<TPerfCPUChartDlg> m_perfCpuChart;
    std::unique_ptr<TPerfMemoireChartDlg> m_perfMemoireChart;
    std::unique_ptr<TPerfMemoireDlg> m_perfMemoire;
};

} // namespace qv::benchui
