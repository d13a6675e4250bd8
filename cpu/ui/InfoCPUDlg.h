#pragma once

#include "forms/QvDialog.h"

#include <memory>

namespace Ui {
class InfoCPUDlg;
}

namespace qv::cpu {
class TcxCPU2000;
struct ProcessorWindowTexts;
} // namespace qv::cpu

// Everything the program knows of the processor, on a general and a detailed page. The window owns the
// detection component: detection and the two-second clock measurement run while it is created, under
// the clock cursor.
class TInfoCPUDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 2;

    explicit TInfoCPUDlg(QWidget* parent = nullptr);
    ~TInfoCPUDlg() override;

    // Called by the main window before it shows the window; there is nothing to prepare.
    void Prepare() {}

    const Ui::InfoCPUDlg& form() const { return *m_ui; }

public slots:
    void FormActivate() override;
    void OKBtnClick();
    void Button1Click();

private:
    // The title, the table lines and the four main indicators: set for every processor.
    void showCommonTexts(const qv::cpu::ProcessorWindowTexts& texts);
    void showDetailedPage(const qv::cpu::ProcessorWindowTexts& texts);
    void hideDetailedPage();

    std::unique_ptr<Ui::InfoCPUDlg> m_ui;
    qv::cpu::TcxCPU2000* cxCPU;
};
