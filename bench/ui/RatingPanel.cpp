#include "bench/ui/RatingPanel.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "widgets/Animate.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <array>

namespace qv::benchui {

namespace {

// The wheels sit in the bay at the right of the stars picture, the units wheel rightmost.
constexpr int kWheelWidth = 19;
constexpr int kWheelHeight = 29;
constexpr int kWheelPitch = 20;
constexpr int kUnitsWheelLeft = 265;
constexpr int kWheelTop = 60;
constexpr std::array<const char*, 4> kWheelNames{"Unite", "Dizaine", "Centaine", "Millier"};

// The verdict stands left of the counter's bay in the stars picture (six wheels wide), and left of the
// wheels that a wider counter adds outside it; it takes a smaller font where its line would not fit.
constexpr int kCounterBayLeft = 161;
constexpr int kVerdictLeft = 12;
constexpr int kVerdictTop = 60;
constexpr int kVerdictHeight = 22;
constexpr int kVerdictGap = 6;
constexpr int kVerdictPixelSize = 12;
constexpr int kSmallestVerdictPixelSize = 9;

} // namespace

RatingPanel::RatingPanel(QWidget* parent)
    : QWidget(parent)
    , Image1(new QLabel(this))
    , Appreciation(new QLabel(this))
    , Timer(new QTimer(this))
{
    resize(kSize);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), kSize));
    Image1->setScaledContents(true);

    Appreciation->setObjectName(QStringLiteral("Appreciation"));
    Appreciation->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    for (std::size_t i = 0; i < static_cast<std::size_t>(qv::charts::kInitialCounterWheels) + 1; ++i)
        wheel(i);
    fitVerdict();

    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, qv::platform::guardedSlot(this, &RatingPanel::TimerTimer));
}

void RatingPanel::showRating(const QPixmap& stars, const QString& verdict)
{
    Appreciation->clear();
    Image1->setPixmap(stars);
    Appreciation->setText(verdict);
    fitVerdict();
}

QString RatingPanel::verdict() const
{
    return Appreciation->text();
}

void RatingPanel::startCounter(std::int32_t target, int step, int intervalMs)
{
    for (std::size_t i = qv::charts::kInitialCounterWheels; i < m_wheels.size(); ++i)
        m_wheels[i]->hide();
    m_counter.emplace(target, step);
    showCounter(0);
    fitVerdict();
    Timer->setInterval(intervalMs);
    Timer->start();
}

std::int32_t RatingPanel::counterValue() const
{
    return m_counter ? m_counter->value() : 0;
}

bool RatingPanel::counterRunning() const
{
    return Timer->isActive();
}

void RatingPanel::TimerTimer()
{
    const bool running = m_counter && m_counter->tick();
    if (m_counter)
        showCounter(m_counter->value());
    if (!running)
        Timer->stop();
}

void RatingPanel::hideEvent(QHideEvent* event)
{
    Timer->stop();
    QWidget::hideEvent(event);
}

void RatingPanel::showCounter(std::int32_t value)
{
    const std::vector<int> digits = qv::charts::counterWheelDigits(value);
    const bool widens = !digits.empty() && wheel(digits.size() - 1)->isHidden();
    for (std::size_t i = 0; i < digits.size(); ++i) {
        TAnimated* digit = wheel(i);
        digit->setFrame(digits[i]);
        digit->show();
    }
    if (widens)
        fitVerdict();
}

void RatingPanel::fitVerdict()
{
    int wheelsLeft = kCounterBayLeft;
    for (const TAnimated* digit : m_wheels)
        if (!digit->isHidden())
            wheelsLeft = std::min(wheelsLeft, digit->x());
    const int width = wheelsLeft - kVerdictGap - kVerdictLeft;
    Appreciation->setGeometry(kVerdictLeft, kVerdictTop, width, kVerdictHeight);
    QFont font = qv::look::arialFont(kVerdictPixelSize, true);
    while (font.pixelSize() > kSmallestVerdictPixelSize &&
           QFontMetrics(font).horizontalAdvance(Appreciation->text()) > width)
        font.setPixelSize(font.pixelSize() - 1);
    Appreciation->setFont(font);
}

// The wheel for digit `index` (0 = units), created the first time a number needs it.
TAnimated* RatingPanel::wheel(std::size_t index)
{
    while (m_wheels.size() <= index) {
        const std::size_t position = m_wheels.size();
        auto* digit = new TAnimated(this);
        if (position < kWheelNames.size())
            digit->setObjectName(QString::fromLatin1(kWheelNames[position]));
        digit->setBitMap(QPixmap(QStringLiteral(":/pictures/digits.png")));
        digit->setFrameCount(10);
        digit->setPlay(false);
        digit->setGeometry(kUnitsWheelLeft - static_cast<int>(position) * kWheelPitch, kWheelTop, kWheelWidth,
                           kWheelHeight);
        digit->setVisible(position < static_cast<std::size_t>(qv::charts::kInitialCounterWheels));
        m_wheels.push_back(digit);
    }
    return m_wheels[index];
}

} // namespace qv::benchui
