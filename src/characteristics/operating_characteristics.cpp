#include "characteristics/operating_characteristics.hpp"

#include <cmath>
#include <initializer_list>

#include "characteristics/boundary_values.hpp"
#include "characteristics/common.hpp"
#include "characteristics/control_ids.hpp"
#include "characteristics/discordance_dialog.hpp"
#include "characteristics/expected_size.hpp"
#include "characteristics/significance.hpp"
#include "design/panel_ids.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace oc;

// Multiples of a mean offered in the mean lists; the zero is written as the literal "0.0".
constexpr std::initializer_list<double> kShortList = {-0.5, 0.0, 0.5, 1.0, 1.5};
constexpr std::initializer_list<double> kLongList = {-1.0, -0.5, 0.0, 0.5, 1.0, 1.5, 2.0};

// Empties the list and offers the multiples of mean, with the mean itself in the edit field.
void offerMeans(Dialog& dialog, int combo, double mean, std::initializer_list<double> multiples) {
    dialog.setInt(combo, 0, Index::ItemCount);
    for (double f : multiples) {
        dialog.setText(combo, f == 0.0 ? std::string("0.0") : formatFree(f * mean),
                       Index::AppendItem);
    }
    dialog.setText(combo, formatFree(mean));
}

// The data-scale mean list, or a blank disabled field on information time.
void offerDataMeans(const DesignRecord& r, Dialog& dialog, int combo,
                    std::initializer_list<double> multiples) {
    dialog.setLogical(combo, !brownian(r), Index::Enabled);
    if (brownian(r)) {
        dialog.setText(combo, " ");
    } else {
        offerMeans(dialog, combo, r.altMean, multiples);
    }
}

void setRange(Dialog& dialog, int spin, int max) {
    dialog.setInt(spin, 1, Index::RangeMin);
    dialog.setInt(spin, max, Index::RangeMax);
}

void prepareBoundaries(Program& program, Dialog& d, int n) {
    setRange(d, kLookSpin, program.record().numLooks);
    d.setInt(kLookSpin, 1);
    setRange(d, kPartialSizeSpin, n);
    d.setInt(kPartialSizeSpin, 1);
    BOUNDARY(program, d, kLookSpin, CallbackKind::Default);
}

void prepareSignificance(Program& program, Dialog& d, CallbackKind kind) {
    const DesignRecord& r = program.record();
    for (int spin : {kSigBySpin, kSigAtSpin, kStopBySpin, kStopAtSpin, kStageSpin}) {
        setRange(d, spin, r.numLooks);
    }
    d.setInt(kStageSpin, 1);
    offerDataMeans(r, d, kSigMuCombo, kShortList);
    const bool grids = brownian(r);
    d.setText(kSizeGroup,
              grids ? "Number of grids at the kth look" : "Sample Size at the kth look");
    d.setText(kGroupSizeLabel, grids ? " " : "1. Group size at k:");
    d.setText(kCumulativeLabel, grids ? "Number of grids by k is" : "2. Cumulative size by k:");
    offerMeans(d, kSigDeltaCombo, r.thetaAlt, kShortList);
    PROBSIG(program, d, kStageSpin, kind);
}

void prepareExpectedSize(Program& program, Dialog& d, CallbackKind kind) {
    DesignRecord& r = program.record();
    d.setText(kExpectedGroup, brownian(r) ? "Expected Information Time"
                                          : "Expected Sample Size and Information Time");
    offerDataMeans(r, d, kSizeMuCombo, kLongList);
    offerMeans(d, kSizeDeltaCombo, r.thetaAlt, kLongList);
    r.expectMeanSel = 1;
    EXPECTSIZE(program, d, kSizeDeltaCombo, kind);
}

void prepareDiscordance(Program& program, Dialog& d, CallbackKind kind) {
    const DesignRecord& r = program.record();
    offerDataMeans(r, d, kDiscMuCombo, kLongList);
    offerMeans(d, kDiscDeltaCombo, r.thetaAlt, kLongList);
    PROBDISC(program, d, kDiscDeltaCombo, kind);
}

template <typename Callback>
void attachTo(Program& program, Dialog& dialog, std::initializer_list<int> controls,
              Callback callback, bool comboEvents) {
    const auto bound = [&program, callback](Dialog& d, int control, CallbackKind kind) {
        callback(program, d, control, kind);
    };
    for (int c : controls) {
        if (comboEvents) {
            dialog.attach(c, bound, CallbackKind::SelectionChanged);
            dialog.attach(c, bound, CallbackKind::EditChanged);
        } else {
            dialog.attach(c, bound);
        }
    }
}

}  // namespace

void OPERATCHARACT(Program& program, Dialog&, int control, CallbackKind kind) {
    DesignRecord& r = program.record();
    const int n = maximumSize(r);
    r.thetaAlt =
        brownian(r) ? r.altDelta : std::sqrt(static_cast<double>(n)) * r.altMean / r.stdDev;
    int dialogId = 0;
    switch (control) {
        case panel::kBoundaryButton:
            dialogId = kBoundaryDialog;
            prepareBoundaries(program, program.dialog(dialogId), n);
            break;
        case panel::kSignificanceButton:
            dialogId = kSignificanceDialog;
            prepareSignificance(program, program.dialog(dialogId), kind);
            break;
        case panel::kExpectedSizeButton:
            dialogId = kExpectedSizeDialog;
            prepareExpectedSize(program, program.dialog(dialogId), kind);
            break;
        case panel::kDiscordanceButton:
            dialogId = kDiscordanceDialog;
            prepareDiscordance(program, program.dialog(dialogId), kind);
            break;
        default:
            return;
    }
    program.platform().showModal(program.dialog(dialogId));
}

void attachCharacteristicsCallbacks(Program& program) {
    Dialog& panel = program.panel();
    attachTo(program, panel,
             {panel::kBoundaryButton, panel::kSignificanceButton, panel::kDiscordanceButton,
              panel::kExpectedSizeButton},
             OPERATCHARACT, false);
    Dialog& boundary = program.dialog(kBoundaryDialog);
    attachTo(program, boundary, {kPartialSizeSpin, kTimeButton, kLookSpin}, BOUNDARY, false);
    Dialog& discordance = program.dialog(kDiscordanceDialog);
    attachTo(program, discordance, {kDiscMuCombo, kDiscDeltaCombo}, PROBDISC, true);
    attachTo(program, discordance, {kRhoMaxButton}, PROBDISC, false);
    Dialog& significance = program.dialog(kSignificanceDialog);
    attachTo(program, significance, {kSigMuCombo, kSigDeltaCombo}, PROBSIG, true);
    attachTo(program, significance, {kStageSpin}, PROBSIG, false);
    attachTo(program, significance, {kSigBySpin, kSigAtSpin, kStopBySpin, kStopAtSpin}, PROBSIGSUB,
             false);
    Dialog& expected = program.dialog(kExpectedSizeDialog);
    attachTo(program, expected, {kSizeMuCombo, kSizeDeltaCombo}, EXPECTSIZE, true);
    attachTo(program, expected, {kSpecialValues}, EXPECTSIZE, false);
}

}  // namespace qalix
