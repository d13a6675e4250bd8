#include "bench/disk/IoQueue.h"

#include <liburing.h>

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace qv::bench::disk {

namespace {

class UringQueue final : public IoQueue {
public:
    // Null where the kernel refuses a ring.
    static std::unique_ptr<IoQueue> open(int fd, int depth)
    {
        std::unique_ptr<UringQueue> queue(new UringQueue(fd, depth));
        if (io_uring_queue_init(unsigned(depth), &queue->m_ring, 0) != 0)
            return nullptr;
        queue->m_open = true;
        return queue;
    }
    ~UringQueue() override
    {
        if (!m_open)
            return;
        // The kernel must be done with every buffer before the caller frees it; requests still queued
        // here are handed over first, as they would never complete otherwise.
        if (m_pending > 0)
            io_uring_submit(&m_ring);
        while (m_inFlight > 0) {
            io_uring_cqe* cqe = nullptr;
            if (io_uring_wait_cqe(&m_ring, &cqe) != 0)
                break;
            io_uring_cqe_seen(&m_ring, cqe);
            --m_inFlight;
        }
        io_uring_queue_exit(&m_ring);
    }
    UringQueue(const UringQueue&) = delete;
    UringQueue& operator=(const UringQueue&) = delete;

    IoMethod method() const override { return IoMethod::IoUring; }
    int depth() const override { return m_depth; }

    void submit(const IoRequest& request) override
    {
        io_uring_sqe* sqe = io_uring_get_sqe(&m_ring);
        if (sqe == nullptr)
            throw std::logic_error("more requests than the queue depth");
        const auto length = static_cast<unsigned>(request.length);
        if (request.write)
            io_uring_prep_write(sqe, m_fd, request.buffer, length, static_cast<__u64>(request.offset));
        else
            io_uring_prep_read(sqe, m_fd, request.buffer, length, static_cast<__u64>(request.offset));
        io_uring_sqe_set_data64(sqe, static_cast<__u64>(request.slot));
        ++m_inFlight;
        ++m_pending;
    }

    std::vector<IoCompletion> reap(std::chrono::milliseconds timeout) override
    {
        if (m_pending > 0) {
            if (const int submitted = io_uring_submit(&m_ring); submitted > 0)
                m_pending -= submitted;
        }
        std::vector<IoCompletion> done;
        __kernel_timespec wait{timeout.count() / 1000, (timeout.count() % 1000) * 1'000'000};
        io_uring_cqe* cqe = nullptr;
        if (io_uring_wait_cqe_timeout(&m_ring, &cqe, &wait) != 0)
            return done;
        unsigned head = 0;
        unsigned count = 0;
        io_uring_for_each_cqe(&m_ring, head, cqe)
        {
            done.push_back({static_cast<int>(io_uring_cqe_get_data64(cqe)), cqe->res});
            ++count;
        }
        io_uring_cq_advance(&m_ring, count);
        m_inFlight -= int(count);
        return done;
    }

private:
    UringQueue(int fd, int depth)
        : m_fd(fd)
        , m_depth(depth)
    {
    }

    int m_fd;
    int m_depth;
    io_uring m_ring{};
    bool m_open = false;
    int m_inFlight = 0;
    int m_pending = 0;
};

// `depth` threads, each taking the next request and doing it with one blocking call, so that as many
// requests are in flight as with the kernel's queue.
class ThreadPoolQueue final : public IoQueue {
public:
    ThreadPoolQueue(int fd, int depth)
        : m_fd(fd)
        , m_depth(depth)
    {
        m_workers.reserve(std::size_t(depth));
        for (int i = 0; i < depth; ++i)
            m_workers.emplace_back([this] { work(); });
    }
    ~ThreadPoolQueue() override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_requestReady.notify_all();
        for (std::thread& worker : m_workers)
            worker.join();
    }
    ThreadPoolQueue(const ThreadPoolQueue&) = delete;
    ThreadPoolQueue& operator=(const ThreadPoolQueue&) = delete;

    IoMethod method() const override { return IoMethod::ThreadPool; }
    int depth() const override { return m_depth; }

    void submit(const IoRequest& request) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
        }
        m_requestReady.notify_one();
    }

    std::vector<IoCompletion> reap(std::chrono::milliseconds timeout) override
    {
        std::unique_lock lock(m_mutex);
        m_completionReady.wait_for(lock, timeout, [this] { return !m_completions.empty(); });
        std::vector<IoCompletion> done(m_completions.begin(), m_completions.end());
        m_completions.clear();
        return done;
    }

private:
    void work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            // Requests still queued are done even when closing: their buffers are waited for.
            m_requestReady.wait(lock, [this] { return m_closing || !m_requests.empty(); });
            if (m_requests.empty())
                return;
            const IoRequest request = m_requests.front();
            m_requests.pop_front();
            lock.unlock();
            const ssize_t moved = request.write ? pwrite(m_fd, request.buffer, request.length, request.offset)
                                                : pread(m_fd, request.buffer, request.length, request.offset);
            const long result = moved < 0 ? -long(errno) : long(moved);
            lock.lock();
            m_completions.push_back({request.slot, result});
            m_completionReady.notify_one();
        }
    }

    int m_fd;
    int m_depth;
    std::mutex m_mutex;
    std::condition_variable m_requestReady;
    std::condition_variable m_completionReady;
    std::deque<IoRequest> m_requests;
    std::deque<IoCompletion> m_completions;
    bool m_closing = false;
    std::vector<std::thread> m_workers;
};

std::unique_ptr<IoQueue> openUring(int fd, int depth)
{
    return UringQueue::open(fd, depth);
}

UringOpener& uringOpener()
{
    static UringOpener opener = openUring;
    return opener;
}

} // namespace

std::string_view ioMethodName(IoMethod method)
{
    return method == IoMethod::IoUring ? "io_uring" : "thread pool";
}

UringOpener setUringOpener(UringOpener opener)
{
    UringOpener previous = std::move(uringOpener());
    uringOpener() = opener ? std::move(opener) : UringOpener(openUring);
    return previous;
}

std::unique_ptr<IoQueue> openThreadPoolQueue(int fd, int depth)
{
    return std::make_unique<ThreadPoolQueue>(fd, depth);
}

std::unique_ptr<IoQueue> openIoQueue(int fd, int depth)
{
    if (std::unique_ptr<IoQueue> queue = uringOpener()(fd, depth))
        return queue;
    return openThreadPoolQueue(fd, depth);
}

} // namespace qv::bench::disk
