// What the four operating-characteristics dialogs share: the rounded-up maximum size, the
// two scales of a true mean, and the formats of their mean fields.
#pragma once

#include <cmath>

#include "design/fields.hpp"
#include "design/program.hpp"

namespace qalix {

// Means are read and written as F8.5 (mu) and F9.5 (delta) fixed fields.
inline constexpr int kMuWidth = 8;
inline constexpr int kDeltaWidth = 9;
inline constexpr int kMeanDecimals = 5;

// M: the maximum sample size, m rounded up.
inline int maximumSize(const DesignRecord& r) {
    return roundedUp(r.sampleSize, kRoundUp5);
}

// delta = sqrt(M) * mu / sigma, and back.
inline double deltaOfMu(const DesignRecord& r, double mu) {
    return std::sqrt(static_cast<double>(maximumSize(r))) * mu / r.stdDev;
}
inline double muOfDelta(const DesignRecord& r, double delta) {
    return delta * r.stdDev / std::sqrt(static_cast<double>(maximumSize(r)));
}

inline bool brownian(const DesignRecord& r) {
    return r.designKind == "brownian";
}

inline void showMu(Dialog& d, int control, double mu) {
    showF(d, control, mu, kMuWidth, kMeanDecimals);
}
inline void showDelta(Dialog& d, int control, double delta) {
    showF(d, control, delta, kDeltaWidth, kMeanDecimals);
}
inline bool readMu(Program& p, const Dialog& d, int control, double& mu) {
    return readFixedField(p, d, control, kMuWidth, kMeanDecimals, mu);
}
inline bool readDelta(Program& p, const Dialog& d, int control, double& delta) {
    return readFixedField(p, d, control, kDeltaWidth, kMeanDecimals, delta);
}

// Two blanks in a field, the way the dialogs clear the values that do not apply.
inline constexpr std::string_view kCleared = "  ";

}  // namespace qalix
