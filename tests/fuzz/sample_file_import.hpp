// A sample file imported the way the text window's Data menu imports it, and then, when it
// made samples available, every record looked at in the "Import Samples" dialog on both SD
// radios, as the command line's import does, the first selected, and the boundary plot drawn
// with all records and with the one selected: the values of the file reach the estimates,
// the fields that show them and the plot's paths and legend.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_program.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_ids.hpp"
#include "samples/set_tables.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::fuzz {

class SampleFileImport {
  public:
    // Observations imported before, when given: names and SDs are looked at with records.
    explicit SampleFileImport(int importCommand, std::string_view observedFirst = {})
        : command_(importCommand), program_("samples.txt", panel::kTextWindow) {
        if (observedFirst.empty()) return;
        program_.choose(observedFirst);
        program_.program.frame().command(menu::kImportObserved);
        require(program_.program.record().importAvailable && program_.platform.messages().empty(),
                "the observations are imported");
        program_.keep();
    }

    void run(const std::uint8_t* data, std::size_t size) {
        program_.choose(textOf(data, size));
        program_.program.frame().command(command_);
        const DesignRecord& r = program_.program.record();
        require(r.importCount >= 0 && r.importCount <= kMaxImportSets,
                "the count of records stays within the tables");
        if (r.importAvailable) {
            lookAtRecords();
            plotRecords();
        }
        program_.restore();
        program_.program.panel().setLogical(panel::kImportedSamples, r.importAvailable,
                                            Index::Enabled);
    }

  private:
    void lookAtRecords() {
        using namespace imports;
        Driver& ui = program_.ui;
        ui.click(panel::kImportedSamples);
        for (int k = 1; k <= program_.program.record().importCount; ++k) {
            ui.spin(kImportDialog, kRecordSpin, k);
            ui.click(kImportDialog, kAssumedRadio);
            requireFinite({kAssumedMuEdit, kAssumedDeltaEdit, kAssumedSizeEdit});
            ui.click(kImportDialog, kEstimatedRadio);
            requireFinite({kEstimatedMuEdit, kEstimatedDeltaEdit, kEstimatedSizeEdit});
        }
        ui.spin(kImportDialog, kRecordSpin, 1);
        ui.click(kImportDialog, kSelectSet);
        ui.click(kImportDialog, kDone);
    }

    // "By import" in the graphic window, once with all records and once with the selected
    // sets, each drawn with "Refresh".
    void plotRecords() {
        Driver& ui = program_.ui;
        ui.click(panel::kGraphicWindow);
        program_.platform.onModal(kPlotImportedDialog, [this, &ui](Dialog&) {
            for (const int radio : {plotimported::kAll, plotimported::kSelected}) {
                ui.click(kPlotImportedDialog, radio);
                ui.click(kPlotImportedDialog, plotimported::kRefresh);
                requireFinitePicture();
            }
            ui.click(kPlotImportedDialog, plotimported::kCancel);
        });
        const std::size_t shown = program_.platform.modalDialogsShown().size();
        program_.program.frame().command(menu::kPlotImported);
        require(program_.platform.modalDialogsShown().size() == shown + 1,
                "the plot dialog is shown");
        ui.click(panel::kTextWindow);
    }

    void requireFinitePicture() const {
        const RecordingCanvas* picture = program_.program.frame().picture();
        require(picture != nullptr, "the plot is drawn");
        const std::vector<std::string> names = legendNames();
        const auto showsName = [&names](std::string_view text) {
            return std::any_of(names.begin(), names.end(), [text](const std::string& name) {
                return text.find(name) != std::string_view::npos;
            });
        };
        for (const CanvasCall& call : picture->calls()) {
            const auto* text = std::get_if<call::TextOut>(&call);
            if (text == nullptr || showsName(text->text)) continue;
            require(!showsNonFinite(text->text), "the plot shows finite numbers: " + text->text);
        }
    }

    // The variable names the legend may show, which the file may have called "NaN": those of
    // the first records and of the first selected sets.
    std::vector<std::string> legendNames() const {
        constexpr std::size_t kLegendRows = 12;
        const DesignRecord& r = program_.program.record();
        std::vector<std::string> names;
        for (const auto* table : {&r.importVarName, &r.selVarName}) {
            for (std::size_t k = 0; k < kLegendRows; ++k) {
                std::string name = trimmed((*table)[k].str());
                if (!name.empty()) names.push_back(std::move(name));
            }
        }
        return names;
    }

    void requireFinite(std::initializer_list<int> controls) {
        for (const int control : controls) {
            const std::string shown = program_.ui.text(kImportDialog, control);
            require(!showsNonFinite(shown), "the import dialog shows finite numbers: " + shown);
        }
    }

    int command_;
    FuzzProgram program_;
};

}  // namespace qalix::fuzz
