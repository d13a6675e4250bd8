#include "platform/ExceptionGuard.h"

#include <cstdio>
#include <utility>

namespace qv::platform {

namespace {

void printToStandardError(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

DefaultHandler g_handler = printToStandardError;

} // namespace

DefaultHandler setDefaultHandler(DefaultHandler handler)
{
    return std::exchange(g_handler, handler ? std::move(handler) : DefaultHandler(printToStandardError));
}

void reportUnhandledError(const QString& message)
{
    g_handler(message);
}

} // namespace qv::platform
