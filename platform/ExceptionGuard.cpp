#include "platform/ExceptionGuard.h"

#include "qv/Config.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace qv::platform {

namespace {

void showMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QString::fromLatin1(qv::config::kApplicationTitle),
                          message);
}

DefaultHandler g_handler = showMessageBox;

} // namespace

DefaultHandler setDefaultHandler(DefaultHandler handler)
{
    return std::exchange(g_handler, handler ? std::move(handler) : DefaultHandler(showMessageBox));
}

void reportUnhandledError(const QString& message)
{
    g_handler(message);
}

} // namespace qv::platform
