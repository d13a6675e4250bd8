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
#include "widgets/Accessibility.h"

#include <QDir>
#include <QSemaphore>
#include <QStringList>
#include <QThreadPool>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>

namespace {

constexpr int kThreadStartTimeoutMs = 2000;
constexpr char kOutOfMemory[] = "quorvex: not enough memory to start\n";

// Under memory pressure Qt's thread pool may fail to start a thread, and an image conversion then waits
// for it for ever. The pool's threads are started here, kept for the program's life, and a pool that
// cannot start them ends the program at once.
bool startPoolThreads()
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setExpiryTimeout(-1);
    const int count = pool->maxThreadCount();
    // Shared with the tasks, which may outlive this function when a thread never starts.
    const auto started = std::make_shared<QSemaphore>();
    const auto release = std::make_shared<QSemaphore>();
    for (int i = 0; i < count; ++i) {
        // Each task holds its thread until all have started, so that every thread is a new one.
        pool->start([started, release] {
            started->release();
            release->acquire();
        });
    }
    const bool allStarted = started->tryAcquire(count, kThreadStartTimeoutMs);
    release->release(count);
    return allStarted;
}

[[noreturn]] void endForLackOfMemory()
{
    std::fputs(kOutOfMemory, stderr);
    std::_Exit(EXIT_FAILURE);
}

int runWindows(int argc, char** argv)
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
    if (!startPoolThreads())
        endForLackOfMemory();
    qv::platform::setDefaultHandler(qv::platform::showUnhandledError);
    QApplication::setApplicationName(QStringLiteral("quorvex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));
    qv::platform::installFontSubstitutions();
    qv::widgets::installAccessibleFactory();
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

} // namespace

int runProgram(int argc, char** argv)
{
    // Memory that runs out while the program starts (a picture, a window) ends it with one line; an
    // allocation failure that escapes through code that cannot pass it on ends it the same way.
    std::set_terminate([] {
        try {
            if (const std::exception_ptr current = std::current_exception())
                std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            endForLackOfMemory();
        } catch (...) {
            std::abort();
        }
        std::abort();
    });
    try {
        return runWindows(argc, argv);
    } catch (const std::bad_alloc&) {
        endForLackOfMemory();
    }
}
