#include "engine/discordance.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "engine/geometry.hpp"
#include "engine/vector_exp.hpp"
#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {

namespace {

// Every discordance is judged against the final value X_1, at information time 1.
constexpr double kFinalTime = 1.0;
// MAXDISCP weighs the final values by their density when X has no drift.
constexpr double kNoDrift = 0.0;
constexpr int kMinInnerIntervals = 2;

// The inner grid of a look: N intervals of width h across -c..c.
struct InnerGrid {
    double c;
    int N;
    double h;
};

// Intervals per unit of half-width of the inner grids that go with the outer grid n: 50 on
// the program's grid.
double innerIntervalsPerUnit(int n) {
    return kInnerIntervalsPerUnit * n / kGridIntervals;
}

// N = 2*nint(50*c), always even. Callers have checked innerGridsFit.
InnerGrid innerGrid(double a, double t, int n) {
    const double c = halfWidth(a, t);
    const int N = 2 * static_cast<int>(std::lround(innerIntervalsPerUnit(n) * c));
    return {c, N, 2.0 * c / N};
}

void fillUndefined(double* T, int n, int K) {
    std::fill(T, T + K * (n + 1), std::numeric_limits<double>::quiet_NaN());
}

// The bridge density QCOND(x, y, s, t) with its per-call constants taken out of the loop:
// exp(-(x - y*s/t)^2 / w) / sqrt(w*pi), with w = (1 - s/t)*s*2 (the same arithmetic, in the
// same order, as QCOND).
struct Bridge {
    double s;
    double t;
    double w;
    double root;
    double expFloor;  // a run-time value, so that the compiler cannot fold exp(floor)
};

Bridge bridge(double s, double t) {
    const double w = (1.0 - s / t) * s * 2.0;
    return {s, t, w, std::sqrt(w * kDensityPi), kExpFloor};
}

// y_l = -c + l*h, from the integer l as QCOND2MT forms it.
inline double innerPoint(const InnerGrid& g, int l) {
    return -g.c + l * g.h;
}

// QCOND(x, y, s, t) * weight, given mean = y*s/t.
[[gnu::always_inline]] inline double bridgeTerm(double x, double mean, const Bridge& b,
                                                double weight) {
    const double dev = x - mean;
    return kernelExp(-dev * dev / b.w, b.expFloor) / b.root * weight;
}

// Simpson sums over the inner grid g of the earlier look, one per conditioning value y_i:
// out[i] = SIMPSON(f, g.N, g.h) with f[l] = QCOND(-c + l*h, y_i, s, t) * W[l], i = 0..m.
// The conditioning values run across the vector lanes, so every lane adds its own terms in
// SIMPSON's order (odd and even sums, l upwards) and only exp is evaluated in vector form.
QALIX_VECTOR_KERNEL
void bridgeSums(const InnerGrid& g, const double* W, const Bridge& b, const double* y, int m,
                double* out) {
    std::array<double, kInnerCapacity> mean;
    std::array<double, kInnerCapacity> first;
    std::array<double, kInnerCapacity> last;
    std::array<double, kInnerCapacity> odd;
    std::array<double, kInnerCapacity> even;
    for (int i = 0; i <= m; ++i) {
        mean[i] = y[i] * b.s / b.t;
        odd[i] = 0.0;
        even[i] = 0.0;
    }
    for (int i = 0; i <= m; ++i)
        first[i] = bridgeTerm(innerPoint(g, 0), mean[i], b, W[0]);
    for (int l = 1; l < g.N; ++l) {
        const double x = innerPoint(g, l);
        double* sum = (l % 2 == 1) ? odd.data() : even.data();
        for (int i = 0; i <= m; ++i)
            sum[i] += bridgeTerm(x, mean[i], b, W[l]);
    }
    const double x = innerPoint(g, g.N);
    for (int i = 0; i <= m; ++i) {
        last[i] = bridgeTerm(x, mean[i], b, W[g.N]);
        even[i] += last[i];
    }
    for (int i = 0; i <= m; ++i) {
        out[i] = (first[i] + 4.0 * odd[i] + 2.0 * even[i] - last[i]) * g.h / 3.0;
    }
}

// f[i] = QCOND(x0 + i*h, y, s, t) * f[i], i = 0..n: the grid vector QCOND2MT would give,
// multiplied into f as PRODMT would.
QALIX_VECTOR_KERNEL
void weighBridge(double x0, double h, int n, double y, const Bridge& b, double* f) {
    const double mean = y * b.s / b.t;
    for (int i = 0; i <= n; ++i)
        f[i] = bridgeTerm(x0 + i * h, mean, b, f[i]);
}

}  // namespace

bool innerGridsFit(double a, int n, int K, const double* t) {
    for (int j = 1; j < K; ++j) {
        const double c = halfWidth(a, t[j - 1]);
        if (!(std::isfinite(c) && c > 0.0)) return false;
        // Rounded as a double, so that no huge half-width overflows an integer.
        const double N = 2.0 * std::round(innerIntervalsPerUnit(n) * c);
        if (N < kMinInnerIntervals || N > scaledIntervals(kMaxInnerIntervals, n)) return false;
    }
    return true;
}

void LATN(double a, double* T, int n, int K, const double* t) {
    if (!innerGridsFit(a, n, K, t)) {
        fillUndefined(T, n, K);
        return;
    }
    for (int i = 0; i <= n; ++i)
        T[i * K] = 1.0;
    std::array<double, kInnerCapacity> W;
    std::array<double, kInnerCapacity> next;
    std::array<double, kInnerCapacity> y;     // conditioning values at the current look
    std::array<double, kInnerCapacity> sums;  // their Simpson sums
    W.fill(1.0);
    const double U = outerLimit(a);
    for (int j = 2; j <= K; ++j) {
        const double s = t[j - 2];
        const double tj = t[j - 1];
        const InnerGrid prev = innerGrid(a, s, n);
        const double cj = halfWidth(a, tj);
        const double d = (U - cj) / n;
        const Bridge b = bridge(s, tj);
        for (int i = 0; i <= n; ++i)
            y[i] = i * d + cj;
        bridgeSums(prev, W.data(), b, y.data(), n, sums.data());
        for (int i = 0; i <= n; ++i)
            T[(j - 1) + i * K] = sums[i];
        if (j == K) break;
        const InnerGrid cur = innerGrid(a, tj, n);
        for (int i = 0; i <= cur.N; ++i)
            y[i] = i * cur.h - cur.c;
        bridgeSums(prev, W.data(), b, y.data(), cur.N, next.data());
        V2V(next.data(), W.data(), cur.N);
    }
}

double GETDISC(double a, const double* T, int n, int K, const double* t, double y) {
    // For y < 0 the full-sample test accepts, so an early rejection disagrees with it; for
    // y >= 0 an early acceptance does.
    const bool accepts = y < 0.0;
    const double U = outerLimit(a);
    double rho = TAILDISC(accepts ? U : -U, t[0], y, n);
    std::array<double, kOuterCapacity> f;
    for (int k = 1; k < K; ++k) {
        const double c = halfWidth(a, t[k - 1]);
        const double d = (U - c) / n;
        MT2TO1(T, f.data(), K, n, k);
        if (accepts) {
            weighBridge(c, d, n, y, bridge(t[k - 1], kFinalTime), f.data());
        } else {
            weighBridge(-c, -d, n, y, bridge(t[k - 1], kFinalTime), f.data());
        }
        rho = rho + SIMPSON(f.data(), n, d);
    }
    return rho;
}

double TAILDISC(double b, double s, double y, int n) {
    const double mean = y * s;
    const double w = kBridgeWindowSd * std::sqrt(s * (1.0 - s));
    const int intervals = scaledIntervals(kBridgeTailIntervals, n);
    std::array<double, scaledIntervals(kBridgeTailIntervals, kMaxGridIntervals) + 1> storage;
    const std::span<double> f(storage.data(), static_cast<std::size_t>(intervals) + 1);
    if (b > 0.0) {
        const double hi = mean + w;
        if (b >= hi) return 0.0;
        const double lo = std::max(b, mean - w);
        const double h = (hi - lo) / intervals;
        double x = lo;
        for (double& v : f) {
            v = QCOND(x, y, s, kFinalTime);
            x += h;
        }
        return SIMPSON(f.data(), intervals, h);
    }
    const double lo = mean - w;
    if (b <= lo) return 0.0;
    const double hi = std::min(b, mean + w);
    const double h = (hi - lo) / intervals;
    double x = hi;
    for (double& v : f) {
        v = QCOND(x, y, s, kFinalTime);
        x -= h;
    }
    return SIMPSON(f.data(), intervals, h);
}

double MAXDISCP(double a, const double* T, int n, int K, const double* t) {
    const int halfSteps = scaledIntervals(kDiscordanceHalfSteps, n);
    const int steps = 2 * halfSteps;
    const double h = kDiscordanceRange / halfSteps;
    constexpr int kMaxSteps = 2 * scaledIntervals(kDiscordanceHalfSteps, kMaxGridIntervals);
    std::array<double, kMaxSteps + 1> rho;
    std::array<double, kMaxSteps + 1> phi;
    for (int i = 0; i <= steps; ++i) {
        const double y = i * h - kDiscordanceRange;
        rho[i] = GETDISC(a, T, n, K, t, y);
        phi[i] = P(y, kNoDrift, kFinalTime);
    }
    PRODMT(rho.data(), phi.data(), rho.data(), steps);
    return SIMPSON(rho.data(), steps, h);
}

}  // namespace qalix
