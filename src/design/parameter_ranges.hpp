// The ranges in which the design's parameters mean something, checked before the program
// computes with them and on what it computes: alpha in [0.0001, 1) and power in (0, 0.9999]
// with the power above alpha, sigma and mu_a above 0, m in (0, 999999.99] (what its field
// shows), rho_max in (0, 0.5). A value outside its range gets one message that names the
// parameter and its range, and nothing is computed or shown from it.
#pragma once

#include <string_view>
#include <vector>

#include "design/context.hpp"

namespace qalix {

enum class Parameter {
    Alpha,
    Power,
    PowerAboveAlpha,  // the pair: z_(1-alpha) + z_(power) > 0
    Sd,
    Mean,
    Size,       // m of the fixed-sample design
    TrialSize,  // m of a sequential design on group sizes: it must fit the size fields
    RhoMax,
};

// A true mean whose probabilities of stopping do not add to 1 within kStoppingTolerance lies
// beyond what the integration grids hold: no numbers are shown for it.
inline constexpr std::string_view kMeanOutOfRange =
    "The true mean is outside the range the program can compute.";

// The smallest tail probability whose normal quantile the program's own recipe (ten Newton
// steps from 1) computes to its tolerance: below it, z_(1-alpha) or z_(power) would be short
// of the true quantile with no sign of it (alpha 1e-10 gave z = 4.47 instead of 6.36).
inline constexpr double kLeastTail = 1e-4;

// The largest m of a fixed-sample design: the most its field shows (F9.2) without asterisks.
inline constexpr double kMaxSampleSize = 999999.99;

// The largest maximum sample size of a sequential design, and the width of every field that
// shows one of its group or cumulative sizes: the digits of that size.
inline constexpr int kMaxTrialSize = 99999;
inline constexpr int kTrialSizeWidth = [] {
    int digits = 1;
    for (int n = kMaxTrialSize; n >= 10; n /= 10)
        ++digits;
    return digits;
}();

// True when value lies in the range of p (for PowerAboveAlpha, value is the power and the
// record's alpha the bound). Not-a-number and infinities lie in no range.
bool inRange(const DesignRecord& record, Parameter p, double value);

// A value of p the user gave (typed, or read from the record). Shows "The <p> must <range>."
// and returns false when it is out of range.
bool valueInRange(DesignContext& program, Parameter p, double value);

// The record's values of the parameters a computation uses: valueInRange for each, stopping
// at the first one out of range.
bool parametersInRange(DesignContext& program, const std::vector<Parameter>& used);

// A value the program computed for p. Shows "The <p> computed from the other four parameters
// is outside its range: it must <range>." and returns false when it is out of range.
bool resultInRange(DesignContext& program, Parameter p, double value);

}  // namespace qalix
