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

TEST(CoefficientSearch, StopsOnAFlatSlopeOnceTheIteratesLeaveTheDesigns) {
    // rho(0.4) = 0.346 for four looks; a target of 0.9 sends the next iterate below 0,
    // where the half-widths and so the slope are undefined.
    const std::vector<double> t = shownTimes(4);
    ContinuationTable T;
    const SearchResult r = GETA(0.9, T.data(), kN, 4, t.data(), 0.0);
    EXPECT_EQ(r.end, SearchEnd::FlatSlope);
    ASSERT_EQ(r.iterates.size(), 2u);
    EXPECT_LT(r.a, 0.0);
    EXPECT_EQ(r.a, r.iterates.back());
    EXPECT_TRUE(std::isnan(T.values[0]));  // the table belongs to the returned a
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
