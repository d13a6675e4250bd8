#pragma once

#include "bench/charts/CpuReferenceTables.h"
#include "bench/charts/DigitCounter.h"
#include "forms/QvDialog.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;
class TAnimated;
class TTransparentButton;

namespace qv::charts {
class BarChartView;
}

// The CPU comparison window: the user's three indices among a family of reference processors on three
// chart pages, the stars and verdict of the general index and a counter that climbs to it.
class TPerfCPUChartDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    explicit TPerfCPUChartDlg(QWidget* parent = nullptr);
    ~TPerfCPUChartDlg() override;

    void SetIndices(std::int32_t alu, std::int32_t fpu, std::int32_t general);

    std::int32_t counterValue() const;
    bool timerActive() const;
    qv::charts::CpuFamily shownFamily() const { return m_family; }
    int currentPage() const;
    const qv::charts::BarChartView& chart(qv::charts::CpuChart which) const;
    QString caption(qv::charts::CpuChart which) const;
    QString verdict() const;
    int stars() const { return m_stars; }
    // The counter wheels, units first; wheels beyond the third are hidden until the number needs them.
    const std::vector<TAnimated*>& wheels() const { return m_wheels; }
    // The nine family buttons in their grid order.
    const std::array<QPushButton*, 9>& familyButtons() const { return m_familyButtons; }

public slots:
    void FormActivate() override;
    void BoutonOngletCPUClick();
    void TransparentButton1Click();
    void TransparentButton2Click();
    void CompareToPentiumClick();
    void ButtonCeleronClick();
    void ButtonDuronClick();
    void CompareToPentiumIIClick();
    void ButtonAthlonClick();
    void CompareToPentiumIIIClick();
    void ButtonTBirdClick();
    void buttonCompareToPentium4Click();
    void buttonCompareToAthlonXPClick();
    void ImprimerClick();
    void Button1Click();
    void Button2Click();
    void TimerTimer();

private:
    void buildPages();
    void buildRatingPanel();
    void buildFamilyButtons();
    void buildCommandButtons();
    void fillFamily(qv::charts::CpuFamily family);
    void showCounter(std::int32_t value);
    TAnimated* wheel(std::size_t index);

    std::int32_t AluIndex = 0;
    std::int32_t FpuIndex = 0;
    std::int32_t GeneralIndex = 0;
    qv::charts::CpuFamily m_family = qv::charts::CpuFamily::Pentium;
    int m_stars = 0;
    std::optional<qv::charts::DigitCounter> m_counter;

    QStackedWidget* PageControl1 = nullptr;
    std::array<qv::charts::BarChartView*, 3> m_charts{};
    std::array<QLabel*, 3> m_captions{};
    std::array<QPushButton*, 9> m_familyButtons{};
    QLabel* Image1 = nullptr;
    QLabel* Appreciation = nullptr;
    std::vector<TAnimated*> m_wheels;
    QTimer* Timer = nullptr;
};
