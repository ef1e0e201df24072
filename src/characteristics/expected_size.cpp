#include "characteristics/expected_size.hpp"

#include <cmath>
#include <limits>

#include "characteristics/common.hpp"
#include "characteristics/expected_size_ids.hpp"
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

// Takes delta from the calling control, writing the other scale. False on a read error.
bool chooseDelta(CharacteristicsContext& program, Dialog& dialog, int control, float z,
                 double& delta) {
    DesignRecord& r = program.record();
    CharacteristicsState& s = program.characteristics();
    switch (control) {
        case kDeltaCombo:
            if (!readDelta(program, dialog, kDeltaCombo, s.sizeDelta)) return false;
            if (brownian(r)) {
                dialog.setText(kMuCombo, kCleared);
                dialog.setLogical(kMuCombo, false, Index::Enabled);
            } else {
                showMu(dialog, kMuCombo, muOfDelta(r, s.sizeDelta));
            }
            break;
        case kMuCombo:
            if (!readMu(program, dialog, kMuCombo, s.sizeMu)) return false;
            s.sizeDelta = deltaOfMu(r, s.sizeMu);
            showDelta(dialog, kDeltaCombo, s.sizeDelta);
            break;
        case kSpecialValues: {
            // The null mean, the mean on the critical line, the alternative, and round again.
            const int which = r.expectMeanSel;
            s.sizeDelta = which == 2 ? z : which == 3 ? r.thetaAlt : 0.0;
            showF(dialog, kDeltaCombo, s.sizeDelta, kSpecialDeltaFormat);
            if (!brownian(r)) showMu(dialog, kMuCombo, muOfDelta(r, s.sizeDelta));
            r.expectMeanSel = which % kSpecialValueCount + 1;
            break;
        }
        default:
            return false;
    }
    delta = s.sizeDelta;
    return true;
}

// Expected times overall and given each ending, and the probabilities of the endings.
void computeExpectations(CharacteristicsContext& program, double a, double d) {
    const DesignRecord& r = program.record();
    const StoppingMasses m =
        stoppingMasses(a, d, r.coeffTable.data(), r.numLooks, r.engineTime.data());
    double ps = m.beyondUpper;
    double pf = m.beyondLower;
    double et = 0.0;
    double ets = 0.0;
    double etf = 0.0;
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
    ExpectedSizes& e = program.characteristics().expected;
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
    const ExpectedSizes& e = program.characteristics().expected;
    showF(dialog, kProbSig, e.probSig, kProbabilityFormat);
    showF(dialog, kProbFut, e.probFut, kProbabilityFormat);
    showExpectation(dialog, kTimeOverall, e.timeOverall, kTimeFormat);
    showExpectation(dialog, kTimeGivenSig, e.timeGivenSig, kTimeFormat);
    showExpectation(dialog, kTimeGivenFut, e.timeGivenFut, kTimeFormat);
    const bool sizes = !brownian(program.record());
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
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const float z = refreshZAlpha(program);
    double delta = 0.0;
    if (!chooseDelta(program, dialog, control, z, delta)) return;
    computeExpectations(program, a, delta - z);
    showExpectations(program, dialog);
}

}  // namespace qalix
