// The sample dialogs as windows: "Setting Simulation" after three sets were simulated and
// "Import Samples" after an import with a selection, driven through their widgets, with
// screenshots kept for a person to look at.
#include <filesystem>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "samples/import_ids.hpp"
#include "samples/sample_files.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix::qt::testing {
namespace {

class SampleWindows : public Desktop {
  protected:
    void designed() {
        whenShown(
            kInfoTimeDialog, [] {}, infotimes::kOk);
        click(kPanelDialog, panel::kGroupSizesButton);
        click(kPanelDialog, panel::kCoeffButton);
        click(kPanelDialog, panel::kSequentialDesignButton);
    }
    void simulateThreeSets() {
        using namespace simulation;
        program.samples().fixedSeed = 7;
        click(kPanelDialog, panel::kSimulatedSamples);
        const char* means[] = {"0.5", "0.25", "0.0"};
        for (const char* mu : means) {
            type(kSimulationDialog, kMuCombo, QString::fromLatin1(mu));
            type(kSimulationDialog, kSizeCombo, QStringLiteral("25"));
            click(kSimulationDialog, kSelectSet);
        }
        click(kSimulationDialog, kSimulate);
    }
};

TEST_F(SampleWindows, SettingSimulationAfterThreeSets) {
    designed();
    simulateThreeSets();
    DialogWindow& w = window(kSimulationDialog);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(program.record().simRecordCount, 3);
    EXPECT_TRUE(program.record().simReady);
    expectWidgetsFollowTheModel(kSimulationDialog);
    expectWidgetsFollowTheModel(kPanelDialog);
    EXPECT_TRUE(takeBoxes().empty());
    saveScreenshot(w, QStringLiteral("setting_simulation"));
    click(kSimulationDialog, simulation::kDone);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(SampleWindows, ImportSamplesAfterAnImportWithASelection) {
    designed();
    simulateThreeSets();
    click(kSimulationDialog, simulation::kDone);
    const std::string file =
        (std::filesystem::temp_directory_path() / "qalix_sample_windows.txt").string();
    ASSERT_TRUE(SAVESIMU(program, file));
    // What the Data menu's "Simulated" does once the file is chosen.
    program.record().importKind = "Simu";
    IMPORTSAMPLE(program, file);
    program.panel().setLogical(panel::kImportedSamples, true, Index::Enabled);
    std::filesystem::remove(file);

    using namespace imports;
    click(kPanelDialog, panel::kImportedSamples);
    spin(kImportDialog, kRecordSpin, 1);
    click(kImportDialog, kSelectSet);
    spin(kImportDialog, kRecordSpin, 3);
    click(kImportDialog, kSelectSet);
    EXPECT_EQ(program.record().selectedSetCount, 2);
    expectWidgetsFollowTheModel(kImportDialog);
    EXPECT_TRUE(takeBoxes().empty());
    saveScreenshot(window(kImportDialog), QStringLiteral("import_samples"));
}

}  // namespace
}  // namespace qalix::qt::testing
