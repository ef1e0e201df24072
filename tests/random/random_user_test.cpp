// The program in a random user's hands: QALIX_RANDOM_ACTIONS actions (10,000 unless set)
// from the seed QALIX_RANDOM_SEED (a fresh one unless set, printed for a replay).
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "random/random_user.hpp"

namespace qalix::testing {
namespace {

constexpr long kDefaultActions = 10000;

std::uint64_t seedFromEnvironment() {
    if (const char* seed = std::getenv("QALIX_RANDOM_SEED")) return std::stoull(seed);
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) | device();
}

long actionsFromEnvironment() {
    if (const char* count = std::getenv("QALIX_RANDOM_ACTIONS")) return std::stol(count);
    return kDefaultActions;
}

// What the program wrote beside the user's folder under a name made from it ("folder.emf"):
// nothing, when it keeps to the files the user chose.
std::vector<std::string> besideFolder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    const std::string prefix = folder.filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    return names;
}

TEST(RandomUser, MeetsNoFaultInThousandsOfActions) {
    const std::uint64_t seed = seedFromEnvironment();
    const long actions = actionsFromEnvironment();
    std::cout << "QALIX_RANDOM_SEED=" << seed << " QALIX_RANDOM_ACTIONS=" << actions << std::endl;
    const auto folder =
        std::filesystem::temp_directory_path() / ("qalix_random_user_" + std::to_string(seed));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    RandomUser user(seed, folder);
    const auto fault = user.run(actions);
    std::cout << user.summary() << std::endl;
    std::filesystem::remove_all(folder);
    EXPECT_FALSE(fault) << "seed " << seed << ", " << fault.value_or("");
    EXPECT_EQ(besideFolder(folder), std::vector<std::string>{}) << "written outside the folder";
}

}  // namespace
}  // namespace qalix::testing
