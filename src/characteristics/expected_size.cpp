#include "characteristics/expected_size.hpp"

#include <cmath>
#include <limits>

#include "characteristics/common.hpp"
#include "characteristics/control_ids.hpp"
#include "design/sequential_design.hpp"
#include "engine/absorption.hpp"

namespace qalix {

namespace {

using namespace oc;

constexpr int kSpecialValueCount = 3;
// A special value is written into the delta combo as F8.5, one place narrower than typed
// deltas are read.
constexpr int kSpecialDeltaWidth = 8;

// Takes delta from the calling control, writing the other scale. False on a read error.
bool chooseDelta(Program& program, Dialog& dialog, int control, float z, double& delta) {
    DesignRecord& r = program.record();
    CharacteristicsState& s = program.characteristics();
    switch (control) {
        case kSizeDeltaCombo:
            if (!readDelta(program, dialog, kSizeDeltaCombo, s.sizeDelta)) return false;
            if (brownian(r)) {
                dialog.setText(kSizeMuCombo, kCleared);
                dialog.setLogical(kSizeMuCombo, false, Index::Enabled);
            } else {
                showMu(dialog, kSizeMuCombo, muOfDelta(r, s.sizeDelta));
            }
            break;
        case kSizeMuCombo:
            if (!readMu(program, dialog, kSizeMuCombo, s.sizeMu)) return false;
            s.sizeDelta = deltaOfMu(r, s.sizeMu);
            showDelta(dialog, kSizeDeltaCombo, s.sizeDelta);
            break;
        case kSpecialValues: {
            // The null mean, the mean on the critical line, the alternative, and round again.
            const int which = r.expectMeanSel;
            s.sizeDelta = which == 2 ? z : which == 3 ? r.thetaAlt : 0.0;
            showF(dialog, kSizeDeltaCombo, s.sizeDelta, kSpecialDeltaWidth, kMeanDecimals);
            if (!brownian(r)) showMu(dialog, kSizeMuCombo, muOfDelta(r, s.sizeDelta));
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
void computeExpectations(Program& program, double a, double d) {
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
    program.characteristics().expected = {M * et, M * ets, M * etf, et, ets, etf, ps, pf};
}

void showExpectation(Dialog& dialog, int control, double value, int width, int decimals) {
    if (std::isnan(value)) {
        dialog.setText(control, kUndefined);
    } else {
        showF(dialog, control, value, width, decimals);
    }
}

void showExpectations(Program& program, Dialog& dialog) {
    const auto& e = program.characteristics().expected;
    showF(dialog, kProbSig, e[6], 7, 4);
    showF(dialog, kProbFut, e[7], 7, 4);
    showExpectation(dialog, kExpectedT, e[3], 7, 5);
    showExpectation(dialog, kExpectedTSig, e[4], 7, 5);
    showExpectation(dialog, kExpectedTFut, e[5], 7, 5);
    const bool sizes = !brownian(program.record());
    for (int c : {kExpectedN, kExpectedNSig, kExpectedNFut}) {
        dialog.setLogical(c, sizes, Index::Enabled);
        if (!sizes) dialog.setText(c, kCleared);
    }
    if (!sizes) return;
    showExpectation(dialog, kExpectedN, e[0], 7, 1);
    showExpectation(dialog, kExpectedNSig, e[1], 7, 1);
    showExpectation(dialog, kExpectedNFut, e[2], 7, 1);
}

}  // namespace

void EXPECTSIZE(Program& program, Dialog& dialog, int control, CallbackKind) {
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const float z = refreshZAlpha(program);
    double delta = 0.0;
    if (!chooseDelta(program, dialog, control, z, delta)) return;
    computeExpectations(program, a, delta - z);
    showExpectations(program, dialog);
}

}  // namespace qalix
