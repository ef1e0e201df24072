#include "shell/startup.hpp"

#include <array>
#include <cmath>
#include <string_view>

#include "analysis/trial_dialog.hpp"
#include "analysis/trial_dialog_ids.hpp"
#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/operating_characteristics.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/fields.hpp"
#include "design/fixed_sample.hpp"
#include "design/info_times.hpp"
#include "design/panel.hpp"
#include "design/panel_ids.hpp"
#include "graphics/plot_dialogs.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/import_ids.hpp"
#include "samples/samples_callbacks.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/about_box.hpp"

namespace qalix {

namespace {

// Dialogs the program builds at start, in this order.
constexpr std::array kStartupDialogs = {
    kPanelDialog,        kStartScreenDialog, kInfoTimeDialog,     kSimulationDialog,
    kImportDialog,       kBoundaryDialog,    kSignificanceDialog, kDiscordanceDialog,
    kExpectedSizeDialog, kAboutDialog,       kPlotDialog,         kPlotSimulationsDialog,
    kPlotImportedDialog, kTrialDialog};

// Names the first imported samples get until a file names them.
constexpr std::array<std::string_view, 12> kDefaultSampleNames = {
    "  One",   "  Two",   "  Three", "  Four", "  Five",   "  Six",
    "  Seven", "  Eight", "  Nine",  "  Ten",  "  Eleven", "  Twelve"};

void putStartupValues(Program& program) {
    DesignRecord& r = program.record();
    Dialog& panel = program.panel();
    resetFixedDesign(panel, r);
    // At start the alternative is the drift of the start-up design itself, 2.5; a design
    // choice replaces it by z_(1-alpha) + z_(power).
    r.altDelta = std::sqrt(r.sampleSize) * r.altMean / r.stdDev;
    for (std::size_t i = 0; i < kDefaultSampleNames.size(); ++i) {
        r.importVarName[i] = kDefaultSampleNames[i];
    }
    r.importNameKind = "nonamesd";
    panel.setText(panel::kLooksCombo, std::string(kStartupLooks));
    panel.setText(panel::kRhoCombo, "0.02");
}

void attachStartScreen(Program& program) {
    program.dialog(kStartScreenDialog)
        .attach(startscreen::kCancel, [&program](Dialog& dialog, int control, CallbackKind) {
            STARTSCREEN(program, dialog, control);
        });
    // Closing the panel, the hub of all design work, ends the program as closing the frame
    // does.
    program.panel().onClose([&program](Dialog&) { program.frame().userClose(); });
}

}  // namespace

void STARTSCREEN(Program& program, Dialog& startScreen, int control) {
    if (control != startscreen::kCancel) return;
    program.platform().quit(0);
    startScreen.end(control);
}

bool startUp(Program& program) {
    // A dialog built before, by a subsystem that attached its own buttons to it, is kept.
    for (int id : kStartupDialogs) {
        if (!program.dialogs().has(id) && !program.dialogs().init(id)) {
            program.error(kStartupError);
            return false;
        }
    }
    attachPanelCallbacks(program);
    attachInfoTimeCallbacks(program);
    attachSamplesCallbacks(program);
    attachCharacteristicsCallbacks(program);
    attachPlotDialogs(program);
    attachTrialCallbacks(program);
    attachStartScreen(program);
    putStartupValues(program);
    program.platform().showModal(program.dialog(kStartScreenDialog));
    program.platform().showModeless(program.panel());
    Dialog& panel = program.panel();
    DESIGNPARMTR(program, panel, panel::kSizeButton, CallbackKind::Default);
    UPDATDESIGN(program, panel, panel::kNormseqDesign, CallbackKind::Default);
    return true;
}

}  // namespace qalix
