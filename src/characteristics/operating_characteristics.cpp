#include "characteristics/operating_characteristics.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/boundary_values.hpp"
#include "characteristics/common.hpp"
#include "characteristics/discordance_dialog.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/allocation.hpp"
#include "design/panel_ids.hpp"
#include "design/parameter_ranges.hpp"
#include "design/sequential_design.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

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
    dialog.setLogical(combo, !isBrownian(r), Index::Enabled);
    if (isBrownian(r)) {
        dialog.setText(combo, " ");
    } else {
        offerMeans(dialog, combo, r.altMean, multiples);
    }
}

// The lists offer up to this multiple of the alternative on either scale: a mean typed so
// large that one of them overflows has no characteristics the program can compute.
constexpr double kLargestMultiple = std::max(kLongList);

bool alternativeListable(CharacteristicsContext& program) {
    const DesignRecord& r = program.record;
    const bool dataScale = isBrownian(r) || std::isfinite(kLargestMultiple * r.altMean);
    if (dataScale && std::isfinite(kLargestMultiple * r.thetaAlt)) return true;
    program.error(kMeanOutOfRange);
    return false;
}

void setRange(Dialog& dialog, int spin, int max) {
    dialog.setInt(spin, 1, Index::RangeMin);
    dialog.setInt(spin, max, Index::RangeMax);
}

void prepareBoundaries(CharacteristicsContext& program, Dialog& d, int n) {
    using namespace boundaries;
    setRange(d, kLookSpin, program.record.numLooks);
    d.setInt(kLookSpin, 1);
    setRange(d, kPartialSizeSpin, n);
    d.setInt(kPartialSizeSpin, 1);
    BOUNDARY(program, d, kLookSpin, CallbackKind::Default);
}

void prepareSignificance(CharacteristicsContext& program, Dialog& d, CallbackKind kind) {
    using namespace significance;
    const DesignRecord& r = program.record;
    for (int spin : {kSigBySpin, kSigAtSpin, kStopBySpin, kStopAtSpin, kStageSpin}) {
        setRange(d, spin, r.numLooks);
    }
    d.setInt(kStageSpin, 1);
    offerDataMeans(r, d, kMuCombo, kShortList);
    const bool grids = isBrownian(r);
    d.setText(kSizeGroup,
              grids ? "Number of grids at the kth look" : "Sample Size at the kth look");
    d.setText(kGroupSizeLabel, grids ? " " : "1. Group size at k:");
    d.setText(kCumulativeLabel, grids ? "Number of grids by k is" : "2. Cumulative size by k:");
    offerMeans(d, kDeltaCombo, r.thetaAlt, kShortList);
    PROBSIG(program, d, kStageSpin, kind);
}

void prepareExpectedSize(CharacteristicsContext& program, Dialog& d, CallbackKind kind) {
    using namespace expectedsize;
    DesignRecord& r = program.record;
    d.setText(kGroup, isBrownian(r) ? "Expected Information Time"
                                    : "Expected Sample Size and Information Time");
    offerDataMeans(r, d, kMuCombo, kLongList);
    offerMeans(d, kDeltaCombo, r.thetaAlt, kLongList);
    r.expectMeanSel = 1;
    EXPECTSIZE(program, d, kDeltaCombo, kind);
}

void prepareDiscordance(CharacteristicsContext& program, Dialog& d, CallbackKind kind) {
    using namespace discordance;
    const DesignRecord& r = program.record;
    offerDataMeans(r, d, kMuCombo, kLongList);
    offerMeans(d, kDeltaCombo, r.thetaAlt, kLongList);
    PROBDISC(program, d, kDeltaCombo, kind);
}

template <typename Callback>
void attachTo(CharacteristicsContext& program, Dialog& dialog, std::initializer_list<int> controls,
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

void OPERATCHARACT(CharacteristicsContext& program, Dialog&, int control, CallbackKind kind) {
    // The parameters may have been typed anew since "Sequential Design" checked them, and
    // the looks entered anew.
    if (!designParametersInRange(program)) return;
    if (control != panel::kBoundaryButton && !engineLooksCurrent(program)) return;
    DesignRecord& r = program.record;
    const int n = maximumSize(r);
    r.thetaAlt =
        isBrownian(r) ? r.altDelta : std::sqrt(static_cast<double>(n)) * r.altMean / outcomeSd(r);
    if (control != panel::kBoundaryButton && !alternativeListable(program)) return;
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
    program.platform.showModal(program.dialog(dialogId));
}

void attachCharacteristicsCallbacks(CharacteristicsContext& program) {
    Dialog& panel = program.panel();
    attachTo(program, panel,
             {panel::kBoundaryButton, panel::kSignificanceButton, panel::kDiscordanceButton,
              panel::kExpectedSizeButton},
             OPERATCHARACT, false);
    namespace b = boundaries;
    namespace s = significance;
    namespace e = expectedsize;
    namespace d = discordance;
    Dialog& boundary = program.dialog(kBoundaryDialog);
    attachTo(program, boundary, {b::kPartialSizeSpin, b::kTimeButton, b::kLookSpin}, BOUNDARY,
             false);
    Dialog& disc = program.dialog(kDiscordanceDialog);
    attachTo(program, disc, {d::kMuCombo, d::kDeltaCombo}, PROBDISC, true);
    attachTo(program, disc, {d::kRhoMaxButton}, PROBDISC, false);
    Dialog& sig = program.dialog(kSignificanceDialog);
    attachTo(program, sig, {s::kMuCombo, s::kDeltaCombo}, PROBSIG, true);
    attachTo(program, sig, {s::kStageSpin}, PROBSIG, false);
    attachTo(program, sig, {s::kSigBySpin, s::kSigAtSpin, s::kStopBySpin, s::kStopAtSpin},
             PROBSIGSUB, false);
    Dialog& expected = program.dialog(kExpectedSizeDialog);
    attachTo(program, expected, {e::kMuCombo, e::kDeltaCombo}, EXPECTSIZE, true);
    attachTo(program, expected, {e::kSpecialValues}, EXPECTSIZE, false);
}

}  // namespace qalix
