#include "design/fixed_sample.hpp"

#include <array>
#include <cmath>
#include <type_traits>
#include <vector>

#include "design/allocation.hpp"
#include "design/fields.hpp"
#include "design/outcome.hpp"
#include "design/panel_ids.hpp"
#include "design/panel_labels.hpp"
#include "design/parameter_ranges.hpp"
#include "numeric/normal.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

// Every computed parameter is shown with 4 decimals in 8 characters, m with 2 in 9.
constexpr FieldFormat kResultFormat{8, 4};
constexpr FieldFormat kSizeFormat{9, 2};

// Drift of the standardized statistic at information time 1.
double standardizedMean(const DesignRecord& r) {
    return std::sqrt(r.sampleSize) * r.altMean / outcomeSd(r);
}

void showResult(Dialog& panel, int combo, double value) {
    showF(panel, combo, value, kResultFormat);
}

// delta_a = z_(1-alpha) + z_(power) is a positive alternative only for alpha and power in
// (0, 1) with the power above alpha.
bool alternativeDefined(const DesignRecord& r) {
    return inRange(r, Parameter::Alpha, r.alpha) && inRange(r, Parameter::Power, r.power) &&
           inRange(r, Parameter::PowerAboveAlpha, r.power);
}

// A refused entry goes from the combo: it shows again the value its field holds (in digits
// that read back as it), so that no half-typed text like "0,0" stands for the value.
template <typename T>
bool readHeld(DesignContext& program, Dialog& panel, int combo, T& field) {
    if (readField(program, panel, combo, field)) return true;
    if constexpr (std::is_same_v<T, float>) {
        panel.setText(combo, formatFreeSingle(field));
    } else {
        panel.setText(combo, formatFree(field));
    }
    return false;
}

void readParameter(DesignContext& program, Dialog& panel, int combo) {
    DesignRecord& r = program.record;
    bool ok = true;
    switch (combo) {
        case kAlphaCombo:
            ok = readHeld(program, panel, combo, r.alpha);
            break;
        case kSdCombo:
            ok = readHeld(program, panel, combo, r.stdDev);
            break;
        case kPowerCombo:
            ok = readHeld(program, panel, combo, r.power);
            break;
        case kMuCombo:
            ok = readHeld(program, panel, combo, r.altMean);
            break;
        case kSizeCombo:
            ok = readHeld(program, panel, combo, r.sampleSize);
            break;
        default:
            return;
    }
    // On information time the alternative follows alpha and power: sqrt(m)*mu_a/sigma
    // stays equal to delta_a. Not while they lie outside their ranges, as they do on the way
    // to a typed value ("0" before "0.05"): the computations refuse them with a message.
    const bool steersAlternative = combo == kAlphaCombo || combo == kPowerCombo;
    if (ok && steersAlternative && isBrownian(r) && alternativeDefined(r)) {
        r.altDelta = zOfAlpha(r) + zOfPower(r);
        r.altMean = meanOfAltDelta(r);
        showResult(panel, kMuCombo, r.altDelta);
    }
}

// What a button computes, and the four parameters it computes it from.
struct Solve {
    int button;
    Parameter result;
    std::vector<Parameter> inputs;
};

const Solve* solveOf(int button) {
    using P = Parameter;
    static const std::array<Solve, 5> solves = {{
        {kSizeButton, P::Size, {P::Alpha, P::Power, P::PowerAboveAlpha, P::Sd, P::Mean}},
        {kMuButton, P::Mean, {P::Alpha, P::Power, P::PowerAboveAlpha, P::Sd, P::Size}},
        {kSdButton, P::Sd, {P::Alpha, P::Power, P::PowerAboveAlpha, P::Mean, P::Size}},
        {kPowerButton, P::Power, {P::Alpha, P::Sd, P::Mean, P::Size}},
        {kAlphaButton, P::Alpha, {P::Power, P::Sd, P::Mean, P::Size}},
    }};
    for (const Solve& s : solves) {
        if (s.button == button) return &s;
    }
    return nullptr;
}

// The parameter the button computes from the other four, as it is stored (alpha in single
// precision).
double solvedValue(const DesignRecord& r, int button) {
    const double zA = zOfAlpha(r);
    const double zP = zOfPower(r);
    switch (button) {
        case kSizeButton: {
            const double root = (zA + zP) * outcomeSd(r);
            return root * root / (r.altMean * r.altMean);
        }
        case kMuButton:
            return (zA + zP) * outcomeSd(r) / std::sqrt(r.sampleSize);
        case kSdButton:
            return sdOfOutcomeSd(r, std::sqrt(r.sampleSize) * r.altMean / (zA + zP));
        case kPowerButton:
            return HNM(standardizedMean(r) - zA);
        case kAlphaButton:
            return static_cast<float>(1.0 - HNM(standardizedMean(r) - zP));
        default:
            return 0.0;
    }
}

void storeSolved(Dialog& panel, DesignRecord& r, int button, double value) {
    switch (button) {
        case kSizeButton:
            r.sampleSize = value;
            if (twoGroups(r)) {
                // Each group rounded up; the trial's total is their sum.
                const GroupSizes groups = groupsOfSolvedTotal(r, value);
                r.solvedGroups = {groups.control, groups.treatment};
                r.sampleSize = groups.total();
            }
            showF(panel, kSizeCombo, r.sampleSize, kSizeFormat);
            break;
        case kMuButton:
            r.altMean = value;
            r.altDelta = zOfAlpha(r) + zOfPower(r);
            showResult(panel, kMuCombo, r.altMean);
            break;
        case kSdButton:
            r.stdDev = value;
            showResult(panel, kSdCombo, r.stdDev);
            break;
        case kPowerButton:
            r.power = value;
            showResult(panel, kPowerCombo, r.power);
            break;
        case kAlphaButton:
            r.alpha = static_cast<float>(value);
            showResult(panel, kAlphaCombo, r.alpha);
            break;
        default:
            break;
    }
}

// The combo that holds a parameter, or none for the pair condition.
int comboOf(Parameter p) {
    switch (p) {
        case Parameter::Alpha:
            return kAlphaCombo;
        case Parameter::Power:
            return kPowerCombo;
        case Parameter::Sd:
            return kSdCombo;
        case Parameter::Mean:
            return kMuCombo;
        case Parameter::Size:
            return kSizeCombo;
        default:
            return 0;
    }
}

bool inputsFilled(DesignContext& program, const std::vector<Parameter>& inputs) {
    for (Parameter p : inputs) {
        if (const int combo = comboOf(p); combo != 0 && !panelFieldFilled(program, combo))
            return false;
    }
    return true;
}

// Computes one parameter from the other four: nothing when one of them is blank, or when
// they, or the result, lie outside their ranges; every field then keeps what it held.
void computeParameter(DesignContext& program, Dialog& panel, int button) {
    const Solve* solve = solveOf(button);
    if (solve == nullptr || !inputsFilled(program, solve->inputs) ||
        !parametersInRange(program, solve->inputs) || !readAllocation(program))
        return;
    const double value = solvedValue(program.record, button);
    if (!resultInRange(program, solve->result, value)) return;
    storeSolved(panel, program.record, button, value);
}

}  // namespace

double zOfAlpha(const DesignRecord& r) {
    return QNORM(1.0 - static_cast<double>(r.alpha));
}
double zOfPower(const DesignRecord& r) {
    return QNORM(r.power);
}
double meanOfAltDelta(const DesignRecord& r) {
    return r.altDelta * outcomeSd(r) / std::sqrt(r.sampleSize);
}

void DESIGNPARMTR(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    switch (control) {
        case kAlphaCombo:
        case kSdCombo:
        case kPowerCombo:
        case kMuCombo:
        case kSizeCombo:
            readParameter(program, panel, control);
            break;
        default:
            computeParameter(program, panel, control);
    }
    showGroups(program);
}

bool sizeSolvedInGroups(const DesignRecord& r, double size, const std::string& shown) {
    const auto [control, treatment] = r.solvedGroups;
    return twoGroups(r) && control > 0 && control + treatment == size &&
           shown == trimmed(formatF(size, kSizeFormat.width, kSizeFormat.decimals));
}

}  // namespace qalix
