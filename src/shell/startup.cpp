#include "shell/startup.hpp"

#include <array>
#include <cmath>
#include <string_view>

#include "characteristics/operating_characteristics.hpp"
#include "design/fields.hpp"
#include "design/fixed_sample.hpp"
#include "design/info_times.hpp"
#include "design/panel.hpp"
#include "design/panel_ids.hpp"

namespace qalix {

namespace {

// Dialogs the program builds at start, in this order.
constexpr std::array kStartupDialogs = {kPanelDialog,       kInfoTimeDialog,
                                        kBoundaryDialog,    kSignificanceDialog,
                                        kDiscordanceDialog, kExpectedSizeDialog};

// Names the first imported samples get until a file names them.
constexpr std::array<std::string_view, 12> kDefaultSampleNames = {
    "  One",   "  Two",   "  Three", "  Four", "  Five",   "  Six",
    "  Seven", "  Eight", "  Nine",  "  Ten",  "  Eleven", "  Twelve"};

void putStartupValues(Program& program) {
    DesignRecord& r = program.record();
    Dialog& panel = program.panel();
    r.alpha = 0.05f;
    r.stdDev = 1.0;
    r.power = 0.8;
    r.altMean = 0.5;
    r.sampleSize = 25.0;
    r.simRecordCount = 0;
    r.importCount = 0;
    r.selectedSetCount = 0;
    r.importAvailable = false;
    r.altDelta = std::sqrt(r.sampleSize) * r.altMean / r.stdDev;
    showF(panel, panel::kSdCombo, r.stdDev, 5, 3);
    showF(panel, panel::kMuCombo, r.altMean, 9, 3);
    showF(panel, panel::kAlphaCombo, r.alpha, 5, 3);
    showF(panel, panel::kPowerCombo, r.power, 5, 3);
    showF(panel, panel::kSizeCombo, r.sampleSize, 9, 2);
    for (std::size_t i = 0; i < kDefaultSampleNames.size(); ++i) {
        r.importVarName[i] = kDefaultSampleNames[i];
    }
    r.importNameKind = "nonamesd";
    panel.setText(panel::kLooksCombo, "4");
    panel.setText(panel::kRhoCombo, "0.02");
}

}  // namespace

bool startUp(Program& program) {
    for (int id : kStartupDialogs) {
        if (!program.initDialog(id)) {
            program.error(kStartupError);
            return false;
        }
    }
    attachPanelCallbacks(program);
    attachInfoTimeCallbacks(program);
    attachCharacteristicsCallbacks(program);
    putStartupValues(program);
    program.platform().showModeless(program.panel());
    Dialog& panel = program.panel();
    DESIGNPARMTR(program, panel, panel::kSizeButton, CallbackKind::Default);
    UPDATDESIGN(program, panel, panel::kNormseqDesign, CallbackKind::Default);
    return true;
}

}  // namespace qalix
