// Absorption of the sequential test at its boundaries for a given drift, and the power
// function and expected-information curves built on it.
//
// Every routine reads the continuation table T as LATN left it for the same a and times,
// on grids of kGridIntervals intervals. delta is the drift of the centred statistic,
// theta - z.
#pragma once

#include <array>

#include "engine/geometry.hpp"

namespace qalix {

// Stopping masses per look: sig[k-1] at the upper boundary of look k, fut[k-1] at the
// lower one, and the first look's mass beyond the outer limit on either side.
struct StoppingMasses {
    std::array<double, kMaxLooks> sig{};
    std::array<double, kMaxLooks> fut{};
    double beyondUpper = 0.0;
    double beyondLower = 0.0;
};

StoppingMasses stoppingMasses(double a, double delta, const double* T, int K, const double* t);

struct Absorption {
    double up = 0.0;            // probability of rejection
    double low = 0.0;           // probability of acceptance
    double expectedTime = 0.0;  // expected information time at stopping (tails excluded)
};

Absorption ABSORPROB(double a, double delta, const double* T, int K, const double* t);

// Power function range of the true standardized mean theta.
inline constexpr double kPowerThetaLow = -1.5;
inline constexpr double kPowerThetaHigh = 5.0;

// out[2i] = rejection, out[2i + 1] = acceptance probability at theta_i, i = 0..npts.
void PWRFUNC(double a, float z, const double* T, int K, const double* t, int npts, double* out);

// out[i] = expected information time at theta_i from lo to hi, i = 0..npts.
void EXPECSIZE(double a, float z, const double* T, int K, const double* t, int npts, double lo,
               double hi, double* out);

}  // namespace qalix
