#include "design/parameter_ranges.hpp"

#include <cmath>
#include <string>
#include <string_view>

#include "design/panel_ids.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// The largest rho_max a boundary can have: a = 0 stops every path at the first look, where
// the final decision disagrees half the time on the critical line.
constexpr double kRhoMaxLimit = 0.5;

// How the messages name a parameter and its range.
struct RangeText {
    std::string_view name;
    std::string range;
};

RangeText rangeText(Parameter p) {
    switch (p) {
        case Parameter::Alpha:
            return {"significance level alpha", "lie between 0.0001 and 1"};
        case Parameter::Power:
            return {"power", "lie between 0 and 0.9999"};
        case Parameter::PowerAboveAlpha:
            return {"power", "be above the significance level alpha"};
        case Parameter::Sd:
            return {"standard deviation sigma", "be above 0"};
        case Parameter::Mean:
            return {"alternative mean mu_a",
                    "be above 0: the test is one-sided for a positive mean"};
        case Parameter::Size:
            return {"sample size m", "be above 0 and at most " + formatFree(kMaxSampleSize)};
        case Parameter::TrialSize:
            return {"sample size m", "lie between 1 and " + std::to_string(kMaxTrialSize) +
                                         " for a sequential design"};
        case Parameter::RhoMax:
            return {"maximum discordance probability rho_max", "lie between 0 and 0.5"};
    }
    return {};
}

double recordValue(const DesignRecord& r, Parameter p) {
    switch (p) {
        case Parameter::Alpha:
            return r.alpha;
        case Parameter::Power:
        case Parameter::PowerAboveAlpha:
            return r.power;
        case Parameter::Sd:
            return r.stdDev;
        case Parameter::Mean:
            return r.altMean;
        case Parameter::Size:
        case Parameter::TrialSize:
            return r.sampleSize;
        case Parameter::RhoMax:
            return r.rhoMax;
    }
    return 0.0;
}

// Beyond kLeastTail of either end the program's quantile is not what it shows.
bool isAlpha(double x) {
    return x >= static_cast<double>(static_cast<float>(kLeastTail)) && x < 1.0;
}
bool isPower(double x) {
    return x > 0.0 && x <= 1.0 - kLeastTail;
}

// A positive alpha the range refuses for being too close to 0 says so, with the text as
// typed: 1e-320 reads as 0 in single precision, and "must lie between 0.0001 and 1" alone
// does not tell the user which end was crossed.
std::string tooSmall(DesignContext& program, Parameter p) {
    if (p != Parameter::Alpha) return {};
    const std::string typed = trimmed(program.panel().getText(panel::kAlphaCombo));
    double value = 0.0;
    if (readFree(typed, value) != ReadStatus::Ok || !(value > 0.0 && value < kLeastTail)) return {};
    return ": " + typed + " is too small";
}

bool refuse(DesignContext& program, const std::string& text) {
    program.error(text);
    return false;
}

}  // namespace

bool inRange(const DesignRecord& r, Parameter p, double x) {
    if (!std::isfinite(x)) return false;
    switch (p) {
        case Parameter::Alpha:
            return isAlpha(x);
        case Parameter::Power:
            return isPower(x);
        case Parameter::PowerAboveAlpha:
            return x > static_cast<double>(r.alpha);
        case Parameter::Sd:
        case Parameter::Mean:
            return x > 0.0;
        case Parameter::Size:
            return x > 0.0 && x <= kMaxSampleSize;
        case Parameter::TrialSize:  // below 1, m rounds up to no observation at all
            return x >= 1.0 && x <= kMaxTrialSize;
        case Parameter::RhoMax:
            return x > 0.0 && x < kRhoMaxLimit;
    }
    return false;
}

bool valueInRange(DesignContext& program, Parameter p, double value) {
    if (inRange(program.record, p, value)) return true;
    const RangeText t = rangeText(p);
    return refuse(program,
                  "The " + std::string(t.name) + " must " + t.range + tooSmall(program, p) + ".");
}

bool parametersInRange(DesignContext& program, const std::vector<Parameter>& used) {
    for (Parameter p : used) {
        if (!valueInRange(program, p, recordValue(program.record, p))) return false;
    }
    return true;
}

bool resultInRange(DesignContext& program, Parameter p, double value) {
    if (inRange(program.record, p, value)) return true;
    const RangeText t = rangeText(p);
    return refuse(program, "The " + std::string(t.name) +
                               " computed from the other four parameters is outside its range: "
                               "it must " +
                               t.range + ".");
}

}  // namespace qalix
