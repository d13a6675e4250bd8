#pragma once

#include "forms/QvDialog.h"

#include <functional>

class QLabel;
class TTransparentButton;

namespace qv::benchui {

// Base of the benchmark run windows: one long-lived instance each, hidden except while its run lasts.
class BenchRunWindow : public qv::look::QvDialog {
    Q_OBJECT

public:
    void SetChartAfterRun(bool flag) { m_chartAfterRun = flag; }
    bool chartAfterRun() const { return m_chartAfterRun; }

    // The benchmark run: measures, then opens the comparison chart when ChartAfterRun is set.
    virtual void run() = 0;

protected:
    BenchRunWindow(QWidget* parent, int helpContext);

    // Runs `measure` with the clock cursor over the whole screen. Afterwards, and also when it throws,
    // the default cursor comes back and the window hides. Only after a measurement that succeeded and
    // with ChartAfterRun set does `showChart` run; the window then closes, alive for the next run.
    void runMeasurement(const std::function<void()>& measure, const std::function<void()>& showChart);

private:
    // Processes pending events until the window is on the screen and draws it: the measurement holds
    // the event loop, so this is the last chance for the window to appear.
    void drawBeforeRun();

    bool m_chartAfterRun = false;
};

// Base of the benchmark introductions: the backdrop and the illustration come from the picture stores,
// "&Start" hands over to the run window and "&Cancel" closes.
class BenchInfoDialog : public qv::look::QvDialog {
    Q_OBJECT

public:
    // Passes the flag on to the run window.
    void SetChartAfterRun(bool flag) { runWindow().SetChartAfterRun(flag); }

public slots:
    void FormActivate() override;
    void Button1Click();
    void Button2Click();

protected:
    BenchInfoDialog(QWidget* parent, int helpContext);

    // The controls made by the subclass's form, given once after setting it up.
    void bindControls(QLabel* imageFond, QLabel* imageTestPerf, TTransparentButton* start,
                      TTransparentButton* cancel);
    virtual BenchRunWindow& runWindow() const = 0;

private:
    QLabel* m_imageFond = nullptr;
    QLabel* m_imageTestPerf = nullptr;
};

// Base of the comparison windows: "&Print" prints the window's image, "&Help" opens the window's help
// topic, "&Close" closes.
class BenchChartDialog : public qv::look::QvDialog {
    Q_OBJECT

public slots:
    void ImprimerClick();
    void Button1Click();
    void Button2Click();

protected:
    BenchChartDialog(QWidget* parent, int helpContext);

    void bindCommandButtons(TTransparentButton* print, TTransparentButton* help, TTransparentButton* close);

private:
    int m_helpContext;
};

} // namespace qv::benchui
