#include "platform/Dialogs.h"

#include "qv/Config.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace qv::platform {

namespace {

std::function<int(QDialog&)> g_modalRunner;
std::function<void(QWidget*, const QString&)> g_informationPresenter;

} // namespace

int showModal(QDialog& dialog)
{
    if (g_modalRunner)
        return g_modalRunner(dialog);
    return dialog.exec();
}

void setModalRunner(std::function<int(QDialog&)> runner)
{
    g_modalRunner = std::move(runner);
}

void showInformation(QWidget* parent, const QString& text)
{
    if (g_informationPresenter) {
        g_informationPresenter(parent, text);
        return;
    }
    QMessageBox::information(parent, QString::fromLatin1(qv::config::kApplicationTitle), text);
}

void setInformationPresenter(std::function<void(QWidget*, const QString&)> presenter)
{
    g_informationPresenter = std::move(presenter);
}

} // namespace qv::platform
