#include "characteristics/discordance_dialog.hpp"

#include <array>
#include <limits>

#include "characteristics/common.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/mean_range.hpp"
#include "design/sequential_design.hpp"
#include "engine/discordance.hpp"
#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {

namespace {

using namespace discordance;

// Final values from -2 to 2 in steps of 2/30.
constexpr int kHalfIntervals = 30;
constexpr double kRange = 2.0;
constexpr FieldFormat kDiscordanceFormat{7, 5};

// The true mean the calling control gives, on the Brownian scale. False on a read error.
bool chooseDelta(CharacteristicsContext& program, const Dialog& dialog, int control, float z,
                 double& delta) {
    const DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    switch (control) {
        case kRhoMaxButton:
            s.discordanceDelta = z;
            break;
        case kDeltaCombo:
            if (!readDelta(program, dialog, kDeltaCombo, s.discordanceDelta)) return false;
            break;
        case kMuCombo:
            if (!readMu(program, dialog, kMuCombo, s.discordanceMu)) return false;
            s.discordanceDelta = deltaOfMu(r, s.discordanceMu);
            break;
        default:
            return false;
    }
    delta = s.discordanceDelta;
    return true;
}

// Writes the scales of the mean the calling control did not give, or blanks them when the
// mean cannot be shown.
void showMean(const DesignRecord& r, Dialog& dialog, int control, double delta, bool shown) {
    if (control != kDeltaCombo) {
        if (shown) {
            showDelta(dialog, kDeltaCombo, delta);
        } else {
            dialog.setText(kDeltaCombo, kCleared);
        }
    }
    if (control == kMuCombo) return;
    if (isBrownian(r)) {
        // Typed deltas blank the data-scale mean; "rho_max" leaves it as the opening did.
        if (control == kDeltaCombo) {
            dialog.setText(kMuCombo, kCleared);
            dialog.setLogical(kMuCombo, false, Index::Enabled);
        }
    } else if (shown) {
        showMu(dialog, kMuCombo, muOfDelta(r, delta));
    } else {
        dialog.setText(kMuCombo, kCleared);
    }
}

}  // namespace

double DISCPROB(const DesignContext& program, double a, double d, std::string_view part) {
    const DesignRecord& r = program.record;
    const FixedText<10> key(part);
    // As much finer than 30 half intervals as the engine's grid is finer than its own.
    const int half = scaledIntervals(kHalfIntervals, r.gridIntervals);
    const double h = kRange / half;
    int n = 2 * half;
    double start = -kRange;
    if (key == "sig") {
        n = half;
    } else if (key == "fut") {
        n = half;
        start = 0.0;
    } else if (!(key == "all")) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    constexpr int kMostIntervals = 2 * scaledIntervals(kHalfIntervals, kMaxGridIntervals);
    std::array<double, kMostIntervals + 1> rho{};
    std::array<double, kMostIntervals + 1> density{};
    for (int j = 0; j <= n; ++j) {
        const double s = start + j * h;
        const auto i = static_cast<std::size_t>(j);
        rho[i] =
            GETDISC(a, r.coeffTable.data(), r.gridIntervals, r.numLooks, r.engineTime.data(), s);
        density[i] = P(s, d, 1.0);
    }
    PRODMT(rho.data(), density.data(), rho.data(), n);
    return SIMPSON(rho.data(), n, h);
}

void PROBDISC(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    const DesignRecord& r = program.record;
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const float z = r.zAlpha;  // as last stored by the other dialogs
    double delta = 0.0;
    if (!chooseDelta(program, dialog, control, z, delta)) return;
    const bool computable = meanComputable(r, a, z, delta, control == kDeltaCombo);
    showMean(r, dialog, control, delta, computable);
    if (!computable) {
        refuseMean(program, dialog, {kOverall, kAtSignificance, kAtFutility});
        return;
    }
    // On the critical line ("rho_max") the centred drift is exactly 0.
    const double d = control == kRhoMaxButton ? 0.0 : delta - static_cast<double>(z);
    DiscordanceValues& values = program.characteristics.discordance;
    values.overall = DISCPROB(program, a, d, "all");
    values.atSignificance = DISCPROB(program, a, d, "sig");
    values.atFutility = DISCPROB(program, a, d, "fut");
    showF(dialog, kOverall, values.overall, kDiscordanceFormat);
    showF(dialog, kAtSignificance, values.atSignificance, kDiscordanceFormat);
    showF(dialog, kAtFutility, values.atFutility, kDiscordanceFormat);
}

}  // namespace qalix
