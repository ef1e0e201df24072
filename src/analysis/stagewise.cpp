#include "analysis/stagewise.hpp"

#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/monotone_root.hpp"

namespace qalix {

namespace {

constexpr double kMedian = 0.5;
// The program's own normal functions (numeric/normal.hpp) are float32-grade: HNM rounds its
// argument to 32 bits (errors up to 2e-8) and is exactly 0 or 1 beyond +-7, and QNORM is off by
// up to 8e-7 at the usual levels. Inference uses erfc and Boost.Math's quantile, accurate to a
// few units of the last place.
double upperTail(double x) {
    return 0.5 * std::erfc(x / std::numbers::sqrt2);
}

double upperQuantile(double alpha) {
    return boost::math::quantile(boost::math::complement(boost::math::normal(), alpha));
}

void checkObserved(double zObserved) {
    if (!std::isfinite(zObserved))
        throw std::invalid_argument("stage-wise inference: the observed z is not finite");
}

}  // namespace

// Why the one sum serves every kind of outcome (k, z) (the looks before k continued):
// - efficacy stop at k (z >= upper_k): as extreme are the efficacy stops before k and the
//   stops at k with Z_k >= z, which are the paths that continued before k with Z_k >= z;
// - futility stop at k (z <= lower_k): as extreme are the efficacy stops before k and every
//   path that continued before k with Z_k >= z: a futility stop at k with a larger Z, a
//   continuation (any later outcome lies above it) or an efficacy stop at k;
// - the final look: the efficacy stops before k and Z_k >= z at k.
// Futility stops before k lie below all of them. Hence
// G = sum over j < k of P(efficacy at j) + P(continue before k, Z_k >= z).
double stagewiseTail(std::span<const CrossingLook> looks, double zObserved, double theta) {
    checkObserved(zObserved);
    std::vector<CrossingLook> asked(looks.begin(), looks.end());
    if (!asked.empty()) {
        asked.back().lower = -std::numeric_limits<double>::infinity();
        asked.back().upper = zObserved;
    }
    const CrossingProbabilities p = crossingProbabilities(asked, theta);
    double g = 0.0;
    for (const double up : p.upper)
        g += up;
    return g;
}

StagewiseInference stagewiseInference(std::span<const CrossingLook> looks, double zObserved,
                                      double confidenceAlpha) {
    checkObserved(zObserved);
    if (!(confidenceAlpha > 0.0 && confidenceAlpha < kMedian))
        throw std::invalid_argument("stage-wise inference: alpha must lie in (0, 0.5)");
    StagewiseInference r;
    r.pValue = stagewiseTail(looks, zObserved, 0.0);  // checks the looks once for all below

    const double se = 1.0 / std::sqrt(looks.back().information);
    const double quantile = upperQuantile(confidenceAlpha);
    r.naive.pValue = upperTail(zObserved);
    r.naive.estimate = zObserved * se;
    r.naive.lowerBound = (zObserved - quantile) * se;
    r.naive.upperBound = (zObserved + quantile) * se;
    // At the first look the ordering is by Z alone, G(theta) = Phi(theta sqrt(I) - z): its roots
    // are the naive values, which the search below would only approach to its width.
    if (looks.size() == 1) {
        r.estimate = r.naive.estimate;
        r.lowerBound = r.naive.lowerBound;
        r.upperBound = r.naive.upperBound;
        return r;
    }

    const auto within = [se](double lo, double hi) {
        return hi - lo <= kThetaTolerance * std::max({std::abs(lo), std::abs(hi), se});
    };
    const auto solve = [&](double target, double guess, const char* what) {
        const std::optional<double> theta =
            monotoneRoot([&](double th) { return stagewiseTail(looks, zObserved, th) - target; },
                         true, guess, se, within);
        if (!theta)
            throw std::runtime_error(std::string("stage-wise inference: no ") + what +
                                     " within a wide range of the naive one");
        return *theta;
    };
    r.estimate = solve(kMedian, r.naive.estimate, "estimate");
    r.lowerBound = solve(confidenceAlpha, r.naive.lowerBound, "lower bound");
    r.upperBound = solve(1.0 - confidenceAlpha, r.naive.upperBound, "upper bound");
    return r;
}

double conditionalPower(std::span<const CrossingLook> remaining, CrossingStart observed,
                        double theta) {
    const CrossingProbabilities p = crossingProbabilities(remaining, theta, observed);
    double power = 0.0;
    for (const double up : p.upper)
        power += up;
    return power;
}

}  // namespace qalix
