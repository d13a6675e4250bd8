#include "bench/ui/PerfCPUChartDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PictureStores.h"
#include "bench/ui/WindowPrinter.h"
#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "widgets/Animate.h"
#include "widgets/TransBtn.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

using qv::charts::CpuChart;
using qv::charts::CpuFamily;
using qv::platform::guardedSlot;

namespace {

constexpr int kHelpContext = 201;
const QColor kNavy{0, 0, 128};

// The rating panel and the counter wheels laid over it.
const QRect kImage1{4, 396, 296, 102};
constexpr int kWheelWidth = 19;
constexpr int kWheelHeight = 29;
constexpr int kWheelPitch = 20;
constexpr int kUnitsWheelLeft = 265; // inside Image1
constexpr int kWheelTop = 60;

std::size_t chartIndex(CpuChart chart)
{
    return static_cast<std::size_t>(chart);
}

QLabel* boldLabel(QWidget* parent, const QRect& geometry, const QString& text, int pixelSize, bool underline)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    QFont font = qv::look::arialFont(pixelSize, true);
    font.setUnderline(underline);
    label->setFont(font);
    return label;
}

TTransparentButton* commandButton(QWidget* parent, int left, const QString& caption, const QString& glyph)
{
    auto* button = new TTransparentButton(parent);
    button->setGeometry(left, 2, 111, 39);
    button->setCaption(caption);
    button->setGlyph(QPixmap(QStringLiteral(":/pictures/") + glyph));
    button->setFrameStyle(TTransparentButton::fsNone);
    button->setCursor(Qt::PointingHandCursor);
    qv::look::styleDialogButton(*button);
    return button;
}

const QString kFamilyButtonStyle = QStringLiteral(
    "QPushButton { color: rgb(41,41,82); font: bold 12px 'Arial'; border: 1px solid rgb(130,130,165);"
    " border-radius: 4px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white,"
    " stop:1 rgb(206,206,222)); }"
    "QPushButton:hover { border-color: rgb(242,155,34); }"
    "QPushButton:pressed { background: rgb(190,190,210); }");

} // namespace

TPerfCPUChartDlg::TPerfCPUChartDlg(QWidget* parent)
    : QvDialog(parent)
    , Timer(new QTimer(this))
{
    setObjectName(QStringLiteral("PerfCPUChartDlg"));
    setWindowTitle(QStringLiteral("CPU Performances"));
    setFixedSize(772, 500);
    qv::look::fillBackground(*this, Qt::white);
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);

    buildPages();
    buildRatingPanel();
    buildFamilyButtons();
    buildCommandButtons();

    Timer->setInterval(qv::charts::kCpuCounterIntervalMs);
    connect(Timer, &QTimer::timeout, this, guardedSlot(this, &TPerfCPUChartDlg::TimerTimer));
}

TPerfCPUChartDlg::~TPerfCPUChartDlg() = default;

void TPerfCPUChartDlg::buildPages()
{
    struct PageButton {
        const char* caption;
        const char* hint;
        const char* glyph;
        void (TPerfCPUChartDlg::*click)();
    };
    static constexpr std::array<PageButton, 3> pageButtons{{
        {"General", "Display general CPU index", "chart_page_general.png",
         &TPerfCPUChartDlg::BoutonOngletCPUClick},
        {"ALU", "Display ALU index", "chart_page_alu.png", &TPerfCPUChartDlg::TransparentButton1Click},
        {"FPU", "Display FPU index", "chart_page_fpu.png", &TPerfCPUChartDlg::TransparentButton2Click},
    }};
    static constexpr std::array<const char*, 3> legends{
        "CPU         (Memory-Chipset)", "Processeur   (Mémoire-Chipset)", "Processeur   (Mémoire-Chipset)"};
    static constexpr std::array<const char*, 3> objectNames{"BoutonOngletCPU", "TransparentButton1",
                                                            "TransparentButton2"};

    PageControl1 = new QStackedWidget(this);
    PageControl1->setGeometry(0, 43, 772, 353);
    for (std::size_t i = 0; i < 3; ++i) {
        const PageButton& spec = pageButtons[i];
        auto* button = new TTransparentButton(this);
        button->setObjectName(QString::fromLatin1(objectNames[i]));
        button->setGeometry(6 + static_cast<int>(i) * 120, 2, 116, 39);
        button->setCaption(QString::fromLatin1(spec.caption));
        button->setToolTip(QString::fromLatin1(spec.hint));
        button->setGlyph(QPixmap(QStringLiteral(":/pictures/") + QString::fromLatin1(spec.glyph)));
        button->setFont(qv::look::arialFont(13, true));
        QPalette palette = button->palette();
        palette.setColor(QPalette::WindowText, kNavy);
        palette.setColor(QPalette::ButtonText, kNavy);
        button->setPalette(palette);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &TTransparentButton::clicked, this, guardedSlot(this, spec.click));

        auto* page = new QWidget(PageControl1);
        qv::look::fillBackground(*page, Qt::white);
        m_captions[i] = boldLabel(page, QRect(10, 4, 752, 18), {}, 13, true);
        m_captions[i]->setStyleSheet(QStringLiteral("color: rgb(41,41,82);"));
        boldLabel(page, QRect(10, 24, 400, 15), QString::fromUtf8(legends[i]), 11, false)
            ->setStyleSheet(QStringLiteral("color: rgb(90,90,120);"));
        m_charts[i] = new qv::charts::BarChartView(page);
        m_charts[i]->setGeometry(0, 40, 772, 313);
        m_charts[i]->setAxisTitle(qv::charts::cpuAxisTitle(qv::charts::kCpuCharts[i]));
        PageControl1->addWidget(page);
    }
}

void TPerfCPUChartDlg::buildRatingPanel()
{
    Image1 = new QLabel(this);
    Image1->setGeometry(kImage1);
    Image1->setScaledContents(true);
    Appreciation = boldLabel(this, QRect(kImage1.topLeft() + QPoint(12, 60), QSize(148, 22)), {}, 12, false);
    Appreciation->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    for (std::size_t i = 0; i < static_cast<std::size_t>(qv::charts::kInitialCounterWheels) + 1; ++i)
        wheel(i);
}

// The counter wheel `index` (0 = units), created the first time the number needs it.
TAnimated* TPerfCPUChartDlg::wheel(std::size_t index)
{
    while (m_wheels.size() <= index) {
        const int position = static_cast<int>(m_wheels.size());
        auto* digit = new TAnimated(this);
        digit->setBitMap(QPixmap(QStringLiteral(":/pictures/digits.png")));
        digit->setFrameCount(10);
        digit->setPlay(false);
        digit->setGeometry(kImage1.left() + kUnitsWheelLeft - position * kWheelPitch,
                           kImage1.top() + kWheelTop, kWheelWidth, kWheelHeight);
        digit->setVisible(position < qv::charts::kInitialCounterWheels);
        m_wheels.push_back(digit);
    }
    return m_wheels[index];
}

void TPerfCPUChartDlg::buildFamilyButtons()
{
    struct FamilyButton {
        const char* caption;
        void (TPerfCPUChartDlg::*click)();
    };
    static constexpr std::array<FamilyButton, 9> buttons{{
        {"Pentium", &TPerfCPUChartDlg::CompareToPentiumClick},
        {"Celeron", &TPerfCPUChartDlg::ButtonCeleronClick},
        {"Duron", &TPerfCPUChartDlg::ButtonDuronClick},
        {"Pentium II", &TPerfCPUChartDlg::CompareToPentiumIIClick},
        {"Athlon", &TPerfCPUChartDlg::ButtonAthlonClick},
        {"Pentium III", &TPerfCPUChartDlg::CompareToPentiumIIIClick},
        {"Athlon T-Bird ", &TPerfCPUChartDlg::ButtonTBirdClick},
        {"Pentium 4", &TPerfCPUChartDlg::buttonCompareToPentium4Click},
        {"Athlon XP", &TPerfCPUChartDlg::buttonCompareToAthlonXPClick},
    }};
    auto* group = new QGroupBox(QStringLiteral("Compare To :"), this);
    group->setGeometry(308, 398, 458, 98);
    group->setFont(qv::look::arialFont(12, true));
    group->setStyleSheet(QStringLiteral(
        "QGroupBox { color: rgb(41,41,82); border: 1px solid rgb(170,170,195); border-radius: 5px;"
        " margin-top: 8px; } QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int row = static_cast<int>(i) / 3;
        const int column = static_cast<int>(i) % 3;
        auto* button = new QPushButton(QString::fromLatin1(buttons[i].caption), group);
        button->setGeometry(10 + column * 148, 20 + row * 25, 140, 22);
        button->setStyleSheet(kFamilyButtonStyle);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, guardedSlot(this, buttons[i].click));
        m_familyButtons[i] = button;
    }
}

void TPerfCPUChartDlg::buildCommandButtons()
{
    auto* close = commandButton(this, 655, QStringLiteral("&Close"), QStringLiteral("btn_close.png"));
    auto* help = commandButton(this, 540, QStringLiteral("&Help"), QStringLiteral("btn_help.png"));
    auto* print = commandButton(this, 425, QStringLiteral("&Print"), QStringLiteral("btn_print.png"));
    close->setObjectName(QStringLiteral("Button1"));
    help->setObjectName(QStringLiteral("Button2"));
    print->setObjectName(QStringLiteral("Imprimer"));
    print->setToolTip(QStringLiteral("Print the charts"));
    connect(close, &TTransparentButton::clicked, this, guardedSlot(this, &TPerfCPUChartDlg::Button1Click));
    connect(help, &TTransparentButton::clicked, this, guardedSlot(this, &TPerfCPUChartDlg::Button2Click));
    connect(print, &TTransparentButton::clicked, this, guardedSlot(this, &TPerfCPUChartDlg::ImprimerClick));
}

void TPerfCPUChartDlg::SetIndices(std::int32_t alu, std::int32_t fpu, std::int32_t general)
{
    AluIndex = alu;
    FpuIndex = fpu;
    GeneralIndex = general;
}

void TPerfCPUChartDlg::FormActivate()
{
    const TEtoileDlg& stars = qv::benchui::BenchWindows::instance().EtoileDlg();
    for (std::size_t i = qv::charts::kInitialCounterWheels; i < m_wheels.size(); ++i)
        m_wheels[i]->hide();
    const QImage background = stars.ChartBackground().toImage();
    for (auto* chart : m_charts) {
        chart->setBackgroundPicture(background);
        chart->clearBars();
    }
    PageControl1->setCurrentIndex(0);

    fillFamily(qv::charts::cpuFamilyForIndex(GeneralIndex));

    Appreciation->clear();
    const qv::charts::Rating rating = qv::charts::cpuRating(GeneralIndex);
    m_stars = rating.stars;
    Image1->setPixmap(stars.StarsPicture(rating.stars));
    Appreciation->setText(rating.verdict);

    m_counter.emplace(GeneralIndex, qv::charts::kCpuCounterStep);
    showCounter(0);
    Timer->start();
}

void TPerfCPUChartDlg::fillFamily(CpuFamily family)
{
    m_family = family;
    const std::array<std::int32_t, 3> indices{GeneralIndex, AluIndex, FpuIndex};
    for (CpuChart chart : qv::charts::kCpuCharts) {
        const std::size_t i = chartIndex(chart);
        m_captions[i]->setText(qv::charts::cpuChartCaption(family, chart));
        m_charts[i]->setBars(qv::charts::cpuChartBars(family, chart, indices[i]));
    }
}

void TPerfCPUChartDlg::TimerTimer()
{
    if (!m_counter) {
        Timer->stop();
        return;
    }
    const bool running = m_counter->tick();
    showCounter(m_counter->value());
    if (!running)
        Timer->stop();
}

void TPerfCPUChartDlg::showCounter(std::int32_t value)
{
    const std::vector<int> digits = qv::charts::counterWheelDigits(value);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        TAnimated* digit = wheel(i);
        digit->setFrame(digits[i]);
        digit->show();
    }
}

std::int32_t TPerfCPUChartDlg::counterValue() const
{
    return m_counter ? m_counter->value() : 0;
}

bool TPerfCPUChartDlg::timerActive() const
{
    return Timer->isActive();
}

int TPerfCPUChartDlg::currentPage() const
{
    return PageControl1->currentIndex();
}

const qv::charts::BarChartView& TPerfCPUChartDlg::chart(CpuChart which) const
{
    return *m_charts[chartIndex(which)];
}

QString TPerfCPUChartDlg::caption(CpuChart which) const
{
    return m_captions[chartIndex(which)]->text();
}

QString TPerfCPUChartDlg::verdict() const
{
    return Appreciation->text();
}

void TPerfCPUChartDlg::BoutonOngletCPUClick()
{
    PageControl1->setCurrentIndex(0);
}
void TPerfCPUChartDlg::TransparentButton1Click()
{
    PageControl1->setCurrentIndex(1);
}
void TPerfCPUChartDlg::TransparentButton2Click()
{
    PageControl1->setCurrentIndex(2);
}
void TPerfCPUChartDlg::CompareToPentiumClick()
{
    fillFamily(CpuFamily::Pentium);
}
void TPerfCPUChartDlg::ButtonCeleronClick()
{
    fillFamily(CpuFamily::Celeron);
}
void TPerfCPUChartDlg::ButtonDuronClick()
{
    fillFamily(CpuFamily::Duron);
}
void TPerfCPUChartDlg::CompareToPentiumIIClick()
{
    fillFamily(CpuFamily::PentiumII);
}
void TPerfCPUChartDlg::ButtonAthlonClick()
{
    fillFamily(CpuFamily::Athlon);
}
void TPerfCPUChartDlg::CompareToPentiumIIIClick()
{
    fillFamily(CpuFamily::PentiumIII);
}
void TPerfCPUChartDlg::ButtonTBirdClick()
{
    fillFamily(CpuFamily::AthlonThunderbird);
}
void TPerfCPUChartDlg::buttonCompareToPentium4Click()
{
    fillFamily(CpuFamily::Pentium4);
}
void TPerfCPUChartDlg::buttonCompareToAthlonXPClick()
{
    fillFamily(CpuFamily::AthlonXP);
}

void TPerfCPUChartDlg::ImprimerClick()
{
    qv::benchui::printWindowImage(*this);
}

void TPerfCPUChartDlg::Button1Click()
{
    close();
}

void TPerfCPUChartDlg::Button2Click()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}
