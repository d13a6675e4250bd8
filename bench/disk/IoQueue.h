#pragma once

#include "platform/ScopedHook.h"

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace qv::bench::disk {

// How the requests reach the kernel.
enum class IoMethod { IoUring, ThreadPool };
std::string_view ioMethodName(IoMethod method); // "io_uring", "thread pool"

struct IoRequest {
    bool write = false;
    void* buffer = nullptr;
    std::size_t length = 0;
    off_t offset = 0;
    int slot = 0; // the caller's tag, handed back with the completion
};

struct IoCompletion {
    int slot = 0;
    long result = 0; // bytes moved, or -errno
};

// A queue of reads and writes on one file descriptor that keeps up to `depth` of them in flight.
class IoQueue {
public:
    virtual ~IoQueue() = default;
    virtual IoMethod method() const = 0;
    // How many requests can be in flight at once.
    virtual int depth() const = 0;
    // Starts a request; at most depth() may be outstanding.
    virtual void submit(const IoRequest& request) = 0;
    // Completions that have arrived, waiting up to `timeout` for the first one. Empty on time-out.
    virtual std::vector<IoCompletion> reap(std::chrono::milliseconds timeout) = 0;
};

// The deep queue of the kernel; null where it is refused (seccomp, kernel.io_uring_disabled, an old
// kernel).
using UringOpener = std::function<std::unique_ptr<IoQueue>(int fd, int depth)>;
UringOpener setUringOpener(UringOpener opener);
using ScopedUringOpener = platform::ScopedHook<UringOpener, &setUringOpener>;

// io_uring where it is allowed, otherwise `depth` threads doing pread/pwrite.
std::unique_ptr<IoQueue> openIoQueue(int fd, int depth);

// The fall-back on its own.
std::unique_ptr<IoQueue> openThreadPoolQueue(int fd, int depth);

} // namespace qv::bench::disk
