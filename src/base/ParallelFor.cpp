#include "base/ParallelFor.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zel {
namespace {

// Threads that live as long as the process. A thread started per call would throw away what it
// keeps per thread (Qt its font engines, which a drawing on it loads again at a cost of
// milliseconds), and starting threads costs more than a short chunk.
class Workers {
  public:
    // Never destroyed: a worker must not outlive the libraries its thread-local caches belong to,
    // so the threads are left to end with the process.
    static Workers& Shared() {
        static Workers* const workers = new Workers;
        return *workers;
    }

    void post(std::function<void()> task) {
        {
            const std::lock_guard<std::mutex> lock(lock_);
            queue_.push_back(std::move(task));
        }
        wake_.notify_one();
    }

    // Runs one waiting task on the calling thread; false when none waits. A caller that waits for
    // its chunks helps this way, so chunks get done even without workers and nested calls cannot
    // wait on one another.
    bool runOne() {
        std::function<void()> task;
        {
            const std::lock_guard<std::mutex> lock(lock_);
            if (queue_.empty()) return false;
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        task();
        return true;
    }

  private:
    Workers() {
        const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
        for (std::size_t i = 1; i < cores; ++i) {
            try {
                std::thread([this] { serve(); }).detach();
            } catch (const std::system_error&) {
                break;  // fewer workers: the callers do the rest
            }
        }
    }

    void serve() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock<std::mutex> lock(lock_);
                wake_.wait(lock, [this] { return !queue_.empty(); });
                task = std::move(queue_.front());
                queue_.pop_front();
            }
            task();
        }
    }

    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace

std::size_t ParallelWorkers(std::size_t count) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores, count);
}

void ParallelFor(std::size_t count, const std::function<void(std::size_t begin, std::size_t end)>& body) {
    const std::size_t workers = ParallelWorkers(count);
    if (workers <= 1) {
        if (count > 0) body(0, count);
        return;
    }
    std::mutex lock;
    std::condition_variable finished;
    std::size_t pending = workers - 1;
    std::exception_ptr failure;
    auto chunk = [&](std::size_t w) {
        try {
            body(count * w / workers, count * (w + 1) / workers);
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
        }
    };
    Workers& pool = Workers::Shared();
    for (std::size_t w = 1; w < workers; ++w)
        pool.post([&, w] {
            chunk(w);
            const std::lock_guard<std::mutex> guard(lock);
            if (--pending == 0) finished.notify_all();
        });
    chunk(0);
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock);
            if (pending == 0) break;
        }
        if (pool.runOne()) continue;
        std::unique_lock<std::mutex> guard(lock);
        finished.wait(guard, [&] { return pending == 0; });
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace zel
