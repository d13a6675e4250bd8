#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace qv::platform {

// Shows a dialog modally and returns its result code. Tests replace the runner so that no modal loop
// blocks them; they see which dialog would have been shown.
int showModal(QDialog& dialog);
void setModalRunner(std::function<int(QDialog&)> runner);

// A short information message box; replaceable for tests like the modal runner.
void showInformation(QWidget* parent, const QString& text);
void setInformationPresenter(std::function<void(QWidget*, const QString&)> presenter);

} // namespace qv::platform
