// The root of a monotone function: a bracket found by stepping outwards from a first guess,
// then Boost.Math's TOMS 748 (Alefeld, Potra and Shi) inside it.
#pragma once

#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace qalix {

// The steps from the guess double this many times before the search gives up.
inline constexpr int kBracketDoublings = 12;
// TOMS 748 needs a handful of steps to a tolerance near rounding; a search still going after
// this many is not converging.
inline constexpr std::uintmax_t kRootIterationCap = 200;

// The x where the increasing (or, with increasing false, decreasing) f crosses 0, within the
// bracket tolerance tol(lo, hi) -> bool. The bracket grows from guess by step, 2 step, 4 step...
// up to kBracketDoublings times; nothing when f does not change sign within that range, is
// not a number, or the solver does not converge. Checks nothing else: callers pass step > 0.
template <class F, class Tolerance>
std::optional<double> monotoneRoot(F f, bool increasing, double guess, double step, Tolerance tol) {
    const auto g = [&](double x) { return increasing ? f(x) : -f(x); };
    const double g0 = g(guess);
    if (std::isnan(g0)) return std::nullopt;
    if (g0 == 0.0) return guess;
    // The root lies above the guess when g is still negative there.
    const double direction = g0 < 0.0 ? 1.0 : -1.0;
    double near = guess;
    double gNear = g0;
    double far = guess;
    double gFar = g0;
    for (int i = 0; i <= kBracketDoublings; ++i, step *= 2.0) {
        far = near + direction * step;
        gFar = g(far);
        if (std::isnan(gFar)) return std::nullopt;
        if ((gFar < 0.0) != (g0 < 0.0) || gFar == 0.0) break;
        near = far;
        gNear = gFar;
    }
    if (gFar == 0.0) return far;
    if ((gFar < 0.0) == (g0 < 0.0)) return std::nullopt;
    double lo = near;
    double glo = gNear;
    double hi = far;
    double ghi = gFar;
    if (lo > hi) {
        std::swap(lo, hi);
        std::swap(glo, ghi);
    }
    std::uintmax_t iterations = kRootIterationCap;
    const std::pair<double, double> bracket =
        boost::math::tools::toms748_solve(g, lo, hi, glo, ghi, tol, iterations);
    if (iterations >= kRootIterationCap) return std::nullopt;
    return 0.5 * (bracket.first + bracket.second);
}

}  // namespace qalix
