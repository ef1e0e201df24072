// What the four operating-characteristics dialogs share: the formats of their mean fields (the
// maximum size and the two scales of a true mean are the trial's, design/trial_scale.hpp).
#pragma once

#include <cmath>
#include <limits>

#include "design/context.hpp"
#include "design/fields.hpp"
#include "design/trial_scale.hpp"

namespace qalix {

// Means are read and written as F8.5 (mu) and F9.5 (delta) fixed fields.
inline constexpr FieldFormat kMuFormat{8, 5};
inline constexpr FieldFormat kDeltaFormat{9, 5};

// A mean that overflows on its way to the other scale (a sigma typed huge or tiny) is as
// far beyond its field as the largest double: asterisks, never "Infinity".
inline double fieldValue(double mean) {
    return std::isinf(mean) ? std::copysign(std::numeric_limits<double>::max(), mean) : mean;
}
inline void showMu(Dialog& d, int control, double mu) {
    showF(d, control, fieldValue(mu), kMuFormat);
}
inline void showDelta(Dialog& d, int control, double delta) {
    showF(d, control, fieldValue(delta), kDeltaFormat);
}
inline bool readMu(DesignContext& p, const Dialog& d, int control, double& mu) {
    return readFixedField(p, d, control, kMuFormat, mu);
}
inline bool readDelta(DesignContext& p, const Dialog& d, int control, double& delta) {
    return readFixedField(p, d, control, kDeltaFormat, delta);
}

// Two blanks in a field, the way the dialogs clear the values that do not apply.
inline constexpr std::string_view kCleared = "  ";

}  // namespace qalix
