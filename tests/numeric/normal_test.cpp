// Simpson rule, normal density and distribution function, quantile and transition density.
//
// References are worked by hand or come from the C library's erfc, which the program's functions do
// not use; every tolerance says where it comes from.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {
namespace {

// Written out here rather than taken from the header, so that a wrong constant is caught.
constexpr double kDivisor = 2.50662827459518;
constexpr double kPi = 3.141593;

// Standard normal distribution function and density from the C library.
double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}
double phi(double x) {
    return std::exp(-x * x / 2.0) / std::sqrt(2.0 * std::numbers::pi);
}
// Third derivative of phi, which sets the leading Simpson error term.
double phi3(double x) {
    return (3.0 * x - x * x * x) * phi(x);
}

// Bound on |HNM(x) - Phi(x)| for x > -7 held exactly in 32 bits:
// - the mass below the lower end -7, Phi(-7) = 1.28e-12;
// - the divisor 2.50662827459518 is below sqrt(2*pi) by 1.4e-11 relative, so the integral is
//   too large by that fraction of Phi(x);
// - Simpson's rule on 200 intervals of width h: the leading Euler-Maclaurin term
//   h^4/180 * |phi'''(x) - phi'''(-7)|, doubled to cover the higher-order terms;
// - 1e-14 for rounding in the 201-term sums.
double hnmTolerance(double x) {
    const double divisorExcess = std::sqrt(2.0 * std::numbers::pi) / kDivisor - 1.0;
    const double h = (x + 7.0) / 200.0;
    const double simpson = h * h * h * h / 180.0 * std::abs(phi3(x) - phi3(-7.0));
    return Phi(-7.0) + divisorExcess * Phi(x) + 2.0 * simpson + 1e-14;
}

// Independent quantile: bisection on Phi until the bracket stops shrinking.
double bisectionQuantile(double p) {
    double lo = -10.0;
    double hi = 10.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (mid == lo || mid == hi) break;
        (Phi(mid) < p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// ---------------------------------------------------------------------------------------------
// Simpson

TEST(Simpson, ConstantOverTwoIntervalsIsOne) {
    // Reference: integral of 1 over [0, 1]; (1 + 4 + 1) * 0.5 / 3 is exact in binary.
    const double f[] = {1.0, 1.0, 1.0};
    EXPECT_EQ(SIMPSON(f, 2, 0.5), 1.0);
}

TEST(Simpson, CubicIsIntegratedExactly) {
    // Reference: integral of x^3 over [0, 1] = 1/4; Simpson is exact for cubics and
    // (0 + 4*0.125 + 1) * 0.5 / 3 = 0.25 has no rounding.
    const double f[] = {0.0, 0.125, 1.0};
    EXPECT_EQ(SIMPSON(f, 2, 0.5), 0.25);
}

TEST(Simpson, NegativeStepNegatesTheSum) {
    // Reference: the same sum with +h; only the sign of h differs, so exactly the negative.
    const std::vector<double> f = {0.3, 1.7, -2.1, 0.9, 4.4, 0.05, 1.1, 2.6, -0.8};
    for (const double h : {0.1, 0.37, 2.0}) {
        EXPECT_EQ(SIMPSON(f.data(), 8, -h), -SIMPSON(f.data(), 8, h)) << "h = " << h;
    }
}

TEST(Simpson, EndWeightsOneInteriorWeightsFourTwo) {
    // Reference: weights 1, 4, 2, ..., 4, 1 worked by hand. Each grid value is a distinct power
    // of ten, so each weight shows up as one decimal digit of the result; h = 3 cancels the
    // division by 3 and everything stays an exact integer.
    const double f2[] = {1.0, 10.0, 100.0};
    EXPECT_EQ(SIMPSON(f2, 2, 3.0), 141.0);
    const double f4[] = {1.0, 10.0, 100.0, 1e3, 1e4};
    EXPECT_EQ(SIMPSON(f4, 4, 3.0), 14241.0);
    const double f6[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};
    EXPECT_EQ(SIMPSON(f6, 6, 3.0), 1424241.0);
    // Reversed order: the weights are symmetric, the digits are read backwards.
    const double r6[] = {1e6, 1e5, 1e4, 1e3, 100.0, 10.0, 1.0};
    EXPECT_EQ(SIMPSON(r6, 6, 3.0), 1424241.0);
}

TEST(Simpson, LastPointIsInTheEvenSumAndTakenOffAtTheEnd) {
    // Reference worked by hand for the program's order of summation: the even sum runs
    // f[2] + f[4] = 1 + 2^53, which rounds to 2^53 (the spacing there is 2); then
    // 2 * 2^53 - f[4] = 2^53. Summing with the textbook weights instead gives 2 + 2^53 exactly.
    const double big = 9007199254740992.0;  // 2^53
    const double f[] = {0.0, 0.0, 1.0, 0.0, big};
    EXPECT_EQ(SIMPSON(f, 4, 3.0), big);
    // f[0] = 2 is added to 2 * f[2] = 2^54 (spacing 4, the tie rounds to 2^54) before f[2] is
    // taken off, which leaves 2^53; adding f[0] + f[2] first would give 2^53 + 2 exactly.
    const double g[] = {2.0, 0.0, big};
    EXPECT_EQ(SIMPSON(g, 2, 3.0), big);
}

TEST(Simpson, StepMultipliesTheSumBeforeTheDivisionByThree) {
    // Reference worked by hand: the weighted sum is 1 + 4*0.5 = 3; 3 * 0.1 rounds to
    // 0.30000000000000004 and that divided by 3 is the double just above 0.1. Multiplying by a
    // precomputed h/3 would give 0.1 itself.
    const double f[] = {1.0, 0.5, 0.0};
    EXPECT_EQ(SIMPSON(f, 2, 0.1), std::nextafter(0.1, 1.0));
}

// ---------------------------------------------------------------------------------------------
// NormalDistribution

TEST(NormalDistribution, DensityAtZeroUsesTheProgramsDivisor) {
    // Reference: exp(0) = 1, so PNM(0) is the one division 1 / 2.50662827459518.
    EXPECT_EQ(PNM(0.0), 1.0 / kDivisor);
    // Worked decimal value, to 1e-14.
    EXPECT_NEAR(PNM(0.0), 0.39894228040713, 1e-14);
}

TEST(NormalDistribution, DensityAtOneAndTwo) {
    // Reference: exp(-x^2/2) / 2.50662827459518 at x = 1, 2 (closed form), to 4 ulps.
    EXPECT_DOUBLE_EQ(PNM(1.0), std::exp(-0.5) / kDivisor);
    EXPECT_DOUBLE_EQ(PNM(-2.0), std::exp(-2.0) / kDivisor);
}

TEST(NormalDistribution, TransitionDensityAtZeroUsesTheDensityPi) {
    // Reference: 1 / sqrt(2 * 3.141593), to 4 ulps; decimal value to 1e-14.
    EXPECT_DOUBLE_EQ(P(0.0, 0.0, 1.0), 1.0 / std::sqrt(2.0 * kPi));
    EXPECT_NEAR(P(0.0, 0.0, 1.0), 0.39894225840659, 1e-14);
}

TEST(NormalDistribution, DensitiesDifferInTheEighthSignificantDigit) {
    // Reference: 0.39894228040713 and 0.39894225840659 agree to 7 significant digits
    // (0.3989423) and differ in the 8th; their difference is 2.2000543e-8, to 1e-14.
    const double pnm = PNM(0.0);
    const double p = P(0.0, 0.0, 1.0);
    EXPECT_EQ(std::round(pnm * 1e7), std::round(p * 1e7));
    EXPECT_NE(std::round(pnm * 1e8), std::round(p * 1e8));
    EXPECT_NEAR(pnm - p, 2.2000543e-8, 1e-14);
}

TEST(NormalDistribution, TransitionDensityIsStandardDensityUpToConstants) {
    // Reference: P(x, 0, 1) / PNM(x) = 2.50662827459518 / sqrt(2 * 3.141593) for every x;
    // relative tolerance 1e-15 (two roundings on each side).
    const double ratio = kDivisor / std::sqrt(2.0 * kPi);
    for (double x = -6.0; x <= 6.0; x += 0.375) {
        EXPECT_NEAR(P(x, 0.0, 1.0) / PNM(x), ratio, 1e-15) << "x = " << x;
    }
}

TEST(NormalDistribution, TransitionDensityMeanIsDriftTimesSpan) {
    // Reference: N(mu*t, t) has its peak 1 / sqrt(2*3.141593*t) at mu*t and the value
    // exp(-1/2) / sqrt(2*3.141593*t) one standard deviation away; 4 ulps (a rounding of mu*t
    // moves the point by far less than that).
    EXPECT_DOUBLE_EQ(P(1.0, 0.5, 2.0), 1.0 / std::sqrt(4.0 * kPi));
    EXPECT_DOUBLE_EQ(P(3.0, 1.5, 2.0), 1.0 / std::sqrt(4.0 * kPi));  // mean 3, not 1.5
    // mu = 1.25, t = 0.25: mean 0.3125, standard deviation 0.5, all exact in binary.
    EXPECT_DOUBLE_EQ(P(0.8125, 1.25, 0.25), std::exp(-0.5) / std::sqrt(2.0 * kPi * 0.25));
}

TEST(NormalDistribution, TransitionDensityScalesWithTheSpan) {
    // Reference: identity P(x, mu, t) = P((x - mu*t)/sqrt(t), 0, 1) / sqrt(t); relative
    // tolerance 1e-13 (rounding of an exponent up to about 12 in magnitude).
    for (const double t : {0.1, 0.333, 1.0, 2.5}) {
        for (const double mu : {-1.3, 0.0, 2.7}) {
            for (double x = -4.0; x <= 4.0; x += 0.5) {
                const double z = (x - mu * t) / std::sqrt(t);
                const double expected = P(z, 0.0, 1.0) / std::sqrt(t);
                EXPECT_NEAR(P(x, mu, t), expected, 1e-13 * expected)
                    << "x = " << x << ", mu = " << mu << ", t = " << t;
            }
        }
    }
}

TEST(NormalDistribution, DistributionFunctionIsZeroAtAndBelowMinusSeven) {
    // Reference: the integral starts at -7, so nothing at or below it; exact 0.
    EXPECT_EQ(HNM(-7.0), 0.0);
    EXPECT_EQ(HNM(-7.5), 0.0);
    EXPECT_EQ(HNM(-40.0), 0.0);
    EXPECT_EQ(HNM(-1e300), 0.0);  // becomes -infinity in 32 bits
}

TEST(NormalDistribution, DistributionFunctionIsOneAtAndAboveSeven) {
    // Reference: the mirror of the lower end; exact 1. Without it the grid of 200 intervals
    // from -7 widens with x and the integral leaves [0, 1]: 1.00008 at 156, 1.24 at 500.
    EXPECT_EQ(HNM(7.0), 1.0);
    EXPECT_EQ(HNM(6.9999999), 1.0);  // rounds to 7 in 32 bits
    for (const double x : {7.5, 156.0, 500.0, 1e20, 1e300}) {
        EXPECT_EQ(HNM(x), 1.0) << "x = " << x;
    }
}

TEST(NormalDistribution, DistributionFunctionBelowSevenKeepsItsSteps) {
    // Reference: the computation put together by hand as below (PNM on the cumulative grid from
    // -7, SIMPSON): exact, so nothing below 7 moved when the upper end was added. The float
    // next below 7 is 7 - 2^-21.
    for (const double x : {3.0, 6.0, 6.99, 7.0 - std::ldexp(1.0, -21)}) {
        const double xr = static_cast<float>(x);
        const double h = (xr + 7.0) / 200.0;
        std::vector<double> f(201);
        double y = -7.0;
        for (double& v : f) {
            v = PNM(y);
            y += h;
        }
        EXPECT_EQ(HNM(x), SIMPSON(f.data(), 200, h)) << "x = " << x;
        EXPECT_NEAR(HNM(x), Phi(x), hnmTolerance(x)) << "x = " << x;
    }
}

TEST(NormalDistribution, DistributionFunctionRoundsItsArgumentTo32Bits) {
    // Reference: 32-bit floats near 7 are 2^-21 = 4.8e-7 apart, so -6.9999999 and -6.9999998
    // round to -7 (exact 0), while -6.9999995 rounds to the float next above -7 and gives a
    // positive sliver of about 4.8e-7 * phi(7) = 4e-18.
    EXPECT_EQ(HNM(-6.9999999), 0.0);
    EXPECT_EQ(HNM(-6.9999998), 0.0);
    EXPECT_GT(HNM(-6.9999995), 0.0);
    EXPECT_LT(HNM(-6.9999995), 1e-17);
    // Any argument gives exactly what its 32-bit value gives.
    for (const double x : {1.959964, 0.1, -2.3456789, 0.8416212335729143}) {
        EXPECT_EQ(HNM(x), HNM(static_cast<double>(static_cast<float>(x)))) << "x = " << x;
    }
}

TEST(NormalDistribution, DistributionFunctionAtZeroIsOneHalf) {
    // Reference: Phi(0) = 1/2; 1e-11 covers the mass below -7 (1.3e-12) and the divisor's
    // excess (7e-12); the Simpson error vanishes to leading order at 0 by symmetry.
    EXPECT_NEAR(HNM(0.0), 0.5, 1e-11);
}

TEST(NormalDistribution, DistributionFunctionAtTheTwoSidedFivePercentPoint) {
    // Reference: Phi(1.959964) = 0.9750000009; 1e-8 covers the 32-bit rounding of x
    // (6e-8 * phi = 3.5e-9) and the Simpson error on intervals of 0.045 (about 4e-9).
    EXPECT_NEAR(HNM(1.959964), 0.975, 1e-8);
}

TEST(NormalDistribution, DistributionFunctionAgreesWithErfc) {
    // Reference: 0.5 * erfc(-x / sqrt(2)); tolerance hnmTolerance(x) (mass below -7, divisor,
    // doubled leading Simpson term). The points are multiples of 1/8, exact in 32 bits, so
    // the rounding of x plays no part.
    for (double x = -6.875; x <= 4.0; x += 0.125) {
        EXPECT_NEAR(HNM(x), Phi(x), hnmTolerance(x)) << "x = " << x;
    }
}

TEST(NormalDistribution, DistributionFunctionIsSymmetric) {
    // Reference: Phi(x) + Phi(-x) = 1; tolerance the sum of the two bounds above.
    for (double x = 0.25; x <= 4.0; x += 0.25) {
        EXPECT_NEAR(HNM(x) + HNM(-x), 1.0, hnmTolerance(x) + hnmTolerance(-x)) << "x = " << x;
    }
}

TEST(NormalDistribution, DistributionFunctionWalksItsGridByRepeatedAddition) {
    // Reference: the computation put together from the parts tested above: PNM at -7, -7 + h,
    // (-7 + h) + h, ... with h = (x32 + 7) / 200, summed by SIMPSON. Exact, since the same
    // roundings happen in the same order; points computed as -7 + i*h differ in the last bits
    // and change some of these results.
    for (const double x : {-3.3, -1.1, 0.7, 1.959964, 2.9}) {
        const double xr = static_cast<float>(x);
        const double h = (xr + 7.0) / 200.0;
        std::vector<double> f(201);
        double y = -7.0;
        for (double& v : f) {
            v = PNM(y);
            y += h;
        }
        EXPECT_EQ(HNM(x), SIMPSON(f.data(), 200, h)) << "x = " << x;
    }
}

// ---------------------------------------------------------------------------------------------
// Quantile
//
// The Newton iteration stops once a step is at most 1e-5; it converges quadratically, so the
// error left after that last step is far below 1e-5, and the error of HNM (at most 1e-8, i.e.
// under 1e-5 in x even where the density is 0.003) adds little. 1e-5 is the tolerance used.

constexpr double kQuantileTolerance = 1e-5;

TEST(Quantile, UpperTwoAndAHalfPercentPoint) {
    // Reference: z_0.975 = 1.959963985 (standard tables); tolerance 1e-5.
    EXPECT_NEAR(QNORM(0.975), 1.959963985, kQuantileTolerance);
}

TEST(Quantile, MedianIsZero) {
    // Reference: z_0.5 = 0; tolerance 1e-5.
    EXPECT_NEAR(QNORM(0.5), 0.0, kQuantileTolerance);
}

TEST(Quantile, LowerQuantileIsMinusUpper) {
    // Reference: z_0.025 = -z_0.975 by symmetry; tolerance 1e-5.
    EXPECT_NEAR(QNORM(0.025), -QNORM(0.975), kQuantileTolerance);
    EXPECT_NEAR(QNORM(0.2), -QNORM(0.8), kQuantileTolerance);
}

TEST(Quantile, OneSidedFivePercentFromA32BitAlpha) {
    // Reference: z_0.95 = 1.644853627 (tables); alpha = 0.05 held in 32 bits moves p by
    // 7.5e-10 and z by 7e-9, well inside the tolerance 1e-5.
    const double p = 1.0 - static_cast<double>(0.05f);
    EXPECT_NEAR(QNORM(p), 1.644853627, kQuantileTolerance);
    EXPECT_NEAR(QNORM(p), bisectionQuantile(p), kQuantileTolerance);
}

TEST(Quantile, EightyPercentPoint) {
    // Reference: z_0.8 = 0.841621234 (tables); tolerance 1e-5.
    EXPECT_NEAR(QNORM(0.8), 0.841621234, kQuantileTolerance);
}

TEST(Quantile, AgreesWithBisectionOnErfc) {
    // Reference: bisection on 0.5 * erfc(-x / sqrt(2)), exact to about 1e-15; tolerance 1e-5.
    for (const double p : {0.001, 0.01, 0.025, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9,
                           0.95, 0.975, 0.99, 0.999}) {
        EXPECT_NEAR(QNORM(p), bisectionQuantile(p), kQuantileTolerance) << "p = " << p;
    }
}

TEST(Quantile, ReturnsTheConvergedIterate) {
    // Reference: bisection on erfc as above. Once a step is at most 1e-5 the Newton remainder
    // is about |z|/2 * 1e-10, so the last iterate sits where HNM of its 32-bit value equals p:
    // off by at most HNM's error over the density, hnmTolerance(z) / phi(z), plus one 32-bit
    // spacing at z (2^-23 |z|), plus 1e-9 for the remainder. The iterate before the last step
    // is further off than this for most of these p.
    for (const double p : {0.001, 0.01, 0.025, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9,
                           0.95, 0.975, 0.99, 0.999}) {
        const double z = bisectionQuantile(p);
        const double tol = hnmTolerance(z) / phi(z) + std::ldexp(std::abs(z), -23) + 1e-9;
        EXPECT_NEAR(QNORM(p), z, tol) << "p = " << p;
    }
}

// Newton's iteration for the quantile on the C library's Phi and phi, with the program's start,
// tolerance and limit of ten steps: an independent account of where QNORM stops.
double tenStepNewton(double p) {
    double x = 1.0;
    for (int step = 1; step <= 10; ++step) {
        const double previous = x;
        x = x - (Phi(x) - p) / phi(x);
        if (std::abs(previous - x) <= 1e-5) break;
    }
    return x;
}

TEST(Quantile, StopsAfterTenStepsFarInTheTails) {
    // Reference: ten Newton steps on erfc (above). For p beyond 0.99999 or below 1e-6 ten
    // steps from 1 fall well short of the 1e-5 tolerance, so QNORM returns the tenth iterate,
    // more than 0.02 short of the quantile, where a ninth or an eleventh step would move x by
    // 0.026 to 0.21. Tolerance 1e-5: the program rounds x to 32 bits in HNM and its HNM and PNM
    // differ from erfc's by about 1e-11 relative, which moves these iterates by a few 1e-6.
    for (const double p : {0.99999, 0.999999, 1e-6, 1e-7}) {
        EXPECT_NEAR(QNORM(p), tenStepNewton(p), 1e-5) << "p = " << p;
        EXPECT_GT(std::abs(QNORM(p) - bisectionQuantile(p)), 0.02) << "p = " << p;
    }
}

TEST(Quantile, InvertsTheDistributionFunction) {
    // Reference: HNM(QNORM(p)) = p; a 1e-5 error in x moves HNM by at most 1e-5 * phi(0) = 4e-6,
    // plus 1e-8 for HNM itself.
    for (const double p : {0.01, 0.1, 0.5, 0.8, 0.95, 0.99}) {
        EXPECT_NEAR(HNM(QNORM(p)), p, 4e-6 + 1e-8) << "p = " << p;
    }
}

}  // namespace
}  // namespace qalix
