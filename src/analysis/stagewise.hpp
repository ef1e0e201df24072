// Inference at the end of a group-sequential trial under the stage-wise ordering of its
// outcomes, and the conditional power at an interim look.
//
// Outcomes (k, z): an efficacy stop at an earlier look is more extreme than any outcome at a
// later look; at one look a larger Z is more extreme; a futility stop lies below every outcome
// that continued past it, an earlier one lower. theta is the drift of the score per unit of
// information (with I = n observations, theta = mu/sigma): E Z_k = theta*sqrt(I_k).
#pragma once

#include <span>

#include "engine/crossing.hpp"

namespace qalix {

// G(theta) = P_theta(an outcome at least as extreme as z observed at the last of looks):
// the efficacy stops at the earlier looks, then Z_k >= z at the last having continued before.
// The looks are those the trial took, with the boundaries applied at them; the last is where it
// ended, by a stop or as the final look. G increases with theta.
double stagewiseTail(std::span<const CrossingLook> looks, double zObserved, double theta);

// The fixed-sample values, as if the last look had been the only one.
struct NaiveInference {
    double pValue = 0.0;      // 1 - Phi(z)
    double estimate = 0.0;    // z / sqrt(I_k)
    double lowerBound = 0.0;  // (z - Q(1 - alpha)) / sqrt(I_k)
    double upperBound = 0.0;  // (z + Q(1 - alpha)) / sqrt(I_k)
};

// Each bound is one-sided at level 1 - alpha; together a two-sided 1 - 2 alpha interval.
struct StagewiseInference {
    double pValue = 0.0;      // G(0)
    double estimate = 0.0;    // median-unbiased: G(theta) = 1/2
    double lowerBound = 0.0;  // G(theta) = alpha
    double upperBound = 0.0;  // G(theta) = 1 - alpha
    NaiveInference naive;
};

// Roots of G to this relative width in theta (or this fraction of the naive estimate's
// standard error 1/sqrt(I_k) for a root near 0).
inline constexpr double kThetaTolerance = 1e-8;

// Throws std::invalid_argument for looks crossing.hpp refuses, a z that is not finite or
// alpha outside (0, 0.5), and std::runtime_error when G does not reach a target within
// 2^12 standard errors of the naive estimate.
StagewiseInference stagewiseInference(std::span<const CrossingLook> looks, double zObserved,
                                      double confidenceAlpha);

// P_theta(rejecting H0 at a later look | the score observed now): the remaining looks at
// their planned information with their boundaries, the start the current look's information
// and score Z*sqrt(I).
double conditionalPower(std::span<const CrossingLook> remaining, CrossingStart observed,
                        double theta);

}  // namespace qalix
