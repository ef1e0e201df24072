#include "characteristics/discordance_dialog.hpp"

#include <array>
#include <limits>

#include "characteristics/common.hpp"
#include "characteristics/discordance_ids.hpp"
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

bool chooseDelta(CharacteristicsContext& program, Dialog& dialog, int control, double& d) {
    const DesignRecord& r = program.record();
    CharacteristicsState& s = program.characteristics();
    const double z = r.zAlpha;  // as last stored by the other dialogs
    switch (control) {
        case kRhoMaxButton:
            s.discordanceDelta = z;
            showDelta(dialog, kDeltaCombo, s.discordanceDelta);
            if (!brownian(r)) showMu(dialog, kMuCombo, muOfDelta(r, s.discordanceDelta));
            d = 0.0;
            return true;
        case kDeltaCombo:
            if (!readDelta(program, dialog, kDeltaCombo, s.discordanceDelta)) return false;
            if (brownian(r)) {
                dialog.setText(kMuCombo, kCleared);
                dialog.setLogical(kMuCombo, false, Index::Enabled);
            } else {
                showMu(dialog, kMuCombo, muOfDelta(r, s.discordanceDelta));
            }
            break;
        case kMuCombo:
            if (!readMu(program, dialog, kMuCombo, s.discordanceMu)) return false;
            s.discordanceDelta = deltaOfMu(r, s.discordanceMu);
            showDelta(dialog, kDeltaCombo, s.discordanceDelta);
            break;
        default:
            return false;
    }
    d = s.discordanceDelta - z;
    return true;
}

}  // namespace

double DISCPROB(const DesignContext& program, double a, double d, std::string_view part) {
    const DesignRecord& r = program.record();
    const FixedText<10> key(part);
    const double h = kRange / kHalfIntervals;
    int n = 2 * kHalfIntervals;
    double start = -kRange;
    if (key == "sig") {
        n = kHalfIntervals;
    } else if (key == "fut") {
        n = kHalfIntervals;
        start = 0.0;
    } else if (!(key == "all")) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::array<double, 2 * kHalfIntervals + 1> rho{};
    std::array<double, 2 * kHalfIntervals + 1> density{};
    for (int j = 0; j <= n; ++j) {
        const double s = start + j * h;
        const auto i = static_cast<std::size_t>(j);
        rho[i] =
            GETDISC(a, r.coeffTable.data(), kGridIntervals, r.numLooks, r.engineTime.data(), s);
        density[i] = P(s, d, 1.0);
    }
    PRODMT(rho.data(), density.data(), rho.data(), n);
    return SIMPSON(rho.data(), n, h);
}

void PROBDISC(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    double d = 0.0;
    if (!chooseDelta(program, dialog, control, d)) return;
    DiscordanceValues& values = program.characteristics().discordance;
    values.overall = DISCPROB(program, a, d, "all");
    values.atSignificance = DISCPROB(program, a, d, "sig");
    values.atFutility = DISCPROB(program, a, d, "fut");
    showF(dialog, kOverall, values.overall, kDiscordanceFormat);
    showF(dialog, kAtSignificance, values.atSignificance, kDiscordanceFormat);
    showF(dialog, kAtFutility, values.atFutility, kDiscordanceFormat);
}

}  // namespace qalix
