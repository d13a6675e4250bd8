#pragma once

#include "forms/QvDialog.h"

#include <memory>

namespace Ui {
class InfoSystemeDlg;
}

namespace qv::sysinfo {
class TSysInfo;
}

// What the program knows of the operating system, on four pages: edition and version, registered user
// and names, installation, system directories. The collector on the window gathers its facts when the
// window is created; the installation page is filled on the first page change after activation.
class TInfoSystemeDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 8;

    explicit TInfoSystemeDlg(QWidget* parent = nullptr);
    ~TInfoSystemeDlg() override;

    const Ui::InfoSystemeDlg& form() const { return *m_ui; }
    qv::sysinfo::TSysInfo& sysInfo() const { return *SysInfo; }

public slots:
    void FormActivate() override;
    void OKBtnClick();
    void Button1Click();

public:
    // Runs before each change of the shown page; the change is always allowed.
    void PageControl1Changing(bool& allowChange);

private:
    std::unique_ptr<Ui::InfoSystemeDlg> m_ui;
    qv::sysinfo::TSysInfo* SysInfo;
    bool m_installPageFilled = false;
    bool m_showExtensions = false;
};
