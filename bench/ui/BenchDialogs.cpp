#include "bench/ui/BenchDialogs.h"

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PictureStores.h"
#include "bench/ui/WindowPrinter.h"
#include "forms/Look.h"
#include "platform/CursorTable.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "widgets/TransBtn.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QWindow>

using qv::platform::guardedSlot;

namespace qv::benchui {

namespace {

// Hides the run window when the run ends, however it ends.
class RunEnd {
public:
    explicit RunEnd(QWidget& window)
        : m_window(window)
    {
    }
    ~RunEnd() { m_window.hide(); }
    RunEnd(const RunEnd&) = delete;
    RunEnd& operator=(const RunEnd&) = delete;

private:
    QWidget& m_window;
};

} // namespace

BenchRunWindow::BenchRunWindow(QWidget* parent, int helpContext)
    : QvDialog(parent)
{
    qv::platform::HelpEngine::bindHelpKey(this, helpContext);
}

void BenchRunWindow::runMeasurement(const std::function<void()>& measure,
                                    const std::function<void()>& showChart)
{
    {
        RunEnd end(*this);
        const qv::platform::ScopedScreenCursor clock(qv::platform::kClockCursorSlot);
        drawBeforeRun();
        measure();
    }
    if (m_chartAfterRun)
        showChart();
    close();
}

void BenchRunWindow::drawBeforeRun()
{
    // A window manager maps the window a few round trips after show(); never wait long for one.
    constexpr qint64 kMaxWaitMs = 500;
    QElapsedTimer waited;
    waited.start();
    while (isVisible() && !(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < kMaxWaitMs) {
        QThread::msleep(5);
        QApplication::processEvents();
    }
    repaint();
}

BenchInfoDialog::BenchInfoDialog(QWidget* parent, int helpContext)
    : QvDialog(parent)
{
    qv::platform::HelpEngine::bindHelpKey(this, helpContext);
}

void BenchInfoDialog::bindControls(QLabel* imageFond, QLabel* imageTestPerf, TTransparentButton* start,
                                   TTransparentButton* cancel)
{
    m_imageFond = imageFond;
    m_imageTestPerf = imageTestPerf;
    for (TTransparentButton* button : {start, cancel})
        qv::look::styleDialogButton(*button);
    connect(start, &TTransparentButton::clicked, this, guardedSlot(this, &BenchInfoDialog::Button1Click));
    connect(cancel, &TTransparentButton::clicked, this, guardedSlot(this, &BenchInfoDialog::Button2Click));
}

void BenchInfoDialog::FormActivate()
{
    const BenchWindows& windows = BenchWindows::instance();
    m_imageFond->setPixmap(windows.FondGrisDlg().GreyBackground());
    m_imageTestPerf->setPixmap(windows.EtoileDlg().BenchmarkIllustration());
}

// Everything that follows, the chart window included, happens inside this click.
void BenchInfoDialog::Button1Click()
{
    close();
    hide();
    BenchRunWindow& run = runWindow();
    run.show();
    run.run();
}

void BenchInfoDialog::Button2Click()
{
    close();
}

BenchChartDialog::BenchChartDialog(QWidget* parent, int helpContext)
    : QvDialog(parent)
    , m_helpContext(helpContext)
{
    qv::look::fillBackground(*this, Qt::white);
    qv::platform::HelpEngine::bindHelpKey(this, helpContext);
}

void BenchChartDialog::bindCommandButtons(TTransparentButton* print, TTransparentButton* help,
                                          TTransparentButton* close)
{
    for (TTransparentButton* button : {print, help, close})
        qv::look::styleDialogButton(*button);
    connect(print, &TTransparentButton::clicked, this, guardedSlot(this, &BenchChartDialog::ImprimerClick));
    connect(help, &TTransparentButton::clicked, this, guardedSlot(this, &BenchChartDialog::Button2Click));
    connect(close, &TTransparentButton::clicked, this, guardedSlot(this, &BenchChartDialog::Button1Click));
    setDefaultButton(close);
}

void BenchChartDialog::ImprimerClick()
{
    printWindow(*this);
}

void BenchChartDialog::Button1Click()
{
    close();
}

void BenchChartDialog::Button2Click()
{
    qv::platform::HelpEngine::instance().showHelp(this, m_helpContext);
}

} // namespace qv::benchui
