#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace lb {

// A fixed number of threads that run the work given them in the order given: a build
// converts the pictures ahead of the one it writes on as many threads as there are
// processors, and no more, however long the menu.
class WorkerPool {
  public:
    explicit WorkerPool(unsigned workers);
    // Drops the work not yet begun (a build that failed needs none of it), waits for what
    // runs, then ends the threads.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // `work`'s result, or what it threw, when a thread has run it.
    template <typename Work> auto Run(Work work) -> std::future<decltype(work())> {
        auto task = std::make_shared<std::packaged_task<decltype(work())()>>(std::move(work));
        auto result = task->get_future();
        {
            std::lock_guard lock(mutex_);
            queue_.push_back([task] { (*task)(); });
        }
        ready_.notify_one();
        return result;
    }

    unsigned Size() const { return unsigned(threads_.size()); }

  private:
    void Serve();

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

} // namespace lb
