#pragma once

#include <QPointer>

class QWidget;
class TEtoileDlg;
class TFondGrisDlg;
class TPerfCPUChartDlg;
class TPerfCPUDlg;
class TPerfMemoireChartDlg;
class TPerfMemoireDlg;

namespace qv::benchui {

// The benchmark windows that live as long as the program, created in start-up order as children of
// one owner window, which alone owns them; the other windows reach them through instance(). The
// program (or a test) holds one for its whole life.
class BenchWindows {
public:
    explicit BenchWindows(QWidget& owner);
    ~BenchWindows();
    BenchWindows(const BenchWindows&) = delete;
    BenchWindows& operator=(const BenchWindows&) = delete;

    // The set alive now; throws std::logic_error when there is none.
    static BenchWindows& instance();

    // Each throws std::logic_error once the owner has deleted the window.
    TPerfCPUDlg& PerfCPUDlg() const;
    TEtoileDlg& EtoileDlg() const;
    TFondGrisDlg& FondGrisDlg() const;
    TPerfCPUChartDlg& PerfCPUChartDlg() const;
    TPerfMemoireChartDlg& PerfMemoireChartDlg() const;
    TPerfMemoireDlg& PerfMemoireDlg() const;

private:
    QPointer<TPerfCPUDlg> m_perfCpu;
    QPointer<TEtoileDlg> m_etoile;
    QPointer<TFondGrisDlg> m_fondGris;
    QPointer<TPerfCPUChartDlg> m_perfCpuChart;
    QPointer<TPerfMemoireChartDlg> m_perfMemoireChart;
    QPointer<TPerfMemoireDlg> m_perfMemoire;
};

} // namespace qv::benchui
