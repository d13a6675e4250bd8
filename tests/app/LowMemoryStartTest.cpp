// The program started with little address space: it must end with one line and a failure status, not
// abort or wait for ever.
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define QV_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_SANITIZED 1
#endif
#endif

namespace {

struct Start {
    const char* name;
    rlim_t kibibytes;
};

class LowMemoryStart : public testing::TestWithParam<Start> {};

} // namespace

TEST_P(LowMemoryStart, EndsWithOneLineAndAFailureStatus)
{
#ifdef QV_SANITIZED
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit gives";
#endif
    QProcess program;
    program.setProgram(QStringLiteral(QV_PROGRAM));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    const rlim_t bytes = GetParam().kibibytes * 1024;
    program.setChildProcessModifier([bytes] {
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    QElapsedTimer clock;
    clock.start();
    program.start();
    const bool ended = program.waitForFinished(10'000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    ASSERT_TRUE(ended) << "still running after 10 s";
    EXPECT_LT(clock.elapsed(), 10'000);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "it crashed";
    EXPECT_NE(program.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(errors.endsWith(QStringLiteral("quorvex: not enough memory to start\n")))
        << errors.toStdString();
}

// The limits follow the address space the program maps before its first window: with less, the pool's
// threads cannot start; with a little more, the start-up pictures cannot be loaded.
INSTANTIATE_TEST_SUITE_P(Program, LowMemoryStart,
                         testing::Values(Start{"PictureLoadsFail", 112'000},
                                         Start{"ThreadsCannotStart", 104'000}),
                         qv::test::RowName());
