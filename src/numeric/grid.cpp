#include "numeric/grid.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {

void PRODMT(const double* a, const double* b, double* c, int n) {
    for (int i = 0; i <= n; ++i)
        c[i] = a[i] * b[i];
}

void V2V(const double* a, double* b, int n) {
    for (int i = 0; i <= n; ++i)
        b[i] = a[i];
}

void MT2TO1(const double* M, double* v, int K, int n, int k) {
    for (int i = 0; i <= n; ++i)
        v[i] = M[(k - 1) + i * K];
}

void P2MT(double x0, double* v, int n, double h, double mu, double t) {
    for (int i = 0; i <= n; ++i)
        v[i] = P(x0 + i * h, mu, t);
}

double QCOND(double x, double y, double s, double t) {
    const double w = (1.0 - s / t) * s * 2.0;
    const double dev = x - y * s / t;
    const double e = std::exp(-dev * dev / w);
    return e / std::sqrt(w * kDensityPi);
}

void QCOND2MT(double* v, int n, double x0, double h, double y, double s, double t) {
    for (int i = 0; i <= n; ++i)
        v[i] = QCOND(x0 + i * h, y, s, t);
}

double PTAIL(double b, double mu, double t) {
    const double sd = std::sqrt(t);
    const double mean = mu * t;
    std::array<double, kTailIntervals + 1> f;
    if (b > 0.0) {
        const double hi = mean + kTailWindowSd * sd;
        if (b >= hi) return 0.0;
        const double lo = std::max(b, mean - kTailWindowSd * sd);
        const double h = (hi - lo) / kTailIntervals;
        double x = lo;
        for (double& v : f) {
            v = P(x, mu, t);
            x += h;
        }
        return SIMPSON(f.data(), kTailIntervals, h);
    }
    const double lo = mean - kTailWindowSd * sd;
    if (b <= lo) return 0.0;
    const double hi = std::min(b, mean + kTailWindowSd * sd);
    const double h = (hi - lo) / kTailIntervals;
    double x = hi;
    for (double& v : f) {
        v = P(x, mu, t);
        x -= h;
    }
    return SIMPSON(f.data(), kTailIntervals, h);
}

}  // namespace qalix
