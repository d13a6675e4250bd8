#pragma once

#include "bench/overall/OverallRun.h"
#include "forms/QvDialog.h"

#include <optional>
#include <vector>

class QLabel;
class QTableWidget;
class TExtPageControl;
class TTabSheet;
class TTransparentButton;
namespace qv::charts {
class BarChartView;
}
namespace qv::benchui {
class OverallBenchJob;
class OverallProgress;
} // namespace qv::benchui

// Benchmark › Overall performances: Start/Stop, the benchmark running and how far the run is, then the
// combined index, a chart of each benchmark's index against its baseline and a page of figures per
// benchmark (or why it did not run).
class TOverallBenchDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 207;

    explicit TOverallBenchDlg(QWidget* parent = nullptr);
    ~TOverallBenchDlg() override;

    bool running() const;
    // Shows a finished run and keeps it as the session Save writes.
    void showResult(const qv::bench::overall::OverallResult& result);

public slots:
    void StartStopClick();
    void HelpClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    TTabSheet* benchmarkPage(qv::results::Benchmark benchmark);

    TTransparentButton* m_startStop = nullptr;
    qv::benchui::OverallProgress* m_progress = nullptr;
    QLabel* m_index = nullptr;
    TExtPageControl* m_pages = nullptr;
    qv::charts::BarChartView* m_chart = nullptr;
    // One page per benchmark: its figures, or why it did not run.
    std::vector<std::pair<qv::results::Benchmark, QTableWidget*>> m_tables;
    std::vector<std::pair<qv::results::Benchmark, QLabel*>> m_notes;
    qv::benchui::OverallBenchJob* m_job = nullptr;
    std::optional<qv::results::SavedResult> m_last;
};
