#pragma once

#include "forms/QvDialog.h"

class QLabel;
class TTransparentButton;

// The CPU benchmark's introduction: what the test does, how to get accurate results, Start or Cancel.
class TPerfCPUInfoDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    explicit TPerfCPUInfoDlg(QWidget* parent = nullptr);

    // Passes the flag on to the long-lived run window.
    void SetChartAfterRun(bool flag);

    TTransparentButton* TransparentButton9 = nullptr; // "&Start"
    TTransparentButton* TransparentButton1 = nullptr; // "&Cancel"

public slots:
    void FormActivate() override;
    void Button1Click();
    void Button2Click();

private:
    QLabel* ImageFond = nullptr;
    QLabel* ImageTestPerf = nullptr;
};
