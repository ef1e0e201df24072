#include "engine/calibration.hpp"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/crossing.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine/monotone_root.hpp"
#include "numeric/normal.hpp"

namespace qalix {

namespace {

// The level under H0: no drift.
constexpr double kNullDrift = 0.0;
// The bracket grows from the fixed-sample critical value in steps of a tenth of a unit of z.
constexpr double kBracketStep = 0.1;

void checkDesign(const char* what, double a, int K, const double* t) {
    const std::string name = what;
    if (!(std::isfinite(a) && a > 0.0))
        throw std::invalid_argument(name + ": the coefficient a must be a positive number");
    if (K < 1 || K > kMaxLooks)
        throw std::invalid_argument(name + ": " + std::to_string(K) + " looks, not 1.." +
                                    std::to_string(kMaxLooks));
    double previous = 0.0;
    for (int k = 0; k < K; ++k) {
        if (!(t[k] > previous && t[k] <= 1.0))
            throw std::invalid_argument(name + ": information time of look " +
                                        std::to_string(k + 1) +
                                        " is not above the one before and at most 1");
        previous = t[k];
    }
    if (t[K - 1] != 1.0)
        throw std::invalid_argument(name + ": the last look is not at information time 1");
}

void checkAlpha(const char* what, double alpha) {
    if (!(alpha > 0.0 && alpha < 0.5))
        throw std::invalid_argument(std::string(what) + ": alpha must lie in (0, 0.5)");
}

double solveCritical(const char* what, double alpha, const auto& level) {
    const auto within = [](double lo, double hi) { return hi - lo <= kCriticalTolerance; };
    // Both levels fall as z rises. The start is the program's own fixed-sample value.
    const std::optional<double> z = monotoneRoot([&](double x) { return level(x) - alpha; }, false,
                                                 QNORM(1.0 - alpha), kBracketStep, within);
    if (!z) throw std::runtime_error(std::string(what) + ": no critical value gives level alpha");
    return *z;
}

// P(S crosses an upper boundary at some look, theta = 0), the lower boundaries obeyed or not.
double levelOf(double a, double z, int K, const double* t, bool binding) {
    std::vector<CrossingLook> looks;
    for (int k = 0; k < K; ++k) {
        const double root = std::sqrt(t[k]);
        const double half = t[k] < 1.0 ? halfWidth(a, t[k]) : 0.0;
        const double lower =
            binding ? (z * t[k] - half) / root : -std::numeric_limits<double>::infinity();
        looks.push_back({t[k], lower, (z * t[k] + half) / root});
    }
    const CrossingProbabilities p = crossingProbabilities(looks, kNullDrift);
    double level = 0.0;
    for (const double up : p.upper)
        level += up;
    return level;
}

void checkCritical(const char* what, double z) {
    if (!std::isfinite(z)) throw std::invalid_argument(std::string(what) + ": z is not finite");
}

}  // namespace

double nonbindingLevel(double a, double z, int K, const double* t) {
    constexpr const char* kWhat = "non-binding level";
    checkDesign(kWhat, a, K, t);
    checkCritical(kWhat, z);
    return levelOf(a, z, K, t, false);
}

double bindingLevel(double a, double z, int K, const double* t) {
    constexpr const char* kWhat = "binding level";
    checkDesign(kWhat, a, K, t);
    checkCritical(kWhat, z);
    return levelOf(a, z, K, t, true);
}

double exactLevelCritical(double a, int K, const double* t, double alpha) {
    constexpr const char* kWhat = "exact-level critical value";
    checkDesign(kWhat, a, K, t);
    checkAlpha(kWhat, alpha);
    return solveCritical(kWhat, alpha, [&](double z) { return levelOf(a, z, K, t, true); });
}

double exactNonbindingCritical(double a, int K, const double* t, double alpha) {
    constexpr const char* kWhat = "exact non-binding critical value";
    checkDesign(kWhat, a, K, t);
    checkAlpha(kWhat, alpha);
    return solveCritical(kWhat, alpha, [&](double z) { return nonbindingLevel(a, z, K, t); });
}

}  // namespace qalix
