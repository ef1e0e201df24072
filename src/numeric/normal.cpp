#include "numeric/normal.hpp"

#include <array>
#include <cmath>

#include "numeric/simpson.hpp"

namespace qalix {

double PNM(double x) {
    return std::exp(-x * x / 2.0) / kDensityDivisor;
}

double HNM(double x) {
    const float xr = static_cast<float>(x);
    if (kHnmLowerEnd >= xr) return 0.0;
    if (xr >= kHnmUpperEnd) return 1.0;
    const double lower = kHnmLowerEnd;
    const double h = (static_cast<double>(xr) - lower) / kHnmIntervals;
    std::array<double, kHnmIntervals + 1> f;
    double y = lower;
    for (double& v : f) {  // cumulative steps, as the program walks the grid
        v = PNM(y);
        y += h;
    }
    return SIMPSON(f.data(), kHnmIntervals, h);
}

double QNORM(double p) {
    double x = kQnormStart;
    int steps = 1;
    for (;;) {
        const double previous = x;
        x = x - (HNM(x) - p) / PNM(x);
        ++steps;
        if (steps > kQnormMaxSteps) break;
        if (std::abs(previous - x) <= kQnormTolerance) break;
    }
    return x;
}

double P(double x, double mu, double t) {
    const double dev = x - mu * t;
    return std::exp(-dev * dev / (2.0 * t)) / std::sqrt(2.0 * kDensityPi * t);
}

}  // namespace qalix
