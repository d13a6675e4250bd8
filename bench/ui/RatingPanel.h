#pragma once

#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "bench/charts/DigitCounter.h"

class QLabel;
class QPixmap;
class QTimer;
class TAnimated;

namespace qv::benchui {

// The bottom-left panel of the comparison windows: the stars picture of the rating (Image1), the
// verdict over it (Appreciation) and the digit wheels (Unite, Dizaine, Centaine, Millier, and one more
// to the left for each further digit) that count up to the index on a timer.
class RatingPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kSize{296, 102};

    explicit RatingPanel(QWidget* parent = nullptr);

    void showRating(const QPixmap& stars, const QString& verdict);
    QString verdict() const;

    // Shows 0 on the first three wheels, hides the others and counts from 0 to `target`, `step` more
    // every `intervalMs` milliseconds, stopping exactly on the target.
    void startCounter(std::int32_t target, int step, int intervalMs);
    std::int32_t counterValue() const;
    bool counterRunning() const;
    // The wheels, units first; those beyond the third are hidden until the number needs them.
    const std::vector<TAnimated*>& wheels() const { return m_wheels; }

public slots:
    // One step of the counter.
    void TimerTimer();

protected:
    // The count ends with the window: a closed window's counter stops.
    void hideEvent(QHideEvent* event) override;

private:
    TAnimated* wheel(std::size_t index);
    void showCounter(std::int32_t value);
    void fitVerdict();

    QLabel* Image1 = nullptr;
    QLabel* Appreciation = nullptr;
    QTimer* Timer = nullptr;
    std::vector<TAnimated*> m_wheels;
    std::optional<qv::charts::DigitCounter> m_counter;
};

} // namespace qv::benchui
