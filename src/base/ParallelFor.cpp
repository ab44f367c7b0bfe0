#include "base/ParallelFor.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zel {

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
    std::exception_ptr failure;
    std::mutex failureLock;
    auto chunk = [&](std::size_t w) {
        try {
            body(count * w / workers, count * (w + 1) / workers);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(workers - 1);
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            threads.emplace_back(chunk, w);
        } catch (const std::system_error&) {
            chunk(w);  // no thread to be had: this one does the chunk
        }
    }
    chunk(0);
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace zel
