#include "document/parallel_runs.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace qalix {

unsigned defaultThreads() {
    return std::max(1U, std::thread::hardware_concurrency());
}

void runInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task) {
    std::vector<std::exception_ptr> failures(count);
    std::atomic<std::size_t> next{0};
    // Each worker takes the next index until none is left; a failure stays with its index.
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                task(i);
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    };
    const std::size_t workers = std::min<std::size_t>(std::max(threads, 1U), count);
    if (workers <= 1) {
        work();
    } else {
        std::vector<std::jthread> pool;
        pool.reserve(workers);
        for (std::size_t w = 0; w < workers; ++w)
            pool.emplace_back(work);
    }  // the jthreads join here
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

}  // namespace qalix
