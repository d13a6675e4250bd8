#pragma once

#include "platform/ScopedHook.h"

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace qv::platform {

// Shows a dialog modally and returns its result code. Tests replace the runner so that no modal loop
// blocks them; they see which dialog would have been shown.
using ModalRunner = std::function<int(QDialog&)>;
int showModal(QDialog& dialog);
// Installs `runner` (empty: the dialog's own modal loop) and returns the one it replaces.
ModalRunner setModalRunner(ModalRunner runner);
using ScopedModalRunner = ScopedHook<ModalRunner, &setModalRunner>;

// A short information message box; replaceable for tests like the modal runner.
using InformationPresenter = std::function<void(QWidget*, const QString&)>;
void showInformation(QWidget* parent, const QString& text);
InformationPresenter setInformationPresenter(InformationPresenter presenter);
using ScopedInformationPresenter = ScopedHook<InformationPresenter, &setInformationPresenter>;

// An error message box with its own title; replaceable for tests like the information box.
using ErrorPresenter = std::function<void(QWidget*, const QString& title, const QString& text)>;
void showError(QWidget* parent, const QString& title, const QString& text);
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);
using ScopedErrorPresenter = ScopedHook<ErrorPresenter, &setErrorPresenter>;

// The program's default handler of errors that no handler caught: a critical message box with the
// program's title, over the active window.
void showUnhandledError(const QString& message);

// The box showInformation() shows: the program's title, an information icon, OK, and each line of
// `text` kept whole (a message box would otherwise wrap lines wider than about 500 pixels).
std::unique_ptr<QMessageBox> makeInformationBox(QWidget* parent, const QString& text);

} // namespace qv::platform
