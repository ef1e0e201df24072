// What refusing a hostile design file costs: a file of 134 KB nesting 64,000 lists in its
// notes once took 22 s and 12 GB before it was refused (its layout built a path per level,
// each as long as the depth), and ended the program under a memory limit. The depth is now
// counted before anything is built. Every allocation of this program is counted, so the test
// sees the cost without timing anything.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "document/design_file.hpp"

namespace {

std::atomic<std::size_t> allocated{0};

}  // namespace

void* operator new(std::size_t bytes) {
    allocated.fetch_add(bytes, std::memory_order_relaxed);
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace qalix::testing {
namespace {

// More than this for one refusal would be a cost that grows with the depth.
constexpr std::size_t kMostBytes = std::size_t{1} << 20;

TEST(DesignFileCost, ADeepFileIsRefusedForTheCostOfReadingIt) {
    constexpr int kDepth = 64000;
    const std::string text =
        "{\n  \"format\": \"qalix-design\",\n  \"version\": 1,\n  \"notes\": " +
        std::string(kDepth, '[') + std::string(kDepth, ']') + "\n}\n";
    const std::size_t before = allocated.load();
    try {
        parseDesignFile(text, "deep.qalixdesign");
        ADD_FAILURE() << "a file nested 64,000 levels deep was read";
    } catch (const DesignFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The design file deep.qalixdesign, line 4 cannot be opened: it is nested more "
                  "than 32 levels deep.");
    }
    EXPECT_LT(allocated.load() - before, kMostBytes);
}

}  // namespace
}  // namespace qalix::testing
