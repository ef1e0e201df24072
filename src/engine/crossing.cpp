#include "engine/crossing.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/vector_exp.hpp"

namespace qalix {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kInverseSqrt2 = 1.0 / std::numbers::sqrt2;
constexpr double kInverseSqrt2Pi = std::numbers::inv_sqrtpi * kInverseSqrt2;
// Simpson's rule on an interval of width h halved: weights h/6, 4h/6, h/6.
constexpr double kSimpsonEnd = 1.0 / 6.0;
constexpr double kSimpsonMiddle = 4.0 / 6.0;
// The halved grid's spacing across +-3 sd is kCrossingCoreSd*sd/(kCoreIntervalsPerR*r).
constexpr double kCoreIntervalsPerR = 4.0;

// Pr(N(0,1) >= x) and Pr(N(0,1) <= x), each accurate in its own tail.
double upperTail(double x) {
    return 0.5 * std::erfc(x * kInverseSqrt2);
}
double lowerTail(double x) {
    return 0.5 * std::erfc(-x * kInverseSqrt2);
}

// Pr(x1 <= N(0,1) <= x2) for x1 <= x2, from the tails on the side away from the mean, so that
// a small mass is not the difference of two numbers near 1.
double normalMass(double x1, double x2) {
    if (x1 >= 0.0) return upperTail(x1) - upperTail(x2);
    if (x2 <= 0.0) return lowerTail(x2) - lowerTail(x1);
    return 1.0 - lowerTail(x1) - upperTail(x2);
}

// The grid parameter of a look whose density is carried a step of standard deviation stepSd,
// when the score's own standard deviation there is sd: kCrossingGridR, or finer where the step
// would otherwise span fewer than kCrossingKernelIntervals grid intervals. May exceed
// kMaxCrossingGridR: the public functions refuse such looks.
double requiredGridR(double sd, double stepSd) {
    const double r =
        kCrossingCoreSd * kCrossingKernelIntervals * sd / (kCoreIntervalsPerR * stepSd);
    return std::max(static_cast<double>(kCrossingGridR), std::ceil(r));
}

// Jennison and Turnbull's 6r - 1 standard points in units of standard deviations from the
// mean: -3 - 4 log(r/i) for i < r, evenly from -3 to 3 for i = r..5r, 3 + 4 log(r/(6r - i))
// beyond.
std::vector<double> standardPoints(int r) {
    std::vector<double> x(static_cast<std::size_t>(6 * r - 1));
    const double rd = r;
    for (int i = 1; i < r; ++i)
        x[i - 1] = -kCrossingCoreSd - kCrossingTailSlope * std::log(rd / i);
    for (int i = r; i <= 5 * r; ++i)
        x[i - 1] = -kCrossingCoreSd + kCrossingCoreSd * (i - r) / (2.0 * rd);
    for (int i = 5 * r + 1; i < 6 * r; ++i)
        x[i - 1] = kCrossingCoreSd + kCrossingTailSlope * std::log(rd / (6 * r - i));
    return x;
}

// The score's sub-density carried to a look: points u with weighted values h (the density of
// paths that continued at every earlier look, times the point's Simpson weight). Before the
// first look it is the start itself, one point of mass 1.
struct Carried {
    double information = 0.0;
    std::vector<double> u;
    std::vector<double> h;
    int size() const { return static_cast<int>(u.size()); }
};

// The grid of one look on the score scale with its Simpson weights.
struct Grid {
    std::vector<double> s;
    std::vector<double> w;
    int size() const { return static_cast<int>(s.size()); }
};

// The standard points of parameter r about the unconditional mean with standard deviation sd,
// trimmed to (lo, hi): the points beyond a boundary give way to one point on it. Trimming
// replaces at least one standard point by each boundary it adds, so at most 6r - 1 remain.
// Then each interval is halved. A grid of fewer than two points carries no mass.
Grid trimmedGrid(double mean, double sd, double lo, double hi, int r) {
    const std::vector<double> x = standardPoints(r);
    std::vector<double> z;
    z.reserve(x.size());
    if (lo > mean + sd * x.front()) z.push_back(lo);
    for (const double xi : x) {
        const double v = mean + sd * xi;
        if (v > lo && v < hi) z.push_back(v);
    }
    if (hi < mean + sd * x.back()) z.push_back(hi);
    Grid g;
    const std::size_t m = z.size();
    if (m < 2) return g;
    g.s.assign(2 * m - 1, 0.0);
    g.w.assign(2 * m - 1, 0.0);
    for (std::size_t i = 0; i + 1 < m; ++i) {
        const double width = z[i + 1] - z[i];
        g.s[2 * i] = z[i];
        g.s[2 * i + 1] = 0.5 * (z[i] + z[i + 1]);
        g.w[2 * i] += kSimpsonEnd * width;
        g.w[2 * i + 1] = kSimpsonMiddle * width;
        g.w[2 * i + 2] = kSimpsonEnd * width;
    }
    g.s[2 * m - 2] = z[m - 1];
    return g;
}

// f[j] = sum over i of h[i] * exp(-(s[j] - u[i] - shift)^2 * halfPrecision) / root, j < m:
// the carried density at the points of the next look. The next look's points run across the
// vector lanes, so no sum is reassociated. Checks nothing: callers pass sizes within the
// arrays and root > 0.
QALIX_VECTOR_KERNEL
void carryDensity(const double* u, const double* h, int n, double shift, double halfPrecision,
                  double root, const double* s, int m, double* f, double expFloor) {
    for (int j = 0; j < m; ++j)
        f[j] = 0.0;
    for (int i = 0; i < n; ++i) {
        if (h[i] == 0.0) continue;
        const double from = u[i] + shift;
        const double weight = h[i] / root;
        for (int j = 0; j < m; ++j) {
            const double dev = s[j] - from;
            f[j] += weight * kernelExp(-dev * dev * halfPrecision, expFloor);
        }
    }
}

// The step of the score from the carried points to a look at information I: mean shift
// theta*(I - I_prev), standard deviation sqrt(I - I_prev).
struct Step {
    double shift;
    double sd;
};

// Pr(continue before, S_k >= b) and Pr(continue before, S_k <= b) from the carried density.
double massAbove(const Carried& c, const Step& st, double b) {
    if (b == kInfinity) return 0.0;
    double sum = 0.0;
    for (int i = 0; i < c.size(); ++i)
        sum += c.h[i] * upperTail((b - c.u[i] - st.shift) / st.sd);
    return sum;
}
double massBelow(const Carried& c, const Step& st, double b) {
    if (b == -kInfinity) return 0.0;
    double sum = 0.0;
    for (int i = 0; i < c.size(); ++i)
        sum += c.h[i] * lowerTail((b - c.u[i] - st.shift) / st.sd);
    return sum;
}
double massBetween(const Carried& c, const Step& st, double lo, double hi) {
    double sum = 0.0;
    for (int i = 0; i < c.size(); ++i) {
        const double from = c.u[i] + st.shift;
        sum += c.h[i] * normalMass((lo - from) / st.sd, (hi - from) / st.sd);
    }
    return sum;
}

// The walk over the looks on the score scale. Checks nothing: the public functions have.
class Walk {
  public:
    Walk(double theta, CrossingStart start) : theta_(theta), start_(start) {
        carried_.information = start.information;
        carried_.u = {start.score};
        carried_.h = {1.0};
    }

    Step stepTo(double information) const {
        const double span = information - carried_.information;
        return {theta_ * span, std::sqrt(span)};
    }
    const Carried& carried() const { return carried_; }

    // Carries the density through the continuation region of a look, onto a grid fine enough
    // for the step to the next look, at nextInformation.
    void pass(const CrossingLook& look, double nextInformation) {
        const double root = std::sqrt(look.information);
        const double span = look.information - start_.information;
        const double sd = std::sqrt(span);
        const int r =
            static_cast<int>(requiredGridR(sd, std::sqrt(nextInformation - look.information)));
        const Grid grid =
            trimmedGrid(start_.score + theta_ * span, sd, look.lower * root, look.upper * root, r);
        const Step st = stepTo(look.information);
        const double halfPrecision = 0.5 / (st.sd * st.sd);
        const double densityRoot = st.sd / kInverseSqrt2Pi;
        std::vector<double> f(grid.s.size());
        carryDensity(carried_.u.data(), carried_.h.data(), carried_.size(), st.shift, halfPrecision,
                     densityRoot, grid.s.data(), grid.size(), f.data(), kExpFloor);
        carried_.information = look.information;
        carried_.u = grid.s;
        for (std::size_t j = 0; j < f.size(); ++j)
            f[j] *= grid.w[j];
        carried_.h = std::move(f);
    }

  private:
    double theta_;
    CrossingStart start_;
    Carried carried_;
};

std::string lookName(std::size_t k) {
    return "look " + std::to_string(k + 1);
}

[[noreturn]] void refuse(const std::string& what) {
    throw std::invalid_argument("crossing probabilities: " + what);
}

std::string number(double v) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << v;
    return os.str();
}

void checkInputs(std::span<const CrossingLook> looks, double theta, CrossingStart start) {
    if (looks.empty()) refuse("no looks");
    if (looks.size() > static_cast<std::size_t>(kMaxCrossingLooks))
        refuse(std::to_string(looks.size()) + " looks, more than " +
               std::to_string(kMaxCrossingLooks));
    if (!std::isfinite(theta)) refuse("the drift theta is " + number(theta));
    if (!(std::isfinite(start.information) && start.information >= 0.0))
        refuse("the start's information " + number(start.information) +
               " is not a finite number >= 0");
    if (!std::isfinite(start.score)) refuse("the start's score is " + number(start.score));
    double previous = start.information;
    for (std::size_t k = 0; k < looks.size(); ++k) {
        const CrossingLook& l = looks[k];
        const std::string before = k == 0 ? "the start's " : lookName(k - 1) + "'s ";
        if (!std::isfinite(l.information))
            refuse(lookName(k) + ": information " + number(l.information));
        if (!(l.information > previous))
            refuse(lookName(k) + ": information " + number(l.information) + " does not exceed " +
                   before + number(previous));
        if (k > 0 && requiredGridR(std::sqrt(previous - start.information),
                                   std::sqrt(l.information - previous)) > kMaxCrossingGridR)
            refuse(lookName(k) + ": information " + number(l.information) + " too close to " +
                   before + number(previous) + " for the grid to resolve the step");
        if (std::isnan(l.lower) || std::isnan(l.upper))
            refuse(lookName(k) + ": a boundary is not a number");
        if (l.lower > l.upper)
            refuse(lookName(k) + ": lower boundary " + number(l.lower) + " above upper " +
                   number(l.upper));
        if (l.lower == kInfinity) refuse(lookName(k) + ": lower boundary +infinity");
        if (l.upper == -kInfinity) refuse(lookName(k) + ": upper boundary -infinity");
        previous = l.information;
    }
}

}  // namespace

CrossingProbabilities crossingProbabilities(std::span<const CrossingLook> looks, double theta,
                                            CrossingStart start) {
    checkInputs(looks, theta, start);
    CrossingProbabilities p;
    p.upper.reserve(looks.size());
    p.lower.reserve(looks.size());
    Walk walk(theta, start);
    for (std::size_t k = 0; k < looks.size(); ++k) {
        const CrossingLook& look = looks[k];
        const double root = std::sqrt(look.information);
        const Step st = walk.stepTo(look.information);
        p.upper.push_back(massAbove(walk.carried(), st, look.upper * root));
        p.lower.push_back(massBelow(walk.carried(), st, look.lower * root));
        if (k + 1 < looks.size()) walk.pass(look, looks[k + 1].information);
    }
    return p;
}

double probabilityEndingIn(std::span<const CrossingLook> looks, double theta, double lo, double hi,
                           CrossingStart start) {
    checkInputs(looks, theta, start);
    if (std::isnan(lo) || std::isnan(hi) || lo > hi)
        refuse("the interval [" + number(lo) + ", " + number(hi) + "] at the last look");
    Walk walk(theta, start);
    for (std::size_t k = 0; k + 1 < looks.size(); ++k)
        walk.pass(looks[k], looks[k + 1].information);
    const double information = looks.back().information;
    const double root = std::sqrt(information);
    return massBetween(walk.carried(), walk.stepTo(information), lo * root, hi * root);
}

}  // namespace qalix
