#pragma once

#include "forms/QvDialog.h"

#include <memory>

namespace Ui {
class AboutBox;
}

// The About window: title picture, version and kernel, the web site and the support address.
class TAboutBox : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr char kVersion[] = "3.0.3";
    static constexpr char kReleaseDate[] = "07/11/2002";
    static constexpr char kKernel[] = "NT";

    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QString versionText() const;
    QString kernelText() const;

public slots:
    void FormActivate() override;
    void Label1Click();
    void Label5Click();
    void OKButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::AboutBox> m_ui;
};
