#include "characteristics/significance.hpp"

#include <array>

#include "characteristics/common.hpp"
#include "characteristics/mean_range.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/parameter_ranges.hpp"
#include "design/sequential_design.hpp"
#include "engine/absorption.hpp"

namespace qalix {

namespace {

using namespace significance;

// Probabilities are shown as F7.4, the sizes of a look as wide as the largest trial needs.
constexpr FieldFormat kProbabilityFormat{7, 4};
constexpr int kSizeWidth = kTrialSizeWidth;

struct Probability {
    int spin;
    int edit;
    const char* event;
    const char* timing;
    double HittingProbabilities::*value;  // where the full value is kept
};

// In the order PROBSIG refreshes them.
constexpr std::array<Probability, 4> kProbabilities = {
    {{kSigBySpin, kSigByEdit, "sig", "by", &HittingProbabilities::sigBy},
     {kSigAtSpin, kSigAtEdit, "sig", "at", &HittingProbabilities::sigAt},
     {kStopBySpin, kStopByEdit, "stop", "by", &HittingProbabilities::stopBy},
     {kStopAtSpin, kStopAtEdit, "stop", "at", &HittingProbabilities::stopAt}}};

void showSizes(CharacteristicsContext& program, Dialog& dialog, int k) {
    const LookSizes sizes = sizesAtLook(program.record, k);
    if (sizes.group) {
        showI(dialog, kGroupSizeEdit, *sizes.group, kSizeWidth);
    } else {
        dialog.setText(kGroupSizeEdit, kCleared);
    }
    showI(dialog, kCumulativeEdit, sizes.cumulative, kSizeWidth);
    dialog.setLogical(kGroupSizeEdit, sizes.group.has_value(), Index::Enabled);
}

// The probability of the event at or by look k from the stopping masses of the mean.
double hitting(const StoppingMasses& m, int k, std::string_view event, std::string_view timing) {
    const FixedText<10> what(event);
    const FixedText<10> when(timing);
    const auto i = static_cast<std::size_t>(k - 1);
    if (when == "at") {
        if (what == "sig") return k == 1 ? m.sig[i] + m.beyondUpper : m.sig[i];
        const double stop = m.sig[i] + m.fut[i];
        return k == 1 ? stop + (m.beyondUpper + m.beyondLower) : stop;
    }
    const bool sig = what == "sig";
    double sum = sig ? m.beyondUpper : m.beyondUpper + m.beyondLower;
    for (std::size_t j = 0; j <= i; ++j)
        sum += sig ? m.sig[j] : m.sig[j] + m.fut[j];
    return sum;
}

// The true mean the calling control gives, on the Brownian scale: typed into either combo,
// or the one the delta combo holds when the stage moves. False after an entry error.
bool chosenDelta(CharacteristicsContext& program, const Dialog& dialog, int control,
                 double& delta) {
    const DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    if (control == kMuCombo) {
        if (!readMu(program, dialog, kMuCombo, s.significanceMu)) return false;
        delta = deltaOfMu(r, s.significanceMu);
        return true;
    }
    if (!readDelta(program, dialog, kDeltaCombo, s.significanceDelta)) return false;
    delta = s.significanceDelta;
    return true;
}

}  // namespace

LookSizes sizesAtLook(const DesignRecord& r, int k) {
    const auto i = static_cast<std::size_t>(k - 1);
    if (isBrownian(r)) return {std::nullopt, static_cast<long long>(r.sampleSize * r.infoTime[i])};
    return {r.groupSize[i], r.cumSize[i]};
}

std::optional<double> PROBHITTING(DesignContext& program, double delta, int k,
                                  std::string_view event, std::string_view timing) {
    double a = 0.0;
    if (!readCoefficient(program, a)) return std::nullopt;
    const DesignRecord& r = program.record;
    if (k < 1 || k > r.numLooks) return std::nullopt;
    const double d = delta - refreshZAlpha(program);
    return hitting(
        stoppingMasses(a, d, r.coeffTable.data(), r.gridIntervals, r.numLooks, r.engineTime.data()),
        k, event, timing);
}

void PROBSIG(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    const DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    if (control != kStageSpin && control != kDeltaCombo && control != kMuCombo) return;
    if (control == kStageSpin) {
        const int k = dialog.getInt(kStageSpin);
        for (const Probability& p : kProbabilities)
            dialog.setInt(p.spin, k);
    }
    double a = 0.0;
    double delta = 0.0;
    if (!readCoefficient(program, a) || !chosenDelta(program, dialog, control, delta)) return;
    if (!meanComputable(r, a, refreshZAlpha(program), delta, control != kMuCombo)) {
        // The delta combo, blank or not, now stands for this mean.
        s.significanceDelta = delta;
        const int other = control == kMuCombo ? kDeltaCombo : kMuCombo;
        const bool otherShown = control == kMuCombo || (control == kDeltaCombo && !isBrownian(r));
        if (otherShown) dialog.setText(other, kCleared);
        refuseMean(program, dialog, {kSigAtEdit, kSigByEdit, kStopAtEdit, kStopByEdit});
        return;
    }
    if (control == kMuCombo) showDelta(dialog, kDeltaCombo, delta);
    if (control == kDeltaCombo && !isBrownian(r)) showMu(dialog, kMuCombo, muOfDelta(r, delta));
    for (const Probability& p : kProbabilities) {
        PROBSIGSUB(program, dialog, p.spin, CallbackKind::Default);
    }
}

void PROBSIGSUB(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    const DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    const Probability* p = nullptr;
    for (const Probability& candidate : kProbabilities) {
        if (candidate.spin == control) p = &candidate;
    }
    if (p == nullptr) return;
    double a = 0.0;
    if (!readDelta(program, dialog, kDeltaCombo, s.significanceDelta) ||
        !readCoefficient(program, a)) {
        return;
    }
    const int k = dialog.getInt(control);
    if (k < 1 || k > r.numLooks) return;
    const float z = refreshZAlpha(program);
    const StoppingMasses m =
        stoppingMasses(a, s.significanceDelta - static_cast<double>(z), r.coeffTable.data(),
                       r.gridIntervals, r.numLooks, r.engineTime.data());
    if (!meanComputable(m, r.numLooks, s.significanceDelta, true)) {
        refuseMean(program, dialog, {p->edit});
        return;
    }
    const double value = hitting(m, k, p->event, p->timing);
    s.hitting.*(p->value) = value;
    showF(dialog, p->edit, value, kProbabilityFormat);
    dialog.setInt(kStageSpin, k);
    showSizes(program, dialog, k);
}

}  // namespace qalix
