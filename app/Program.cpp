#include "app/Program.h"

#include "app/AboutBox.h"
#include "app/CommandLine.h"
#include "app/QuorvexApplication.h"
#include "app/QuorvexMain.h"
#include "app/SplashForm.h"
#include "bench/ui/BenchWindows.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/DisplayCheck.h"
#include "platform/ExceptionGuard.h"
#include "platform/Fonts.h"
#include "platform/HelpEngine.h"

#include <QDir>
#include <QStringList>

#include <cstdio>

int runProgram(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = qv::app::answerCommandLine(arguments, qv::platform::dataDirectory())) {
        std::fputs(answer->out.toLocal8Bit().constData(), stdout);
        std::fputs(answer->err.toLocal8Bit().constData(), stderr);
        return std::fflush(stdout) == 0 ? answer->status : 1;
    }

    // Without a display Qt would abort inside the QApplication constructor.
    if (const QString problem = qv::platform::checkDisplay(); !problem.isEmpty()) {
        std::fprintf(stderr, "quorvex: %s\n", qPrintable(problem));
        return 1;
    }

    QuorvexApplication application(argc, argv);
    qv::platform::setDefaultHandler(qv::platform::showUnhandledError);
    QApplication::setApplicationName(QStringLiteral("quorvex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));
    qv::platform::installFontSubstitutions();
    qv::platform::HelpEngine::instance().setHelpFile(
        QDir(qv::platform::dataDirectory()).filePath(qv::platform::kHelpFileName));

    auto splash = std::make_unique<TSplashForm>();
    splash->showAndPaint();

    // The windows that live as long as the program, in this order; the main window comes first and owns
    // the others.
    TQuorvexMain main;
    new TAboutBox(&main);
    const qv::benchui::BenchWindows benchWindows(main);

    splash.reset();
    main.show();
    return QApplication::exec();
}
