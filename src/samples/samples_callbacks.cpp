#include "samples/samples_callbacks.hpp"

#include <initializer_list>

#include "design/panel_ids.hpp"
#include "samples/import_ids.hpp"
#include "samples/import_selection.hpp"
#include "samples/simulation.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix {

namespace {

using SamplesCallback = void (*)(SamplesContext&, Dialog&, int, CallbackKind);

// Attaches the callback to each control, for the given events.
void attachTo(SamplesContext& program, Dialog& dialog, std::initializer_list<int> controls,
              SamplesCallback callback,
              std::initializer_list<CallbackKind> kinds = {CallbackKind::Default}) {
    const auto bound = [&program, callback](Dialog& d, int control, CallbackKind kind) {
        callback(program, d, control, kind);
    };
    for (int control : controls) {
        for (CallbackKind kind : kinds)
            dialog.attach(control, bound, kind);
    }
}

}  // namespace

void attachSamplesCallbacks(SamplesContext& program) {
    attachTo(program, program.panel(), {panel::kSimulatedSamples}, SETTINGSIMU);
    attachTo(program, program.panel(), {panel::kImportedSamples}, SETTINGIMPORT);

    namespace s = simulation;
    Dialog& simulationDialog = program.dialog(kSimulationDialog);
    const std::initializer_list<CallbackKind> comboEvents = {CallbackKind::SelectionChanged,
                                                             CallbackKind::EditChanged};
    attachTo(program, simulationDialog, {s::kDeltaCombo}, DELTACOMBO, comboEvents);
    attachTo(program, simulationDialog, {s::kMuCombo}, MUCOMBO, comboEvents);
    attachTo(program, simulationDialog,
             {s::kRecordSpin, s::kSelectSet, s::kDeleteSet, s::kSimulate, s::kReset}, RECORDNUM);

    namespace i = imports;
    Dialog& importDialog = program.dialog(kImportDialog);
    attachTo(program, importDialog, {i::kImportedRadio, i::kRecordSpin, i::kSelectSet}, SAVERECORD);
    attachTo(program, importDialog, {i::kSelectedRadio, i::kDeleteSet}, DELRECORD);
    attachTo(program, importDialog, {i::kSelectedCombo}, DELRECORD,
             {CallbackKind::SelectionChanged});
    attachTo(program, importDialog, {i::kAssumedRadio, i::kEstimatedRadio}, SDANDSIZE);
    attachTo(program, importDialog, {i::kAssumedMuEdit}, SDANDSIZE, {CallbackKind::EditChanged});
    attachTo(program, importDialog, {i::kReset}, SETTINGIMPORT);
}

}  // namespace qalix
