// qalix plot: the design placed as the other options say, sample paths simulated or imported
// when the boundary plot draws them, the plot opened through the frame's Plot menu in a graphic
// window of the size asked for, and saved through its "Save As..." as a metafile or a picture.
#include <optional>

#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/sample_steps.hpp"
#include "design/panel_ids.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/frame_window.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

// The radio button of the sample paths to draw, and the button that draws them.
struct PathsChoice {
    int button;
    int refresh;
};

// The menu command that opens the plot, its dialog, and the paths it draws, if any.
struct PlotRun {
    int command;
    int dialog;
    std::optional<PathsChoice> paths;
};

PlotRun plotRun(const PlotOptions& o) {
    if (o.name == "power") return {menu::kPlotPower, kPlotDialog, std::nullopt};
    if (o.name == "expected") return {menu::kPlotExpectedSize, kPlotDialog, std::nullopt};
    const std::string paths = o.paths.value_or("");
    if (paths == "new" || paths == "saved") {
        return {menu::kPlotSimulated, kPlotSimulationsDialog,
                PathsChoice{paths == "new" ? plotsimulations::kNew : plotsimulations::kSaved,
                            plotsimulations::kRefresh}};
    }
    if (paths == "all" || paths == "selected") {
        return {menu::kPlotImported, kPlotImportedDialog,
                PathsChoice{paths == "all" ? plotimported::kAll : plotimported::kSelected,
                            plotimported::kRefresh}};
    }
    return {menu::kPlotBoundary, kPlotDialog, std::nullopt};
}

// Draws the plot and saves it as the file --out names.
void drawAndSave(Session& s, const CliOptions& o) {
    FrameWindow& frame = s.program().frame();
    frame.setClientRect({0, 0, o.plot.width.value_or(kDefaultClientWidth),
                         o.plot.height.value_or(kDefaultClientHeight)});
    if (!o.samples.sets.empty()) {
        simulateSets(s, o.samples, isBrownianKey(o.inputs.design));
        // Closing it shows no more of it: the plot's window stays the user's only view.
        s.act([](Driver& ui) { ui.close(kSimulationDialog); });
    }
    if (!o.samples.files.empty()) importFiles(s, o.samples);
    s.act([](Driver& ui) { ui.click(panel::kGraphicWindow); });
    const PlotRun run = plotRun(o.plot);
    s.inModal(run.dialog, kIdCancel, [&] {
        if (!run.paths) return;
        s.act([&](Driver& ui) { ui.click(run.dialog, run.paths->button); });
        s.act([&](Driver& ui) { ui.click(run.dialog, run.paths->refresh); });
    });
    s.act([&](Driver&) { frame.command(run.command); });
    s.platform().answerSaveFile({DialogOutcome::Accepted, *o.output.out, 0});
    s.act([&](Driver&) { frame.command(menu::kSaveAs); });
}

}  // namespace

int runPlot(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        sequentialDesign(s, o.inputs);
        drawAndSave(s, o);
        return 0;
    });
}

}  // namespace qalix
