// A two-group design's plots and sample paths as the user meets them: the boundary plot's
// right-hand scale and the curve plots' data-scale row in the difference of the means, the
// sample-path commands greyed and refused while the panel asks for two groups.
#include <cmath>
#include <string>
#include <vector>

#include "design/panel_ids.hpp"
#include "graphics/boundary_plot.hpp"
#include "graphics/plot_frame.hpp"
#include "graphics/power_plot.hpp"
#include "plot_program.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix::testing {
namespace {

// sigma = 1 and r = 2: sigma_e = sigma (1 + r) / sqrt(r) = 3 / sqrt(2) = 2.1213203.
const std::string kRatio = "2";
const std::string kRefusal = "Error: Sample paths apply to one-sample designs.";

std::string textAt(const PlotScale& scale, float x, float y, const std::string& text) {
    const PlotMapping map(scale);
    return "text " + std::to_string(map.NEWX(x)) + " " + std::to_string(map.NEWY(y)) + " \"" +
           text + "\"";
}

class TwoGroupPlots : public PlotProgram {
  protected:
    void chooseTwoGroups() {
        ui.pick(panel::kOutcomeCombo, "two groups");
        ui.type(panel::kAllocationCombo, kRatio);
    }
    std::vector<int> sampleCommands() const {
        return {menu::kSaveSimulation, menu::kImportSimulated, menu::kImportObserved};
    }
};

TEST_F(TwoGroupPlots, RightScaleIsTotalSizeTimesDifference) {
    chooseTwoGroups();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const auto log = picture();
    // N_K = 25: at S = 2, sqrt(25) * 2 * 2.1213203 = 21.213, F6.1 in seven characters; the
    // one-sample sum would read 10.0.
    EXPECT_TRUE(hasLine(log, textAt(kBoundaryScale, 1.21f, 2.0f, "  21.2 ")));
    EXPECT_TRUE(hasLine(log, textAt(kBoundaryScale, 1.33f, 0.0f, "Total n  x  Difference")));
}

TEST_F(TwoGroupPlots, PowerPlotNamesTheDifferenceOfMeans) {
    chooseTwoGroups();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto log = picture();
    EXPECT_TRUE(hasLine(log, textAt(kPowerScale, -1.7f, -0.135f, "Difference of Means:     mu =")));
    // delta * sigma_e / sqrt(M) at delta = 1: 2.1213203 / 5.
    EXPECT_TRUE(hasLine(log, textAt(kPowerScale, 1.0f, -0.135f, "0.4243")));
}

TEST_F(TwoGroupPlots, SampleCommandsAreGreyedWithTheirReasonUntilOneSampleReturns) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    ui.click(panel::kTextWindow);
    const MenuModel& menu = frame().menu();
    for (int command : sampleCommands())
        ASSERT_TRUE(menu.enabled(command)) << command;

    chooseTwoGroups();
    for (int command : sampleCommands()) {
        EXPECT_FALSE(menu.enabled(command)) << command;
        EXPECT_EQ("Error: " + menu.reason(command), kRefusal) << command;
    }
    EXPECT_TRUE(menu.enabled(menu::kImportVariableNames));

    // One sample again, picked or set by the information-time design's button.
    for (const bool byButton : {false, true}) {
        if (byButton) {
            chooseTwoGroups();
            ui.click(panel::kBrownianDesign);
        } else {
            ui.pick(panel::kOutcomeCombo, "one sample");
        }
        for (int command : sampleCommands()) {
            EXPECT_TRUE(menu.enabled(command)) << command << (byButton ? " by the button" : "");
            EXPECT_TRUE(menu.reason(command).empty()) << command;
        }
    }
}

TEST_F(TwoGroupPlots, PanelSimulationButtonIsRefused) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    ui.close(kSimulationDialog);
    chooseTwoGroups();
    ui.click(panel::kSequentialDesignButton);
    ASSERT_TRUE(takeMessages().empty());
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotSimulated));

    ui.click(panel::kSimulatedSamples);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kRefusal});
    EXPECT_FALSE(program.dialogs().get(kSimulationDialog).isOpen());
    EXPECT_FALSE(ui.checked(panel::kSimulatedSamples));
}

}  // namespace
}  // namespace qalix::testing
