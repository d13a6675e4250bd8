#include "platform/ExceptionGuard.h"
#include "platform/Fonts.h"
#include "widgets/Accessibility.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace qv::test {
void recordReportedError(const QString& message);
}

// Every test binary runs inside one headless QApplication, with the program's font substitutions, the
// controls' accessible interfaces and the default exception handler replaced by a recorder, so no message
// box ever blocks a test.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qv::platform::installFontSubstitutions();
    qv::widgets::installAccessibleFactory();
    const qv::platform::ScopedDefaultHandler recorder(qv::test::recordReportedError);
    return RUN_ALL_TESTS();
}
