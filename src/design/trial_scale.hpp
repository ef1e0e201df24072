// The trial in its own units. It takes at most M observations, M the sample size m rounded
// up (nint(m + 0.49999), the constant in single precision); at a look with n of them its
// statistic is Z = sum / (sigma sqrt(n)), on the Brownian scale S = sum / (sigma sqrt(M)) at
// t = n / M, and a true mean mu is the drift delta = sqrt(M) mu / sigma. Every conversion
// between the Brownian scale and the units of the observations is made here, on M: on the
// unrounded m, a boundary's sum, its mean and its Z would describe three different boundaries
// whenever m is not whole. (The fixed-sample calculator keeps m: there it is the answer of a
// power equation, not a count of observations.)
#pragma once

#include <cmath>

#include "design/allocation.hpp"
#include "design/design_record.hpp"
#include "design/fields.hpp"

namespace qalix {

// M: the maximum sample size, m rounded up.
inline int maximumSize(const DesignRecord& r) {
    return roundedUp(r.sampleSize, kRoundUp5);
}

// delta = sqrt(M) * mu / sigma, and back.
// With two groups mu is the difference of the means and sigma is sigma_e (allocation.hpp).
inline double deltaOfMu(const DesignRecord& r, double mu) {
    return std::sqrt(static_cast<double>(maximumSize(r))) * mu / outcomeSd(r);
}
inline double muOfDelta(const DesignRecord& r, double delta) {
    return delta * outcomeSd(r) / std::sqrt(static_cast<double>(maximumSize(r)));
}

// The cumulative sum of the observations at which the Brownian statistic is s (one sample).
inline double sumOfBrownian(const DesignRecord& r, double s) {
    return s * r.stdDev * std::sqrt(static_cast<double>(maximumSize(r)));
}

}  // namespace qalix
