// The sequential boundary plot as the user opens it from the Plot menu: the bars, curves and
// labels of the looks, the design block, the final critical value, and the simulated and
// imported sample paths with their legend, read on the frame's picture.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/sequential_design.hpp"
#include "graphics/boundary_plot.hpp"
#include "graphics/plot_frame.hpp"
#include "numeric/number_text.hpp"
#include "plot_program.hpp"

namespace qalix::testing {
namespace {

// z_0.95 to the digits shown; every position below lies far from a truncation step.
constexpr double kZ95 = 1.6448536;

int X(float x) {
    return PlotMapping(kBoundaryScale).NEWX(x);
}
int Y(float y) {
    return PlotMapping(kBoundaryScale).NEWY(y);
}
std::string at(const char* call, float x, float y) {
    return std::string(call) + " " + std::to_string(X(x)) + " " + std::to_string(Y(y));
}
std::string textAt(float x, float y, const std::string& text) {
    return at("text", x, y) + " \"" + text + "\"";
}
std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

class BoundaryPlot : public PlotProgram {};

TEST_F(BoundaryPlot, BarsAtHalfTimeStartHalfAUnitFromTheCriticalLine) {
    // K = 4 equally spaced, a = 0.5: sqrt(2 * 0.5 * 0.5 * 0.5) = 0.5 at t = 0.5.
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode(brownianDesign("4", "0.5")));
    plotBoundary();
    const auto log = picture();
    const auto half = static_cast<float>(kZ95 / 2);
    const auto upper = std::find(log.begin(), log.end(), at("move", 0.5f, half + 0.5f));
    ASSERT_NE(upper, log.end());
    EXPECT_EQ(*(upper + 1), at("line", 0.5f, 4.0f));
    const auto lower = std::find(log.begin(), log.end(), at("move", 0.5f, half - 0.5f));
    ASSERT_NE(lower, log.end());
    EXPECT_EQ(*(lower + 1), at("line", 0.5f, -2.0f));
    EXPECT_TRUE(hasLine(log, textAt(0.5f, -2.1f, "0.500")));
}

TEST_F(BoundaryPlot, AtTheLastLookBothBarsAndTheRedMarkStandAtTheCriticalValue) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const auto log = picture();
    const auto z = static_cast<float>(kZ95);
    // The upper bar, the lower bar and the red mark start there.
    EXPECT_EQ(std::count(log.begin(), log.end(), at("move", 1.0f, z)), 3);
    const auto red = std::find(log.begin(), log.end(), "pen solid 0 (255,0,0)");
    ASSERT_NE(red, log.end());
    EXPECT_EQ(*(red + 1), at("move", 1.0f, z));
    EXPECT_EQ(*(red + 2), at("line", 1.015f, z));
    EXPECT_EQ(*(red + 3), textAt(1.02f, z + 0.13f, "1.6449"));
    // P-values at t = 1: 1 - Phi(z) = alpha on both rows.
    EXPECT_TRUE(hasLine(log, textAt(1.0f, -2.6f, "0.0500")));
    EXPECT_TRUE(hasLine(log, textAt(1.0f, -2.8f, "0.0500")));
    // On the sum scale: sqrt(25) * z * 1, its first eight characters in free format.
    EXPECT_EQ(*(red + 6), "align right");
    EXPECT_EQ(*(red + 7), textAt(1.19f, z, " 8.22426"));
}

TEST_F(BoundaryPlot, NormseqDesignShowsCumulativeSizesAndTheSumScale) {
    ui.type(panel::kSizeCombo, "40");
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode({panel::kNormseqDesign, "10", "0.02", ""}));
    plotBoundary();
    const auto log = picture();
    // N_K = 40 at t = 0.3: F5.0 of 12 is "  12." and four characters are drawn.
    EXPECT_TRUE(hasLine(log, textAt(0.3f, -2.3f, "  12")));
    EXPECT_TRUE(hasLine(log, textAt(0.0f, -2.3f, "Cumulative Sample Sizes :")));
    // sqrt(40) * 2 = 12.649 at S = 2, as F6.1 in seven characters.
    EXPECT_TRUE(hasLine(log, textAt(1.21f, 2.0f, "  12.6 ")));
    EXPECT_TRUE(hasLine(log, textAt(-0.75f, -1.9f, "7. Sample Size:  m =    40")));
    EXPECT_TRUE(hasLine(log, textAt(-0.75f, -2.1f, "8. Number of looks:  K =    10")));
}

TEST_F(BoundaryPlot, OtherDesignsShowNeitherSizesNorTheSumScale) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode(brownianDesign()));
    plotBoundary();
    const auto log = picture();
    EXPECT_TRUE(linesStarting(log, "text " + std::to_string(X(1.21f))).empty());
    EXPECT_FALSE(hasLine(log, textAt(0.0f, -2.3f, "Cumulative Sample Sizes :")));
    EXPECT_TRUE(
        linesStarting(log, "text " + std::to_string(X(-0.75f)) + " " + std::to_string(Y(-1.5f)))
            .empty());
    EXPECT_TRUE(hasLine(log, textAt(-0.8f, -1.5f, "5. Number of looks:  K =     4")));
    const double rho = std::stod(ui.text(panel::kDiscordanceEdit));
    EXPECT_TRUE(hasLine(log, textAt(-0.75f, -1.2f, "4. Discord prob: rho_max = " + fixed(rho, 4))));
}

TEST_F(BoundaryPlot, DesignBlockShowsTheEntriesAndStoresTheAlternative) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    record().altDelta = 0.0;
    plotBoundary();
    const auto log = picture();
    // z_0.95 + z_0.8 = 1.64485 + 0.84162 = 2.48647
    EXPECT_NEAR(record().altDelta, 2.486475, 2e-5);
    const std::vector<std::string> expected = {
        textAt(-0.75f, -0.3f, "DESIGN PARAMETERS :"),
        textAt(-0.75f, -0.6f, "1. Sig-level:  alpha = 0.0500"),
        textAt(-0.75f, -0.8f, "2. Power:  1-beta = 0.8000"),
        textAt(-0.75f, -1.0f, "3. Alt. std mean:  delta_a =    2.486"),
        textAt(-0.75f, -1.5f, "5. Stand Dev:  SD =    1.000"),
        textAt(-0.75f, -1.7f, "6. Alternative:  mu_a =    0.500"),
        textAt(-0.75f, -1.9f, "7. Sample Size:  m =    25"),
    };
    for (const std::string& line : expected)
        EXPECT_TRUE(hasLine(log, line)) << line;
}

TEST_F(BoundaryPlot, ThirteenSetsAreAllDrawnAndTwelveNamedInTheLegend) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets(std::vector<std::pair<std::string, std::string>>(13, {"0.5", "300"}));
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    const auto log = picture();
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 13u);
    EXPECT_EQ(paths[0].pen, "pen dot 1 (213,94,0)");
    // Sets larger than N = 25 draw their first 25 points, the last at t = 1; a path that
    // leaves the frame is drawn up to its edge.
    for (const DrawnPath& p : paths) {
        const bool whole = p.lines.back().rfind("line " + std::to_string(X(1.0f)) + " ", 0) == 0;
        const std::string& last = p.lines.back();
        const std::string y = last.substr(last.rfind(' ') + 1);
        EXPECT_TRUE(whole ? p.points == 25 : y == std::to_string(Y(4.0f))) << last;
    }
    EXPECT_TRUE(hasLine(log, textAt(-0.77f, 3.2f, "Sample Paths         mu          delta")));
    for (int s = 1; s <= 13; ++s) {
        const float row = 3.1f - 0.25f * static_cast<float>(s);
        const std::string number = (s < 10 ? "   " : "  ") + std::to_string(s) + "    ";
        EXPECT_EQ(hasLine(log, textAt(-0.77f, row, number)), s <= 12) << s;
    }
    // mu, seven blanks, delta = sqrt(25) * 0.5, and five blanks to 26 characters.
    EXPECT_TRUE(
        hasLine(log, textAt(-0.58f, 3.1f - 0.25f, "  0.500" + blanks(7) + "  2.500" + blanks(5))));
}

TEST_F(BoundaryPlot, InTheBrownianDesignTheLegendShowsDeltaAlone) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode(brownianDesign()));
    ui.click(panel::kSimulatedSamples);
    selectSet("1.5", "20", true);
    simulate();
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    const auto log = picture();
    EXPECT_TRUE(hasLine(log, textAt(-0.77f, 3.2f, "Sample Paths         delta" + blanks(12))));
    EXPECT_TRUE(hasLine(log, textAt(-0.58f, 2.85f, "  1.500" + blanks(19))));
    // 20 of N = 300 grid steps: the path ends at t = 20/300.
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].points, 20);
    EXPECT_EQ(paths[0].lines.back().rfind("line " + std::to_string(X(20.0f / 300.0f)) + " ", 0),
              0u);
}

// A coefficient beyond a float drew "NaN" boundaries; typed after the design, it is refused
// by "rho" and the plots of the earlier inputs wait.
TEST_F(BoundaryPlot, ACoefficientBeyondSinglePrecisionIsRefusedWithItsRange) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    for (const double a : {1e308, 3e38}) {  // beyond a float, and beyond it once doubled
        ui.type(panel::kCoeffCombo, formatFree(a));
        ui.click(panel::kRhoButton);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: " + coefficientOutOfRange(a)});
        EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
    }
}

TEST_F(BoundaryPlot, TimesThatDoNotIncreaseToOneAreNotDrawn) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode(brownianDesign("4")));
    whenShown(
        kInfoTimeDialog,
        [this] {
            ui.type(kInfoTimeDialog, infotimes::kTime[1], "3");  // kept unchecked by the update
            ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
        },
        infotimes::kOk);
    ui.click(panel::kInfoTimesButton);
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
    ui.click(panel::kCoeffButton);
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"Error: The information times must increase strictly from "
                                       "above 0 to exactly 1 at the last look."});
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
}

TEST_F(BoundaryPlot, NewSimulatesAtEveryPassAndSavedKeepsTheSavedPaths) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}, {"0.0", "25"}});
    std::vector<std::vector<std::string>> passes;
    const auto refresh = [&] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
        passes.push_back(picture());
    };
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [&] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        refresh();
        refresh();
        EXPECT_EQ(ui.text(kPlotSimulationsDialog, plotsimulations::kSavedNotice), "");
        ui.click(kPlotSimulationsDialog, plotsimulations::kSave);
        // "Save" wrote no file and said nothing: it says what it kept, and where files come from.
        EXPECT_EQ(ui.text(kPlotSimulationsDialog, plotsimulations::kSavedNotice),
                  "Kept the 2 paths drawn: \"Saved\" draws them. A file: Data > Save "
                  "Simulation.");
        ui.click(kPlotSimulationsDialog, plotsimulations::kSaved);
        refresh();
        refresh();
    });
    const auto pathsOf = [&](std::size_t pass) { return drawnPaths(passes[pass])[0].lines; };
    EXPECT_NE(pathsOf(0), pathsOf(1));
    EXPECT_EQ(pathsOf(2), pathsOf(1));  // "Save" kept the paths the last pass drew
    EXPECT_EQ(pathsOf(3), pathsOf(2));
}

TEST_F(BoundaryPlot, ASimulationThatFailsEndsThePassAfterTheBoundaries) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    selectSet("0.5", "600");  // not simulated yet
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                  "Error: Simulation sample size should not be more than 500"});
    const auto log = picture();
    EXPECT_TRUE(drawnPaths(log).empty());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], textAt(1.19f, static_cast<float>(kZ95), " 8.22426"));
    EXPECT_EQ(log.back(), "align left");
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotSimulated));
}

class ImportedPaths : public PlotProgram {
  protected:
    // The fourteen records of the fixture, with SD 1.5 and names; N = 25.
    void importFourteen() {
        ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
        importAs("Observ", fixture("observ_fourteen.txt"));
        importAs("VarName", fixture("names_fourteen.txt"));
        ui.click(panel::kGraphicWindow);  // the menu follows the import at the mode's set-up
    }
    void plotImported(int radio) {
        plot(menu::kPlotImported, kPlotImportedDialog, [this, radio] {
            ui.click(kPlotImportedDialog, radio);
            ui.click(kPlotImportedDialog, plotimported::kRefresh);
        });
    }
};

TEST_F(ImportedPaths, AllRecordsAreDrawnOnTheBrownianScaleWithTheirNames) {
    ASSERT_NO_FATAL_FAILURE(importFourteen());
    plotImported(plotimported::kAll);
    const auto log = picture();
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 14u);
    EXPECT_EQ(paths[0].pen, "pen dot 1 (213,94,0)");
    // Record 1 holds 0.1 and 0.2: S = 0.1 / (5 * 1.5) at t = 1/25, then 0.3 / 7.5 at 2/25.
    EXPECT_EQ(paths[0].lines, (std::vector<std::string>{at("line", 0.04f, 0.1f / 7.5f),
                                                        at("line", 0.08f, 0.3f / 7.5f)}));
    EXPECT_TRUE(
        hasLine(log, textAt(-0.92f, 3.2f, "Variables     Sample Paths   Std-Dev (type)    Size")));
    EXPECT_TRUE(hasLine(log, textAt(-1.0f, 2.85f, "   1.  Systolic            ")));
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.85f, "  1.500  Assum       2")));
    EXPECT_EQ(linesStarting(log, "text " + std::to_string(X(-1.0f))).size(), 12u);
}

TEST_F(ImportedPaths, SelectedWithoutSelectedSetsDrawsTheBoundariesOnly) {
    ASSERT_NO_FATAL_FAILURE(importFourteen());
    plotImported(plotimported::kSelected);
    const auto log = picture();
    EXPECT_TRUE(drawnPaths(log).empty());
    EXPECT_TRUE(linesStarting(log, "text " + std::to_string(X(-0.92f))).empty());
    EXPECT_EQ(record().plotSource, "SelectedImport");
}

TEST_F(ImportedPaths, SelectedSetsUseTheirOwnSdSizeAndName) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    importAs("Observ", fixture("selection_records.txt"));
    ui.click(panel::kImportedSamples);
    using namespace imports;
    ui.spin(kImportDialog, kRecordSpin, 5);  // 3.0 and 5.0
    ui.click(kImportDialog, kAssumedRadio);
    ui.type(kImportDialog, kAssumedMuEdit, "2.0");
    ui.type(kImportDialog, kAssumedSizeEdit, "2");
    ui.type(kImportDialog, kVarNameEdit, "Beta");
    ui.click(kImportDialog, kSelectSet);
    ui.click(panel::kGraphicWindow);
    plotImported(plotimported::kSelected);
    const auto log = picture();
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 1u);
    // 3 / (5 * 2) = 0.3 at t = 0.04, then 0.3 + 0.5 at 0.08.
    EXPECT_EQ(paths[0].lines,
              (std::vector<std::string>{at("line", 0.04f, 0.3f), at("line", 0.08f, 0.8f)}));
    EXPECT_TRUE(hasLine(log, textAt(-1.0f, 2.85f, "   1.  Beta                ")));
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.85f, "  2.000  assum       2")));
}

// Records whose file gives no SD drew nothing under "All", their legend reading "0.000
// Estim" while the selection dialog estimated an SD: they are drawn with that estimate.
TEST_F(ImportedPaths, RecordsWithoutAnSdAreDrawnWithTheSdTheSelectionEstimates) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    importAs("Observ", fixture("observ_two_records.txt"));  // no SD in the file
    ui.click(panel::kGraphicWindow);
    plotImported(plotimported::kAll);
    const auto log = picture();
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].points, 3);
    EXPECT_EQ(paths[1].points, 5);
    // Sample SDs: record 1 (0.5, 1.5, -0.2) sqrt(1.46 / 2) = 0.8544, record 2 (2, 1, 0, 3.5,
    // -1) sqrt(12.2 / 4) = 1.7464, as the selection dialog estimates them.
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.85f, "  0.854  Estim       3")));
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.6f, "  1.746  Estim       5")));
    ui.click(panel::kImportedSamples);
    EXPECT_EQ(ui.text(kImportDialog, imports::kEstimatedMuEdit), "0.8544");
}

// "All" labelled every SD "Estim", also one a file gave; and after a simulation's file the
// observed paths were drawn with the simulation's SD. Each legend row shows the SD its path is
// drawn with and whether it is assumed (a file's or typed) or estimated from the record.
TEST_F(ImportedPaths, TheLegendShowsTheSdEachPathIsDrawnWithAndItsKind) {
    struct Row {
        const char* before;  // a file imported before the observations
        const char* kind;
        std::string first, second;  // legend rows of records 1 and 2
        float firstSd;
    };
    const std::vector<Row> rows = {
        {"simu_two_sets.txt", "Simu", "  0.854  Estim       3", "  1.746  Estim       5", 0.8544f},
        {"varname_record_one_sd.txt", "VarName", "  2.500  Assum       3", "  1.746  Estim       5",
         2.5f},
    };
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    for (const Row& row : rows) {
        importAs(row.kind, fixture(row.before));
        importAs("Observ", fixture("observ_two_records.txt"));
        ui.click(panel::kGraphicWindow);
        plotImported(plotimported::kAll);
        const auto log = picture();
        EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.85f, row.first))) << row.before;
        EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.6f, row.second))) << row.before;
        const auto paths = drawnPaths(log);
        ASSERT_EQ(paths.size(), 2u) << row.before;
        // 0.5 / (5 * SD) at t = 1/25.
        EXPECT_EQ(paths[0].lines.at(0), at("line", 0.04f, 0.5f / (5.0f * row.firstSd)))
            << row.before;
    }
}

// A record of one observation has no estimated SD: the legend once read "NaN" for it, where
// the selection dialog shows "?"; it draws no path.
TEST_F(ImportedPaths, ARecordWithoutAnEstimateShowsWhatTheSelectionShows) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    importAs("Observ", fixture("observ_one_observation.txt"));
    ui.click(panel::kGraphicWindow);
    plotImported(plotimported::kAll);
    const auto log = picture();
    const auto paths = drawnPaths(log);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_TRUE(paths[1].lines.empty());
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.6f, "      ?  Estim       1")));
    ui.click(panel::kImportedSamples);
    ui.spin(kImportDialog, imports::kRecordSpin, 2);
    EXPECT_EQ(ui.text(kImportDialog, imports::kEstimatedMuEdit), "?");
}

// A set selected without typing a name (the name field starts empty) went into the legend
// nameless: it goes under its record's name.
TEST_F(ImportedPaths, ASetSelectedWithoutANameGoesUnderItsRecordsName) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    importAs("Observ", fixture("observ_two_records.txt"));
    ui.click(panel::kImportedSamples);
    ASSERT_EQ(ui.text(kImportDialog, imports::kVarNameEdit), "");
    ui.click(kImportDialog, imports::kSelectSet);
    ui.click(panel::kGraphicWindow);
    plotImported(plotimported::kSelected);
    const auto log = picture();
    ASSERT_EQ(drawnPaths(log).size(), 1u);
    EXPECT_TRUE(hasLine(log, textAt(-1.0f, 2.85f, "   1.    One               ")));
    EXPECT_TRUE(hasLine(log, textAt(-0.6f, 2.85f, "  0.854  estim       3")));
}

// No such text can be typed into the panel (a refused entry shows the value held again); set
// by the program after the design, it is refused by "Sequential Design", and the plots of the
// earlier inputs wait.
TEST_F(BoundaryPlot, AStandardDeviationThatCannotBeReadStopsTheDesign) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    program.panel().setText(panel::kSdCombo, "one");
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
    ui.click(panel::kSequentialDesignButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
}

}  // namespace
}  // namespace qalix::testing
