#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>

namespace qv::platform {

// Runs tasks one at a time, in the order given, on a thread of its own, and lets each caller wait for
// its task only up to a deadline. When the caller stops waiting, a task not yet started is dropped and one
// already running finishes on its own with its result discarded; the tasks after it wait for it, each
// within its own caller's deadline. So a task that never returns delays its callers by their deadlines, and
// never longer. The thread is detached: destroying the worker (when no call waits) ends it after the task
// it runs, without waiting for that task. Tasks must own (copy or share) everything they use.
class DeadlineWorker {
public:
    DeadlineWorker();
    ~DeadlineWorker();
    DeadlineWorker(const DeadlineWorker&) = delete;
    DeadlineWorker& operator=(const DeadlineWorker&) = delete;

    // The task's result, or nullopt when it has not finished `deadline` after this call. An exception
    // the task throws reaches the caller.
    template<typename Task>
    auto run(Task task, std::chrono::milliseconds deadline) -> std::optional<std::invoke_result_t<Task&>>
    {
        using Result = std::invoke_result_t<Task&>;
        auto promise = std::make_shared<std::promise<Result>>();
        auto abandoned = std::make_shared<std::atomic_bool>(false);
        std::future<Result> future = promise->get_future();
        post([task = std::move(task), promise, abandoned]() mutable {
            if (*abandoned)
                return;
            try {
                promise->set_value(task());
            } catch (...) {
                promise->set_exception(std::current_exception());
            }
        });
        if (future.wait_for(deadline) != std::future_status::ready) {
            *abandoned = true;
            return std::nullopt;
        }
        return future.get();
    }

private:
    struct Queue {
        std::mutex lock;
        std::condition_variable posted;
        std::deque<std::function<void()>> tasks;
        bool stopping = false;
    };

    void post(std::function<void()> task);
    static void serve(const std::shared_ptr<Queue>& queue);

    std::shared_ptr<Queue> m_queue = std::make_shared<Queue>();
};

} // namespace qv::platform
