// Why a design's own probabilities cannot be computed: when the stopping masses at the null
// mean or the design's alternative do not add to 1, the mean may not be to blame but an
// interval between looks too short for the integration grids. This names it and the least
// length that computes for the same a.
#pragma once

#include <optional>
#include <string>

namespace qalix {

// The message for the design of coefficient a and times t[0..K-1], whose stopping masses at
// the drift given do not add to 1; nothing when lengthening its shortest interval does not
// mend that (the drift itself is beyond the grids).
std::optional<std::string> shortIntervalMessage(double a, double drift, int n, int K,
                                                const double* t);

}  // namespace qalix
