// Grid toolkit: vector operations, look-by-grid rows, density vectors, the bridge density and
// the tail probability of the first look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {
namespace {

constexpr double kPi = 3.141593;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A density normalised with pi = 3.141593 integrates to sqrt(pi / 3.141593) = 1 - 5.5e-8.
const double kPiMass = std::sqrt(std::numbers::pi / kPi);

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}
double phi(double x) {
    return std::exp(-x * x / 2.0) / std::sqrt(2.0 * std::numbers::pi);
}
double phi3(double x) {
    return (3.0 * x - x * x * x) * phi(x);
}

// Output buffers are filled with NaN and one slot past n is kept as a guard.
std::vector<double> guarded(int n) {
    return std::vector<double>(static_cast<size_t>(n) + 2, kNaN);
}

// ---------------------------------------------------------------------------------------------
// GridOps

TEST(GridOps, ProductIsElementwiseOverAllPoints) {
    // Reference: products of small integers, exact; the slot after n stays untouched.
    const std::vector<double> a = {1.0, 2.0, 3.0, 4.0, 5.0};
    const std::vector<double> b = {-2.0, 0.5, 7.0, 0.0, 3.0};
    auto c = guarded(4);
    PRODMT(a.data(), b.data(), c.data(), 4);
    EXPECT_EQ(c[0], -2.0);
    EXPECT_EQ(c[1], 1.0);
    EXPECT_EQ(c[2], 21.0);
    EXPECT_EQ(c[3], 0.0);
    EXPECT_EQ(c[4], 15.0);
    EXPECT_TRUE(std::isnan(c[5]));
}

TEST(GridOps, ProductMayOverwriteAnInput) {
    // Reference: the engine multiplies a vector into itself; squares of 1.5, -2, 3, exact.
    std::vector<double> a = {1.5, -2.0, 3.0};
    PRODMT(a.data(), a.data(), a.data(), 2);
    EXPECT_EQ(a, (std::vector<double>{2.25, 4.0, 9.0}));
}

TEST(GridOps, CopyCoversPointsZeroToN) {
    // Reference: the input itself; the slot after n stays untouched.
    const std::vector<double> a = {0.1, -0.2, 0.3, 1e-300, 7.0, -0.0, 9.5};
    auto b = guarded(6);
    V2V(a.data(), b.data(), 6);
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(b[i], a[i]) << "i = " << i;
    EXPECT_TRUE(std::isnan(b[7]));
}

TEST(GridOps, RowOfALookByGridMatrix) {
    // Reference: with K = 3 looks element (k, i) is at offset (k - 1) + 3i; the storage holds
    // its own offset, so look 2 reads 1, 4, 7, 10, 13.
    constexpr int kLooks = 3;
    constexpr int n = 4;
    std::vector<double> m(kLooks * (n + 1));
    for (size_t j = 0; j < m.size(); ++j)
        m[j] = static_cast<double>(j);

    auto v = guarded(n);
    MT2TO1(m.data(), v.data(), kLooks, n, 2);
    EXPECT_EQ(std::vector<double>(v.begin(), v.begin() + n + 1),
              (std::vector<double>{1.0, 4.0, 7.0, 10.0, 13.0}));
    EXPECT_TRUE(std::isnan(v[n + 1]));

    MT2TO1(m.data(), v.data(), kLooks, n, 1);
    EXPECT_EQ(std::vector<double>(v.begin(), v.begin() + n + 1),
              (std::vector<double>{0.0, 3.0, 6.0, 9.0, 12.0}));
    MT2TO1(m.data(), v.data(), kLooks, n, 3);
    EXPECT_EQ(std::vector<double>(v.begin(), v.begin() + n + 1),
              (std::vector<double>{2.0, 5.0, 8.0, 11.0, 14.0}));
}

TEST(GridOps, RowOfASixteenLookMatrix) {
    // Reference: offsets (k - 1) + 16i for look 16 of 16: 15, 31, 47.
    std::vector<double> m(16 * 3);
    for (size_t j = 0; j < m.size(); ++j)
        m[j] = static_cast<double>(j);
    auto v = guarded(2);
    MT2TO1(m.data(), v.data(), 16, 2, 16);
    EXPECT_EQ(v[0], 15.0);
    EXPECT_EQ(v[1], 31.0);
    EXPECT_EQ(v[2], 47.0);
}

// Counts the grid indices at which f of the cumulatively added point differs from f of
// x0 + i*h, so that a test can show its grid tells the two apart.
template <typename F>
int pointsWhereCumulativeDiffers(double x0, double h, int n, F f) {
    int count = 0;
    double x = x0;
    for (int i = 0; i <= n; ++i) {
        if (f(x) != f(x0 + i * h)) ++count;
        x += h;
    }
    return count;
}

TEST(GridOps, DensityVectorUsesDirectGridPoints) {
    // Reference: direct calls P(x0 + i*h, mu, t); exact equality, since the same point must
    // give the same value.
    struct Grid {
        double x0, h, mu, t;
    };
    for (const Grid g : {Grid{-2.3, 0.023, 0.7, 0.45}, Grid{1.7, -0.0171, -0.4, 0.333},
                         Grid{-8.123, 0.0813, 1.9, 1.0}}) {
        constexpr int n = 200;
        auto v = guarded(n);
        P2MT(g.x0, v.data(), n, g.h, g.mu, g.t);
        for (int i = 0; i <= n; ++i) {
            EXPECT_EQ(v[i], P(g.x0 + i * g.h, g.mu, g.t)) << "x0 = " << g.x0 << ", i = " << i;
        }
        EXPECT_TRUE(std::isnan(v[n + 1]));
        ASSERT_GT(
            pointsWhereCumulativeDiffers(g.x0, g.h, n, [&](double x) { return P(x, g.mu, g.t); }),
            0)
            << "grid cannot tell cumulative from direct points";
    }
}

TEST(GridOps, BridgeDensityVectorUsesDirectGridPoints) {
    // Reference: direct calls QCOND(x0 + i*h, y, s, t); exact equality.
    struct Grid {
        double x0, h, y, s, t;
    };
    for (const Grid g : {Grid{-2.3, 0.023, 0.8, 0.3, 0.7}, Grid{3.1, -0.031, -1.2, 0.24, 0.48},
                         Grid{-5.05, 0.0505, 2.5, 0.667, 1.0}}) {
        constexpr int n = 200;
        auto v = guarded(n);
        QCOND2MT(v.data(), n, g.x0, g.h, g.y, g.s, g.t);
        for (int i = 0; i <= n; ++i) {
            EXPECT_EQ(v[i], QCOND(g.x0 + i * g.h, g.y, g.s, g.t))
                << "x0 = " << g.x0 << ", i = " << i;
        }
        EXPECT_TRUE(std::isnan(v[n + 1]));
        ASSERT_GT(pointsWhereCumulativeDiffers(g.x0, g.h, n,
                                               [&](double x) { return QCOND(x, g.y, g.s, g.t); }),
                  0)
            << "grid cannot tell cumulative from direct points";
    }
}

TEST(GridOps, BridgeDensityIsSymmetricWhenEndValueIsZero) {
    // Reference: given 0 at time t the bridge at s has mean 0, so the density is even in x;
    // x and -x give the same square, hence exact equality.
    for (const double s : {0.1, 0.5, 0.9}) {
        for (const double t : {1.0, 1.7}) {
            for (double x = 0.0; x <= 3.0; x += 0.3) {
                EXPECT_EQ(QCOND(x, 0.0, s, t), QCOND(-x, 0.0, s, t))
                    << "x = " << x << ", s = " << s << ", t = " << t;
            }
        }
    }
}

TEST(GridOps, BridgeAtHalfTimeIsNormalWithMeanHalfYAndVarianceQuarter) {
    // Reference: closed form exp(-(x - y/2)^2 / (2 * 0.25)) / sqrt(2 * 3.141593 * 0.25);
    // relative tolerance 1e-14 (a few roundings of the same expression).
    for (const double y : {-2.2, 0.0, 1.3}) {
        for (double x = -3.0; x <= 3.0; x += 0.25) {
            const double d = x - y / 2.0;
            const double expected = std::exp(-d * d / 0.5) / std::sqrt(2.0 * kPi * 0.25);
            EXPECT_NEAR(QCOND(x, y, 0.5, 1.0), expected, 1e-14 * expected)
                << "x = " << x << ", y = " << y;
        }
    }
}

TEST(GridOps, BridgeHasMeanYsOverTAndVarianceSTimesOneMinusSOverT) {
    // Reference: Brownian bridge law N(y*s/t, s*(1 - s/t)) written with pi = 3.141593;
    // relative tolerance 1e-13 (exponents up to about 20, evaluated in a different order).
    for (const double s : {0.24, 0.48, 0.72}) {
        const double t = 0.96;
        const double y = 1.7;
        const double mean = y * s / t;
        const double var = s * (1.0 - s / t);
        for (double x = -2.0; x <= 3.0; x += 0.25) {
            const double expected =
                std::exp(-(x - mean) * (x - mean) / (2.0 * var)) / std::sqrt(2.0 * kPi * var);
            EXPECT_NEAR(QCOND(x, y, s, t), expected, 1e-13 * expected)
                << "x = " << x << ", s = " << s;
        }
    }
}

TEST(GridOps, BridgeDensityIntegratesToOneWithVarianceQuarter) {
    // Reference: mass sqrt(pi / 3.141593) = 1 - 5.5e-8 (the density's pi) and second central
    // moment 0.25 times that. Grid: mean +- 8 sd in 200 steps of 0.04 (0.08 sd), where the
    // Simpson error of a Gaussian is below 1e-13 and the mass outside is 1.2e-15; tolerance
    // 1e-12. The mass is 1 to within 1e-7 as well.
    for (const double y : {-2.2, 0.0, 1.3}) {
        constexpr int n = 200;
        const double x0 = y / 2.0 - 4.0;
        const double h = 8.0 / n;
        std::vector<double> q(n + 1);
        QCOND2MT(q.data(), n, x0, h, y, 0.5, 1.0);
        std::vector<double> q2(n + 1);
        for (int i = 0; i <= n; ++i) {
            const double d = x0 + i * h - y / 2.0;
            q2[i] = d * d * q[i];
        }
        const double mass = SIMPSON(q.data(), n, h);
        EXPECT_NEAR(mass, kPiMass, 1e-12) << "y = " << y;
        EXPECT_NEAR(mass, 1.0, 1e-7) << "y = " << y;
        EXPECT_NEAR(SIMPSON(q2.data(), n, h), 0.25 * kPiMass, 1e-12) << "y = " << y;
    }
}

// ---------------------------------------------------------------------------------------------
// TailProbability

TEST(TailProbability, ZeroBeyondTheFiveSdWindow) {
    // Reference: nothing is integrated outside mean +- 5 sd, so exact 0.
    EXPECT_EQ(PTAIL(5.0, 0.0, 1.0), 0.0);  // b at mu*t + 5 sd
    EXPECT_EQ(PTAIL(5.0001, 0.0, 1.0), 0.0);
    EXPECT_EQ(PTAIL(-5.0, 0.0, 1.0), 0.0);  // b at mu*t - 5 sd
    EXPECT_EQ(PTAIL(-6.0, 0.0, 1.0), 0.0);
    EXPECT_EQ(PTAIL(12.0, 2.0, 2.0), 0.0);  // mean 4, sd 1.41: upper end 11.07
    EXPECT_EQ(PTAIL(-3.1, 2.0, 2.0), 0.0);  // lower end -3.07
}

TEST(TailProbability, WindowEndIsTheCutOff) {
    // Reference: the window ends mu*t +- 5*sqrt(t) computed as the program writes them; at the
    // end exact 0, one ulp inside a positive sliver.
    const double mu = 1.5;
    const double t = 0.64;
    const double hi = mu * t + 5.0 * std::sqrt(t);
    EXPECT_EQ(PTAIL(hi, mu, t), 0.0);
    EXPECT_GT(PTAIL(std::nextafter(hi, 0.0), mu, t), 0.0);

    const double lo = mu * t - 5.0 * std::sqrt(t);
    ASSERT_LT(lo, 0.0);
    EXPECT_EQ(PTAIL(lo, mu, t), 0.0);
    EXPECT_GT(PTAIL(std::nextafter(lo, 0.0), mu, t), 0.0);
}

TEST(TailProbability, EightIsOutsideTheWindowAtZeroDrift) {
    // Reference: 8 > 0 + 5 sd, and -8 < 0 - 5 sd: exact 0 on both sides.
    EXPECT_EQ(PTAIL(8.0, 0.0, 1.0), 0.0);
    EXPECT_EQ(PTAIL(-8.0, 0.0, 1.0), 0.0);
}

TEST(TailProbability, UpperTailOfDriftTen) {
    // Reference: Pr(N(10, 1) > 8) = Phi(2) = 0.97725. Tolerance: the window drops the mass
    // above 15, Phi(-5) = 2.9e-7; pi = 3.141593 takes off 5.5e-8; Simpson on steps of 0.07
    // errs by about 1.4e-8. 4e-7 covers the sum.
    EXPECT_NEAR(PTAIL(8.0, 10.0, 1.0), Phi(2.0), 4e-7);
    EXPECT_NEAR(PTAIL(8.0, 10.0, 1.0), 0.977, 3e-4);
}

TEST(TailProbability, LowerTailIsTheMirrorImage) {
    // Reference: PTAIL(b, mu, t) for (-b, -mu, t): the downward walk from -b negates each
    // point of the upward walk from b exactly, so the two results are identical.
    EXPECT_EQ(PTAIL(-8.0, -10.0, 1.0), PTAIL(8.0, 10.0, 1.0));
    EXPECT_EQ(PTAIL(-8.5, -9.0, 1.44), PTAIL(8.5, 9.0, 1.44));
    EXPECT_EQ(PTAIL(-0.3, -0.1, 0.25), PTAIL(0.3, 0.1, 0.25));
    EXPECT_EQ(PTAIL(-8.0, -20.0, 1.0), PTAIL(8.0, 20.0, 1.0));
}

TEST(TailProbability, UpperTailWalksItsGridByRepeatedAddition) {
    // Reference: the computation put together from P and SIMPSON: from lo = max(b, mean - 5 sd) up
    // to mean + 5 sd by repeated addition of h = (hi - lo) / 100. Exact, since the same
    // roundings happen in the same order; points lo + i*h change some of these results.
    struct Case {
        double b, mu, t;
    };
    for (const Case c :
         {Case{8.0, 10.0, 1.0}, Case{8.5, 9.0, 1.44}, Case{0.3, 0.1, 0.25}, Case{8.1, 3.3, 2.7}}) {
        const double sd = std::sqrt(c.t);
        const double hi = c.mu * c.t + 5.0 * sd;
        const double lo = std::max(c.b, c.mu * c.t - 5.0 * sd);
        const double h = (hi - lo) / 100.0;
        std::vector<double> f(101);
        double x = lo;
        for (double& v : f) {
            v = P(x, c.mu, c.t);
            x += h;
        }
        EXPECT_EQ(PTAIL(c.b, c.mu, c.t), SIMPSON(f.data(), 100, h))
            << "b = " << c.b << ", mu = " << c.mu << ", t = " << c.t;
    }
}

TEST(TailProbability, AgreesWithErfcOverTheWindow) {
    // Reference: (Phi(zHigh) - Phi(zLow)) * sqrt(pi / 3.141593), the exact mass of the
    // window [max(b, mean - 5 sd), mean + 5 sd] for b > 0, [mean - 5 sd, min(b, mean + 5 sd)]
    // for b < 0, in standard units. Tolerance: the leading Simpson error term
    // h^4/180 * |phi'''(zHigh) - phi'''(zLow)| on the 100 steps, doubled, plus 1e-14.
    struct Case {
        double b, mu, t;
    };
    for (const Case c : {Case{8.0, 10.0, 1.0}, Case{-8.0, -10.0, 1.0}, Case{8.5, 9.0, 1.44},
                         Case{8.0, 20.0, 1.0}, Case{-8.2, -7.0, 2.25}, Case{8.0, 9.0, 1.0},
                         Case{0.3, 0.1, 0.25}, Case{-0.4, 0.3, 0.5}}) {
        const double mean = c.mu * c.t;
        const double sd = std::sqrt(c.t);
        const double zb = (c.b - mean) / sd;
        const double zLow = c.b > 0.0 ? std::max(zb, -5.0) : -5.0;
        const double zHigh = c.b > 0.0 ? 5.0 : std::min(zb, 5.0);
        const double expected = (Phi(zHigh) - Phi(zLow)) * kPiMass;
        const double h = (zHigh - zLow) / 100.0;
        const double tol = 2.0 * h * h * h * h / 180.0 * std::abs(phi3(zHigh) - phi3(zLow)) + 1e-14;
        EXPECT_NEAR(PTAIL(c.b, c.mu, c.t), expected, tol)
            << "b = " << c.b << ", mu = " << c.mu << ", t = " << c.t;
    }
}

TEST(TailProbability, WindowClampsAFarAwayLevel) {
    // Reference: with b = 8 far below mean 20 - 5 sd the window is [15, 25], so the result is
    // Phi(5) - Phi(-5) = 1 - 5.7e-7 (times the pi factor), not 1; tolerance 1e-9 (Simpson on
    // steps of 0.1 sd errs by 2e-10).
    EXPECT_NEAR(PTAIL(8.0, 20.0, 1.0), (Phi(5.0) - Phi(-5.0)) * kPiMass, 1e-9);
    EXPECT_LT(PTAIL(8.0, 20.0, 1.0), 1.0 - 5e-7);
}

}  // namespace
}  // namespace qalix
