#pragma once

#include "forms/QvDialog.h"
#include "stress/StressChoices.h"
#include "stress/StressMonitor.h"
#include "stress/StressTest.h"

#include <QTimer>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class TExtPageControl;
class TLED;
class TTabSheet;
class TTransparentButton;

namespace qv::stress {

class SensorPlot;

// The stability test window: what to load and for how long, Start and Stop, one light per worker, the
// memory tester's counts, the live plot and the verdict. The workers never touch a widget: a timer samples
// their counters once a second.
class TStressDlg : public look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 901;

    explicit TStressDlg(QWidget* parent = nullptr, StressMonitor::ReadSensors readSensors = {});
    ~TStressDlg() override;

    void done(int result) override;

    // For tests: a plan of their own (a short duration, a small memory block) instead of the choices.
    void startWith(StressPlan plan);
    bool running() const;

    QComboBox* durationBox() const { return m_duration; }
    QComboBox* loadBox() const { return m_load; }
    TTransparentButton* startButton() const { return m_start; }
    TTransparentButton* stopButton() const { return m_stop; }
    TTransparentButton* closeButton() const { return m_close; }
    QLabel* verdictLabel() const { return m_verdict; }
    QLabel* sensorsLabel() const { return m_sensors; }
    const std::vector<TLED*>& workerLights() const { return m_lights; }
    const std::vector<QLabel*>& workerCounts() const { return m_counts; }
    SensorPlot* plot() const { return m_plot; }

public slots:
    void StartClick();
    void StopClick();
    void HelpClick();

private:
    void buildTestPage(TTabSheet& page);
    void buildRows(const StressPlan& plan);
    void sample();
    void showCounters(const StressSnapshot& snapshot);
    void finish(const StressSnapshot& snapshot);
    void setRunning(bool running);

    StressMonitor::ReadSensors m_readSensors;
    StressTest m_test;
    std::unique_ptr<StressMonitor> m_monitor;
    StressPlan m_plan;
    QTimer m_timer;

    TExtPageControl* m_pages = nullptr;
    QComboBox* m_duration = nullptr;
    QComboBox* m_load = nullptr;
    TTransparentButton* m_start = nullptr;
    TTransparentButton* m_stop = nullptr;
    TTransparentButton* m_close = nullptr;
    TTransparentButton* m_help = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_remaining = nullptr;
    QWidget* m_rows = nullptr;
    std::vector<TLED*> m_lights;
    std::vector<QLabel*> m_counts;
    QLabel* m_sensors = nullptr;
    SensorPlot* m_plot = nullptr;
    QLabel* m_verdict = nullptr;
    QPlainTextEdit* m_errors = nullptr;
};

} // namespace qv::stress
