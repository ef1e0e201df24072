// Crossing probabilities of a group-sequential test for any boundaries, information levels and
// drift: the density of the score carried from look to look on a grid (Armitage, McPherson and
// Rowe 1969; Jennison and Turnbull 2000, chapter 19, whose grid this is).
//
// The design's own dialogs keep their fixed computations (absorption.hpp); these serve the
// analysis of the looks a trial actually took and the exact-level calibration.
#pragma once

#include <span>
#include <vector>

#include "engine/geometry.hpp"

namespace qalix {

struct CrossingLook {
    double information;  // cumulative information I_k (a count of observations, or t_k);
                         // increasing, > 0
    double lower;        // Z scale: the trial continues while lower < Z_k < upper
    double upper;        // lower may be -infinity (no lower boundary), upper +infinity
};

// The process conditioned on an observed value: score s0 = Z0*sqrt(I0) at information I0.
struct CrossingStart {
    double information = 0.0;
    double score = 0.0;
};

struct CrossingProbabilities {
    std::vector<double> upper;  // P(continue at looks before k, Z_k >= upper_k)
    std::vector<double> lower;  // P(continue at looks before k, Z_k <= lower_k)
};

// The program's designs have at most kMaxLooks looks, and so have the trials analysed with them.
inline constexpr int kMaxCrossingLooks = kMaxLooks;

// Jennison and Turnbull's grid parameter: 6r - 1 points per look before trimming to the
// continuation region, each interval then halved for Simpson's rule. Their r = 16 leaves errors
// up to 1e-7 at 16 looks; r = 32 keeps every reference case within 2.4e-8 (crossing_test.cpp)
// at two to four times the cost: 0.6 ms for 16 looks of the design's boundaries, 1.9 ms for
// its upper boundaries alone (bench/engine_bench.cpp).
inline constexpr int kCrossingGridR = 32;
// The grid of a look must resolve the step to the next one: where that step's standard
// deviation spans fewer than this many intervals of the grid across +-3 sd, the look takes a
// larger r (looks less than some 1e-3 of the information apart)...
inline constexpr double kCrossingKernelIntervals = 2.0;
// ...up to this one, 12,285 points. A step below about 2e-6 of the information since the start
// is refused.
inline constexpr int kMaxCrossingGridR = 1024;
// The grid spans the unconditional mean of the score +- (3 + 4 log r) standard deviations:
// evenly across +-3 sd, logarithmically spaced beyond.
inline constexpr double kCrossingCoreSd = 3.0;
inline constexpr double kCrossingTailSlope = 4.0;

// drift theta: the score S_k = Z_k*sqrt(I_k) is a Brownian motion in I with drift theta, so
// E Z_k = theta*sqrt(I_k) (with I = n observations and theta = mu/sigma,
// E Z_k = mu*sqrt(n_k)/sigma). With a start, S is that motion from s0 at I0.
// Throws std::invalid_argument, naming the look and what is wrong, for no looks, more than
// kMaxCrossingLooks, information not increasing beyond the start's (or too little for the grid
// to resolve), a boundary that is not a number, lower > upper, lower = +infinity or upper =
// -infinity, or a theta or start that is not finite.
CrossingProbabilities crossingProbabilities(std::span<const CrossingLook> looks, double theta,
                                            CrossingStart start = {});

// P(continue at looks 1..k-1, lo <= Z_k <= hi), k = looks.size(); the last look's own
// boundaries play no part. lo may be -inf, hi +inf; lo <= hi.
double probabilityEndingIn(std::span<const CrossingLook> looks, double theta, double lo, double hi,
                           CrossingStart start = {});

}  // namespace qalix
