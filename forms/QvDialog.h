#pragma once

#include <QDialog>

namespace qv::look {

// Base of the program's dialogs: title bar with a close button only, the dialog colours, centred on
// the screen, and FormActivate run (inside the exception guard) each time the dialog is shown, before
// it is painted, as window activation ran inside Show.
class QvDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvDialog(QWidget* parent = nullptr);

public slots:
    virtual void FormActivate() {}

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace qv::look
