#include "platform/Dialogs.h"

#include "qv/Config.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>
#include <utility>

namespace qv::platform {

namespace {

ModalRunner g_modalRunner;
InformationPresenter g_informationPresenter;
ErrorPresenter g_errorPresenter;

} // namespace

int showModal(QDialog& dialog)
{
    if (g_modalRunner)
        return g_modalRunner(dialog);
    return dialog.exec();
}

ModalRunner setModalRunner(ModalRunner runner)
{
    return std::exchange(g_modalRunner, std::move(runner));
}

void showInformation(QWidget* parent, const QString& text)
{
    if (g_informationPresenter) {
        g_informationPresenter(parent, text);
        return;
    }
    const std::unique_ptr<QMessageBox> box = makeInformationBox(parent, text);
    box->exec();
}

std::unique_ptr<QMessageBox> makeInformationBox(QWidget* parent, const QString& text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Information,
                                             QString::fromLatin1(qv::config::kApplicationTitle), text,
                                             QMessageBox::Ok, parent);
    // A message box wraps lines wider than about 500 pixels; these short messages keep each line whole.
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->text() != text)
            continue;
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(widest + label->margin() * 2 + 2);
    }
    return box;
}

void showError(QWidget* parent, const QString& title, const QString& text)
{
    if (g_errorPresenter) {
        g_errorPresenter(parent, title, text);
        return;
    }
    QMessageBox::critical(parent, title, text);
}

void showUnhandledError(const QString& message)
{
    showError(QApplication::activeWindow(), QString::fromLatin1(qv::config::kApplicationTitle), message);
}

ErrorPresenter setErrorPresenter(ErrorPresenter presenter)
{
    return std::exchange(g_errorPresenter, std::move(presenter));
}

InformationPresenter setInformationPresenter(InformationPresenter presenter)
{
    return std::exchange(g_informationPresenter, std::move(presenter));
}

} // namespace qv::platform
