// Normal density, distribution function and quantile, and the Brownian transition density,
// computed the program's own fixed way. Every probability of the program rests on
// these exact roundings and constants, so they are not to be replaced by library functions.
#pragma once

namespace qalix {

// The divisor of the standard normal density: this decimal, not the correctly rounded
// sqrt(2*pi).
inline constexpr double kDensityDivisor = 2.50662827459518;
// The value of pi in the transition and bridge densities: six decimals, not M_PI.
inline constexpr double kDensityPi = 3.141593;
// Lower end and number of Simpson intervals of the distribution-function integral. At and
// beyond the mirror of the lower end the distribution function is 1: the 200 intervals from
// -7 grow too wide there to keep the integral within [0, 1].
inline constexpr float kHnmLowerEnd = -7.0f;
inline constexpr float kHnmUpperEnd = 7.0f;
inline constexpr int kHnmIntervals = 200;
// Newton iteration of the quantile: start, absolute tolerance on the step, step limit.
inline constexpr double kQnormStart = 1.0;
inline constexpr double kQnormTolerance = 1e-5;
inline constexpr int kQnormMaxSteps = 10;

// Standard normal density exp(-x^2/2) / 2.50662827459518.
double PNM(double x);

// Pr(Z <= x) by Simpson's rule on 200 intervals from -7; x is first rounded to 32 bits.
// Exactly 0 at or below -7 and exactly 1 at or above 7.
double HNM(double x);

// The x with HNM(x) = p, by at most ten Newton steps from 1.0. Callers pass 0 < p < 1.
double QNORM(double p);

// Density at x of N(mu*t, t): the Brownian increment with drift mu over a span t > 0.
double P(double x, double mu, double t);

}  // namespace qalix
