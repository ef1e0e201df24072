#include "engine/coefficient_search.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine_test_support.hpp"

namespace qalix {
namespace {

using namespace qalix::testing;

// |x - shown| within half a unit of the last decimal shown.
double halfUnit(int decimals) {
    return 0.5 * std::pow(10.0, -decimals);
}

TEST(CoefficientSearch, FourLooksFollowTheWorkedIterates) {
    const std::vector<double> t = shownTimes(4);
    ContinuationTable T;
    const SearchResult r = GETA(0.02, T.data(), kN, 4, t.data(), 0.0);
    // Worked iterates, quoted to three decimals and the last to four.
    const std::array<double, 6> expected{0.4, 1.243, 1.995, 2.583, 2.888, 2.9526};
    ASSERT_EQ(r.iterates.size(), expected.size());
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        EXPECT_NEAR(r.iterates[i], expected[i], halfUnit(3)) << i;
    }
    EXPECT_NEAR(r.iterates.back(), expected.back(), halfUnit(4));
    EXPECT_EQ(r.a, r.iterates.back());
    EXPECT_EQ(r.end, SearchEnd::Converged);
    EXPECT_NEAR(r.a, 2.953, halfUnit(3));  // the preset coefficient
}

TEST(CoefficientSearch, TwoLooksReachTheirPresetInAsManySteps) {
    const std::vector<double> t{0.5, 1.0};
    ContinuationTable T;
    const SearchResult r = GETA(0.02, T.data(), kN, 2, t.data(), 0.0);
    EXPECT_NEAR(r.a, 2.1088, halfUnit(4));
    EXPECT_EQ(r.iterates.size(), 6u);
    EXPECT_EQ(r.end, SearchEnd::Converged);
    // Two looks have the closed form rho = HNM(-sqrt(2a)), so the target 0.02 belongs to
    // a = z_0.98^2 / 2 = 2.1094; the search stops once within 1e-4 of the target in rho, and
    // d rho / d a = -phi(2.054)/2.054 = -0.0236 there, so a is within 1e-4 / 0.0236 = 0.0042
    // of it.
    EXPECT_NEAR(r.a, 2.05374891063182 * 2.05374891063182 / 2.0, 0.005);
}

TEST(CoefficientSearch, EndsWithinTheToleranceOfTheTarget) {
    for (int K : {3, 7, 16}) {
        for (double target : {0.01, 0.03}) {
            const std::vector<double> t = shownTimes(K);
            ContinuationTable T;
            const SearchResult r = GETA(target, T.data(), kN, K, t.data(), 0.0);
            ASSERT_EQ(r.end, SearchEnd::Converged) << K << " " << target;
            ContinuationTable check;
            LATN(r.a, check.data(), kN, K, t.data());
            EXPECT_LT(std::abs(GETDISC(r.a, check.data(), kN, K, t.data(), 0.0) - target),
                      kSearchTolerance);
        }
    }
}

TEST(CoefficientSearch, LeavesTheTableOfTheReturnedCoefficient) {
    // Every later probability reads this table, so it must be exactly LATN's for a.
    const std::vector<double> t = shownTimes(4);
    ContinuationTable T;
    const SearchResult r = GETA(0.02, T.data(), kN, 4, t.data(), 0.0);
    ContinuationTable expected;
    LATN(r.a, expected.data(), kN, 4, t.data());
    for (int e = 0; e < 4 * (kN + 1); ++e) {
        ASSERT_EQ(T.values[e], expected.values[e]) << e;
    }
}

TEST(CoefficientSearch, BisectsWhereANewtonStepWouldLeavePositiveCoefficients) {
    // Two looks at 0.5 and 1 have rho = Phi(-sqrt(2a)), so 0.35 belongs to a = z_0.65^2 / 2 =
    // 0.385320^2 / 2 = 0.074236. From 0.4 (rho 0.186) Newton's step lands at -0.150, where it
    // once gave up; the search takes the middle of (0, 0.4) instead and goes on. Tolerance:
    // 1e-4 in rho is 1e-4 / |d rho / d a| = 1e-4 / 0.961 in a, doubled for the grids.
    const std::vector<double> t{0.5, 1.0};
    ContinuationTable T;
    const SearchResult r = GETA(0.35, T.data(), kN, 2, t.data(), 0.0);
    EXPECT_EQ(r.end, SearchEnd::Converged);
    ASSERT_GE(r.iterates.size(), 3u);
    EXPECT_EQ(r.iterates[1], 0.2);
    for (double a : r.iterates)
        EXPECT_GT(a, 0.0);
    EXPECT_NEAR(r.a, 0.385320466407568 * 0.385320466407568 / 2.0, 2.1e-4);
    EXPECT_LT(std::abs(r.rho - 0.35), kSearchTolerance);
}

TEST(CoefficientSearch, ReportsTheDiscordanceItReached) {
    // The search stops within 1e-4 of the target, so for a small target the value reached
    // differs from it; it is rho at the returned a, exactly as LATN and GETDISC give it.
    for (double target : {0.0001, 0.02}) {
        const std::vector<double> t = shownTimes(4);
        ContinuationTable T;
        const SearchResult r = GETA(target, T.data(), kN, 4, t.data(), 0.0);
        ContinuationTable check;
        LATN(r.a, check.data(), kN, 4, t.data());
        EXPECT_EQ(r.rho, GETDISC(r.a, check.data(), kN, 4, t.data(), 0.0)) << target;
        EXPECT_LT(std::abs(r.rho - target), kSearchTolerance) << target;
    }
}

TEST(CoefficientSearch, AnUnreachableTargetEndsWithoutLeavingPositiveCoefficients) {
    // rho(a; 0) stays below 0.5 for every a > 0: a target of 0.9 halves the bracket from 0.4
    // towards 0 until a - 0.001 falls below 0, where the slope is undefined.
    const std::vector<double> t = shownTimes(4);
    ContinuationTable T;
    const SearchResult r = GETA(0.9, T.data(), kN, 4, t.data(), 0.0);
    EXPECT_EQ(r.end, SearchEnd::FlatSlope);
    ASSERT_EQ(r.iterates.size(), 10u);
    for (std::size_t i = 0; i < r.iterates.size(); ++i)
        EXPECT_EQ(r.iterates[i], 0.4 / std::pow(2.0, static_cast<double>(i))) << i;
    EXPECT_EQ(r.a, r.iterates.back());
    ContinuationTable expected;  // the table belongs to the returned a
    LATN(r.a, expected.data(), kN, 4, t.data());
    EXPECT_EQ(T.values, expected.values);
}

TEST(CoefficientSearch, StopsOnAFlatSlopeForAnUnreachableTarget) {
    // rho is positive for every a, so a negative target drives a upwards until the slope
    // vanishes or the inner grids no longer fit.
    const std::vector<double> t = shownTimes(2);
    ContinuationTable T;
    const SearchResult r = GETA(-0.5, T.data(), kN, 2, t.data(), 0.0);
    EXPECT_EQ(r.end, SearchEnd::FlatSlope);
    EXPECT_GT(r.a, kSearchStart);
    EXPECT_LE(r.iterates.size(), static_cast<std::size_t>(kSearchIterationCap) + 1);
}

// The cap ends a search that would go on: with two steps allowed, the four-look search for
// 0.02 stops at its third iterate, 1.995, with the table of that coefficient.
TEST(CoefficientSearch, GivesUpAfterItsStepLimit) {
    const std::vector<double> t = shownTimes(4);
    ContinuationTable table;
    const SearchResult r = GETA(0.02, table.data(), kN, 4, t.data(), 0.0, 2);
    EXPECT_EQ(r.end, SearchEnd::IterationCap);
    ASSERT_EQ(r.iterates.size(), 3u);
    EXPECT_NEAR(r.a, 1.995, 0.0005);
    ContinuationTable expected;
    LATN(r.a, expected.data(), kN, 4, t.data());
    EXPECT_EQ(table.values, expected.values);
}

}  // namespace
}  // namespace qalix
