#include "document/parallel_runs.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
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
    // The calling thread works too; a thread the system will not start leaves the work to
    // the others.
    const std::size_t workers = std::min<std::size_t>(std::max(threads, 1U), count);
    {
        std::vector<std::jthread> helpers;
        for (std::size_t w = 1; w < workers; ++w) {
            try {
                helpers.emplace_back(work);
            } catch (const std::system_error&) {
                break;
            }
        }
        work();
    }  // the helpers join here
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

}  // namespace qalix
