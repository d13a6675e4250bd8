#include "platform/DeadlineWorker.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using qv::platform::DeadlineWorker;
using namespace std::chrono_literals;

TEST(DeadlineWorker, ReturnsTheResultOrTheTasksException)
{
    DeadlineWorker worker;
    EXPECT_EQ(worker.run([] { return 42; }, 5s), 42);
    EXPECT_THROW(worker.run([]() -> int { throw std::runtime_error("failed"); }, 5s), std::runtime_error);
}

// A task that does not return keeps the worker busy: its caller and the callers behind it stop waiting at
// their deadlines, the tasks they gave up on before they started never run, and the worker goes on once
// the stuck task returns.
TEST(DeadlineWorker, CallersStopWaitingAtTheirDeadlines)
{
    DeadlineWorker worker;
    auto release = std::make_shared<std::promise<void>>();
    auto started = std::make_shared<std::atomic_int>(0);
    const auto stuck = [gate = release->get_future().share(), started] {
        ++*started;
        gate.wait();
        return 1;
    };

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(worker.run(stuck, 100ms), std::nullopt);
    EXPECT_EQ(worker.run([started] { return ++*started; }, 100ms), std::nullopt);
    const qint64 elapsed = timer.elapsed();
    EXPECT_GE(elapsed, 200);
    EXPECT_LT(elapsed, 2000);

    release->set_value();
    EXPECT_EQ(worker.run([started] { return started->load(); }, 5s), 1);
}
