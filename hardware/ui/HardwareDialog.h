#pragma once

#include "forms/QvDialog.h"

#include <QSize>
#include <QString>

#include <initializer_list>

class QLabel;
class TExtPageControl;
class TTabSheet;
class TTransparentButton;

namespace qv::hardwareui {

// The frame shared by the hardware information windows: a title band picture, the pages, "&Close" (the
// default button, Return) and "&Help" (and F1) with the command's help context. A window adds its pages
// and fills them from facts collected before it is shown.
class HardwareDialog : public look::QvDialog {
    Q_OBJECT

public:
    HardwareDialog(QWidget* parent, const QString& title, const QString& bandPicture, int helpContext,
                   QSize size = {520, 424});

    TExtPageControl& pages() const { return *m_pages; }
    TTransparentButton& closeButton() const { return *m_close; }
    TTransparentButton& helpButton() const { return *m_help; }
    int helpContext() const { return m_helpContext; }

public slots:
    void FormActivate() override;
    void CloseBtnClick();
    void HelpBtnClick();

protected:
    // A new page with `caption`, laid out top to bottom; attach them all with attachPages.
    TTabSheet* newPage(const QString& caption);
    void attachPages(std::initializer_list<TTabSheet*> pages);

private:
    QLabel* m_band;
    TExtPageControl* m_pages;
    TTransparentButton* m_close;
    TTransparentButton* m_help;
    int m_helpContext;
};

} // namespace qv::hardwareui
