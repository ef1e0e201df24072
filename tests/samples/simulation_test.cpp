// "Setting Simulation" (dialog 105): sets collected through the dialog and the sample paths
// "Simulate" draws for them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "samples/simulation.hpp"
#include "samples_program.hpp"

namespace qalix::testing {
namespace {

using namespace simulation;

class Simulation : public SamplesProgram {
  protected:
    std::vector<float> path(int set) {
        const auto s = static_cast<std::size_t>(set - 1);
        const auto& row = record().simPath[s];
        return {row.begin(), row.begin() + program.samples().drawn[s]};
    }
};

struct OpeningCase {
    const char* m;  // typed on the panel, or none
    const char* N;
    const char* delta;  // sqrt(m) * 0.5 / 1 with m unrounded, in F8.3
};

class OpeningForSize : public Simulation, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningForSize, ShowsTheLargestSizeAndTheAlternativeOnBothScales) {
    ASSERT_NO_FATAL_FAILURE(openSimulation({}, GetParam().m));
    EXPECT_TRUE(program.dialog(kSimulationDialog).isOpen());
    EXPECT_EQ(simText(kLargestSizeLabel), GetParam().N);
    EXPECT_EQ(simText(kSizeCombo), GetParam().N);
    EXPECT_EQ(simText(kSizeGroup), "Sample Size");
    EXPECT_EQ(simText(kMuCombo), "0.5000");
    EXPECT_EQ(simText(kDeltaCombo), GetParam().delta);
    EXPECT_EQ(ui.position(kSimulationDialog, kRecordSpin), 0);
    EXPECT_FALSE(ui.enabled(kSimulationDialog, kSetCountLabel));
}

INSTANTIATE_TEST_SUITE_P(Sizes, OpeningForSize,
                         ::testing::Values(OpeningCase{"", "25", "2.500"},
                                           OpeningCase{"24.3", "25", "2.465"},
                                           OpeningCase{"60", "60", "3.873"}));

struct FollowCase {
    int typedInto;
    const char* text;
    int other;
    const char* shown;  // delta = sqrt(25) * mu / sigma with sigma = 2
    bool refused;       // with a message
};

TEST_F(Simulation, EachMeanFieldFollowsTheOther) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kSdCombo, "2.0");
    ui.click(panel::kSimulatedSamples);
    const FollowCase cases[] = {
        {kMuCombo, "0.8", kDeltaCombo, "2.000", false},
        {kDeltaCombo, "1.5", kMuCombo, "0.600", false},
        {kMuCombo, "-0.00001e5", kDeltaCombo, "-0.000", false},  // eight characters read
        {kMuCombo, "abc", kDeltaCombo, "-0.000", true},
        {kDeltaCombo, "1.5.", kMuCombo, "abc", true},
        {kMuCombo, "-1e308", kDeltaCombo, "1.5.", true},  // delta would be -Infinity
    };
    for (const FollowCase& c : cases) {
        ui.type(kSimulationDialog, c.typedInto, c.text);
        EXPECT_EQ(simText(c.other), c.shown) << c.text;
        EXPECT_EQ(takeMessages().size(), c.refused ? 1u : 0u) << c.text;
    }
    ui.pick(kSimulationDialog, kDeltaCombo, "2.5");
    EXPECT_EQ(simText(kMuCombo), "1.000");
}

TEST_F(Simulation, BrownianSetsAreChosenByDeltaAlone) {
    ASSERT_NO_FATAL_FAILURE(openSimulation(brownianDesign()));
    EXPECT_EQ(simText(kSizeGroup), "Number of Grids");
    EXPECT_EQ(simText(kLargestSizeLabel), "300");
    EXPECT_EQ(simText(kDeltaCombo), fixed(record().altDelta, 4));
    EXPECT_EQ(simText(kMuCombo), "      ");
    EXPECT_FALSE(ui.enabled(kSimulationDialog, kMuCombo));
    ui.type(kSimulationDialog, kDeltaCombo, "1.0");
    EXPECT_EQ(simText(kMuCombo), "      ");
    ui.type(kSimulationDialog, kSizeCombo, "300");
    ui.click(kSimulationDialog, kSelectSet);
    EXPECT_EQ(record().simRecordCount, 1);
    EXPECT_EQ(record().simDelta[0], 1.0);
    EXPECT_EQ(record().simMean[0], 0.0);  // what it held before
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(Simulation, SpinShowsASetAndDeleteClosesTheGap) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.1", "10");
    selectSet("0.2", "20");
    selectSet("0.3", "30");
    EXPECT_EQ(simText(kSetCountLabel), "3");
    EXPECT_EQ(simText(kRecordEdit), "3");
    ui.spin(kSimulationDialog, kRecordSpin, 1);
    EXPECT_EQ(simText(kDeltaCombo), "0.500");
    EXPECT_EQ(simText(kMuCombo), "0.100");
    EXPECT_EQ(simText(kSizeCombo), "10");
    ui.spin(kSimulationDialog, kRecordSpin, 2);
    ui.click(kSimulationDialog, kDeleteSet);
    EXPECT_EQ(record().simRecordCount, 2);
    EXPECT_EQ(record().simSize[1], 30);
    EXPECT_EQ(simText(kMuCombo), "0.300");  // the set now second
    EXPECT_EQ(simText(kSetCountLabel), "2");
    ui.click(kSimulationDialog, kDeleteSet);  // the last set
    EXPECT_EQ(record().simRecordCount, 1);
    EXPECT_EQ(ui.position(kSimulationDialog, kRecordSpin), 2);  // beyond the last set
    ui.click(kSimulationDialog, kDeleteSet);                    // deletes nothing from there
    EXPECT_EQ(record().simRecordCount, 1);
    EXPECT_EQ(record().simSize[0], 10);
    ui.click(kSimulationDialog, kReset);
    EXPECT_EQ(record().simRecordCount, 0);
    EXPECT_EQ(ui.position(kSimulationDialog, kRecordSpin), 0);
    EXPECT_EQ(simText(kSetCountLabel), "0");
    EXPECT_EQ(simText(kMuCombo), "0.5000");
}

struct RefusedSet {
    const char* mu;
    const char* n;
    std::string message;
};

TEST_F(Simulation, SetWhoseValuesCannotBeReadIsNotCounted) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    const std::string tooSmall = "Error: Simulation sample size should be at least 1";
    const RefusedSet cases[] = {{"x", "10", kEntryErrorBox}, {"0.5", "1.5", kEntryErrorBox},
                                {"0.5", "", kEntryErrorBox}, {"", "10", kEntryErrorBox},
                                {"0.5", "0", tooSmall},      {"0.5", "-3", tooSmall}};
    for (const RefusedSet& c : cases) {
        ui.type(kSimulationDialog, kMuCombo, c.mu);
        ui.type(kSimulationDialog, kSizeCombo, c.n);
        takeMessages();  // what the mean field says of the typing
        ui.click(kSimulationDialog, kSelectSet);
        EXPECT_EQ(record().simRecordCount, 0) << c.mu << " " << c.n;
        EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message}) << c.mu << " " << c.n;
    }
}

TEST_F(Simulation, SetsStopAtAHundredWithoutAMessage) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    for (int s = 0; s < 101; ++s)
        selectSet("0.5", "5");
    EXPECT_EQ(record().simRecordCount, 100);
    EXPECT_EQ(simText(kSetCountLabel), "100");
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(Simulation, EachSetIsDrawnUpToTheLargestSizeAndKept) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "10");
    selectSet("0.5", "40");  // more than N = 25: ends at information time 1
    simulate();
    EXPECT_TRUE(takeMessages().empty());
    const DesignRecord& r = record();
    EXPECT_EQ(path(1).size(), 10u);
    EXPECT_EQ(path(2).size(), 25u);
    for (std::size_t s = 0; s < 2; ++s) {
        for (int j = 1; j <= program.samples().drawn[s]; ++j) {
            EXPECT_EQ(r.simTime[s][static_cast<std::size_t>(j - 1)], static_cast<float>(j) / 25.0f);
        }
        EXPECT_EQ(r.savedSimSize[s], program.samples().drawn[s]);
        EXPECT_EQ(r.savedSimPath[s], r.simPath[s]);
        EXPECT_EQ(r.simSD[s], 1.0);
    }
    EXPECT_EQ(r.simTime[1][24], 1.0f);
    EXPECT_EQ(r.simTime[0][9], 0.4f);
    EXPECT_TRUE(r.simReady);
    EXPECT_TRUE(program.simulationPlotEnabled());
    EXPECT_TRUE(ui.enabled(kSimulationDialog, kSetCountLabel));
}

// "Simulate" gave no sign that it had done anything: the dialog says what it drew, until the
// sets change.
TEST_F(Simulation, SimulateSaysWhatItDrew) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    const std::vector<std::pair<std::vector<const char*>, std::string>> rows = {
        {{}, "No set is selected: nothing was simulated."},
        {{"10"}, "Simulated 1 path of up to 10 observations."},
        {{"10", "40"}, "Simulated 2 paths of up to 25 observations."},  // N = 25
    };
    for (const auto& [sizes, notice] : rows) {
        ui.click(kSimulationDialog, kReset);
        for (const char* n : sizes)
            selectSet("0.5", n);
        EXPECT_EQ(simText(kSimulatedNotice), "") << notice;
        simulate();
        EXPECT_EQ(simText(kSimulatedNotice), notice);
    }
    selectSet("0.5", "5");  // the paths said no longer are all the sets
    EXPECT_EQ(simText(kSimulatedNotice), "");
}

TEST_F(Simulation, SetAskingForMoreThanFiveHundredStopsTheSimulation) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "10");
    selectSet("0.5", "600");
    simulate();
    EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                  "Error: Simulation sample size should not be more than 500"});
    EXPECT_FALSE(record().simReady);
    EXPECT_FALSE(program.simulationPlotEnabled());
    EXPECT_FALSE(ui.enabled(kSimulationDialog, kSetCountLabel));
    EXPECT_EQ(program.samples().drawn[0], 10);  // drawn before the failing set
    EXPECT_EQ(record().savedSimSize[0], 0);     // no copy of a failed simulation
}

TEST_F(Simulation, TwoPressesWithoutAFixedSeedDiffer) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    program.samples().fixedSeed.reset();
    selectSet("0.5", "25");
    simulate();
    const std::vector<float> first = path(1);
    simulate();
    EXPECT_NE(path(1), first);
}

TEST_F(Simulation, EveryPressAsksTheClock) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    program.samples().fixedSeed.reset();
    selectSet("0.5", "25");
    for (std::uint64_t seed : {11u, 12u}) {
        platform.answerClockSeed(seed);
        simulate();
        EXPECT_EQ(program.samples().lastSeed, seed);
    }
}

TEST_F(Simulation, FixedSeedMakesARunReproducible) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "25");
    selectSet("-1.0", "12");
    simulate();
    const auto first = record().simPath;
    simulate();
    EXPECT_NE(record().simPath, first);  // the second simulation of the run differs
    // A run with the same seed and sets draws the same first simulation.
    HeadlessPlatform otherPlatform;
    Program other(otherPlatform);
    other.record() = record();
    other.samples().fixedSeed = kSeed;
    ASSERT_TRUE(SIMUOBSERV(other));
    EXPECT_EQ(other.record().simPath, first);
}

TEST_F(Simulation, DeletedSetTakesItsPathsWithIt) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.1", "5");
    selectSet("0.2", "6");
    selectSet("0.3", "7");
    simulate();
    const std::vector<float> third = path(3);
    const auto thirdObservations = record().simObs[2];
    ui.spin(kSimulationDialog, kRecordSpin, 2);
    ui.click(kSimulationDialog, kDeleteSet);
    EXPECT_EQ(path(2), third);
    EXPECT_EQ(record().simObs[1], thirdObservations);
    EXPECT_EQ(record().simMean[1], 0.3);
}

// Property: on random sets, the last point of each path is the closed form of its
// observations, S_n = n*delta/N + (sum X_j - n*mu) / (sigma*sqrt(N)), to single precision.
TEST_F(Simulation, PathEndsAtTheClosedFormOfItsObservations) {
    ASSERT_NO_FATAL_FAILURE(openSimulation({}, "60"));
    ui.type(panel::kSdCombo, "1.7");
    ui.click(panel::kSimulatedSamples);
    std::mt19937 choose(7);
    std::uniform_real_distribution<double> mean(-2.0, 3.0);
    std::uniform_int_distribution<int> size(1, 80);
    for (int s = 0; s < 40; ++s)
        selectSet(fixed(mean(choose), 3), std::to_string(size(choose)));
    simulate();
    ASSERT_TRUE(takeMessages().empty());
    const DesignRecord& r = record();
    const double N = 60.0;
    const double scale = 1.7 * std::sqrt(N);
    for (std::size_t s = 0; s < 40; ++s) {
        const int n = std::min(60, r.simSize[s]);
        double sum = 0.0;
        double magnitude = 0.0;
        for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j) {
            sum += r.simObs[s][j];
            magnitude += std::abs(r.simObs[s][j]);
        }
        const double closed = n * r.simDelta[s] / N + (sum - n * r.simMean[s]) / scale;
        const double last = r.simPath[s][static_cast<std::size_t>(n - 1)];
        EXPECT_NEAR(last, closed, 1e-6 * (1.0 + std::abs(closed) + magnitude / scale)) << s;
    }
}

// Property: 100 sets of 500 observations have sample means and SDs within their sampling
// error (four standard errors) of mu_s and sigma.
TEST_F(Simulation, ObservationsHaveTheirSetsMeanAndSigma) {
    ASSERT_NO_FATAL_FAILURE(openSimulation({}, "500"));
    ui.type(panel::kSdCombo, "2.0");
    ui.click(panel::kSimulatedSamples);
    const char* means[] = {"-1.0", "0.0", "0.5", "2.0"};
    for (int s = 0; s < 100; ++s)
        selectSet(means[s % 4], "500");
    simulate();
    const DesignRecord& r = record();
    double sum = 0.0;
    double squares = 0.0;
    for (std::size_t s = 0; s < 100; ++s) {
        double setSum = 0.0;
        for (float x : r.simObs[s]) {
            const double z = (x - r.simMean[s]) / 2.0;
            setSum += z;
            squares += z * z;
        }
        sum += setSum;
        EXPECT_NEAR(setSum / 500.0, 0.0, 5.0 / std::sqrt(500.0)) << s;
    }
    const double n = 100.0 * 500.0;
    EXPECT_NEAR(sum / n, 0.0, 4.0 / std::sqrt(n));
    EXPECT_NEAR(std::sqrt(squares / n), 1.0, 4.0 / std::sqrt(2.0 * n));
}

}  // namespace
}  // namespace qalix::testing
