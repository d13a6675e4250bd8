#pragma once

#include "widgets/TransBtn.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QHBoxLayout;

namespace qv::look {

// Base of the program's dialogs: title bar with a close button only, the dialog colours, centred on
// the screen, and FormActivate run (inside the exception guard) each time the dialog is shown, before
// it is painted, as window activation ran inside Show. Return and keypad Enter press the default button
// (without one, the focused button), Escape the cancel button (without one, Escape closes the dialog).
// Tab visits the controls in the order they are seen, top to bottom and left to right.
class QvDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvDialog(QWidget* parent = nullptr);

    void setDefaultButton(TTransparentButton* button) { button->setDefault(true); }
    void setCancelButton(TTransparentButton* button) { m_cancelButton = button; }

public slots:
    virtual void FormActivate() {}

protected:
    // The row of "&Help" and "&Close" at the right: Close is the default and the cancel button and
    // closes the window; Help runs `onHelp`.
    QHBoxLayout* helpAndCloseButtons(const std::function<void()>& onHelp);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<TTransparentButton> m_cancelButton;
};

} // namespace qv::look
