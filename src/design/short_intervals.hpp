// Why a design's own probabilities cannot be computed: when the stopping masses at the null
// mean do not add to 1, no true mean is to blame but an interval between looks too short for
// the integration grids. This names it and the least length that computes for the same a.
#pragma once

#include <string>

namespace qalix {

// The message for the design of coefficient a and times t[0..K-1], whose stopping masses at
// drift -z do not add to 1.
std::string shortIntervalMessage(double a, float z, int K, const double* t);

}  // namespace qalix
