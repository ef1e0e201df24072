// Absorption of the sequential test at its boundaries for a given drift, and the power
// function and expected-information curves built on it.
//
// Every routine reads the continuation table T as LATN left it for the same a, times and
// outer grid of n intervals. delta is the drift of the centred statistic, theta - z.
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

StoppingMasses stoppingMasses(double a, double delta, const double* T, int n, int K,
                              const double* t);

// Every path stops by the last look, so the masses of one drift add to 1; the grids' own error
// stays below this tolerance wherever they hold the drift (2e-5 with a first look at
// t = 0.02). Beyond it the drift is outside the range the engine can compute. Below half a
// unit of the fourth decimal, it keeps every probability the dialogs show at 1.0000 at most
// (a drift of 4e6 on six looks adds up to 1.00006).
inline constexpr double kStoppingTolerance = 4e-5;

// Probability of stopping at all: both tails and every look's masses.
double stoppingTotal(const StoppingMasses& m, int K);
// True when stoppingTotal lies within kStoppingTolerance of 1.
bool stopsSurely(const StoppingMasses& m, int K);

struct Absorption {
    double up = 0.0;   // probability of rejection
    double low = 0.0;  // probability of acceptance
    // Expected information time at stopping. The first look's mass beyond the outer limit
    // stops at that look too: counted at t_1 (it is exactly 0 unless the drift is extreme).
    double expectedTime = 0.0;
};

Absorption ABSORPROB(double a, double delta, const double* T, int n, int K, const double* t);
// The same from the stopping masses of the drift.
Absorption absorption(const StoppingMasses& m, int K, const double* t);

// Power function range of the true standardized mean theta.
inline constexpr double kPowerThetaLow = -1.5;
inline constexpr double kPowerThetaHigh = 5.0;

// out[2i] = rejection, out[2i + 1] = acceptance probability at theta_i, i = 0..npts; thetas,
// when given, receives theta_i itself (the means grow by cumulative addition of the step).
void PWRFUNC(double a, float z, const double* T, int n, int K, const double* t, int npts,
             double* out, double* thetas = nullptr);

// out[i] = expected information time at theta_i from lo to hi, i = 0..npts; thetas as above.
void EXPECSIZE(double a, float z, const double* T, int n, int K, const double* t, int npts,
               double lo, double hi, double* out, double* thetas = nullptr);

}  // namespace qalix
