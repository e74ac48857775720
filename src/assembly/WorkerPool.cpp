#include "assembly/WorkerPool.h"

#include <algorithm>

namespace lb {

WorkerPool::WorkerPool(unsigned workers) {
    for (unsigned k = 0; k < std::max(workers, 1u); ++k) threads_.emplace_back([this] { Serve(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
        ending_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void WorkerPool::Serve() {
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (queue_.empty()) return; // ending, and nothing left
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

} // namespace lb
