#include "tests/support/TestSupport.h"

#include "platform/ExceptionGuard.h"

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace qv::test {

namespace {
QStringList& reportedErrors()
{
    static QStringList errors;
    return errors;
}
} // namespace

void installErrorCapture()
{
    platform::setDefaultHandler([](const QString& message) { reportedErrors().append(message); });
}

QStringList takeReportedErrors()
{
    return std::exchange(reportedErrors(), {});
}

QString saveScreenshot(QWidget& widget, const QString& name)
{
    QString folder = qEnvironmentVariable("QV_TEST_OUTPUT");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("quorvex-test-output"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    widget.grab().save(path);
    return path;
}

QString scratchDirectory()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    return folders.back()->path();
}

} // namespace qv::test
