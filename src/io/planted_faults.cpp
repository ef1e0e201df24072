// The faults a test plants in the native calls (testing/planted_faults.hpp). A program plants
// none, so that every native call pays one relaxed load of `armed` and nothing more.
#include <algorithm>
#include <atomic>
#include <mutex>
#include <system_error>
#include <vector>

#include "io/native_files.hpp"
#include "io/testing/planted_faults.hpp"

namespace qalix::io {

namespace {

struct Waiting {
    testing::PlantedFault fault;
    int callsLeft;
};

std::atomic<bool> armed{false};
std::mutex guard;
std::vector<Waiting> waiting;  // under guard

}  // namespace

namespace testing {

void plantFault(PlantedFault fault) {
    const std::lock_guard lock(guard);
    waiting.push_back({fault, fault.call});
    armed.store(true, std::memory_order_release);
}

void clearFaults() {
    const std::lock_guard lock(guard);
    waiting.clear();
    armed.store(false, std::memory_order_release);
}

int faultsWaiting() {
    const std::lock_guard lock(guard);
    return static_cast<int>(waiting.size());
}

}  // namespace testing

namespace native {

bool planted(Step step, std::string& reason) {
    if (!armed.load(std::memory_order_relaxed)) return false;
    const std::lock_guard lock(guard);
    for (Waiting& w : waiting) {
        if (w.fault.step == step && w.callsLeft > 0) --w.callsLeft;
    }
    const auto hit = std::find_if(waiting.begin(), waiting.end(), [step](const Waiting& w) {
        return w.fault.step == step && w.callsLeft == 0;
    });
    if (hit == waiting.end()) return false;
    if (hit->fault.error == testing::kEndlessFile) {
        reason.clear();  // strikes at every read from now on, until cleared
        return true;
    }
    reason = std::generic_category().message(hit->fault.error);
    waiting.erase(hit);
    armed.store(!waiting.empty(), std::memory_order_release);
    return true;
}

}  // namespace native

}  // namespace qalix::io
