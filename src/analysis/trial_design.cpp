#include "analysis/trial_design.hpp"

#include "design/allocation.hpp"
#include "design/fixed_sample.hpp"
#include "design/trial_scale.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

TrialDesign trialDesignOf(const DesignRecord& r, const SequentialState& s) {
    TrialDesign d;
    d.onInformationTime = isBrownian(r);
    d.maxSize = maximumSize(r);
    d.sigma = r.stdDev;
    if (twoGroups(r)) {
        const GroupSizes groups = groupsOfTotal(r, d.maxSize);
        d.allocation = r.allocation;
        d.maxControl = groups.control;
        d.maxTreatment = groups.treatment;
    }
    d.z = r.zAlpha;
    d.a = s.coefficient;
    d.plannedTimes.assign(r.engineTime.begin(), r.engineTime.begin() + r.numLooks);
    // The alternative as "Sequential Design" computes the actual power at it.
    d.alternative =
        d.onInformationTime ? zOfPower(r) + static_cast<double>(r.zAlpha) : deltaOfMu(r, r.altMean);
    // alpha as typed (0.05), not its single-precision value (0.0500000007).
    readFree(formatFreeSingle(r.alpha), d.nominalLevel);
    d.actualLevel = s.actualLevel;
    // The record's z is the calibrated one exactly when the last calibration is in use.
    const auto& c = s.calibration;
    if (c && c->choice != LevelChoice::Nominal && static_cast<float>(c->z) == r.zAlpha) {
        d.exactLevel = true;
        d.futilityBinding = c->choice == LevelChoice::Exact;
    }
    return d;
}

}  // namespace qalix
