#include "design/sequential_design.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "design/allocation.hpp"
#include "design/fields.hpp"
#include "design/fixed_sample.hpp"
#include "design/info_time_ids.hpp"
#include "design/info_times.hpp"
#include "design/level_choice.hpp"
#include "design/outcome.hpp"
#include "design/panel_ids.hpp"
#include "design/panel_labels.hpp"
#include "design/parameter_ranges.hpp"
#include "design/short_intervals.hpp"
#include "engine/absorption.hpp"
#include "engine/coefficient_search.hpp"
#include "engine/discordance.hpp"
#include "engine/monotone_root.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

// Final centred value at which rho_max is taken: on the critical value itself.
constexpr double kCriticalFinalValue = 0.0;
// Points of the power and expected-size curves, and the means the latter spans.
constexpr int kPowerPoints = 50;
constexpr int kExpectedSizePoints = 80;
constexpr double kExpectedThetaLow = -10.0;
constexpr double kExpectedThetaHigh = 15.0;
// The integrated discordance after a search and after "rho"; rho_max and the actual level
// and power.
constexpr FieldFormat kSearchedDiscordance{6, 4};
constexpr FieldFormat kRhoDiscordance{8, 6};
constexpr FieldFormat kRhoMaxFormat{6, 4};
constexpr FieldFormat kActualFormat{6, 4};
// The alternative the held power grows to on information time: found to this width, shown as
// the panel shows a computed alternative.
constexpr double kHeldAlternativeTolerance = 1e-9;
constexpr FieldFormat kHeldAlternativeFormat{8, 4};

constexpr std::string_view kDesignBeyondGrid =
    "The probabilities of this design cannot be computed on the program's integration grid.";
constexpr std::string_view kTimesError =
    "The information times must increase strictly from above 0 to exactly 1 at the last "
    "look.";

bool increaseToOne(const double* t, int K) {
    bool increasing = K >= 1;
    double previous = 0.0;
    for (int k = 0; increasing && k < K; ++k) {
        increasing = t[k] > previous && t[k] <= 1.0;
        previous = t[k];
    }
    return increasing && previous == 1.0;
}

int looks(const DesignContext& program) {
    return program.record.numLooks;
}
const double* times(const DesignContext& program) {
    return program.record.engineTime.data();
}

// The times as the dialog displays them, checked for what the engine can integrate over.
bool readEngineTimes(DesignContext& program) {
    DesignRecord& r = program.record;
    const Dialog& dialog = program.dialog(kInfoTimeDialog);
    const int K = r.numLooks;
    if (K < kMinLooks || K > kMaxLooks) {
        program.error(kLooksError);
        return false;
    }
    for (int k = 0; k < K; ++k) {
        if (!readField(program, dialog, infotimes::kTime[static_cast<std::size_t>(k)],
                       r.engineTime[static_cast<std::size_t>(k)])) {
            return false;
        }
    }
    return timesInRange(program, r.engineTime.data(), K);
}

bool coefficientFits(DesignContext& program, double a) {
    if (a > 0.0 && innerGridsFit(a, program.record.gridIntervals, looks(program), times(program)))
        return true;
    program.error(coefficientOutOfRange(a));
    return false;
}

void showMaxDiscordance(DesignContext& program, double a, FieldFormat format) {
    DesignRecord& r = program.record;
    const double rho =
        MAXDISCP(a, r.coeffTable.data(), r.gridIntervals, looks(program), times(program));
    program.sequential.maxDiscordance = rho;
    showF(program.panel(), kDiscordanceEdit, rho, format);
}

void searchCoefficient(DesignContext& program, Dialog& panel) {
    DesignRecord& r = program.record;
    double target = r.rhoMax;
    if (!panelFieldFilled(program, kRhoCombo) || !readField(program, panel, kRhoCombo, target) ||
        !valueInRange(program, Parameter::RhoMax, target)) {
        return;
    }
    r.rhoMax = target;
    const SearchResult result = GETA(r.rhoMax, r.coeffTable.data(), r.gridIntervals, looks(program),
                                     times(program), kCriticalFinalValue);
    program.sequential.searchIterates = result.iterates;
    if (result.end != SearchEnd::Converged) program.platform.consoleLine(kSearchWarning);
    if (result.end == SearchEnd::IterationCap) {
        program.error("The search for the boundary coefficient did not converge in " +
                      std::to_string(kSearchIterationCap) + " steps; a = " + formatFree(result.a) +
                      " is shown, but it does not reach rho_max.");
    }
    if (!coefficientFits(program, result.a)) return;
    program.sequential.coefficient = result.a;
    program.sequential.achievedRho = result.rho;
    panel.setText(kCoeffCombo, formatFree(result.a));
    showMaxDiscordance(program, result.a, kSearchedDiscordance);
    for (int c : {kRhoButton, kSequentialDesignButton, kCloseWindow}) {
        panel.setLogical(c, true, Index::Enabled);
    }
}

void discordanceOfCoefficient(DesignContext& program, Dialog& panel) {
    DesignRecord& r = program.record;
    double a = 0.0;
    if (!readCoefficient(program, a) || !coefficientFits(program, a)) return;
    LATN(a, r.coeffTable.data(), r.gridIntervals, looks(program), times(program));
    r.rhoMax = GETDISC(a, r.coeffTable.data(), r.gridIntervals, looks(program), times(program),
                       kCriticalFinalValue);
    program.sequential.achievedRho = r.rhoMax;
    showF(panel, kRhoCombo, r.rhoMax, kRhoMaxFormat);
    showMaxDiscordance(program, a, kRhoDiscordance);
}

}  // namespace

// Two looks before the last at one time as read, on information time: the dialog shows, and
// the engine reads, the times to three decimals, so 0.1001 typed after 0.1 is 0.100 there.
std::string tieNote(const DesignContext& program, const double* t, int K) {
    if (!isBrownian(program.record)) return {};
    for (int k = 1; k < K; ++k) {
        if (t[k] != t[k - 1] || !(t[k] < 1.0)) continue;
        return " Looks " + std::to_string(k) + " and " + std::to_string(k + 1) + " both fall at " +
               formatFree(t[k]) +
               ": the times are read as the Information Times dialog shows them, to three "
               "decimals.";
    }
    return {};
}

bool timesInRange(DesignContext& program, const double* t, int K) {
    if (increaseToOne(t, K)) return true;
    program.error(std::string(kTimesError) + tieNote(program, t, K));
    return false;
}

bool engineLooksCurrent(DesignContext& program) {
    // The search checked that its times increase to 1 at its last look: with another number
    // of looks since, they no longer do.
    const DesignRecord& r = program.record;
    if (r.numLooks == 0 || increaseToOne(r.engineTime.data(), r.numLooks)) return true;
    program.error(kEngineLooksError);
    return false;
}

float refreshZAlpha(DesignContext& program) {
    DesignRecord& r = program.record;
    r.zAlpha = static_cast<float>(criticalValueInUse(program));
    return r.zAlpha;
}

std::string coefficientOutOfRange(double a) {
    return "The boundary coefficient a = " + formatFree(a) +
           " is out of range: it must be positive and small enough (about 200 at most) "
           "for the integration grids of these looks.";
}

bool readCoefficient(DesignContext& program, double& a) {
    double& last = program.sequential.coefficient;
    double typed = last;
    if (!panelFieldFilled(program, kCoeffCombo) ||
        !readField(program, program.panel(), kCoeffCombo, typed))
        return false;
    // A negative a has no boundaries at all: the half-widths would be undefined.
    if (typed < 0.0) {
        program.error(coefficientOutOfRange(typed));
        return false;
    }
    last = typed;
    a = last;
    return true;
}

void GETDISCPROB(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    if (control != kCoeffButton && control != kRhoButton) return;
    if (!readEngineTimes(program)) return;
    if (control == kCoeffButton) {
        searchCoefficient(program, panel);
    } else {
        discordanceOfCoefficient(program, panel);
    }
}

bool designParametersInRange(DesignContext& program) {
    using P = Parameter;
    // The power is shown with the design (and its plots) on either scale.
    const std::vector<int> used =
        isBrownian(program.record)
            ? std::vector<int>{kAlphaCombo, kPowerCombo}
            : std::vector<int>{kAlphaCombo, kPowerCombo, kSdCombo, kMuCombo, kSizeCombo};
    for (int combo : used) {
        if (!panelFieldFilled(program, combo)) return false;
    }
    if (isBrownian(program.record)) {
        return parametersInRange(program, {P::Alpha, P::Power, P::PowerAboveAlpha});
    }
    return parametersInRange(program, {P::Alpha, P::Power, P::Sd, P::Mean, P::TrialSize}) &&
           readAllocation(program);
}

namespace {

struct LevelAndPower {
    double level;
    double power;
};

// The standardized alternative the power is computed at: sqrt(M) mu_a / sigma on group sizes;
// on information time z_(1-alpha) + z_(power) with the fixed-sample test's z (whatever the
// critical value in use), or the alternative the held power grew to.
double designAlternative(const DesignContext& program) {
    const DesignRecord& r = program.record;
    if (!isBrownian(r)) {
        const int n = roundedUp(r.sampleSize, kRoundUp5);
        return std::sqrt(static_cast<double>(n)) * r.altMean / outcomeSd(r);
    }
    if (program.sequential.heldAlternative) return (*program.sequential.heldAlternative)[1];
    return zOfPower(r) + static_cast<double>(static_cast<float>(zOfAlpha(r)));
}

// The level and the power of the boundaries with coefficient a and critical value z; none,
// after a message, when a drift's paths do not all stop on the grids.
std::optional<LevelAndPower> levelAndPower(DesignContext& program, double a, float z,
                                           double thetaA) {
    const DesignRecord& r = program.record;
    const double* T = r.coeffTable.data();
    const int grid = r.gridIntervals;
    const StoppingMasses null = stoppingMasses(a, 0.0 - z, T, grid, looks(program), times(program));
    const StoppingMasses alternative =
        stoppingMasses(a, thetaA - z, T, grid, looks(program), times(program));
    // A drift whose paths do not all stop: the looks defeat the grid when a longer interval
    // mends it; else the design alternative is beyond what the grids hold, or (at the null
    // mean, which no grid is too narrow for) the design itself.
    const struct {
        const StoppingMasses& masses;
        double drift;
        std::string_view otherwise;
    } drifts[] = {{null, 0.0 - z, kDesignBeyondGrid}, {alternative, thetaA - z, kMeanOutOfRange}};
    for (const auto& d : drifts) {
        if (stopsSurely(d.masses, looks(program))) continue;
        const auto interval =
            shortIntervalMessage(a, d.drift, grid, looks(program), times(program));
        program.error(interval ? *interval : std::string(d.otherwise));
        return std::nullopt;
    }
    return LevelAndPower{absorption(null, looks(program), times(program)).up,
                         absorption(alternative, looks(program), times(program)).up};
}

// On information time: the alternative delta at which the power is exactly its target,
// above delta_a, by the power of these boundaries (which increases with delta).
bool holdAlternative(DesignContext& program, double a, float z) {
    DesignRecord& r = program.record;
    const double from = designAlternative(program);
    const auto shortfall = [&](double delta) {
        const Absorption at = ABSORPROB(a, delta - z, r.coeffTable.data(), r.gridIntervals,
                                        looks(program), times(program));
        return at.up - r.power;
    };
    const auto tol = [](double lo, double hi) { return hi - lo <= kHeldAlternativeTolerance; };
    const std::optional<double> delta = monotoneRoot(shortfall, true, from, 0.1, tol);
    if (!delta) {
        program.error("The power cannot reach " + formatFree(r.power) +
                      " on information time with these boundaries.");
        return false;
    }
    program.sequential.heldAlternative = std::array<double, 2>{from, *delta};
    r.altDelta = *delta;
    r.altMean = meanOfAltDelta(r);
    showF(program.panel(), kMuCombo, *delta, kHeldAlternativeFormat);
    return true;
}

// Group sizes for a trial of `size` observations at the looks' information times: the
// dialog's own division when the looks were its defaults, else each typed size scaled.
void lookSizesFor(DesignContext& program, int from, int size) {
    DesignRecord& r = program.record;
    Dialog& dialog = program.dialog(kInfoTimeDialog);
    const int K = r.numLooks;
    const bool defaults = std::all_of(r.groupSize.begin(), r.groupSize.begin() + K,
                                      [&](int n) { return n == from / K || n == from / K + 1; }) &&
                          r.groupSize[0] == from / K;
    if (defaults) {
        INITINFTIME(program, dialog, kGroupSizesButton, size, K);
        return;
    }
    for (int k = 1; k < K; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const double scaled = static_cast<double>(r.groupSize[i]) * size / from;
        dialog.setText(infotimes::kGroupSize[i],
                       formatFree(static_cast<long long>(std::lround(scaled))));
    }
    UPDATEINFTIME(program, dialog, infotimes::kUpdateChanges, CallbackKind::Default);
}

// On group sizes: the smallest whole size whose power reaches its target, the looks kept at
// their information times (group sizes as the dialog divides them), a found again for rho_max
// (or the typed a kept), the critical value calibrated again.
bool holdSize(DesignContext& program, Dialog& panel, double& a) {
    DesignRecord& r = program.record;
    const double fixedSize = r.sampleSize;
    const std::string fixedText = panel.getText(kSizeCombo);
    const int from = roundedUp(r.sampleSize, kRoundUp5);
    const bool typedCoefficient = panel.getLogical(kRhoButton);
    int current = from;
    for (int size = from + 1; size <= kMaxTrialSize; ++size) {
        r.sampleSize = size;
        panel.setText(kSizeCombo, formatFree(static_cast<long long>(size)));
        showGroups(program);
        lookSizesFor(program, current, size);
        current = size;
        if (!readEngineTimes(program)) return false;
        if (typedCoefficient) {
            discordanceOfCoefficient(program, panel);
        } else {
            searchCoefficient(program, panel);
        }
        if (!readCoefficient(program, a) || !calibrateCritical(program, a)) return false;
        const float z = refreshZAlpha(program);
        const auto lp = levelAndPower(program, a, z, designAlternative(program));
        if (!lp) return false;
        if (lp->power >= r.power) {
            program.sequential.heldSize = std::array<double, 2>{fixedSize, double(size)};
            program.sequential.heldSizeText = fixedText;
            return true;
        }
    }
    program.error("The power cannot reach " + formatFree(r.power) + " with at most " +
                  std::to_string(kMaxTrialSize) + " observations.");
    return false;
}

}  // namespace

bool POWER(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    DesignRecord& r = program.record;
    double a = 0.0;
    if (!readCoefficient(program, a) || !engineLooksCurrent(program) ||
        !coefficientFits(program, a) || !designParametersInRange(program)) {
        return false;
    }
    if (control != kSequentialDesignButton) return true;
    program.sequential.heldSize.reset();
    program.sequential.heldAlternative.reset();
    if (!calibrateCritical(program, a)) return false;
    float z = refreshZAlpha(program);
    auto lp = levelAndPower(program, a, z, designAlternative(program));
    if (!lp) return false;
    if (panel.getLogical(kHoldPowerCheck) && lp->power < r.power) {
        const bool held =
            isBrownian(r) ? holdAlternative(program, a, z) : holdSize(program, panel, a);
        if (!held) return false;
        z = refreshZAlpha(program);
        lp = levelAndPower(program, a, z, designAlternative(program));
        if (!lp) return false;
    }
    program.sequential.actualLevel = lp->level;
    showF(panel, kActualSigEdit, lp->level, kActualFormat);
    program.sequential.actualPower = lp->power;
    showF(panel, kActualPowerEdit, lp->power, kActualFormat);
    showF(panel, kCriticalEdit, z, kActualFormat);
    return true;
}

namespace {

// Room for the means of a curve of `points` intervals, or none when they are not asked for.
double* meansOut(std::vector<double>* means, int points) {
    if (means == nullptr) return nullptr;
    means->assign(static_cast<std::size_t>(points + 1), 0.0);
    return means->data();
}

}  // namespace

std::vector<double> powerFunction(DesignContext& program, std::vector<double>* means) {
    double a = 0.0;
    if (!readCoefficient(program, a) || !engineLooksCurrent(program)) return {};
    const float z = refreshZAlpha(program);
    std::vector<double> out(2 * (kPowerPoints + 1));
    const DesignRecord& r = program.record;
    PWRFUNC(a, z, r.coeffTable.data(), r.gridIntervals, looks(program), times(program),
            kPowerPoints, out.data(), meansOut(means, kPowerPoints));
    return out;
}

std::vector<double> expectedInformation(DesignContext& program, std::vector<double>* means) {
    double a = 0.0;
    if (!readCoefficient(program, a) || !engineLooksCurrent(program)) return {};
    const float z = refreshZAlpha(program);
    std::vector<double> out(kExpectedSizePoints + 1);
    const DesignRecord& r = program.record;
    EXPECSIZE(a, z, r.coeffTable.data(), r.gridIntervals, looks(program), times(program),
              kExpectedSizePoints, kExpectedThetaLow, kExpectedThetaHigh, out.data(),
              meansOut(means, kExpectedSizePoints));
    return out;
}

const std::vector<double>& searchIterates(const DesignContext& program) {
    return program.sequential.searchIterates;
}

}  // namespace qalix
