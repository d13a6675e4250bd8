// The program started with little address space: it must end with one line and a failure status, not
// abort or wait for ever.
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

struct Outcome {
    bool ended = false;
    bool crashed = false;
    int status = 0;
    QString errors;
};

Outcome startWithAddressSpace(rlim_t kibibytes)
{
    QProcess program;
    program.setProgram(QStringLiteral(QV_PROGRAM));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    const rlim_t bytes = kibibytes * 1024;
    program.setChildProcessModifier([bytes] {
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    program.start();
    Outcome outcome;
    outcome.ended = program.waitForFinished(10'000);
    if (!outcome.ended) {
        program.kill();
        program.waitForFinished();
    }
    outcome.crashed = program.exitStatus() != QProcess::NormalExit;
    outcome.status = program.exitCode();
    outcome.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return outcome;
}

} // namespace

// The limits span the address space the program maps before its first window (it starts with about
// 120 MB here): with the least, the pool's threads cannot start; then the pictures, the glyphs and the
// windows fail in turn, each at its own limit, which moves with the libraries a machine has. A limit
// every 2.5 MB meets most of them.
TEST(LowMemoryStart, EveryShortfallEndsWithOneLineAndAFailureStatus)
{
#ifdef QV_SANITIZED
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit gives";
#endif
    for (rlim_t kibibytes = 105'000; kibibytes <= 115'000; kibibytes += 2'500) {
        SCOPED_TRACE(testing::Message() << "limit " << kibibytes << " KiB");
        const Outcome outcome = startWithAddressSpace(kibibytes);
        ASSERT_TRUE(outcome.ended) << "still running after 10 s";
        // GLib's allocator ends the process itself when it fails, by design, with its own message: the one
        // abort that is not ours.
        if (outcome.crashed && outcome.errors.contains(QStringLiteral("failed to allocate")))
            continue;
        EXPECT_FALSE(outcome.crashed) << outcome.errors.toStdString();
        EXPECT_NE(outcome.status, 0);
        EXPECT_TRUE(outcome.errors.endsWith(QStringLiteral("quorvex: not enough memory to start\n")))
            << outcome.errors.toStdString();
    }
}
