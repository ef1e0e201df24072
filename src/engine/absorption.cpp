#include "engine/absorption.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/geometry.hpp"
#include "engine/vector_exp.hpp"
#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {

namespace {

// The transition density P(x, mu, t) with its per-call constants taken out of the loop:
// exp(-(x - mu*t)^2 / (2t)) / sqrt(2*pi*t), the same arithmetic in the same order as P.
struct Density {
    double mean;
    double twoT;
    double root;
    double expFloor;  // a run-time value, so that the compiler cannot fold exp(floor)
};

Density density(double mu, double t) {
    return {mu * t, 2.0 * t, std::sqrt(2.0 * kDensityPi * t), kExpFloor};
}

// f[i] = P(x0 + i*step, mu, t) * row[i], i = 0..n: what P2MT and PRODMT would give.
QALIX_VECTOR_KERNEL
void weighDensity(double x0, double step, int n, const Density& p, const double* row, double* f) {
    for (int i = 0; i <= n; ++i) {
        const double dev = x0 + i * step - p.mean;
        f[i] = kernelExp(-dev * dev / p.twoT, p.expFloor) / p.root * row[i];
    }
}

// Mass of X at look k, density N(delta*t_k, t_k), on the grid x0 + i*step (from +-c_k out to
// +-U), weighed by the continuation table row of that look. The lower grid is walked downwards
// but integrated with the positive width d, so both masses come out positive.
double boundaryMass(double x0, double step, double d, int n, double delta, double tk,
                    const double* row) {
    std::array<double, kOuterCapacity> f;
    weighDensity(x0, step, n, density(delta, tk), row, f.data());
    return SIMPSON(f.data(), n, d);
}

}  // namespace

StoppingMasses stoppingMasses(double a, double delta, const double* T, int n, int K,
                              const double* t) {
    StoppingMasses m;
    const double U = outerLimit(a);
    std::array<double, kOuterCapacity> row;
    for (int k = 1; k <= K; ++k) {
        const double tk = t[k - 1];
        const double c = halfWidth(a, tk);
        const double d = (U - c) / n;
        MT2TO1(T, row.data(), K, n, k);
        m.sig[k - 1] = boundaryMass(c, d, d, n, delta, tk, row.data());
        m.fut[k - 1] = boundaryMass(-c, -d, d, n, delta, tk, row.data());
    }
    m.beyondUpper = PTAIL(U, delta, t[0]);
    m.beyondLower = PTAIL(-U, delta, t[0]);
    return m;
}

double stoppingTotal(const StoppingMasses& m, int K) {
    double total = m.beyondUpper + m.beyondLower;
    for (int k = 0; k < K; ++k)
        total += m.sig[k] + m.fut[k];
    return total;
}

bool stopsSurely(const StoppingMasses& m, int K) {
    return std::abs(stoppingTotal(m, K) - 1.0) <= kStoppingTolerance;
}

Absorption ABSORPROB(double a, double delta, const double* T, int n, int K, const double* t) {
    return absorption(stoppingMasses(a, delta, T, n, K, t), K, t);
}

Absorption absorption(const StoppingMasses& m, int K, const double* t) {
    Absorption r;
    r.up = m.beyondUpper;
    r.low = m.beyondLower;
    r.expectedTime = (m.beyondUpper + m.beyondLower) * t[0];
    for (int k = 0; k < K; ++k) {
        r.up += m.sig[k];
        r.low += m.fut[k];
        r.expectedTime += (m.sig[k] + m.fut[k]) * t[k];
    }
    return r;
}

void PWRFUNC(double a, float z, const double* T, int n, int K, const double* t, int npts,
             double* out, double* thetas) {
    const double step = (kPowerThetaHigh - kPowerThetaLow) / npts;
    double theta = kPowerThetaLow;
    for (int i = 0; i <= npts; ++i) {
        const Absorption r = ABSORPROB(a, theta - static_cast<double>(z), T, n, K, t);
        out[2 * i] = r.up;
        out[2 * i + 1] = r.low;
        if (thetas != nullptr) thetas[i] = theta;
        theta += step;
    }
}

void EXPECSIZE(double a, float z, const double* T, int n, int K, const double* t, int npts,
               double lo, double hi, double* out, double* thetas) {
    const double step = (hi - lo) / npts;
    double theta = lo;
    for (int i = 0; i <= npts; ++i) {
        out[i] = ABSORPROB(a, theta - static_cast<double>(z), T, n, K, t).expectedTime;
        if (thetas != nullptr) thetas[i] = theta;
        theta += step;
    }
}

}  // namespace qalix
