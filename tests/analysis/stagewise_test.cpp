#include "analysis/stagewise.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/absorption.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "numeric/normal.hpp"
#include "support/reference_table.hpp"

namespace qalix {
namespace {

using qalix::testing::ReferenceRow;

// Against mvtnorm and uniroot (scripts/reference/crossing.R): probabilities within 1e-6, the
// estimate and the bounds within 1e-5.
constexpr double kProbabilityTolerance = 1e-6;
constexpr double kThetaReferenceTolerance = 1e-5;

std::vector<CrossingLook> looksOf(const ReferenceRow& row) {
    const std::vector<double> information = row.numbers("information");
    const std::vector<double> lower = row.numbers("lower");
    const std::vector<double> upper = row.numbers("upper");
    std::vector<CrossingLook> looks;
    for (int k = 0; k < row.integer("stop_look"); ++k)
        looks.push_back({information[k], lower[k], upper[k]});
    return looks;
}

class StagewiseReference : public ::testing::TestWithParam<ReferenceRow> {};

TEST_P(StagewiseReference, InferenceMatchesTheIntegralsAndTheirRoots) {
    const ReferenceRow& row = GetParam();
    const std::vector<CrossingLook> looks = looksOf(row);
    const double z = row.number("z_observed");
    const double naive = z / std::sqrt(looks.back().information);
    EXPECT_NEAR(stagewiseTail(looks, z, naive), row.number("g_at_naive"), kProbabilityTolerance);
    const StagewiseInference r = stagewiseInference(looks, z, row.number("confidence_alpha"));
    EXPECT_NEAR(r.pValue, row.number("p_value"), kProbabilityTolerance);
    EXPECT_NEAR(r.estimate, row.number("estimate"), kThetaReferenceTolerance);
    EXPECT_NEAR(r.lowerBound, row.number("lower_bound"), kThetaReferenceTolerance);
    EXPECT_NEAR(r.upperBound, row.number("upper_bound"), kThetaReferenceTolerance);
}

INSTANTIATE_TEST_SUITE_P(Mvtnorm, StagewiseReference,
                         ::testing::ValuesIn(qalix::testing::readReferenceTable(
                             "tests/analysis/stagewise_reference.csv")),
                         [](const auto& entry) {
                             std::string name;
                             for (const char ch : entry.param.text("case"))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

double exactUpperTail(double x) {
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

// The design's own boundaries z t_k +- c(t_k) at equally spaced looks, as Z values.
struct FamilyDesign {
    double a;
    int K;
    double alpha;
    std::vector<double> t;
    std::vector<CrossingLook> looks;
    double z;
};

FamilyDesign family(double a, int K, double alpha) {
    FamilyDesign d{a, K, alpha, {}, {}, static_cast<float>(QNORM(1.0 - alpha))};
    for (int k = 1; k <= K; ++k) {
        const double tk = std::round(1000.0 * k / K) / 1000.0;
        const double c = halfWidth(a, tk);
        d.t.push_back(tk);
        d.looks.push_back({tk, (d.z * tk - c) / std::sqrt(tk), (d.z * tk + c) / std::sqrt(tk)});
    }
    return d;
}

const std::vector<FamilyDesign>& ordinaryDesigns() {
    static const std::vector<FamilyDesign> designs = {
        family(2.109, 2, 0.05), family(2.953, 4, 0.05), family(4.733, 16, 0.025)};
    return designs;
}

// A stop at the first look has no earlier look to account for: the stage-wise values are the
// fixed-sample ones, up to the roots' width.
TEST(StagewiseChecks, EfficacyAtTheFirstLookIsTheNaiveInference) {
    for (const auto& [information, z] : {std::pair{0.25, 4.1}, std::pair{8.0, 3.4}}) {
        const std::vector<CrossingLook> looks = {{information, -0.5, 3.0}};
        const StagewiseInference r = stagewiseInference(looks, z, 0.025);
        const double se = 1.0 / std::sqrt(information);
        EXPECT_NEAR(r.pValue, exactUpperTail(z), 1e-15);
        EXPECT_NEAR(r.pValue, r.naive.pValue, 1e-15);
        EXPECT_NEAR(r.estimate, r.naive.estimate, 1e-7 * se);
        EXPECT_NEAR(r.lowerBound, r.naive.lowerBound, 1e-7 * se);
        EXPECT_NEAR(r.upperBound, r.naive.upperBound, 1e-7 * se);
        EXPECT_NEAR(r.naive.lowerBound, (z - 1.959963984540054) * se, 1e-14);
    }
}

// A later efficacy stop could also have stopped earlier: its p-value lies below the design's
// level, and the naive estimate and lower bound overstate the effect.
TEST(StagewiseChecks, ALaterEfficacyStopIsLessExtremeThanItsNaiveValues) {
    for (const FamilyDesign& d : ordinaryDesigns()) {
        const std::vector<CrossingLook> looks(d.looks.begin(), d.looks.begin() + 2);
        const StagewiseInference r = stagewiseInference(looks, looks[1].upper + 0.1, d.alpha);
        const CrossingProbabilities level = crossingProbabilities(d.looks, 0.0);
        double actual = 0.0;
        for (const double up : level.upper)
            actual += up;
        EXPECT_LT(r.pValue, actual) << d.K;
        EXPECT_LT(r.estimate, r.naive.estimate) << d.K;
        EXPECT_LT(r.lowerBound, r.naive.lowerBound) << d.K;
    }
}

// Reaching the final look exactly on its boundary is as extreme as any rejection: the p-value
// is the design's level, here as the program shows it (ABSORPROB, within its own error 1e-6).
TEST(StagewiseChecks, TheFinalBoundaryHasTheDesignsLevel) {
    for (const FamilyDesign& d : ordinaryDesigns()) {
        ContinuationTable T;
        LATN(d.a, T.data(), kGridIntervals, d.K, d.t.data());
        const double shown =
            ABSORPROB(d.a, 0.0 - d.z, T.data(), kGridIntervals, d.K, d.t.data()).up;
        EXPECT_NEAR(stagewiseInference(d.looks, d.z, d.alpha).pValue, shown, 1e-6) << d.K;
    }
}

// One look left: Pr(S_K >= b sqrt(I_K)) from s0 at I0 is a normal tail.
TEST(ConditionalPower, OneLookLeftIsANormalTail) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [s0, theta] :
         {std::pair{1.1 * std::sqrt(13.0), 0.3}, std::pair{-0.4 * std::sqrt(13.0), 0.0},
          std::pair{2.0 * std::sqrt(13.0), -0.2}}) {
        const std::vector<CrossingLook> remaining = {{31.0, -inf, 2.05}};
        const double expected =
            exactUpperTail((2.05 * std::sqrt(31.0) - s0 - theta * 18.0) / std::sqrt(18.0));
        EXPECT_NEAR(conditionalPower(remaining, {13.0, s0}, theta), expected, 1e-15) << s0;
    }
}

TEST(StagewiseRefuses, InputsOutsideTheirRanges) {
    const std::vector<CrossingLook> looks = {{0.5, -1.0, 3.0}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(stagewiseInference(looks, 2.0, 0.0), std::invalid_argument);
    EXPECT_THROW(stagewiseInference(looks, 2.0, 0.5), std::invalid_argument);
    EXPECT_THROW(stagewiseInference(looks, nan, 0.025), std::invalid_argument);
    EXPECT_THROW(stagewiseInference({}, 2.0, 0.025), std::invalid_argument);
    EXPECT_THROW(stagewiseTail(looks, std::numeric_limits<double>::infinity(), 0.0),
                 std::invalid_argument);
}

}  // namespace
}  // namespace qalix
