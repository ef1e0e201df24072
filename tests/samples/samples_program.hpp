// A started program driven to the sample dialogs: the design completed through the panel,
// "Simulated" and "Imported" clicked, sets typed and selected as a user does, and files
// imported the way the frame's import commands do.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "characteristics/designed_program.hpp"
#include "samples/import_ids.hpp"
#include "samples/sample_files.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix::testing {

inline std::string fixture(std::string_view name) {
    return std::string(QALIX_SOURCE_DIR) + "/tests/samples/fixtures/" + std::string(name);
}

class SamplesProgram : public DesignedProgram {
  protected:
    void SetUp() override {
        DesignedProgram::SetUp();
        program.samples().fixedSeed = kSeed;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::path(::testing::TempDir()) /
                 (std::string("qalix_") + test->test_suite_name() + "_" + test->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(std::string_view name) const { return (folder / name).string(); }

    // "Setting Simulation" after the design, with m typed first when given.
    void openSimulation(const DesignSteps& steps = {}, std::string_view m = "") {
        ASSERT_NO_FATAL_FAILURE(completeDesign(steps));
        if (!m.empty()) ui.type(panel::kSizeCombo, m);
        ui.click(panel::kSimulatedSamples);
    }
    // A set as the user picks it: mu (or delta in the "brownian" design) and n.
    void selectSet(std::string_view mean, std::string_view n, bool byDelta = false) {
        using namespace simulation;
        ui.type(kSimulationDialog, byDelta ? kDeltaCombo : kMuCombo, mean);
        ui.type(kSimulationDialog, kSizeCombo, n);
        ui.click(kSimulationDialog, kSelectSet);
    }
    void simulate() { ui.click(kSimulationDialog, simulation::kSimulate); }
    std::string simText(int control) { return ui.text(kSimulationDialog, control); }

    // What the frame's import commands do once the file is chosen and shown.
    void importAs(std::string_view kind, const std::string& file) {
        record().importKind = kind;
        IMPORTSAMPLE(program, file);
        if (record().importReady && kind != "VarName") {
            program.panel().setLogical(panel::kImportedSamples, true, Index::Enabled);
            record().importAvailable = true;
        }
    }
    std::string importText(int control) { return ui.text(kImportDialog, control); }

    static constexpr std::uint64_t kSeed = 20240611;
    std::filesystem::path folder;
};

}  // namespace qalix::testing
