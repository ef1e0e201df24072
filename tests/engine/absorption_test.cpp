#include "engine/absorption.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine_test_support.hpp"
#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {
namespace {

using namespace qalix::testing;

// One-sided critical value for alpha = 0.05, which the program keeps in single precision.
float criticalValue() {
    return static_cast<float>(QNORM(1.0 - static_cast<double>(0.05f)));
}

struct Design {
    double a;
    std::vector<double> t;
    ContinuationTable T;
    int K() const { return static_cast<int>(t.size()); }
    Absorption at(double delta) const { return ABSORPROB(a, delta, T.data(), kN, K(), t.data()); }
};

Design design(double a, std::vector<double> t) {
    Design d{a, std::move(t), {}};
    LATN(d.a, d.T.data(), kN, d.K(), d.t.data());
    return d;
}

// Within half a unit of the fourth decimal: the value is shown as quoted.
constexpr double kFourDecimals = 5e-5;

TEST(Absorption, ActualLevelAndPowerMatchWorkedValues) {
    const double z = criticalValue();
    const double thetaA = QNORM(0.8) + z;  // Brownian design with power 0.8
    const Design four = design(2.953, shownTimes(4));
    EXPECT_NEAR(four.at(0.0 - z).up, 0.0509, kFourDecimals);
    EXPECT_NEAR(four.at(thetaA - z).up, 0.7989, kFourDecimals);
    const Design two = design(2.109, shownTimes(2));
    EXPECT_NEAR(two.at(0.0 - z).up, 0.0508, kFourDecimals);
    EXPECT_NEAR(two.at(thetaA - z).up, 0.7990, kFourDecimals);
}

TEST(Absorption, ExpectedInformationTimeMatchesWorkedValues) {
    const double z = criticalValue();
    const Design four = design(2.953, shownTimes(4));
    EXPECT_NEAR(four.at(0.0 - z).expectedTime, 0.745, 5e-4);
    EXPECT_NEAR(four.at(QNORM(0.8)).expectedTime, 0.856, 5e-4);
}

TEST(Absorption, RejectionAndAcceptanceSumToOne) {
    // The last look always stops. Tolerance: the pi constant (5.5e-8 relative) and Simpson's
    // error where the integrands meet the boundaries, together a few 1e-7.
    for (const Design& d : {design(2.953, shownTimes(4)), design(2.109, shownTimes(2)),
                            design(3.0, {0.2, 0.45, 0.8, 1.0})}) {
        for (double delta : {-8.0, -3.0, -1.645, 0.0, 0.84, 3.0, 8.0}) {
            const Absorption r = d.at(delta);
            EXPECT_NEAR(r.up + r.low, 1.0, 1e-6) << delta;
            EXPECT_GE(r.expectedTime, d.t[0] * (r.up + r.low) - 1e-12);
            EXPECT_LE(r.expectedTime, r.up + r.low + 1e-12);
        }
    }
}

TEST(Absorption, ExtremeDriftStopsAtTheFirstLookBeyondTheGrid) {
    // Reference: with drift 50 (K = 4, t_1 = 0.24) or 20 (K = 2, t_1 = 0.5) X_{t_1} lies
    // almost surely beyond the outer limit U = sqrt(a/2) + 8, so the test stops at the first
    // look: expected time t_1, where it once came out as 0 (or 0.2078 for K = 2). Tolerance:
    // the 5-sd window of the tail integral misses 5.7e-7 of the mass.
    for (const auto& [d, delta] : {std::pair{design(2.946, {0.24, 0.48, 0.72, 1.0}), 50.0},
                                   std::pair{design(2.109, shownTimes(2)), 20.0},
                                   std::pair{design(2.109, shownTimes(2)), -50.0}}) {
        const Absorption r = d.at(delta);
        EXPECT_NEAR(r.expectedTime, d.t[0], 1e-6) << delta;
        EXPECT_NEAR(r.up + r.low, 1.0, 1e-6) << delta;
    }
}

TEST(Absorption, StoppingProbabilitiesAddToOneWhereTheGridsHoldTheDrift) {
    // Reference: every path stops by the last look. Inside the grids the total is 1 within
    // a few 1e-7; a drift too large for them (the centred mean overflows) stops nothing.
    const Design d = design(2.953, shownTimes(4));
    for (double delta : {-1e3, -30.0, 0.0, 2.5, 50.0, 1e6}) {
        const StoppingMasses m = stoppingMasses(d.a, delta, d.T.data(), kN, d.K(), d.t.data());
        EXPECT_NEAR(stoppingTotal(m, d.K()), 1.0, 1e-6) << delta;
        EXPECT_TRUE(stopsSurely(m, d.K())) << delta;
    }
    for (double delta : {1e200, 1e308, -1e308}) {
        const StoppingMasses m = stoppingMasses(d.a, delta, d.T.data(), kN, d.K(), d.t.data());
        EXPECT_FALSE(stopsSurely(m, d.K())) << delta;
    }
    // A first look at 0.02 loses mass at later looks when the drift carries the paths past
    // the outer limit before them: 1.6e-1 of it at theta = 20.
    const Design early = design(2.692, {0.02, 0.5, 1.0});
    const StoppingMasses lost = stoppingMasses(early.a, 20.0 - criticalValue(), early.T.data(), kN,
                                               early.K(), early.t.data());
    EXPECT_FALSE(stopsSurely(lost, early.K()));
}

TEST(Absorption, NoDriftSplitsEvenly) {
    // Mirror-image grids and densities: the two sides agree to rounding.
    for (const Design& d : {design(2.953, shownTimes(4)), design(3.0, {0.2, 0.45, 0.8, 1.0})}) {
        const Absorption r = d.at(0.0);
        EXPECT_NEAR(r.up, r.low, 1e-15);
        EXPECT_NEAR(r.up, 0.5, 1e-6);
    }
}

TEST(Absorption, OneLookIsTheFixedSampleTest) {
    // K = 1 rejects when X_1 >= 0: Pr = Phi(delta). Tolerance: pi constant, 5.5e-8 relative.
    const Design d = design(2.0, {1.0});
    for (double delta : {-1.0, 0.0, 0.5, 2.0}) {
        const Absorption r = d.at(delta);
        EXPECT_NEAR(r.up, exactPhi(delta), 1e-7) << delta;
        EXPECT_NEAR(r.low, exactPhi(-delta), 1e-7) << delta;
        EXPECT_NEAR(r.expectedTime, 1.0, 1e-7) << delta;
    }
}

// Two looks at 0.5 and 1: Pr(X_.5 >= c) + integral over |x| < c of the density of X_.5 times
// Pr(X_1 >= 0 | X_.5 = x), by a fine Simpson rule with the exact normal functions.
double twoLookRejection(double a, double delta) {
    const double c = halfWidth(a, 0.5);
    const double sd = std::sqrt(0.5);
    const double mean = delta * 0.5;
    constexpr int kFine = 4000;
    const double h = 2.0 * c / kFine;
    double sum = 0.0;
    for (int i = 0; i <= kFine; ++i) {
        const double x = -c + i * h;
        const double weight = (i == 0 || i == kFine) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        const double density = std::exp(-(x - mean) * (x - mean) / (2.0 * 0.5)) /
                               std::sqrt(2.0 * std::numbers::pi * 0.5);
        sum += weight * density * exactPhi((x + mean) / sd);
    }
    return exactPhi((mean - c) / sd) + sum * h / 3.0;
}

TEST(Absorption, TwoLooksMatchTheBivariateIntegral) {
    // Tolerance: the pi constant and the Simpson errors of the table and the outer grid.
    const Design d = design(2.109, {0.5, 1.0});
    for (double delta : {-2.5, -1.0, 0.0, 0.7, 2.2}) {
        EXPECT_NEAR(d.at(delta).up, twoLookRejection(d.a, delta), 1e-6) << delta;
    }
}

TEST(Absorption, RejectionGrowsWithTheDrift) {
    const Design d = design(3.595, shownTimes(4));
    double previous = 0.0;
    for (double delta = -4.0; delta <= 4.0; delta += 0.5) {
        const double up = d.at(delta).up;
        EXPECT_GT(up, previous) << delta;
        previous = up;
    }
}

// Straightforward stopping masses from the grid toolkit, for the vectorised kernel to match.
StoppingMasses referenceMasses(double a, double delta, const double* T, int K, const double* t) {
    StoppingMasses m;
    const double U = outerLimit(a);
    std::array<double, kOuterCapacity> f;
    std::array<double, kOuterCapacity> g;
    std::array<double, kOuterCapacity> p;
    for (int k = 1; k <= K; ++k) {
        const double c = halfWidth(a, t[k - 1]);
        const double d = (U - c) / kN;
        MT2TO1(T, g.data(), K, kN, k);
        P2MT(c, f.data(), kN, d, delta, t[k - 1]);
        PRODMT(f.data(), g.data(), p.data(), kN);
        m.sig[k - 1] = SIMPSON(p.data(), kN, d);
        P2MT(-c, f.data(), kN, -d, delta, t[k - 1]);
        PRODMT(f.data(), g.data(), p.data(), kN);
        m.fut[k - 1] = SIMPSON(p.data(), kN, d);
    }
    m.beyondUpper = PTAIL(U, delta, t[0]);
    m.beyondLower = PTAIL(-U, delta, t[0]);
    return m;
}

// Only exp is evaluated differently (in vector form), so the sums agree to rounding.
constexpr double kKernelTolerance = 1e-12;

TEST(AbsorptionKernels, StoppingMassesMatchThePlainLoops) {
    for (const Design& d : {design(4.733, shownTimes(16)), design(3.0, {0.2, 0.45, 0.8, 1.0})}) {
        for (double delta : {-9.5, -1.645, 0.0, 0.3, 6.0}) {
            const StoppingMasses fast =
                stoppingMasses(d.a, delta, d.T.data(), kN, d.K(), d.t.data());
            const StoppingMasses plain = referenceMasses(d.a, delta, d.T.data(), d.K(), d.t.data());
            for (int k = 0; k < d.K(); ++k) {
                EXPECT_NEAR(fast.sig[k], plain.sig[k], kKernelTolerance) << k;
                EXPECT_NEAR(fast.fut[k], plain.fut[k], kKernelTolerance) << k;
            }
            EXPECT_EQ(fast.beyondUpper, plain.beyondUpper);
            EXPECT_EQ(fast.beyondLower, plain.beyondLower);
        }
    }
}

TEST(AbsorptionCurves, PowerFunctionIsAbsorptionAlongTheMeans) {
    const float z = criticalValue();
    const Design d = design(4.733, shownTimes(16));
    constexpr int kPoints = 50;
    std::vector<double> out(2 * (kPoints + 1));
    PWRFUNC(d.a, z, d.T.data(), kN, d.K(), d.t.data(), kPoints, out.data());
    // The means grow by cumulative addition of the step from -1.5.
    const double step = (5.0 - (-1.5)) / kPoints;
    double theta = -1.5;
    for (int i = 0; i <= kPoints; ++i) {
        const Absorption r = d.at(theta - static_cast<double>(z));
        EXPECT_NEAR(out[2 * i], r.up, kKernelTolerance) << i;
        EXPECT_NEAR(out[2 * i + 1], r.low, kKernelTolerance) << i;
        theta += step;
    }
    EXPECT_NEAR(theta - step, 5.0, 1e-12);
}

TEST(AbsorptionCurves, ExpectedSizeIsAbsorptionAlongTheMeans) {
    const float z = criticalValue();
    const Design d = design(4.733, shownTimes(16));
    constexpr int kPoints = 80;
    constexpr double kLo = -10.0;
    constexpr double kHi = 15.0;
    std::vector<double> out(kPoints + 1);
    EXPECSIZE(d.a, z, d.T.data(), kN, d.K(), d.t.data(), kPoints, kLo, kHi, out.data());
    const double step = (kHi - kLo) / kPoints;
    double theta = kLo;
    for (int i = 0; i <= kPoints; ++i) {
        EXPECT_NEAR(out[i], d.at(theta - static_cast<double>(z)).expectedTime, kKernelTolerance)
            << i;
        theta += step;
    }
}

}  // namespace
}  // namespace qalix
