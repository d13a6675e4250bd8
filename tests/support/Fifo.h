#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace qv::test {

// Makes a FIFO at `path`; false when the file system cannot hold one.
inline bool makeFifo(const std::string& path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}

// Runs `work` on this thread and returns true when it ended within `limit` on its own. When it has not,
// a watchdog keeps opening and closing the FIFO's write end until it does, so that a reader stuck on the
// FIFO goes on and the test fails instead of hanging.
inline bool endsWithoutAWriter(const std::string& fifo, const std::function<void()>& work,
                               std::chrono::milliseconds limit = std::chrono::seconds(3))
{
    std::atomic<bool> done = false;
    std::atomic<bool> rescued = false;
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done) {
            rescued = true;
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (writer >= 0)
                ::close(writer);
        }
    });
    work();
    done = true;
    watchdog.join();
    return !rescued;
}

} // namespace qv::test
