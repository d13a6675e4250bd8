#include "platform/ExceptionGuard.h"

#include <QApplication>
#include <QMessageBox>

namespace qv::platform {

namespace {

void showMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}

DefaultHandler& currentHandler()
{
    static DefaultHandler handler = showMessageBox;
    return handler;
}

} // namespace

void setDefaultHandler(DefaultHandler handler)
{
    currentHandler() = handler ? std::move(handler) : DefaultHandler(showMessageBox);
}

void reportUnhandledError(const QString& message)
{
    currentHandler()(message);
}

} // namespace qv::platform
