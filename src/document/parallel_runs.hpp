// Independent computations spread over threads: each in a program of its own, so that the
// threads share nothing but the index of the next one to run.
#pragma once

#include <cstddef>
#include <functional>

namespace qalix {

// The threads to use when none are asked for: one per core the machine reports, at least one.
unsigned defaultThreads();

// Runs task(0) .. task(count - 1), each once, on at most `threads` threads (in the calling
// thread when one is enough), and returns once every task has run. What a task throws is
// thrown again from here once all have run: the first in index order.
void runInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task);

}  // namespace qalix
