// Golden logs: every call of each plot for the start-up design, kept beside the tests so that
// any change to a drawing shows up line by line. QALIX_UPDATE_GOLDEN=1 rewrites them after a
// change that is meant; the new logs are then read against the drawings' descriptions before
// they are committed.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plot_program.hpp"

namespace qalix::testing {
namespace {

std::string goldenPath(const std::string& name) {
    return std::string(QALIX_SOURCE_DIR) + "/tests/graphics/golden/" + name + ".log";
}

std::vector<std::string> readLines(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void expectGolden(const std::string& name, const std::vector<std::string>& log) {
    const std::string file = goldenPath(name);
    if (std::getenv("QALIX_UPDATE_GOLDEN") != nullptr) {
        std::ofstream out(file);
        for (const std::string& line : log)
            out << line << '\n';
        return;
    }
    const std::vector<std::string> golden = readLines(file);
    ASSERT_FALSE(golden.empty()) << "no golden log " << file;
    const std::size_t common = std::min(golden.size(), log.size());
    for (std::size_t i = 0; i < common; ++i)
        ASSERT_EQ(log[i], golden[i]) << name << " line " << i + 1;
    EXPECT_EQ(log.size(), golden.size()) << name;
}

class GoldenPlots : public PlotProgram {};

TEST_F(GoldenPlots, SequentialBoundary) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    expectGolden("boundary", picture());
}

TEST_F(GoldenPlots, SequentialBoundaryWithSimulatedPaths) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}, {"0.0", "25"}, {"-0.2", "10"}});
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    expectGolden("boundary_simulated", picture());
}

TEST_F(GoldenPlots, PowerFunction) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    expectGolden("power", picture());
}

TEST_F(GoldenPlots, ExpectedSampleSize) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    expectGolden("expected_size", picture());
}

}  // namespace
}  // namespace qalix::testing
