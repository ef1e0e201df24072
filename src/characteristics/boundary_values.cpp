#include "characteristics/boundary_values.hpp"

#include <cmath>

#include "characteristics/common.hpp"
#include "characteristics/control_ids.hpp"
#include "design/sequential_design.hpp"
#include "engine/geometry.hpp"
#include "numeric/normal.hpp"

namespace qalix {

namespace {

using namespace oc;

// Combo 1070 reads and shows the information time as F6.4.
constexpr int kTimeWidth = 6;
constexpr int kTimeDecimals = 4;

// Sets the look, partial size and time the calling control asks for. False when the
// typed time cannot be read.
bool placeLook(Program& program, Dialog& dialog, int control, int M) {
    DesignRecord& r = program.record();
    CharacteristicsState& s = program.characteristics();
    switch (control) {
        case kLookSpin: {
            s.look = dialog.getInt(kLookSpin);
            const auto k = static_cast<std::size_t>(s.look - 1);
            if (brownian(r)) {
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
            if (!readFixedField(program, dialog, kTimeCombo, kTimeWidth, kTimeDecimals, t)) {
                return false;
            }
            // The time is kept in single precision, and t*M formed there: "0.3" with M = 25
            // is 7.5000005 and goes to 8, where the double 0.3*25 would give 7.
            const float typed = static_cast<float>(t);
            s.partialSize = static_cast<int>(std::lround(typed * static_cast<float>(M)));
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
void computeBoundaries(Program& program, double a) {
    const DesignRecord& r = program.record();
    CharacteristicsState& s = program.characteristics();
    const double t = s.time;
    const double z = r.zAlpha;
    const double half = halfWidth(a, t);
    const float upper = static_cast<float>(z * t + half);
    const float lower = static_cast<float>(z * t - half);
    const double sumScale = r.stdDev * std::sqrt(r.sampleSize);
    s.boundary = {static_cast<float>(lower * sumScale),
                  static_cast<float>(upper * sumScale),
                  lower,
                  upper,
                  static_cast<float>(1.0 - HNM(lower / std::sqrt(t))),
                  static_cast<float>(1.0 - HNM(upper / std::sqrt(t)))};
}

void showBoundaries(Program& program, Dialog& dialog) {
    const DesignRecord& r = program.record();
    const CharacteristicsState& s = program.characteristics();
    showF(dialog, kTimeCombo, s.time, kTimeWidth, kTimeDecimals);
    const bool grids = brownian(r);
    if (grids) {
        dialog.setText(kUpperSum, "     ");
        dialog.setText(kLowerSum, "     ");
    } else {
        showF(dialog, kUpperSum, s.boundary[1], 8, 3);
        showF(dialog, kLowerSum, s.boundary[0], 8, 3);
    }
    dialog.setText(kPartialSizeLabel, grids ? "Number of Grids" : "Partial Sample Size");
    dialog.setText(kPartialSizeGroup, grids
                                          ? "Number of Grids and Information Time (Fraction)"
                                          : "Partial Sample Size and Information Time (Fraction)");
    dialog.setLogical(kUpperSum, !grids, Index::Enabled);
    dialog.setLogical(kLowerSum, !grids, Index::Enabled);
    showF(dialog, kUpperStd, s.boundary[3], 8, 4);
    showF(dialog, kLowerStd, s.boundary[2], 8, 4);
    showF(dialog, kUpperP, s.boundary[5], 8, 4);
    showF(dialog, kLowerP, s.boundary[4], 8, 4);
}

}  // namespace

void BOUNDARY(Program& program, Dialog& dialog, int control, CallbackKind) {
    double a = 0.0;
    if (!readCoefficient(program, a)) return;
    const int M = maximumSize(program.record());
    if (!placeLook(program, dialog, control, M)) return;
    computeBoundaries(program, a);
    showBoundaries(program, dialog);
}

}  // namespace qalix
