#include "samples/simulation.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <random>
#include <string>

#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "design/parameter_ranges.hpp"
#include "numeric/normal.hpp"
#include "numeric/number_text.hpp"
#include "samples/one_sample_paths.hpp"
#include "samples/set_tables.hpp"
#include "samples/simulation_ids.hpp"
#include "samples/uniform_source.hpp"

namespace qalix {

namespace {

using namespace simulation;

// How the dialog writes its numbers.
constexpr FieldFormat kAlternativeFormat{8, 4};  // mu_a or delta_a as the dialog opens
constexpr FieldFormat kOtherMeanFormat{8, 3};    // the mean worked out from the one typed
constexpr FieldFormat kSetMeanFormat{6, 3};      // a set shown by the record spin
constexpr int kSizeWidth = 5;
constexpr int kCountWidth = 3;
// The mu field is read only as far as its opening format writes.
constexpr std::size_t kMuReadWidth = 8;
// The mu field in the "brownian" design, where sets are chosen by delta alone.
constexpr std::string_view kNoMu = "      ";
constexpr std::string_view kSizeCaption = "Sample Size";
constexpr std::string_view kGridsCaption = "Number of Grids";

// N: the largest useful size, m rounded up.
int largestSize(const DesignRecord& r) {
    return roundedUp(r.sampleSize, kRoundUp6);
}

// A value a new set needs. A blank field is refused like an unreadable one: the set would
// otherwise keep what an earlier set left in its place.
template <typename T>
bool readSetValue(SamplesContext& program, const Dialog& dialog, int control, T& value) {
    if (readFree(dialog.getText(control), value) == ReadStatus::Ok) return true;
    program.entryError();
    return false;
}

// What "Simulate" drew, said in the dialog; gone once the sets change.
std::string simulatedNotice(const DesignRecord& r, const SamplesState& state) {
    if (r.simRecordCount == 0) return "No set is selected: nothing was simulated.";
    int longest = 0;
    for (std::size_t s = 0; s < static_cast<std::size_t>(r.simRecordCount); ++s)
        longest = std::max(longest, state.drawn[s]);
    const std::string paths = r.simRecordCount == 1 ? " path" : " paths";
    return "Simulated " + std::to_string(r.simRecordCount) + paths + " of up to " +
           std::to_string(longest) + " observations.";
}

void showSetCount(Dialog& dialog, int count) {
    showI(dialog, kSetCountLabel, count, kCountWidth);
    dialog.setLogical(kSetCountLabel, false, Index::Enabled);  // the sets changed
    dialog.setText(kSimulatedNotice, "");
}

// Set k (1-based) in the three fields, when there is such a set.
void showSet(const DesignRecord& r, Dialog& dialog, int k) {
    if (k < 1 || k > r.simRecordCount) return;
    const std::size_t at = slot(k);
    showF(dialog, kDeltaCombo, r.simDelta[at], kSetMeanFormat);
    if (!isBrownian(r)) showF(dialog, kMuCombo, r.simMean[at], kSetMeanFormat);
    showI(dialog, kSizeCombo, r.simSize[at], kSizeWidth);
}

// "Select Set": the three fields become a new set. Nothing is counted until all of them
// are read and the size is at least 1.
void selectSet(SamplesContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    if (r.simRecordCount >= kMaxSimSets) return;
    const auto at = static_cast<std::size_t>(r.simRecordCount);
    double mu = r.simMean[at];  // the "brownian" design reads no mu: the set keeps its own
    double delta = 0.0;
    int n = 0;
    if (!isBrownian(r) && !readSetValue(program, dialog, kMuCombo, mu)) return;
    if (!readSetValue(program, dialog, kDeltaCombo, delta)) return;
    if (!readSetValue(program, dialog, kSizeCombo, n)) return;
    if (n < 1) {
        program.error(kSimulationTooSmall);
        return;
    }
    r.simMean[at] = mu;
    r.simDelta[at] = delta;
    r.simSize[at] = n;
    program.samples.drawn[at] = 0;
    const int s = ++r.simRecordCount;
    dialog.setInt(kRecordSpin, s, Index::RangeMax);
    dialog.setInt(kRecordSpin, s);
    showSetCount(dialog, s);
}

// A set's paths go with it, so that every remaining set keeps its own.
void removeSet(DesignRecord& r, SamplesState& state, std::size_t at) {
    const auto count = static_cast<std::size_t>(r.simRecordCount);
    closeGap(r.simDelta, at, count);
    closeGap(r.simMean, at, count);
    closeGap(r.simSize, at, count);
    closeGap(r.simSD, at, count);
    closeGap(r.simTime, at, count);
    closeGap(r.simPath, at, count);
    closeGap(r.simObs, at, count);
    closeGap(state.drawn, at, count);
    --r.simRecordCount;
}

// "Delete Set": the set the spin shows. The spin keeps its position, which may then lie
// beyond the last set until it is moved; such a position deletes nothing.
void deleteSet(SamplesContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    const int k = dialog.getInt(kRecordSpin);
    r.simCurrentRecord = k;
    if (k < 1 || k > r.simRecordCount) return;
    removeSet(r, program.samples, slot(k));
    showSet(r, dialog, k);
    dialog.setInt(kRecordSpin, r.simRecordCount, Index::RangeMax);
    showSetCount(dialog, r.simRecordCount);
}

// Seeded afresh for every simulation: from the clock, or from the fixed seed and the
// number of the simulation.
std::mt19937_64 freshGenerator(SamplesContext& program) {
    SamplesState& state = program.samples;
    ++state.simulations;
    state.lastSeed = state.fixedSeed ? *state.fixedSeed : program.platform.clockSeed();
    return seededGenerator(state.lastSeed, state.simulations);
}

// Set `at` with n observations: all n uniforms are drawn first, then z_j = QNORM(u_j);
// the Brownian statistic S_j = S_(j-1) + delta/N + z_j/sqrt(N) is summed in double
// precision at information time j/N, and the observations are X_j = mu + sigma*z_j.
// Callers guarantee 0 <= n <= min(N, 500).
void drawSet(DesignRecord& r, std::size_t at, int n, int N, std::mt19937_64& generator) {
    std::array<double, kMaxSimSize> u{};
    const auto count = static_cast<std::size_t>(n);
    for (std::size_t j = 0; j < count; ++j)
        u[j] = openUniform(generator);
    const double step = r.simDelta[at] / N;
    const double rootN = std::sqrt(static_cast<double>(N));
    double S = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        const double z = QNORM(u[j]);
        S = S + step + z / rootN;
        r.simPath[at][j] = static_cast<float>(S);
        r.simTime[at][j] = static_cast<float>(j + 1) / static_cast<float>(N);
        r.simObs[at][j] = static_cast<float>(r.simMean[at] + r.stdDev * z);
    }
    r.simSD[at] = r.stdDev;
}

// A mean converted to the other scale: only while sigma and m, typed anew since the
// design, lie in their ranges, and when it is a number. Otherwise the other field keeps its
// text, after the message that says why.
bool convertible(SamplesContext& program, double converted) {
    if (!parametersInRange(program, {Parameter::Sd, Parameter::TrialSize})) return false;
    if (std::isfinite(converted)) return true;
    program.error(kMeanOutOfRange);
    return false;
}

}  // namespace

void keepPaths(DesignRecord& r, const SamplesState& state) {
    for (std::size_t s = 0; s < static_cast<std::size_t>(r.simRecordCount); ++s) {
        const int n = state.drawn[s];
        r.savedSimSize[s] = n;
        std::copy_n(r.simTime[s].begin(), n, r.savedSimTime[s].begin());
        std::copy_n(r.simPath[s].begin(), n, r.savedSimPath[s].begin());
    }
}

void SETTINGSIMU(SamplesContext& program, Dialog& caller, int control, CallbackKind kind) {
    const bool fromPanel = caller.id() == kPanelDialog && control == panel::kSimulatedSamples;
    if (fromPanel && refuseSamplePaths(program)) {
        caller.setLogical(control, false);
        return;
    }
    const DesignRecord& r = program.record;
    Dialog& dialog = program.dialog(kSimulationDialog);
    dialog.setInt(kRecordSpin, 0, Index::RangeMin);
    dialog.setInt(kRecordSpin, r.simRecordCount, Index::RangeMax);
    dialog.setInt(kRecordSpin, r.simRecordCount);
    const int N = largestSize(r);
    showI(dialog, kLargestSizeLabel, N, kSizeWidth);
    showI(dialog, kSizeCombo, N, kSizeWidth);
    if (isBrownian(r)) {
        dialog.setText(kSizeGroup, kGridsCaption);
        showF(dialog, kDeltaCombo, r.altDelta, kAlternativeFormat);
        dialog.setText(kMuCombo, kNoMu);
        dialog.setLogical(kMuCombo, false, Index::Enabled);
    } else {
        dialog.setText(kSizeGroup, kSizeCaption);
        showF(dialog, kMuCombo, r.altMean, kAlternativeFormat);
        dialog.setLogical(kMuCombo, true, Index::Enabled);
        MUCOMBO(program, dialog, kMuCombo, kind);
    }
    dialog.setLogical(kSetCountLabel, false, Index::Enabled);
    if (fromPanel) program.platform.showModeless(dialog);
}

void MUCOMBO(SamplesContext& program, Dialog& dialog, int, CallbackKind) {
    const DesignRecord& r = program.record;
    double& mu = program.samples.mu;
    const std::string text = dialog.getText(kMuCombo).substr(0, kMuReadWidth);
    if (readTyped(text, mu) == ReadStatus::Error) {
        program.entryError();
        return;
    }
    const double delta = std::sqrt(r.sampleSize) * mu / r.stdDev;
    if (convertible(program, delta)) showF(dialog, kDeltaCombo, delta, kOtherMeanFormat);
}

void DELTACOMBO(SamplesContext& program, Dialog& dialog, int, CallbackKind) {
    const DesignRecord& r = program.record;
    if (isBrownian(r)) return;
    double& delta = program.samples.delta;
    if (!readField(program, dialog, kDeltaCombo, delta)) return;
    const double mu = delta * r.stdDev / std::sqrt(r.sampleSize);
    if (convertible(program, mu)) showF(dialog, kMuCombo, mu, kOtherMeanFormat);
}

void RECORDNUM(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind) {
    DesignRecord& r = program.record;
    switch (control) {
        case kSelectSet:
            selectSet(program, dialog);
            break;
        case kRecordSpin:
            r.simCurrentRecord = dialog.getInt(kRecordSpin);
            showSet(r, dialog, r.simCurrentRecord);
            break;
        case kDeleteSet:
            deleteSet(program, dialog);
            break;
        case kReset:
            r.simRecordCount = 0;
            SETTINGSIMU(program, dialog, control, kind);
            showSetCount(dialog, 0);
            break;
        case kSimulate:
            if (!SIMUOBSERV(program)) return;
            keepPaths(r, program.samples);
            dialog.setLogical(kSetCountLabel, true, Index::Enabled);
            dialog.setText(kSimulatedNotice, simulatedNotice(r, program.samples));
            break;
        default:
            break;
    }
}

bool SIMUOBSERV(SamplesContext& program) {
    DesignRecord& r = program.record;
    SamplesState& state = program.samples;
    std::mt19937_64 generator = freshGenerator(program);
    const int N = largestSize(r);
    for (std::size_t s = 0; s < static_cast<std::size_t>(r.simRecordCount); ++s) {
        if (r.simSize[s] > kMaxSimSize) {
            program.error(kSimulationTooLarge);
            r.simReady = false;
            program.frame.refreshMenu();
            return false;
        }
        const int n = std::clamp(std::min(N, r.simSize[s]), 0, kMaxSimSize);
        drawSet(r, s, n, N, generator);
        state.drawn[s] = n;
    }
    r.simReady = true;
    program.frame.refreshMenu();
    return true;
}

}  // namespace qalix
