#include "design/panel.hpp"

#include <array>
#include <initializer_list>
#include <vector>

#include "design/fields.hpp"
#include "design/fixed_sample.hpp"
#include "design/info_times.hpp"
#include "design/level_choice.hpp"
#include "design/outcome.hpp"
#include "design/panel_ids.hpp"
#include "design/results_watch.hpp"
#include "design/sequential_design.hpp"
#include "numeric/normal.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

// Start-up and reset values of the fixed-sample design.
constexpr float kDefaultAlpha = 0.05f;
constexpr double kDefaultSd = 1.0;
constexpr double kDefaultPower = 0.8;
constexpr double kDefaultMean = 0.5;
constexpr double kDefaultSize = 25.0;
constexpr double kBrownianGrids = 300.0;
// How a reset writes the five parameters into their combos.
constexpr FieldFormat kResetSd{5, 3};
constexpr FieldFormat kResetMean{9, 3};
constexpr FieldFormat kResetAlpha{5, 3};
constexpr FieldFormat kResetPower{5, 3};
constexpr FieldFormat kResetSize{9, 2};

// Which controls a design enables: normseq, brownian, fixed.
struct Enabling {
    std::vector<int> controls;
    std::array<bool, 3> enabled;
};

const std::array<Enabling, 11>& enablingTable() {
    static const std::array<Enabling, 11> table = {{
        {{kSizeButton, kMuButton, kSdButton}, {true, false, true}},
        {{kPowerButton, kAlphaButton}, {true, true, true}},
        {{kAlphaCombo, kPowerCombo}, {true, true, true}},
        {{kSdCombo, kMuCombo, kSizeCombo}, {true, false, true}},
        {{kSequentialGroup, kLooksCombo, kRhoCombo, kCoeffCombo, kDiscordanceEdit, kGraphicGroup,
          kLevelCombo, kHoldPowerCheck, kCriticalEdit},
         {true, true, false}},
        {{kGroupSizesButton}, {true, false, false}},
        {{kInfoTimesButton}, {false, true, false}},
        {{kRhoButton, kCoeffButton}, {false, false, false}},
        {{kSequentialDesignButton, kGraphicWindow, kTextWindow, kCloseWindow, kFixedTestCheck,
          kSeqTestCheck, kImportedSamples, kSimulatedSamples},
         {false, false, false}},
        {{kActualSigEdit, kActualPowerEdit, kCharacteristicsGroup}, {true, true, false}},
        {{kBoundaryButton, kSignificanceButton, kDiscordanceButton, kExpectedSizeButton},
         {false, false, false}},
    }};
    return table;
}

}  // namespace

void resetFixedDesign(Dialog& panel, DesignRecord& r) {
    r.alpha = kDefaultAlpha;
    r.stdDev = kDefaultSd;
    r.power = kDefaultPower;
    r.altMean = kDefaultMean;
    r.sampleSize = kDefaultSize;
    r.altDelta = zOfAlpha(r) + zOfPower(r);
    showF(panel, kSdCombo, r.stdDev, kResetSd);
    showF(panel, kMuCombo, r.altMean, kResetMean);
    showF(panel, kAlphaCombo, r.alpha, kResetAlpha);
    showF(panel, kPowerCombo, r.power, kResetPower);
    showF(panel, kSizeCombo, r.sampleSize, kResetSize);
    r.simRecordCount = 0;
    r.importCount = 0;
    r.selectedSetCount = 0;
    r.importAvailable = false;
}

namespace {

void applyEnabling(DesignContext& program, Dialog& panel, int column) {
    for (const Enabling& row : enablingTable()) {
        for (int control : row.controls) {
            panel.setLogical(control, row.enabled[static_cast<std::size_t>(column)],
                             Index::Enabled);
        }
    }
    // Kept entries hold the looks they were made for: K changes only with "Default Entry",
    // whatever the design, or the record would count looks the dialog has no times for.
    if (!program.dialog(kInfoTimeDialog).getLogical(infotimes::kDefaultEntry))
        panel.setLogical(kLooksCombo, false, Index::Enabled);
}

}  // namespace

void UPDATDESIGN(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    DesignRecord& r = program.record;
    resultsCleared(program);
    resetFixedDesign(panel, r);
    int column = 0;
    switch (control) {
        case kNormseqDesign:
            r.designKind = kNormseqKey;
            column = 0;
            break;
        case kBrownianDesign:
            r.designKind = kBrownianKey;
            column = 1;
            break;
        case kFixedDesign:
            r.designKind = kFixedKey;
            column = 2;
            break;
        default:
            return;
    }
    applyEnabling(program, panel, column);
    for (int result :
         {kCoeffCombo, kDiscordanceEdit, kActualSigEdit, kActualPowerEdit, kCriticalEdit})
        panel.setText(result, "");
    // Each design starts at the fixed-sample test's level, its power not held.
    panel.setText(kLevelCombo, std::string(kNominalLevel));
    panel.setLogical(kHoldPowerCheck, false);
    program.sequential.calibration.reset();
    program.sequential.designComputed = false;
    program.frame.designComputed(false);
    const bool brownian = control == kBrownianDesign;
    panel.setText(kSizeButton, brownian ? "Number of grids:" : "Sample Size m =");
    panel.setText(kMuButton, brownian ? "Alt Mean delta_a =" : "Alt. Mean mu_a =");
    outcomeForDesign(program);
    if (brownian) {
        r.sampleSize = kBrownianGrids;
        // Not the normal design's 0.5, which over 300 grids is a drift of 8.66.
        r.altMean = meanOfAltDelta(r);
        panel.setText(kSizeCombo, formatFree(static_cast<long long>(kBrownianGrids)));
        showF(panel, kMuCombo, r.altDelta, kResetMean);
    }
}

void NLOOKCHANGE(DesignContext&, Dialog& panel, int, CallbackKind) {
    panel.setLogical(kRhoButton, false, Index::Enabled);
    panel.setLogical(kCoeffButton, false, Index::Enabled);
}

void DISPLAYCHARTC(DesignContext& program, Dialog& panel, int control, CallbackKind kind) {
    DesignRecord& r = program.record;
    switch (control) {
        case kSequentialDesignButton:
            if (!POWER(program, panel, control, kind)) break;
            for (int c : {kGraphicWindow, kTextWindow, kSimulatedSamples, kBoundaryButton,
                          kSignificanceButton, kDiscordanceButton, kExpectedSizeButton}) {
                panel.setLogical(c, true, Index::Enabled);
            }
            program.sequential.designComputed = true;
            resultsComputed(program);
            program.frame.designComputed(true);
            break;
        case kGraphicWindow:
            r.graphicChosen = true;
            r.textChosen = false;
            program.frame.showInChosenMode();
            break;
        case kTextWindow:
            r.textChosen = true;
            r.graphicChosen = false;
            program.frame.showInChosenMode();
            break;
        default:
            break;
    }
}

void QALIXINFSUB(DesignContext& program, Dialog&, int control, CallbackKind) {
    if (control == kExitButton) program.frame.endProgram();
}

void SHUTDOWNWINDOW(DesignContext& program, Dialog&, int control, CallbackKind) {
    if (control == kCloseWindow) program.frame.minimise();
}

void attachPanelCallbacks(DesignContext& program) {
    Dialog& p = program.panel();
    const auto bind = [&program](auto callback) {
        return [&program, callback](Dialog& d, int control, CallbackKind kind) {
            callback(program, d, control, kind);
        };
    };
    for (int c : {kFixedDesign, kBrownianDesign, kNormseqDesign})
        p.attach(c, bind(UPDATDESIGN));
    p.attach(kOutcomeCombo, bind(OUTCOMECHANGE), CallbackKind::SelectionChanged);
    for (const CallbackKind kind : {CallbackKind::SelectionChanged, CallbackKind::EditChanged})
        p.attach(kAllocationCombo, bind(OUTCOMECHANGE), kind);
    for (int c : {kAlphaCombo, kSdCombo, kPowerCombo, kMuCombo, kSizeCombo}) {
        p.attach(c, bind(DESIGNPARMTR), CallbackKind::SelectionChanged);
        p.attach(c, bind(DESIGNPARMTR), CallbackKind::EditChanged);
    }
    for (int c : {kSizeButton, kMuButton, kSdButton, kPowerButton, kAlphaButton}) {
        p.attach(c, bind(DESIGNPARMTR));
    }
    p.attach(kLooksCombo, bind(NLOOKCHANGE), CallbackKind::SelectionChanged);
    p.attach(kLooksCombo, bind(NLOOKCHANGE), CallbackKind::EditChanged);
    for (int c : {kInfoTimesButton, kGroupSizesButton})
        p.attach(c, bind(BOUNDPARMTR));
    for (int c : {kRhoButton, kCoeffButton})
        p.attach(c, bind(GETDISCPROB));
    for (int c :
         {kSequentialDesignButton, kGraphicWindow, kTextWindow, kFixedTestCheck, kSeqTestCheck}) {
        p.attach(c, bind(DISPLAYCHARTC));
    }
    p.attach(kExitButton, bind(QALIXINFSUB));
    p.attach(kCloseWindow, bind(SHUTDOWNWINDOW));
    attachResultsWatch(program);
}

}  // namespace qalix
