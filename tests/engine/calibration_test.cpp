#include "engine/calibration.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "engine/absorption.hpp"
#include "engine/crossing.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine_test_support.hpp"
#include "support/reference_table.hpp"

namespace qalix {
namespace {

using namespace qalix::testing;

// The calibrated boundaries must hold the level alpha to this, by an independent computation.
constexpr double kLevelTolerance = 2e-5;
// The panel's grid computes a level within this of the integrals (the 16-look design with
// alpha 0.025 is 2.1e-5 away).
constexpr double kGridLevelError = 5e-5;

std::vector<double> equalTimes(int K) {
    std::vector<double> t;
    for (int k = 1; k <= K; ++k)
        t.push_back(static_cast<double>(k) / K);
    return t;
}

class NonbindingCalibration : public ::testing::TestWithParam<ReferenceRow> {};

// Reference: mvtnorm's z with 1 - P(Z_k < (z t_k + c_k)/sqrt(t_k) for all k) = alpha
// (scripts/reference/crossing.R, Miwa to 11 looks, Genz-Bretz beyond). The level the reference
// gives our z differs from alpha by the slope of the level times the distance of the two z.
TEST_P(NonbindingCalibration, TheReferenceLevelOfTheCalibratedBoundariesIsAlpha) {
    const ReferenceRow& row = GetParam();
    const int K = row.integer("looks");
    const double a = row.number("a");
    const double alpha = row.number("alpha");
    const std::vector<double> t = equalTimes(K);
    const double z = exactNonbindingCritical(a, K, t.data(), alpha);
    constexpr double kStep = 1e-3;
    const double slope =
        (nonbindingLevel(a, z + kStep, K, t.data()) - nonbindingLevel(a, z - kStep, K, t.data())) /
        (2.0 * kStep);
    EXPECT_LT(slope, 0.0);
    EXPECT_LE(std::abs(slope * (z - row.number("z"))) + row.number("level_error"), kLevelTolerance)
        << "z " << z << " reference " << row.number("z");
}

INSTANTIATE_TEST_SUITE_P(
    Mvtnorm, NonbindingCalibration,
    ::testing::ValuesIn(readReferenceTable("tests/engine/calibration_reference.csv")),
    [](const auto& entry) { return "row" + std::to_string(entry.index); });

class BindingCalibration : public ::testing::TestWithParam<std::tuple<int, double>> {};

// The binding calibration holds the crossing probabilities' level (within 1e-7 of mvtnorm,
// crossing_test.cpp) at alpha to the root's width; the panel's own grid (ABSORPROB) shows those
// boundaries at alpha within its error; and ignoring futility can only add rejections.
TEST_P(BindingCalibration, TheLevelIsAlpha) {
    const auto [K, alpha] = GetParam();
    const double a = 2.109 + (4.733 - 2.109) * (K - 2) / 14.0;
    const std::vector<double> t = shownTimes(K);
    const double z = exactLevelCritical(a, K, t.data(), alpha);
    const double level = bindingLevel(a, z, K, t.data());
    EXPECT_NEAR(level, alpha, 1e-8);
    ContinuationTable T;
    LATN(a, T.data(), kN, K, t.data());
    EXPECT_NEAR(ABSORPROB(a, 0.0 - z, T.data(), kN, K, t.data()).up, alpha, kGridLevelError);
    EXPECT_GE(nonbindingLevel(a, z, K, t.data()), level);
}

INSTANTIATE_TEST_SUITE_P(LooksAndLevels, BindingCalibration,
                         ::testing::Combine(::testing::Range(2, 17),
                                            ::testing::Values(0.005, 0.025, 0.05, 0.1)));

TEST(CalibrationRefuses, InputsOutsideTheirRanges) {
    const std::vector<double> t = {0.5, 1.0};
    const std::vector<double> notEnding = {0.5, 0.9};
    const std::vector<double> falling = {0.6, 0.5, 1.0};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(exactNonbindingCritical(0.0, 2, t.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(nan, 2, t.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 0, t.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 17, t.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 2, notEnding.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 3, falling.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 2, t.data(), 0.0), std::invalid_argument);
    EXPECT_THROW(exactNonbindingCritical(2.0, 2, t.data(), 0.5), std::invalid_argument);
    EXPECT_THROW(nonbindingLevel(2.0, nan, 2, t.data()), std::invalid_argument);
    EXPECT_THROW(bindingLevel(2.0, nan, 2, t.data()), std::invalid_argument);
    EXPECT_THROW(exactLevelCritical(2.0, 2, notEnding.data(), 0.025), std::invalid_argument);
    EXPECT_THROW(exactLevelCritical(2.0, 2, t.data(), nan), std::invalid_argument);
}

}  // namespace
}  // namespace qalix
