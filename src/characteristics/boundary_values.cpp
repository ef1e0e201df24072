#include "characteristics/boundary_values.hpp"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/common.hpp"
#include "design/allocation.hpp"
#include "design/sequential_design.hpp"
#include "design/trial_scale.hpp"
#include "engine/geometry.hpp"
#include "numeric/normal.hpp"

namespace qalix {

namespace {

using namespace boundaries;

// The information time is read and shown as F6.4, the boundaries on the sum scale as F8.3
// and the others as F8.4.
constexpr FieldFormat kTimeFormat{6, 4};
constexpr FieldFormat kSumFormat{8, 3};
constexpr FieldFormat kStdFormat{8, 4};
// What the sum-scale fields show on information time, where there is no sum.
constexpr std::string_view kNoSum = "     ";
// With two groups the first row is the difference of the means at the boundary.
constexpr std::string_view kSumLabel = "Boudary Value";
constexpr std::string_view kUpperSumLabelText = "Boundary Value";
constexpr std::string_view kDifferenceLabel = "Difference D";

// The partial size a typed time t snaps to, nint(t*M), when it is one of 1..M. The time is
// kept in single precision, and t*M formed there: "0.3" with M = 25 is 7.5000005 and goes to
// 8, where the double 0.3*25 would give 7.
std::optional<int> snappedSize(double t, int M) {
    if (!(t > 0.0 && t <= 1.0)) return std::nullopt;
    const float typed = static_cast<float>(t);
    const int n = static_cast<int>(std::lround(typed * static_cast<float>(M)));
    if (n < 1 || n > M) return std::nullopt;
    return n;
}

std::string timeRangeError(int M) {
    return "The information time must lie between 0 and 1, and its product with M = " +
           std::to_string(M) + " must round to at least 1.";
}

// Sets the look, partial size and time the calling control asks for. False when the
// typed time cannot be read or lies outside the looks of the design.
bool placeLook(CharacteristicsContext& program, Dialog& dialog, int control, int M) {
    DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    switch (control) {
        case kLookSpin: {
            s.look = dialog.getInt(kLookSpin);
            const auto k = static_cast<std::size_t>(s.look - 1);
            if (isBrownian(r)) {
                s.time = static_cast<float>(r.infoTime[k]);
                s.partialSize = static_cast<int>(M * r.infoTime[k]);
            } else {
                s.partialSize = r.cumSize[k];
                s.time = static_cast<float>(s.partialSize) / static_cast<float>(M);
            }
            break;
        }
        case kTimeButton: {
            double t = s.time;
            if (!readFixedField(program, dialog, kTimeCombo, kTimeFormat, t)) {
                return false;
            }
            const std::optional<int> n = snappedSize(t, M);
            if (!n) {
                program.error(timeRangeError(M));
                return false;
            }
            s.partialSize = *n;
            s.time = static_cast<float>(s.partialSize) / static_cast<float>(M);
            break;
        }
        case kPartialSizeSpin:
            s.partialSize = dialog.getInt(kPartialSizeSpin);
            s.time = static_cast<float>(s.partialSize) / static_cast<float>(M);
            break;
        default:
            return false;
    }
    if (control != kPartialSizeSpin) dialog.setInt(kPartialSizeSpin, s.partialSize);
    return true;
}

// The six boundaries at the current time, in single precision.
void computeBoundaries(CharacteristicsContext& program, double a) {
    const DesignRecord& r = program.record;
    CharacteristicsState& s = program.characteristics;
    const double t = s.time;
    const double z = r.zAlpha;
    const double half = halfWidth(a, t);
    const float upper = static_cast<float>(z * t + half);
    const float lower = static_cast<float>(z * t - half);
    BoundaryValues& b = s.boundary;
    if (twoGroups(r)) {
        const GroupSizes groups = groupsAtLook(r, s.partialSize, maximumSize(r));
        const auto difference = [&](float std) {
            const auto d = differenceAtBoundary(r, std / std::sqrt(t), groups);
            return static_cast<float>(d.value_or(std::numeric_limits<double>::quiet_NaN()));
        };
        b.lowerSum = difference(lower);
        b.upperSum = difference(upper);
    } else {
        b.lowerSum = static_cast<float>(sumOfBrownian(r, lower));
        b.upperSum = static_cast<float>(sumOfBrownian(r, upper));
    }
    b.lowerStd = lower;
    b.upperStd = upper;
    b.lowerP = static_cast<float>(1.0 - HNM(lower / std::sqrt(t)));
    b.upperP = static_cast<float>(1.0 - HNM(upper / std::sqrt(t)));
}

// A two-group look with a group still empty has no difference of means: that is shown as
// such, not refused.
bool finite(const BoundaryValues& b, bool twoGroupLook) {
    for (float v : {b.lowerStd, b.upperStd, b.lowerP, b.upperP}) {
        if (!std::isfinite(v)) return false;
    }
    return twoGroupLook || (std::isfinite(b.lowerSum) && std::isfinite(b.upperSum));
}

constexpr std::string_view kNoDifference = "     n/a";

void showDifference(Dialog& dialog, int control, float value) {
    if (std::isfinite(value)) {
        showF(dialog, control, value, kStdFormat);
    } else {
        dialog.setText(control, kNoDifference);
    }
}

// The look's two groups beside its total, and the first row named as the difference.
void showGroupsOfLook(const DesignRecord& r, int partialSize, Dialog& dialog) {
    const bool two = twoGroups(r);
    dialog.setText(kLowerSumLabel, two ? kDifferenceLabel : kSumLabel);
    dialog.setText(kUpperSumLabel, two ? kDifferenceLabel : kUpperSumLabelText);
    if (!two) {
        dialog.setText(kGroupsLabel, "");
        return;
    }
    const GroupSizes groups = groupsAtLook(r, partialSize, maximumSize(r));
    dialog.setText(kGroupsLabel, "= " + std::to_string(groups.control) + " control + " +
                                     std::to_string(groups.treatment) + " treatment");
}

void showBoundaries(CharacteristicsContext& program, Dialog& dialog) {
    const DesignRecord& r = program.record;
    const CharacteristicsState& s = program.characteristics;
    const BoundaryValues& b = s.boundary;
    showF(dialog, kTimeCombo, s.time, kTimeFormat);
    const bool grids = isBrownian(r);
    if (grids) {
        dialog.setText(kUpperSum, kNoSum);
        dialog.setText(kLowerSum, kNoSum);
    } else if (twoGroups(r)) {
        showDifference(dialog, kUpperSum, b.upperSum);
        showDifference(dialog, kLowerSum, b.lowerSum);
    } else {
        showF(dialog, kUpperSum, b.upperSum, kSumFormat);
        showF(dialog, kLowerSum, b.lowerSum, kSumFormat);
    }
    showGroupsOfLook(r, s.partialSize, dialog);
    dialog.setText(kPartialSizeLabel, grids ? "Number of Grids" : "Partial Sample Size");
    dialog.setText(kPartialSizeGroup, grids
                                          ? "Number of Grids and Information Time (Fraction)"
                                          : "Partial Sample Size and Information Time (Fraction)");
    dialog.setLogical(kUpperSum, !grids, Index::Enabled);
    dialog.setLogical(kLowerSum, !grids, Index::Enabled);
    showF(dialog, kUpperStd, b.upperStd, kStdFormat);
    showF(dialog, kLowerStd, b.lowerStd, kStdFormat);
    showF(dialog, kUpperP, b.upperP, kStdFormat);
    showF(dialog, kLowerP, b.lowerP, kStdFormat);
}

}  // namespace

void BOUNDARY(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind) {
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const int M = maximumSize(program.record);
    CharacteristicsState& s = program.characteristics;
    const CharacteristicsState before = s;
    const int spinBefore = dialog.getInt(kPartialSizeSpin);
    if (!placeLook(program, dialog, control, M)) return;
    // A look whose time lies beyond (0, 1] (its cumulative size entered for a larger m than
    // the panel holds now, or a time "Update Changes" kept unchecked), or a typed a so large
    // that the boundaries overflow single precision, shows nothing: the dialog stays as it
    // was, but for the control the user moved.
    std::optional<std::string> refusal;
    if (!(s.time > 0.0f && s.time <= 1.0f)) {
        refusal = timeRangeError(M);
    } else {
        computeBoundaries(program, a);
        if (!finite(s.boundary, twoGroups(program.record))) refusal = coefficientOutOfRange(a);
    }
    if (refusal) {
        s = before;
        if (control != kPartialSizeSpin) dialog.setInt(kPartialSizeSpin, spinBefore);
        program.error(*refusal);
        return;
    }
    showBoundaries(program, dialog);
}

}  // namespace qalix
