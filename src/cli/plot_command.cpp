#include "cli/plot_command.hpp"

#include "cli/samples_commands.hpp"
#include "design/panel_ids.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/frame_window.hpp"
#include "shell/menu_ids.hpp"

namespace qalix {

namespace {

// The menu command that opens the plot, its dialog, and the radio button the paths need.
struct PlotRun {
    int command;
    int dialog;
    int pathsButton;  // 0: none
    int refresh;
};

PlotRun plotRun(const CliOptions& o) {
    if (o.plot == "power") return {menu::kPlotPower, kPlotDialog, 0, 0};
    if (o.plot == "expected") return {menu::kPlotExpectedSize, kPlotDialog, 0, 0};
    const std::string paths = o.paths.value_or("");
    if (paths == "new" || paths == "saved") {
        return {menu::kPlotSimulated, kPlotSimulationsDialog,
                paths == "new" ? plotsimulations::kNew : plotsimulations::kSaved,
                plotsimulations::kRefresh};
    }
    if (paths == "all" || paths == "selected") {
        return {menu::kPlotImported, kPlotImportedDialog,
                paths == "all" ? plotimported::kAll : plotimported::kSelected,
                plotimported::kRefresh};
    }
    return {menu::kPlotBoundary, kPlotDialog, 0, 0};
}

}  // namespace

void runPlot(Session& s, const CliOptions& o) {
    FrameWindow& frame = s.program().frame();
    frame.setClientRect(
        {0, 0, o.width.value_or(kDefaultClientWidth), o.height.value_or(kDefaultClientHeight)});
    if (!o.sets.empty()) {
        simulateSets(s, o);
        // Closing it shows no more of it: the plot's window stays the user's only view.
        s.act([](Driver& ui) { ui.close(kSimulationDialog); });
    }
    if (!o.files.empty()) importFiles(s, o);
    s.act([](Driver& ui) { ui.click(panel::kGraphicWindow); });
    const PlotRun run = plotRun(o);
    s.inModal(run.dialog, kIdCancel, [&] {
        if (run.pathsButton == 0) return;
        s.act([&](Driver& ui) { ui.click(run.dialog, run.pathsButton); });
        s.act([&](Driver& ui) { ui.click(run.dialog, run.refresh); });
    });
    s.act([&](Driver&) { frame.command(run.command); });
    s.platform().answerSaveFile({DialogOutcome::Accepted, *o.out, 0});
    s.act([&](Driver&) { frame.command(menu::kSaveAs); });
}

}  // namespace qalix
