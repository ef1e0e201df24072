// The design the program computed, as the analysis of a trial needs it: read off the record
// and the panel's sequential state after "Sequential Design".
#pragma once

#include "analysis/trial_analysis.hpp"
#include "design/design_record.hpp"
#include "design/sequential_state.hpp"

namespace qalix {

TrialDesign trialDesignOf(const DesignRecord& record, const SequentialState& sequential);

}  // namespace qalix
