#include "engine/crossing.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/absorption.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine_test_support.hpp"
#include "numeric/normal.hpp"
#include "support/reference_table.hpp"

namespace qalix {
namespace {

using namespace qalix::testing;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Against mvtnorm (scripts/reference/crossing.R): every probability within 1e-7, plus the
// reference's own error estimate where it used Genz-Bretz (up to about 1e-7 at 16 looks).
constexpr double kReferenceTolerance = 1e-7;

struct ReferenceCase {
    std::string name;
    std::vector<CrossingLook> looks;
    double theta = 0.0;
    CrossingStart start;
    std::vector<double> upper;
    std::vector<double> lower;
    std::vector<double> error;
};

std::vector<ReferenceCase> referenceCases() {
    std::vector<ReferenceCase> cases;
    std::map<std::string, std::size_t> index;
    for (const ReferenceRow& row : readReferenceTable("tests/engine/crossing_reference.csv")) {
        const std::string& name = row.text("case");
        if (!index.contains(name)) {
            index[name] = cases.size();
            ReferenceCase c;
            c.name = name;
            c.theta = row.number("theta");
            c.start = {row.number("start_information"), row.number("start_score")};
            cases.push_back(c);
        }
        ReferenceCase& c = cases[index[name]];
        c.looks.push_back({row.number("information"), row.number("lower"), row.number("upper")});
        c.upper.push_back(row.number("upper_probability"));
        c.lower.push_back(row.number("lower_probability"));
        c.error.push_back(row.number("reference_error"));
    }
    return cases;
}

class CrossingReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(CrossingReference, ExitProbabilitiesMatchTheIntegrals) {
    const ReferenceCase& c = GetParam();
    const CrossingProbabilities p = crossingProbabilities(c.looks, c.theta, c.start);
    ASSERT_EQ(p.upper.size(), c.looks.size());
    for (std::size_t k = 0; k < c.looks.size(); ++k) {
        const double tolerance = kReferenceTolerance + c.error[k];
        EXPECT_NEAR(p.upper[k], c.upper[k], tolerance) << "look " << k + 1;
        EXPECT_NEAR(p.lower[k], c.lower[k], tolerance) << "look " << k + 1;
        // The same masses as intervals of the last look, through the other entry point.
        const std::span<const CrossingLook> upTo(c.looks.data(), k + 1);
        const CrossingLook& look = c.looks[k];
        EXPECT_NEAR(probabilityEndingIn(upTo, c.theta, look.upper, kInf, c.start), c.upper[k],
                    tolerance)
            << "look " << k + 1;
        EXPECT_NEAR(probabilityEndingIn(upTo, c.theta, -kInf, look.lower, c.start), c.lower[k],
                    tolerance)
            << "look " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Mvtnorm, CrossingReference, ::testing::ValuesIn(referenceCases()),
                         [](const auto& entry) {
                             std::string name;
                             for (const char ch : entry.param.name)
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// The design's own boundaries z t_k +- c(t_k) on the Brownian scale, as Z values at t_k.
std::vector<CrossingLook> familyLooks(double a, double z, const std::vector<double>& t) {
    std::vector<CrossingLook> looks;
    for (const double tk : t) {
        const double c = halfWidth(a, tk);
        looks.push_back({tk, (z * tk - c) / std::sqrt(tk), (z * tk + c) / std::sqrt(tk)});
    }
    return looks;
}

// ABSORPROB's own error on these designs: its grid of 200 intervals moves its probabilities by
// at most 4.4e-7 against one four times finer, and its six-decimal pi in every density adds
// some 4e-8 a look (the crossing probabilities differ from the finer grid by 8e-8 at two looks,
// 6.7e-7 at sixteen). Both together stay below 8e-7 (measured over K = 2..16 and the drifts here).
constexpr double kAbsorptionError = 1e-6;

class AgainstAbsorption : public ::testing::TestWithParam<int> {};

TEST_P(AgainstAbsorption, RejectionAndAcceptanceAgreeOnTheDesignsBoundaries) {
    const int K = GetParam();
    const double a = 2.109 + (4.733 - 2.109) * (K - 2) / 14.0;
    const std::vector<double> t = shownTimes(K);
    const double z = static_cast<float>(QNORM(1.0 - static_cast<double>(0.05f)));
    ContinuationTable T;
    LATN(a, T.data(), kN, K, t.data());
    const std::vector<CrossingLook> looks = familyLooks(a, z, t);
    for (const double theta : {0.0, z + QNORM(0.8), -1.0}) {
        const Absorption fixed = ABSORPROB(a, theta - z, T.data(), kN, K, t.data());
        const CrossingProbabilities p = crossingProbabilities(looks, theta);
        double up = 0.0;
        double low = 0.0;
        for (int k = 0; k < K; ++k) {
            up += p.upper[k];
            low += p.lower[k];
        }
        EXPECT_NEAR(up, fixed.up, kAbsorptionError) << "theta " << theta;
        EXPECT_NEAR(low, fixed.low, kAbsorptionError) << "theta " << theta;
    }
}

INSTANTIATE_TEST_SUITE_P(LooksTwoToSixteen, AgainstAbsorption, ::testing::Range(2, 17));

// Random designs reach what the table's cases do not: boundaries far out in the tails or
// beyond the grid's span, narrow continuation regions, looks close together, starts far from
// the boundaries. With a final look whose boundaries meet every path stops, so the masses add
// to 1; the grid carries the density within 1e-6 of that on all of them.
TEST(CrossingIdentities, MeetingFinalBoundariesStopEveryPath) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int trial = 0; trial < 40; ++trial) {
        const int K = 2 + trial % 15;
        const CrossingStart start{trial % 3 == 0 ? 2.0 * uniform(random) : 0.0,
                                  trial % 3 == 0 ? 4.0 * uniform(random) - 2.0 : 0.0};
        std::vector<CrossingLook> looks;
        double information = start.information;
        for (int k = 0; k < K; ++k) {
            information += 0.05 + 3.0 * uniform(random);
            const double centre = 6.0 * uniform(random) - 3.0;
            const double width = 8.0 * uniform(random) * uniform(random);
            looks.push_back({information, uniform(random) < 0.2 ? -kInf : centre - width,
                             uniform(random) < 0.2 ? kInf : centre + width});
        }
        const double last = 4.0 * uniform(random) - 2.0;
        looks.back().lower = last;
        looks.back().upper = last;
        const double theta = 3.0 * uniform(random) - 1.5;
        const CrossingProbabilities p = crossingProbabilities(looks, theta, start);
        double total = 0.0;
        for (int k = 0; k < K; ++k) {
            EXPECT_GE(p.upper[k], 0.0);
            EXPECT_GE(p.lower[k], 0.0);
            total += p.upper[k] + p.lower[k];
        }
        EXPECT_NEAR(total, 1.0, 1e-6) << "trial " << trial;
    }
}

// The grid and its trimming are mirror images about the mean, so mirrored boundaries under the
// opposite drift swap the two exit probabilities to rounding.
TEST(CrossingIdentities, MirroredBoundariesSwapTheExits) {
    const std::vector<CrossingLook> looks = {
        {0.2, -1.0, 2.9}, {0.45, -0.2, 2.4}, {0.7, 0.6, 2.2}, {1.0, 1.9, 1.9}};
    std::vector<CrossingLook> mirrored;
    for (const CrossingLook& l : looks)
        mirrored.push_back({l.information, -l.upper, -l.lower});
    for (const double theta : {0.0, 1.3}) {
        const CrossingProbabilities p = crossingProbabilities(looks, theta);
        const CrossingProbabilities m = crossingProbabilities(mirrored, -theta);
        for (std::size_t k = 0; k < looks.size(); ++k) {
            EXPECT_NEAR(p.upper[k], m.lower[k], 1e-14) << k;
            EXPECT_NEAR(p.lower[k], m.upper[k], 1e-14) << k;
        }
    }
}

struct HostileInput {
    std::string name;
    std::vector<CrossingLook> looks;
    double theta;
    CrossingStart start;
    std::string message;  // a part of the message the refusal must give
};

std::vector<CrossingLook> manyLooks(int count) {
    std::vector<CrossingLook> looks;
    for (int k = 1; k <= count; ++k)
        looks.push_back({static_cast<double>(k), -1.0, 3.0});
    return looks;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class CrossingRefuses : public ::testing::TestWithParam<HostileInput> {};

TEST_P(CrossingRefuses, NamesWhatIsWrong) {
    const HostileInput& h = GetParam();
    try {
        crossingProbabilities(h.looks, h.theta, h.start);
        FAIL() << "accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find(h.message), std::string::npos) << e.what();
    }
    EXPECT_THROW(probabilityEndingIn(h.looks, h.theta, 0.0, 1.0, h.start), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CrossingRefuses,
    ::testing::Values(
        HostileInput{"NoLooks", {}, 0.0, {}, "no looks"},
        HostileInput{"SeventeenLooks", manyLooks(17), 0.0, {}, "17 looks"},
        HostileInput{"InformationFalls", {{0.5, -1, 3}, {0.4, -1, 3}}, 0.0, {}, "look 2"},
        HostileInput{"InformationRepeats", {{0.5, -1, 3}, {0.5, -1, 3}}, 0.0, {}, "look 2"},
        HostileInput{"InformationZero", {{0.0, -1, 3}}, 0.0, {}, "look 1"},
        HostileInput{"StepBelowTheGrid", {{0.5, -1, 3}, {0.5000001, -1, 3}}, 0.0, {}, "too close"},
        HostileInput{"InformationNaN", {{0.5, -1, 3}, {kNaN, -1, 3}}, 0.0, {}, "look 2"},
        HostileInput{"NotBeyondTheStart", {{0.5, -1, 3}}, 0.0, {0.5, 0.1}, "start"},
        HostileInput{"LowerNaN", {{0.5, kNaN, 3}}, 0.0, {}, "not a number"},
        HostileInput{"UpperNaN", {{0.5, -1, 3}, {1.0, -1, kNaN}}, 0.0, {}, "look 2"},
        HostileInput{"LowerAboveUpper", {{0.5, 3, 2}}, 0.0, {}, "above upper"},
        HostileInput{"LowerPlusInfinity", {{0.5, kInf, kInf}}, 0.0, {}, "+infinity"},
        HostileInput{"UpperMinusInfinity", {{0.5, -kInf, -kInf}}, 0.0, {}, "-infinity"},
        HostileInput{"ThetaNaN", {{0.5, -1, 3}}, kNaN, {}, "theta"},
        HostileInput{"ThetaInfinite", {{0.5, -1, 3}}, kInf, {}, "theta"},
        HostileInput{"StartNegative", {{0.5, -1, 3}}, 0.0, {-1.0, 0.0}, "start"},
        HostileInput{"StartScoreNaN", {{0.5, -1, 3}}, 0.0, {0.1, kNaN}, "start"}),
    [](const auto& entry) { return entry.param.name; });

TEST(CrossingRefuses, AnIntervalTheWrongWayRound) {
    const std::vector<CrossingLook> looks = {{0.5, -1, 3}, {1.0, 1, 1}};
    EXPECT_THROW(probabilityEndingIn(looks, 0.0, 2.0, 1.0), std::invalid_argument);
    EXPECT_THROW(probabilityEndingIn(looks, 0.0, kNaN, 1.0), std::invalid_argument);
}

}  // namespace
}  // namespace qalix
