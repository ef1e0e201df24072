// The frame's Data menu as the user meets it in the text window: "Save Simulation" writes the
// simulated sets and shows the file, and the three imports show the file they read, fill the
// tables and make the imported samples available for the panel and the plots.
#include <fstream>

#include "samples/samples_program.hpp"
#include "shell/text_files.hpp"
#include "support/file_text.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

class FrameData : public SamplesProgram {
  protected:
    FrameWindow& frame() { return program.frame(); }
    void textMode() { ui.click(panel::kTextWindow); }
    void choose(const std::string& file, bool save) {
        if (save) {
            platform.answerSaveFile({DialogOutcome::Accepted, file, 0});
        } else {
            platform.answerOpenFile({DialogOutcome::Accepted, file, 0});
        }
    }
};

TEST_F(FrameData, SaveSimulationWritesTheSetsAndShowsTheFile) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "10");
    selectSet("0.0", "25");
    simulate();
    ASSERT_TRUE(takeMessages().empty());
    textMode();
    const std::string file = path("paths.txt");
    choose(file, true);
    frame().command(menu::kSaveSimulation);
    EXPECT_TRUE(takeMessages().empty());
    const auto expected = simulationText(record(), program.samples());
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(fileText(file), *expected);
    // 10 + 25 lines of 75 columns.
    EXPECT_EQ(std::count(expected->begin(), expected->end(), '\n'), 35);
    EXPECT_EQ(frame().text(), withoutTrailingBlanks(*expected));
    EXPECT_EQ(frame().title(), " Text File: Save Simulation:  paths");
}

TEST_F(FrameData, ImportingSimulatedDataMakesTheSamplesAvailable) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "10");
    simulate();
    textMode();
    const std::string file = path("paths.txt");
    choose(file, true);
    frame().command(menu::kSaveSimulation);
    EXPECT_FALSE(ui.enabled(panel::kImportedSamples));
    choose(file, false);
    frame().command(menu::kImportSimulated);
    EXPECT_EQ(frame().title(), "Text Window: to import simulated data: paths");
    EXPECT_EQ(record().importCount, 1);
    EXPECT_EQ(record().importSize[0], 10);
    EXPECT_TRUE(record().importReady);
    EXPECT_TRUE(record().importAvailable);
    EXPECT_TRUE(ui.enabled(panel::kImportedSamples));
    // The file is shown in the text window as it was read.
    EXPECT_EQ(frame().text(), withoutTrailingBlanks(fileText(file)));
}

TEST_F(FrameData, VariableNamesDoNotMakeSamplesAvailable) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    textMode();
    const std::string file = path("names.txt");
    std::ofstream(file) << "1 \"Blood pressure\" 0\n2 Weight 1.5\n";
    choose(file, false);
    frame().command(menu::kImportVariableNames);
    EXPECT_EQ(frame().title(), "Text Window: to import variable names: names");
    EXPECT_EQ(record().importVarName[0].str(), "Blood pressure");
    EXPECT_EQ(record().importNameKind.str(), "namesd");
    EXPECT_FALSE(record().importAvailable);
    EXPECT_FALSE(ui.enabled(panel::kImportedSamples));
}

TEST_F(FrameData, DataCommandsWaitForTheTextWindow) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.click(panel::kGraphicWindow);
    for (int id : {menu::kSaveSimulation, menu::kImportSimulated, menu::kImportObserved,
                   menu::kImportVariableNames}) {
        EXPECT_FALSE(frame().menu().enabled(id)) << id;
        frame().command(id);
    }
    EXPECT_TRUE(platform.fileRequests().empty());
    textMode();
    for (int id : {menu::kSaveSimulation, menu::kImportSimulated, menu::kImportObserved,
                   menu::kImportVariableNames})
        EXPECT_TRUE(frame().menu().enabled(id)) << id;
}

TEST_F(FrameData, ACancelledChoiceImportsNothing) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    textMode();
    platform.answerOpenFile({DialogOutcome::Cancelled, "", 0});
    frame().command(menu::kImportObserved);
    EXPECT_EQ(record().importCount, 0);
    EXPECT_EQ(frame().title(), "Text Window: Save and Import Data");
    EXPECT_TRUE(takeMessages().empty());
}

}  // namespace
}  // namespace qalix::testing
