#include "platform/DeadlineWorker.h"

#include <thread>

namespace qv::platform {

DeadlineWorker::DeadlineWorker()
{
    std::thread([queue = m_queue] { serve(queue); }).detach();
}

DeadlineWorker::~DeadlineWorker()
{
    {
        const std::lock_guard guard(m_queue->lock);
        m_queue->stopping = true;
    }
    m_queue->posted.notify_one();
}

void DeadlineWorker::post(std::function<void()> task)
{
    {
        const std::lock_guard guard(m_queue->lock);
        m_queue->tasks.push_back(std::move(task));
    }
    m_queue->posted.notify_one();
}

void DeadlineWorker::serve(const std::shared_ptr<Queue>& queue)
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock guard(queue->lock);
            queue->posted.wait(guard, [&] { return queue->stopping || !queue->tasks.empty(); });
            if (queue->stopping)
                return;
            task = std::move(queue->tasks.front());
            queue->tasks.pop_front();
        }
        task();
    }
}

} // namespace qv::platform
