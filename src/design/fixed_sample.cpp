#include "design/fixed_sample.hpp"

#include <cmath>

#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "numeric/normal.hpp"

namespace qalix {

namespace {

using namespace panel;

// Every computed parameter is shown with 4 decimals in 8 characters, m with 2 in 9.
constexpr FieldFormat kResultFormat{8, 4};
constexpr FieldFormat kSizeFormat{9, 2};

// Drift of the standardized statistic at information time 1.
double standardizedMean(const DesignRecord& r) {
    return std::sqrt(r.sampleSize) * r.altMean / r.stdDev;
}

void showResult(Dialog& panel, int combo, double value) {
    showF(panel, combo, value, kResultFormat);
}

void readParameter(DesignContext& program, Dialog& panel, int combo) {
    DesignRecord& r = program.record();
    bool ok = true;
    switch (combo) {
        case kAlphaCombo:
            ok = readField(program, panel, combo, r.alpha);
            break;
        case kSdCombo:
            ok = readField(program, panel, combo, r.stdDev);
            break;
        case kPowerCombo:
            ok = readField(program, panel, combo, r.power);
            break;
        case kMuCombo:
            ok = readField(program, panel, combo, r.altMean);
            break;
        case kSizeCombo:
            ok = readField(program, panel, combo, r.sampleSize);
            break;
        default:
            return;
    }
    // On information time the alternative follows alpha and power: sqrt(m)*mu_a/sigma
    // stays equal to delta_a.
    const bool steersAlternative = combo == kAlphaCombo || combo == kPowerCombo;
    if (ok && steersAlternative && r.designKind == "brownian") {
        r.altDelta = zOfAlpha(r) + zOfPower(r);
        r.altMean = r.altDelta * r.stdDev / std::sqrt(r.sampleSize);
        showResult(panel, kMuCombo, r.altDelta);
    }
}

void computeParameter(Dialog& panel, DesignRecord& r, int button) {
    const double zA = zOfAlpha(r);
    const double zP = zOfPower(r);
    switch (button) {
        case kSizeButton: {
            const double root = (zA + zP) * r.stdDev;
            r.sampleSize = root * root / (r.altMean * r.altMean);
            showF(panel, kSizeCombo, r.sampleSize, kSizeFormat);
            break;
        }
        case kMuButton: {
            const double z = zA + zP;
            r.altMean = z * r.stdDev / std::sqrt(r.sampleSize);
            r.altDelta = z;
            showResult(panel, kMuCombo, r.altMean);
            break;
        }
        case kSdButton:
            r.stdDev = std::sqrt(r.sampleSize) * r.altMean / (zA + zP);
            showResult(panel, kSdCombo, r.stdDev);
            break;
        case kPowerButton:
            r.power = HNM(standardizedMean(r) - zA);
            showResult(panel, kPowerCombo, r.power);
            break;
        case kAlphaButton:
            r.alpha = static_cast<float>(1.0 - HNM(standardizedMean(r) - zP));
            showResult(panel, kAlphaCombo, r.alpha);
            break;
        default:
            break;
    }
}

}  // namespace

double zOfAlpha(const DesignRecord& r) {
    return QNORM(1.0 - static_cast<double>(r.alpha));
}
double zOfPower(const DesignRecord& r) {
    return QNORM(r.power);
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
            computeParameter(panel, program.record(), control);
    }
}

}  // namespace qalix
