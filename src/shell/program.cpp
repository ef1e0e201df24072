#include "shell/program.hpp"

#include "graphics/plot_pass.hpp"
#include "graphics/recording_canvas.hpp"
#include "samples/import_ids.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix {

Program::Program(Platform& platform, TemplateLoader templates)
    : platform_(platform),
      record_(std::make_unique<DesignRecord>()),
      dialogs_(std::move(templates)),
      frame_(*this) {}

void Program::showFrameInChosenMode() {
    frame_.show();
    frame_.setUpMode();
}

void Program::setDesignComputed(bool computed) {
    if (!computed) {
        // Their sets and records were made for the design that went.
        for (int id : {kSimulationDialog, kImportDialog}) {
            if (dialogs_.has(id) && dialog(id).isOpen()) dialog(id).end(kIdCancel);
        }
    }
    frame_.setDesignComputed(computed);
}

void Program::setSimulationPlotEnabled(bool enabled) {
    frame_.setSimulationPlotEnabled(enabled);
}

bool Program::simulationPlotEnabled() const {
    return frame_.simulationPlotEnabled();
}

void Program::redrawPlot() {
    if (!plots_.showing) return;
    RecordingCanvas picture;
    if (paintPlot(*this, *plots_.showing, picture)) frame_.setPicture(std::move(picture));
}

}  // namespace qalix
