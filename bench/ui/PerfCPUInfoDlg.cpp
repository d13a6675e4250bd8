#include "bench/ui/PerfCPUInfoDlg.h"

#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PictureStores.h"
#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "widgets/TransBtn.h"

#include <QFrame>
#include <QLabel>

using qv::platform::guardedSlot;

namespace {

QLabel* text(QWidget* parent, const QRect& geometry, const char* content, bool bold = false)
{
    auto* label = new QLabel(QString::fromUtf8(content), parent);
    label->setGeometry(geometry);
    label->setFont(qv::look::arialFont(13, bold));
    label->setWordWrap(true);
    return label;
}

QFrame* bevel(QWidget* parent, const QRect& geometry, QFrame::Shape shape)
{
    auto* frame = new QFrame(parent);
    frame->setGeometry(geometry);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

TTransparentButton* button(QWidget* parent, int left, const char* caption, const char* hint,
                           const char* glyph)
{
    auto* result = new TTransparentButton(parent);
    result->setGeometry(left, 374, 111, 39);
    result->setCaption(QString::fromUtf8(caption));
    result->setToolTip(QString::fromUtf8(hint));
    result->setGlyph(QPixmap(QStringLiteral(":/pictures/") + QString::fromUtf8(glyph)));
    result->setFrameStyle(TTransparentButton::fsNone);
    result->setCursor(Qt::PointingHandCursor);
    qv::look::styleDialogButton(*result);
    return result;
}

} // namespace

TPerfCPUInfoDlg::TPerfCPUInfoDlg(QWidget* parent)
    : QvDialog(parent)
{
    setObjectName(QStringLiteral("PerfCPUInfoDlg"));
    setWindowTitle(QStringLiteral("CPU benchmark"));
    setFixedSize(520, 427);
    qv::platform::HelpEngine::bindHelpKey(this, 201);

    ImageFond = new QLabel(this);
    ImageFond->setGeometry(rect());
    ImageFond->setScaledContents(true);
    ImageFond->setCursor(Qt::PointingHandCursor);
    ImageTestPerf = new QLabel(this);
    ImageTestPerf->setGeometry(18, 20, 150, 150);

    bevel(this, QRect(184, 14, 322, 162), QFrame::Box);
    bevel(this, QRect(14, 190, 492, 160), QFrame::Box);
    bevel(this, QRect(14, 362, 492, 2), QFrame::HLine);

    text(this, QRect(198, 26, 296, 40), "Quorvex is going to evaluate the performances of your CPU.", true);
    text(this, QRect(198, 72, 296, 20), "Different standard operations will be processed.");
    text(this, QRect(198, 104, 296, 60),
         "The duration of the tests vary between 30 seconds and a few minutes depending on the type of CPU");
    QLabel* heading = text(this, QRect(30, 202, 460, 20), "To obtain accurate results :", true);
    QFont underlined = heading->font();
    underlined.setUnderline(true);
    heading->setFont(underlined);
    text(this, QRect(46, 234, 444, 20), "Do not touch the mouse or keyboard at any time during the test",
         true);
    text(this, QRect(46, 262, 444, 20), "Exit all other programs", true);
    text(this, QRect(46, 290, 444, 40),
         "Exit or desactivate all resident programs (virus protections, utilities ...)", true);

    TransparentButton9 = button(this, 262, "&Start", "Start the tests", "btn_start.png");
    TransparentButton1 = button(this, 389, "&Cancel", "Cancel the tests", "btn_cancel.png");
    connect(TransparentButton9, &TTransparentButton::clicked, this,
            guardedSlot(this, &TPerfCPUInfoDlg::Button1Click));
    connect(TransparentButton1, &TTransparentButton::clicked, this,
            guardedSlot(this, &TPerfCPUInfoDlg::Button2Click));
}

void TPerfCPUInfoDlg::SetChartAfterRun(bool flag)
{
    qv::benchui::BenchWindows::instance().PerfCPUDlg().SetChartAfterRun(flag);
}

void TPerfCPUInfoDlg::FormActivate()
{
    const auto& windows = qv::benchui::BenchWindows::instance();
    ImageFond->setPixmap(windows.FondGrisDlg().GreyBackground());
    ImageTestPerf->setPixmap(windows.EtoileDlg().BenchmarkIllustration());
}

void TPerfCPUInfoDlg::Button1Click()
{
    close();
    hide();
    TPerfCPUDlg& run = qv::benchui::BenchWindows::instance().PerfCPUDlg();
    run.show();
    run.RunCpuBenchmark();
}

void TPerfCPUInfoDlg::Button2Click()
{
    close();
}
