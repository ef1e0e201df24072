// Geometry of the sequential test on the centred Brownian scale X_t = S_t - z*t: the
// boundary half-widths, the outer limit of every grid, and the continuation table.
#pragma once

#include <array>
#include <cmath>

namespace qalix {

inline constexpr int kMaxLooks = 16;
// Intervals of every outer grid the engine integrates over: the program's grid. Every other
// grid of the engine (the inner grids, the bridge tails, the integrated discordance) is as many
// times finer as the outer grid n is finer than this, so that one number sets the accuracy of
// every probability; with n = kGridIntervals each is exactly as the program computes it.
inline constexpr int kGridIntervals = 200;
// The finest grid the engine takes: four times the program's, for checking how far a result
// depends on its grid.
inline constexpr int kMaxGridIntervals = 4 * kGridIntervals;
// Capacity of outer grid vectors and of the inner continuation vectors at the finest grid.
inline constexpr int kOuterCapacity = kMaxGridIntervals + 1;
inline constexpr int kInnerCapacity = 4 * 1000 + 1;
// On the program's grid the inner grid of a look has about this many intervals per unit of
// half-width, and at most this many in all.
inline constexpr double kInnerIntervalsPerUnit = 50.0;
inline constexpr int kMaxInnerIntervals = 1000;

// A count of intervals of the program's grid, for the outer grid of n intervals.
inline constexpr int scaledIntervals(int count, int n) {
    return count * n / kGridIntervals;
}
// Distance of the outer limit beyond the largest half-width.
inline constexpr double kOuterMargin = 8.0;

// c(t) = sqrt(2*a*t*(1 - t)): the boundary half-width at information time t.
inline double halfWidth(double a, double t) {
    return std::sqrt(2.0 * a * t * (1.0 - t));
}

// U = sqrt(a*1/2) + 8: the largest half-width plus the margin.
inline double outerLimit(double a) {
    return std::sqrt(a * 1.0 / 2.0) + kOuterMargin;
}

// T[k, i] for looks k = 1..K and grid points i = 0..n at offset (k - 1) + i*K: the
// probability of having continued at every look before k given X at look k is
// c_k + i*(U - c_k)/n (and, by symmetry, minus that).
struct ContinuationTable {
    std::array<double, kMaxLooks * kOuterCapacity> values{};
    double* data() { return values.data(); }
    const double* data() const { return values.data(); }
};

}  // namespace qalix
