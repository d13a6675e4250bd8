#pragma once

#include "bench/display/DisplayBench.h"
#include "forms/QvDialog.h"

#include <memory>
#include <optional>

class QLabel;
class QSpinBox;
class QTableWidget;
class TTransparentButton;

namespace qv::charts {
class BarChartView;
}
namespace qv::benchui {
class RunRecording;
}

// Benchmark › Standard display and Benchmark › 3D display: the time per test, Start/Stop, the running
// test, then each test's rate, the index and a chart of it beside the configurations measured with the
// program. The 3D window also names the OpenGL renderer, and says so when it is a software one.
class TDisplayBenchDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    TDisplayBenchDlg(qv::bench::display::DisplayKind kind, int helpContext, QWidget* parent);
    ~TDisplayBenchDlg() override;

    qv::bench::display::DisplaySettings settings() const;
    bool running() const;
    // Shows a finished run: its rates, the index beside the measured configurations, the renderer.
    void showResult(const qv::bench::display::DisplayResult& result);

public slots:
    void StartStopClick();
    void HelpClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void setRunning(bool running);
    void showFailure(const QString& message);
    void showChart();

    qv::bench::display::DisplayKind m_kind;
    int m_helpContext;
    QSpinBox* m_seconds = nullptr;
    TTransparentButton* m_startStop = nullptr;
    QLabel* m_progress = nullptr;
    QLabel* m_renderer = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_index = nullptr;
    qv::charts::BarChartView* m_chart = nullptr;
    std::unique_ptr<qv::bench::display::DisplayBench> m_bench;
    std::optional<qv::bench::display::DisplayResult> m_result;
    // The run under way and the last finished one, as saved sessions.
    std::unique_ptr<qv::benchui::RunRecording> m_recording;
};

class TDisplay2DBenchDlg : public TDisplayBenchDlg {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 204;
    explicit TDisplay2DBenchDlg(QWidget* parent = nullptr);
};

class TDisplay3DBenchDlg : public TDisplayBenchDlg {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 2041;
    explicit TDisplay3DBenchDlg(QWidget* parent = nullptr);
};
