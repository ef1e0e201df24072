#include "graphics/plot_dialogs.hpp"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_pass.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/simulation.hpp"

namespace qalix {

namespace {

constexpr std::array kPlotDialogs = {kPlotDialog, kPlotSimulationsDialog, kPlotImportedDialog};
constexpr std::array<std::pair<int, int>, 3> kRefreshButtons = {{
    {kPlotDialog, plotdesign::kRefresh},
    {kPlotSimulationsDialog, plotsimulations::kRefresh},
    {kPlotImportedDialog, plotimported::kRefresh},
}};

// The radio buttons that choose the sample paths, and the plotSource each sets.
struct SourceRadio {
    int dialog;
    int control;
    std::string_view source;
};
constexpr std::array<SourceRadio, 4> kSourceRadios = {{
    {kPlotSimulationsDialog, plotsimulations::kNew, "New"},
    {kPlotSimulationsDialog, plotsimulations::kSaved, "Saved"},
    {kPlotImportedDialog, plotimported::kAll, "AllImport"},
    {kPlotImportedDialog, plotimported::kSelected, "SelectedImport"},
}};

// The radio buttons show the paths the plot draws: the one plotSource names, or none when it
// names paths of another kind or none at all.
void showSource(Dialog& dialog, const DesignRecord& r) {
    for (const SourceRadio& radio : kSourceRadios) {
        if (radio.dialog == dialog.id())
            dialog.setLogical(radio.control, r.plotSource == radio.source);
    }
}

// Like every message of the dialog, a choice reads the panel entries first; when one cannot
// be read the choice is not taken.
void chooseSource(PlotContext& program, Dialog& dialog, const SourceRadio& radio) {
    if (program.graphics.showing && readPlotEntries(program, *program.graphics.showing)) {
        program.record.plotSource = radio.source;
    } else {
        showSource(dialog, program.record);
    }
}

// "Save": the current simulated paths become the ones "Saved" draws. Nothing is drawn, and
// no file is written: the dialog says so, and where a file comes from.
void savePaths(PlotContext& program, Dialog& dialog) {
    if (!readPlotEntries(program, PlotKind::Boundary)) return;
    keepPaths(program.record, program.samples);
    const int sets = program.record.simRecordCount;
    dialog.setText(plotsimulations::kSavedNotice,
                   "Kept the " + std::to_string(sets) + (sets == 1 ? " path" : " paths") +
                       " drawn: \"Saved\" draws them. A file: Data > Save Simulation.");
}

// Which plot the open dialog shows, for as long as it is open.
class ShowingPlot {
  public:
    ShowingPlot(GraphicsState& state, PlotKind kind) : state_(state) { state_.showing = kind; }
    ~ShowingPlot() { state_.showing.reset(); }
    ShowingPlot(const ShowingPlot&) = delete;
    ShowingPlot& operator=(const ShowingPlot&) = delete;

  private:
    GraphicsState& state_;
};

}  // namespace

void attachPlotDialogs(PlotContext& program) {
    // "Cancel" ends the dialog even while a panel entry cannot be read: the panel, where it
    // would be corrected, cannot be reached while the dialog is open.
    for (int id : kPlotDialogs) {
        program.dialog(id).attach(
            kIdCancel, [](Dialog& dialog, int, CallbackKind) { dialog.end(kPlotDialogResult); });
    }
    for (const auto& [id, refresh] : kRefreshButtons) {
        program.dialog(id).attach(refresh,
                                  [&program](Dialog&, int, CallbackKind) { redrawPlot(program); });
    }
    for (const SourceRadio& radio : kSourceRadios) {
        program.dialog(radio.dialog)
            .attach(radio.control, [&program, radio](Dialog& dialog, int, CallbackKind) {
                chooseSource(program, dialog, radio);
            });
    }
    program.dialog(kPlotSimulationsDialog)
        .attach(plotsimulations::kSave,
                [&program](Dialog& dialog, int, CallbackKind) { savePaths(program, dialog); });
}

int runPlotDialog(PlotContext& program, PlotKind kind, int dialogId) {
    Dialog& dialog = program.dialog(dialogId);
    showSource(dialog, program.record);
    if (dialogId == kPlotSimulationsDialog) dialog.setText(plotsimulations::kSavedNotice, "");
    const ShowingPlot showing(program.graphics, kind);
    redrawPlot(program);
    return program.platform.showModal(dialog);
}

}  // namespace qalix
