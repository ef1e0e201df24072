// The critical value z at exactly the nominal level. The continuation region of the design
// depends only on X_t = S_t - z t and a, so z can be chosen once a is found, and the bound on
// the discordance holds unchanged.
//
// Information times are passed as t[0..K-1], 0 < t_1 < ... < t_K = 1, as everywhere in the
// engine. Each function throws std::invalid_argument, naming what is wrong, for a, K, t or
// alpha outside their ranges, and std::runtime_error when no z in a wide range gives alpha.
#pragma once

namespace qalix {

// Roots are found to this width in z; the levels move by less than 1e-8 across it (their slope
// in z stays below 10).
inline constexpr double kCriticalTolerance = 1e-9;

// With binding futility: the z with bindingLevel(a, z, K, t) == alpha. The crossing
// probabilities are accurate to about 1e-8, so the level is alpha to that; the panel's own
// grid (ABSORPROB) shows it within that grid's error, some 1e-5 at many looks.
double exactLevelCritical(double a, int K, const double* t, double alpha);

// Non-binding futility: the z with nonbindingLevel(a, z, K, t) == alpha.
double exactNonbindingCritical(double a, int K, const double* t, double alpha);

// P(S crosses z t_k + c(t_k) at some look, the lower boundaries ignored, theta = 0), by the
// crossing probabilities (crossing.hpp) at information t_k.
double nonbindingLevel(double a, double z, int K, const double* t);
// The same with the trial stopping at the lower boundaries z t_k - c(t_k).
double bindingLevel(double a, double z, int K, const double* t);

}  // namespace qalix
