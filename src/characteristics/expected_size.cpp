#include "characteristics/expected_size.hpp"

#include <cmath>
#include <limits>

#include "characteristics/common.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/mean_range.hpp"
#include "design/sequential_design.hpp"
#include "engine/absorption.hpp"

namespace qalix {

namespace {

using namespace expectedsize;

constexpr int kSpecialValueCount = 3;
// A special value is written into the delta combo as F8.5, one place narrower than typed
// deltas are read.
constexpr FieldFormat kSpecialDeltaFormat{8, 5};
// Probabilities F7.4, information times F7.5, sample sizes F7.1.
constexpr FieldFormat kProbabilityFormat{7, 4};
constexpr FieldFormat kTimeFormat{7, 5};
constexpr FieldFormat kSizeFormat{7, 1};

// Takes delta from the calling control. False on a read error.
bool chooseDelta(CharacteristicsContext& program, Dialog& dialog, int control, float z,
                 double& delta) {
    DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    switch (control) {
        case kDeltaCombo:
            if (!readDelta(program, dialog, kDeltaCombo, s.sizeDelta)) return false;
            break;
        case kMuCombo:
            if (!readMu(program, dialog, kMuCombo, s.sizeMu)) return false;
            s.sizeDelta = deltaOfMu(r, s.sizeMu);
            break;
        case kSpecialValues: {
            // The null mean, the mean on the critical line, the alternative, and round again.
            const int which = r.expectMeanSel;
            s.sizeDelta = which == 2 ? z : which == 3 ? r.thetaAlt : 0.0;
            r.expectMeanSel = which % kSpecialValueCount + 1;
            break;
        }
        default:
            return false;
    }
    delta = s.sizeDelta;
    return true;
}

// Writes the scales of the mean the calling control did not give, or blanks them (and the
// results) when the mean cannot be shown.
void showMean(const DesignRecord& r, Dialog& dialog, int control, double delta, bool shown) {
    const bool grids = isBrownian(r);
    if (control != kDeltaCombo) {
        if (shown && control == kSpecialValues) {
            showF(dialog, kDeltaCombo, delta, kSpecialDeltaFormat);
        } else if (shown) {
            showDelta(dialog, kDeltaCombo, delta);
        } else {
            dialog.setText(kDeltaCombo, kCleared);
        }
    }
    if (grids) {
        dialog.setText(kMuCombo, kCleared);
        dialog.setLogical(kMuCombo, false, Index::Enabled);
    } else if (control != kMuCombo) {
        if (shown) {
            showMu(dialog, kMuCombo, muOfDelta(r, delta));
        } else {
            dialog.setText(kMuCombo, kCleared);
        }
    }
}

// Expected times overall and given each ending, and the probabilities of the endings. The
// first look's mass beyond the grid stops there too, at t_1.
void computeExpectations(CharacteristicsContext& program, const StoppingMasses& m) {
    const DesignRecord& r = program.record;
    double ps = m.beyondUpper;
    double pf = m.beyondLower;
    double ets = m.beyondUpper * r.engineTime[0];
    double etf = m.beyondLower * r.engineTime[0];
    double et = (m.beyondUpper + m.beyondLower) * r.engineTime[0];
    for (int k = 0; k < r.numLooks; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double t = r.engineTime[i];
        ps += m.sig[i];
        pf += m.fut[i];
        et += (m.sig[i] + m.fut[i]) * t;
        ets += m.sig[i] * t;
        etf += m.fut[i] * t;
    }
    // An ending that cannot happen has no conditional expectation.
    const double undefined = std::numeric_limits<double>::quiet_NaN();
    ets = ps > 0.0 ? ets / ps : undefined;
    etf = pf > 0.0 ? etf / pf : undefined;
    const double M = maximumSize(r);
    ExpectedSizes& e = program.characteristics.expected;
    e.sizeOverall = M * et;
    e.sizeGivenSig = M * ets;
    e.sizeGivenFut = M * etf;
    e.timeOverall = et;
    e.timeGivenSig = ets;
    e.timeGivenFut = etf;
    e.probSig = ps;
    e.probFut = pf;
}

void showExpectation(Dialog& dialog, int control, double value, FieldFormat format) {
    if (std::isnan(value)) {
        dialog.setText(control, kUndefined);
    } else {
        showF(dialog, control, value, format);
    }
}

void showExpectations(CharacteristicsContext& program, Dialog& dialog) {
    const ExpectedSizes& e = program.characteristics.expected;
    showF(dialog, kProbSig, e.probSig, kProbabilityFormat);
    showF(dialog, kProbFut, e.probFut, kProbabilityFormat);
    showExpectation(dialog, kTimeOverall, e.timeOverall, kTimeFormat);
    showExpectation(dialog, kTimeGivenSig, e.timeGivenSig, kTimeFormat);
    showExpectation(dialog, kTimeGivenFut, e.timeGivenFut, kTimeFormat);
    const bool sizes = !isBrownian(program.record);
    for (int c : {kSizeOverall, kSizeGivenSig, kSizeGivenFut}) {
        dialog.setLogical(c, sizes, Index::Enabled);
        if (!sizes) dialog.setText(c, kCleared);
    }
    if (!sizes) return;
    showExpectation(dialog, kSizeOverall, e.sizeOverall, kSizeFormat);
    showExpectation(dialog, kSizeGivenSig, e.sizeGivenSig, kSizeFormat);
    showExpectation(dialog, kSizeGivenFut, e.sizeGivenFut, kSizeFormat);
}

}  // namespace

void EXPECTSIZE(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    const DesignRecord& r = program.record;
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const float z = refreshZAlpha(program);
    double delta = 0.0;
    if (!chooseDelta(program, dialog, control, z, delta)) return;
    const StoppingMasses m = stoppingMasses(a, delta - static_cast<double>(z), r.coeffTable.data(),
                                            r.gridIntervals, r.numLooks, r.engineTime.data());
    const bool computable = meanComputable(m, r.numLooks, delta, control == kDeltaCombo);
    showMean(r, dialog, control, delta, computable);
    if (!computable) {
        refuseMean(program, dialog,
                   {kSizeOverall, kSizeGivenSig, kSizeGivenFut, kTimeOverall, kTimeGivenSig,
                    kTimeGivenFut, kProbSig, kProbFut});
        return;
    }
    computeExpectations(program, m);
    showExpectations(program, dialog);
}

}  // namespace qalix
