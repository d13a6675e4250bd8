#include "bench/ui/PerfCPUDlg.h"

#include "bench/BenchmarkRuns.h"
#include "bench/Scoring.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PictureStores.h"
#include "forms/Look.h"
#include "platform/CursorTable.h"
#include "platform/Dialogs.h"
#include "platform/HelpEngine.h"
#include "widgets/Animate.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>

namespace {

constexpr int kHelpContext = 201;
const QColor kHeaderBackground{198, 198, 214};
const QString kInProgress = QStringLiteral("in progress...");
const QString kDone = QStringLiteral("done.");
const QChar kCr{13};

QString paragraphs(std::initializer_list<const char*> lines)
{
    QStringList texts;
    for (const char* line : lines)
        texts << QString::fromUtf8(line);
    // The paragraphs are separated by two carriage returns; a label breaks lines on line feeds.
    return texts.join(QString(2, kCr)).replace(kCr, QChar(u'\n'));
}

const QString& aluStatusText()
{
    static const QString text =
        paragraphs({"Quorvex is now evaluating your CPU's ALU performances.",
                    "Basics operations, integer arithmetic, logic are now beeing processed.",
                    "CPU's performances strongly depends on ALU performances."});
    return text;
}

const QString& fpuStatusText()
{
    static const QString text = paragraphs(
        {"Quorvex is now evaluating your CPU's FPU performances.",
         "Float operations, trigonometric functions, complex functions are now beeing processed",
         "The FPU's performances are very importants for 3D modeling softwares, CAD, and 3D games 3D."});
    return text;
}

void setBold(QLabel& label, bool bold)
{
    QFont font = label.font();
    font.setBold(bold);
    label.setFont(font);
}

QLabel* label(QWidget* parent, const QRect& geometry, const QString& text = {})
{
    auto* result = new QLabel(text, parent);
    result->setGeometry(geometry);
    result->setFont(qv::look::arialFont(12));
    return result;
}

QFrame* bevel(QWidget* parent, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setGeometry(geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return frame;
}

TAnimated* checkMark(QWidget* parent, const QString& strip, const QColor& key, QPoint at)
{
    auto* check = new TAnimated(parent);
    check->setBitMap(QPixmap(QStringLiteral(":/pictures/") + strip));
    check->setFrameCount(8);
    check->setTransparentColor(key);
    check->setPlay(false);
    check->setGeometry(QRect(at, QSize(24, 24)));
    check->hide();
    return check;
}

// Restores the default cursor and hides the window when a run ends early.
class RunGuard {
public:
    explicit RunGuard(QWidget& window)
        : m_window(window)
    {
    }
    ~RunGuard()
    {
        if (m_armed) {
            qv::platform::selectScreenCursor(qv::platform::kDefaultCursorSlot);
            m_window.hide();
        }
    }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
    void release() { m_armed = false; }

private:
    QWidget& m_window;
    bool m_armed = true;
};

} // namespace

TPerfCPUDlg::TPerfCPUDlg(QWidget* parent)
    : QvDialog(parent)
{
    setObjectName(QStringLiteral("PerfCPUDlg"));
    setWindowTitle(QStringLiteral("CPU benchmark"));
    setFixedSize(445, 322);
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);

    ImageFond = label(this, rect());
    ImageFond->setScaledContents(true);

    bevel(this, QRect(12, 20, 421, 146));
    bevel(this, QRect(12, 186, 421, 124));
    auto* testsHeader = label(this, QRect(22, 12, 52, 17), QStringLiteral(" Tests "));
    auto* statusHeader = label(this, QRect(22, 178, 52, 17), QStringLiteral("Status"));
    for (QLabel* header : {testsHeader, statusHeader}) {
        header->setFont(qv::look::arialFont(12, true));
        header->setAlignment(Qt::AlignCenter);
        qv::look::fillBackground(*header, kHeaderBackground);
    }

    LabelALU = label(this, QRect(54, 40, 270, 18), QStringLiteral("ALU test  (Arithmetic and Logic Unit) "));
    label(this, QRect(54, 60, 370, 17),
          QStringLiteral("(general instructions, logic processing, integer processing ...)"))
        ->setFont(qv::look::arialFont(11));
    LabelFPU = label(this, QRect(54, 102, 270, 18), QStringLiteral("FPU test (Floatting Point Unit)"));
    label(this, QRect(54, 122, 370, 17),
          QStringLiteral("(floats processing, complex processing, trigonometric functions ...)"))
        ->setFont(qv::look::arialFont(11));
    etatALU = label(this, QRect(330, 40, 96, 18));
    etatFPU = label(this, QRect(330, 102, 96, 18));
    for (QLabel* state : {etatALU, etatFPU})
        state->setFont(qv::look::arialFont(12, true));
    checkALU = checkMark(this, QStringLiteral("check_red.png"), QColor(255, 0, 0), QPoint(22, 37));
    checkFPU = checkMark(this, QStringLiteral("check_grey.png"), QColor(128, 128, 128), QPoint(22, 99));

    Status = label(this, QRect(24, 200, 397, 100));
    Status->setWordWrap(true);
    Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TPerfCPUDlg::FormActivate()
{
    ImageFond->setPixmap(qv::benchui::BenchWindows::instance().FondGrisDlg().GreyBackground());
    checkALU->hide();
    checkFPU->hide();
    etatALU->clear();
    etatFPU->clear();
    Status->clear();
    setBold(*LabelALU, false);
    setBold(*LabelFPU, false);
    setBold(*Status, true);
    QApplication::processEvents();
}

void TPerfCPUDlg::showAluStep()
{
    setBold(*Status, false);
    setBold(*LabelALU, true);
    etatALU->setText(kInProgress);
    Status->setText(aluStatusText());
    repaint();
}

void TPerfCPUDlg::showFpuStep()
{
    etatALU->setText(kDone);
    checkALU->show();
    etatFPU->setText(kInProgress);
    setBold(*LabelALU, false);
    setBold(*LabelFPU, true);
    Status->setText(fpuStatusText());
    repaint();
}

void TPerfCPUDlg::showDoneStep()
{
    etatFPU->setText(kDone);
    checkFPU->show();
    setBold(*LabelFPU, false);
    repaint();
}

void TPerfCPUDlg::RunCpuBenchmark()
{
    using namespace qv::bench;
    RunGuard guard(*this);
    qv::platform::selectScreenCursor(qv::platform::kClockCursorSlot);
    showAluStep();
    AluIndex = ScoreAlu(m_kernels.dhrystoneRate(kDhrystoneScale));
    showFpuStep();
    const double whetstone = m_kernels.whetstoneRate(kWhetstoneScale);
    const double mflops = m_kernels.livermoreMflops(kLivermoreScale);
    FpuIndex = ScoreFpu(whetstone, mflops);
    showDoneStep();
    GeneralIndex = ScoreGeneral(AluIndex, FpuIndex);
    qv::platform::selectScreenCursor(qv::platform::kDefaultCursorSlot);
    hide();
    guard.release();
    if (ChartAfterRun) {
        TPerfCPUChartDlg chart(this);
        chart.SetIndices(AluIndex, FpuIndex, GeneralIndex);
        qv::platform::showModal(chart);
    }
    close();
}
