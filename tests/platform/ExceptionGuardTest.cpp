#include "platform/ExceptionGuard.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace qv::platform;

namespace {
struct Thrower : QObject {
    int calls = 0;
    void fail()
    {
        ++calls;
        throw std::runtime_error("Out of memory");
    }
};
} // namespace

TEST(ExceptionGuard, HandsTheTextOfAStandardExceptionToTheDefaultHandler)
{
    guarded([] { throw std::runtime_error("I/O error 5"); });
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("I/O error 5")});
}

TEST(ExceptionGuard, ReportsAnExceptionOfAnotherKindAsUnknown)
{
    guarded([] { throw 42; });
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Unknown error")});
}

TEST(ExceptionGuard, ReportsNothingWhenTheBodySucceeds)
{
    int runs = 0;
    guarded([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
}

TEST(ExceptionGuard, GuardedSlotStopsTheExceptionBeforeQtsEventLoop)
{
    Thrower thrower;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &thrower, guardedSlot(&thrower, &Thrower::fail));
    timer.start(0);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(thrower.calls, 1);
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Out of memory")});
}
