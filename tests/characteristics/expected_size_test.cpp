// "Expected Sample Size" (dialog 113): expected information time and sample size at stopping,
// overall and given significance or futility, and the chances of each ending.
#include <array>
#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "characteristics/designed_program.hpp"

namespace qalix::testing {
namespace {

using namespace expectedsize;

// Against the forward reference: the program's 200-interval grids agree to a few 1e-7.
constexpr double kGridTolerance = 1e-6;
// Half a unit of the last decimal of F7.4, F7.5 and F7.1.
constexpr double kF74 = 5e-5 + 1e-9;
constexpr double kF75 = 5e-6 + 1e-9;
constexpr double kF71 = 0.05 + 1e-9;

// The full values behind the fields, in CharacteristicsState::expected.
using Slot = double ExpectedSizes::*;
constexpr Slot kN = &ExpectedSizes::sizeOverall;
constexpr Slot kNSig = &ExpectedSizes::sizeGivenSig;
constexpr Slot kNFut = &ExpectedSizes::sizeGivenFut;
constexpr Slot kT = &ExpectedSizes::timeOverall;
constexpr Slot kTSig = &ExpectedSizes::timeGivenSig;
constexpr Slot kTFut = &ExpectedSizes::timeGivenFut;
constexpr Slot kPS = &ExpectedSizes::probSig;
constexpr Slot kPF = &ExpectedSizes::probFut;

class ExpectedSize : public DesignedProgram {
  protected:
    std::string shownText(int control) { return ui.text(kExpectedSizeDialog, control); }
    double value(int control) { return shown(kExpectedSizeDialog, control); }
    double full(Slot s) { return program.characteristics().expected.*s; }
    void typeDelta(const std::string& text) { ui.type(kExpectedSizeDialog, kDeltaCombo, text); }
    void pressSpecialValues() { ui.click(kExpectedSizeDialog, kSpecialValues); }

    // Every value of the dialog against the forward reference for delta; M is the maximum
    // size, 0 when the design has no sample sizes.
    void expectValuesAt(double delta, int M) {
        SCOPED_TRACE("delta " + std::to_string(delta));
        const ForwardReference r = reference(delta);
        const std::vector<double> t = shownTimes();
        const double ps = r.probabilitySig();
        const double pf = r.probabilityFut();
        const double et = r.expectedTime(t);
        const double ets = r.expectedTimeGivenSig(t);
        const double etf = r.expectedTimeGivenFut(t);
        EXPECT_NEAR(full(kPS), ps, kGridTolerance);
        EXPECT_NEAR(full(kPF), pf, kGridTolerance);
        EXPECT_NEAR(full(kT), et, kGridTolerance);
        // Conditional on an event of probability p the grid error is divided by p.
        EXPECT_NEAR(full(kTSig), ets, kGridTolerance / ps);
        EXPECT_NEAR(full(kTFut), etf, kGridTolerance / pf);
        EXPECT_NEAR(value(kProbSig), ps, kF74 + kGridTolerance);
        EXPECT_NEAR(value(kProbFut), pf, kF74 + kGridTolerance);
        EXPECT_NEAR(value(kTimeOverall), et, kF75 + kGridTolerance);
        EXPECT_NEAR(value(kTimeGivenSig), ets, kF75 + kGridTolerance / ps);
        EXPECT_NEAR(value(kTimeGivenFut), etf, kF75 + kGridTolerance / pf);
        if (M == 0) return;
        EXPECT_NEAR(value(kSizeOverall), M * et, kF71 + M * kGridTolerance);
        EXPECT_NEAR(value(kSizeGivenSig), M * ets, kF71 + M * kGridTolerance / ps);
        EXPECT_NEAR(value(kSizeGivenFut), M * etf, kF71 + M * kGridTolerance / pf);
    }
};

TEST_F(ExpectedSize, OpensOnTheDesignAlternative) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        EXPECT_TRUE(program.dialog(kExpectedSizeDialog).isOpen());
        EXPECT_EQ(shownText(kGroup), "Expected Sample Size and Information Time");
        // theta = sqrt(25) * 0.5 / 1.
        EXPECT_EQ(shownText(kDeltaCombo), "2.5");
        EXPECT_EQ(shownText(kMuCombo), "0.50000");
        expectMeanList(items(kExpectedSizeDialog, kDeltaCombo), 2.5, kLongMeanList);
        expectMeanList(items(kExpectedSizeDialog, kMuCombo), 0.5, kLongMeanList);
        for (int c : {kMuCombo, kSizeOverall, kSizeGivenSig, kSizeGivenFut})
            EXPECT_TRUE(ui.enabled(kExpectedSizeDialog, c)) << c;
        expectValuesAt(2.5, 25);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kExpectedSizeButton);
}

class ExpectedSizeAtListedMean : public ExpectedSize,
                                 public ::testing::WithParamInterface<const char*> {};

// Every path stops by the last look, so the two endings make up the whole probability, and
// E(N) is M = 25 times E(T).
TEST_P(ExpectedSizeAtListedMean, MatchesTheForwardComputation) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        ui.pick(kExpectedSizeDialog, kDeltaCombo, GetParam());
        const double delta = std::stod(GetParam());
        EXPECT_EQ(shownText(kMuCombo), fixed(delta / 5.0, 5));
        expectValuesAt(delta, 25);
        EXPECT_NEAR(full(kPS) + full(kPF), 1.0, kGridTolerance);
        EXPECT_NEAR(value(kSizeOverall), 25.0 * full(kT), kF71);
        EXPECT_NEAR(value(kSizeGivenSig), 25.0 * full(kTSig), kF71);
        EXPECT_NEAR(value(kSizeGivenFut), 25.0 * full(kTFut), kF71);
    });
    ui.click(panel::kExpectedSizeButton);
}

INSTANTIATE_TEST_SUITE_P(StartupDesign, ExpectedSizeAtListedMean,
                         ::testing::Values("-2.5", "-1.25", "0.0", "1.25", "2.5", "3.75", "5.0"));

// The null mean, the mean on the critical line, the alternative, and round again.
TEST_F(ExpectedSize, SpecialValuesCycleThroughThreeLandmarks) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        const double z = criticalValue();
        const std::array<double, 4> deltas = {0.0, z, 2.5, 0.0};
        const std::array<const char*, 4> deltaTexts = {"0.00000", "1.64485", "2.50000", "0.00000"};
        const std::array<const char*, 4> muTexts = {"0.00000", "0.32897", "0.50000", "0.00000"};
        for (std::size_t press = 0; press < deltas.size(); ++press) {
            SCOPED_TRACE(press + 1);
            pressSpecialValues();
            EXPECT_EQ(shownText(kDeltaCombo), deltaTexts[press]);
            EXPECT_EQ(shownText(kMuCombo), muTexts[press]);
            EXPECT_DOUBLE_EQ(program.characteristics().sizeDelta, deltas[press]);
            expectValuesAt(deltas[press], 25);
        }
        pressSpecialValues();
        EXPECT_EQ(shownText(kDeltaCombo), "1.64485");
    });
    ui.click(panel::kExpectedSizeButton);
    // A new opening starts the cycle again at the null mean.
    whenShown(kExpectedSizeDialog, [&] {
        pressSpecialValues();
        EXPECT_EQ(shownText(kDeltaCombo), "0.00000");
    });
    ui.click(panel::kExpectedSizeButton);
}

// On the critical line (the second special value, exactly z) the centred drift is zero and
// the boundaries are symmetric about it: both endings are equally likely and equally late.
TEST_F(ExpectedSize, CriticalLineMakesBothEndingsAlike) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        pressSpecialValues();
        pressSpecialValues();
        ASSERT_DOUBLE_EQ(program.characteristics().sizeDelta, criticalValue());
        EXPECT_NEAR(full(kPS), full(kPF), 1e-9);
        EXPECT_NEAR(full(kTSig), full(kTFut), 1e-9);
        EXPECT_NEAR(full(kPS), 0.5, kGridTolerance);
        EXPECT_EQ(shownText(kProbSig), shownText(kProbFut));
        EXPECT_EQ(shownText(kTimeGivenSig), shownText(kTimeGivenFut));
        EXPECT_EQ(shownText(kSizeGivenSig), shownText(kSizeGivenFut));
    });
    ui.click(panel::kExpectedSizeButton);
}

TEST_F(ExpectedSize, MeanAndDeltaFollowEachOther) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        // delta = sqrt(M) * mu / sigma with M = 25, sigma = 1.
        ui.type(kExpectedSizeDialog, kMuCombo, "0.3");
        EXPECT_EQ(shownText(kDeltaCombo), "1.50000");
        expectValuesAt(1.5, 25);
        typeDelta("-0.75");
        EXPECT_EQ(shownText(kMuCombo), "-0.15000");
        expectValuesAt(-0.75, 25);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kExpectedSizeButton);
}

// alpha 0.05, power 0.8, four equally spaced looks, a = 2.953: the design's expected
// information time is about 0.745 under the null mean and 0.856 under the alternative,
// its rejection probabilities 0.0509 and 0.7989 (published to the digits given).
TEST_F(ExpectedSize, BrownianDesignShowsInformationTimeOnly) {
    ASSERT_NO_FATAL_FAILURE(completeDesign(brownianDesign("4", "2.953")));
    whenShown(kExpectedSizeDialog, [&] {
        EXPECT_EQ(shownText(kGroup), "Expected Information Time");
        const auto expectNoSizes = [&] {
            EXPECT_TRUE(isBlank(shownText(kMuCombo)));
            EXPECT_FALSE(ui.enabled(kExpectedSizeDialog, kMuCombo));
            for (int c : {kSizeOverall, kSizeGivenSig, kSizeGivenFut}) {
                EXPECT_TRUE(isBlank(shownText(c))) << c;
                EXPECT_FALSE(ui.enabled(kExpectedSizeDialog, c)) << c;
            }
        };
        expectNoSizes();
        // The alternative is theta = z_0.95 + z_0.8 (C library quantiles).
        const double theta = 1.6448536269514722 + 0.8416212335729143;
        EXPECT_NEAR(std::stod(shownText(kDeltaCombo)), theta, 1e-6);
        EXPECT_NEAR(full(kT), 0.856, 5e-4);
        EXPECT_NEAR(full(kPS), 0.7989, kF74);
        expectValuesAt(std::stod(shownText(kDeltaCombo)), 0);
        // The special values still cycle delta.
        pressSpecialValues();
        EXPECT_EQ(shownText(kDeltaCombo), "0.00000");
        EXPECT_NEAR(full(kT), 0.745, 5e-4);
        EXPECT_NEAR(full(kPS), 0.0509, kF74);
        expectValuesAt(0.0, 0);
        expectNoSizes();
        pressSpecialValues();
        EXPECT_EQ(shownText(kDeltaCombo), fixed(criticalValue(), 5));
        pressSpecialValues();
        EXPECT_EQ(shownText(kDeltaCombo), fixed(theta, 5));
        expectNoSizes();
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kExpectedSizeButton);
}

// At delta = -40 a stop with significance is possible only at the first look, where its
// probability (about 1e-112) still counts: given it, the trial stops at t_1 = 0.24.
TEST_F(ExpectedSize, TinyButPositiveProbabilityKeepsItsConditionalExpectation) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        typeDelta("-40.0");
        EXPECT_GT(full(kPS), 0.0);
        EXPECT_LT(full(kPS), 1e-100);
        EXPECT_NEAR(full(kTSig), 0.24, 1e-9);
        EXPECT_EQ(shownText(kTimeGivenSig), "0.24000");
        EXPECT_EQ(shownText(kSizeGivenSig), "6.0");
    });
    ui.click(panel::kExpectedSizeButton);
}

// A delta so far from the boundaries that every density of the stopping event underflows to
// zero: that ending cannot happen and has no conditional expectation to show.
struct ImpossibleEnding {
    const char* delta;
    int time;
    int size;
};

void PrintTo(const ImpossibleEnding& c, std::ostream* os) {
    *os << "delta " << c.delta;
}

class ImpossibleEndingCase : public ExpectedSize,
                             public ::testing::WithParamInterface<ImpossibleEnding> {};

TEST_P(ImpossibleEndingCase, ShowsNotApplicable) {
    const ImpossibleEnding& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        typeDelta(c.delta);
        EXPECT_EQ(shownText(c.time), "n/a");
        EXPECT_EQ(shownText(c.size), "n/a");
    });
    ui.click(panel::kExpectedSizeButton);
}

// exp(-x) underflows for x > 745: at delta = -100 the first look's upper boundary lies
// (c_1 - d*t_1)^2 / (2*t_1) > 880 away in the exponent, and every later look further.
INSTANTIATE_TEST_SUITE_P(FarMeans, ImpossibleEndingCase,
                         ::testing::Values(ImpossibleEnding{"-100.0", kTimeGivenSig, kSizeGivenSig},
                                           ImpossibleEnding{"100.0", kTimeGivenFut,
                                                            kSizeGivenFut}));

class ExpectedSizeUnreadableEntry : public ExpectedSize {
  protected:
    std::map<int, std::string> results() {
        std::map<int, std::string> texts;
        for (int c : {kMuCombo, kDeltaCombo, kSizeOverall, kSizeGivenSig, kSizeGivenFut,
                      kTimeOverall, kTimeGivenSig, kTimeGivenFut, kProbSig, kProbFut})
            texts[c] = shownText(c);
        return texts;
    }
};

TEST_F(ExpectedSizeUnreadableEntry, MeanShowsTheErrorAndKeepsTheResults) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        for (int combo : {kDeltaCombo, kMuCombo}) {
            SCOPED_TRACE(combo);
            auto before = results();
            ui.type(kExpectedSizeDialog, combo, "abc");
            before[combo] = "abc";
            EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
            EXPECT_EQ(results(), before);
        }
    });
    ui.click(panel::kExpectedSizeButton);
}

}  // namespace
}  // namespace qalix::testing
