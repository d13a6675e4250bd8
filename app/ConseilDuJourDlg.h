#pragma once

#include "forms/QvDialog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Ui {
class ConseilDuJourDlg;
}

// Where the tip window takes its tips and its random first tip from. The defaults are the tip
// library and the clock-seeded random generator; tests supply their own.
struct TipSource {
    std::function<std::int32_t()> count;
    std::function<void(std::int32_t number, std::string& text)> text;
    // A whole number r with 0 <= r < limit (0 when limit <= 0).
    std::function<std::int32_t(std::int32_t limit)> randomBelow;

    static TipSource library();
};

// The tip of the day: one tip at a time, the next on request, and the start-up preference box.
class TConseilDuJourDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    explicit TConseilDuJourDlg(QWidget* parent = nullptr, TipSource tips = TipSource::library(),
                               QString preferenceFolder = QString());
    ~TConseilDuJourDlg() override;

    int currentTip() const { return m_currentTip; }
    int tipCount() const { return m_tipCount; }
    QString tipText() const;
    bool showTipsChecked() const;

public slots:
    void FormActivate() override;
    void buttonOKClick();
    void Button2Click();
    void AffichageAuDemarrageClick();

private:
    void showTip();

    std::unique_ptr<Ui::ConseilDuJourDlg> m_ui;
    TipSource m_tips;
    QString m_preferenceFolder;
    std::int32_t m_currentTip = 0;
    std::int32_t m_tipCount = 0;
};
