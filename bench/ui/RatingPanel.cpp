#include "bench/ui/RatingPanel.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "widgets/Animate.h"

#include <QLabel>
#include <QTimer>

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
    Appreciation->setGeometry(12, 60, 148, 22);
    Appreciation->setFont(qv::look::arialFont(12, true));
    Appreciation->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    for (std::size_t i = 0; i < static_cast<std::size_t>(qv::charts::kInitialCounterWheels) + 1; ++i)
        wheel(i);

    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, qv::platform::guardedSlot(this, &RatingPanel::TimerTimer));
}

void RatingPanel::showRating(const QPixmap& stars, const QString& verdict)
{
    Appreciation->clear();
    Image1->setPixmap(stars);
    Appreciation->setText(verdict);
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
    for (std::size_t i = 0; i < digits.size(); ++i) {
        TAnimated* digit = wheel(i);
        digit->setFrame(digits[i]);
        digit->show();
    }
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
