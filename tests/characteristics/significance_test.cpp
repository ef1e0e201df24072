// "Probability of Significance" (dialog 112): the probabilities of stopping with
// significance, and of stopping at all, at and by each look, for a chosen true mean.
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "characteristics/designed_program.hpp"

namespace qalix::testing {
namespace {

using namespace significance;

// Against the forward reference: the program's 200-interval grids agree to a few 1e-7.
constexpr double kGridTolerance = 1e-6;
// A value shown in F7.4 is within half a unit of the fourth decimal.
constexpr double kF74 = 5e-5 + 1e-9;

// The full values behind the four result edits, in the order of CharacteristicsState.
using Slot = double HittingProbabilities::*;
constexpr Slot kSigAt = &HittingProbabilities::sigAt;
constexpr Slot kSigBy = &HittingProbabilities::sigBy;
constexpr Slot kStopAt = &HittingProbabilities::stopAt;
constexpr Slot kStopBy = &HittingProbabilities::stopBy;

class Significance : public DesignedProgram {
  protected:
    std::string shownText(int control) { return ui.text(kSignificanceDialog, control); }
    double value(int control) { return shown(kSignificanceDialog, control); }
    double full(Slot s) { return program.characteristics().hitting.*s; }
    int position(int spin) { return program.dialog(kSignificanceDialog).getInt(spin); }
    // All four probabilities at look k, through the "At stage k =" spin.
    void atStage(int k) { ui.spin(kSignificanceDialog, kStageSpin, k); }
    void typeDelta(const std::string& text) { ui.type(kSignificanceDialog, kDeltaCombo, text); }

    // The four probabilities of look k against the forward reference for delta.
    void expectLook(const ForwardReference& r, int k) {
        SCOPED_TRACE("look " + std::to_string(k));
        const auto i = static_cast<std::size_t>(k - 1);
        const double sigAt = r.sig[i];
        const double stopAt = r.sig[i] + r.fut[i];
        const double sigBy = ForwardReference::by(r.sig, k);
        const double stopBy = sigBy + ForwardReference::by(r.fut, k);
        EXPECT_NEAR(full(kSigAt), sigAt, kGridTolerance);
        EXPECT_NEAR(full(kSigBy), sigBy, kGridTolerance);
        EXPECT_NEAR(full(kStopAt), stopAt, kGridTolerance);
        EXPECT_NEAR(full(kStopBy), stopBy, kGridTolerance);
        EXPECT_NEAR(value(kSigAtEdit), sigAt, kF74 + kGridTolerance);
        EXPECT_NEAR(value(kSigByEdit), sigBy, kF74 + kGridTolerance);
        EXPECT_NEAR(value(kStopAtEdit), stopAt, kF74 + kGridTolerance);
        EXPECT_NEAR(value(kStopByEdit), stopBy, kF74 + kGridTolerance);
    }
    void expectAllLooks(double delta) {
        const ForwardReference r = reference(delta);
        for (int k = 1; k <= record().numLooks; ++k) {
            atStage(k);
            expectLook(r, k);
        }
    }
};

TEST_F(Significance, OpensOnTheDesignAlternativeAtTheFirstLook) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        EXPECT_TRUE(program.dialog(kSignificanceDialog).isOpen());
        // theta = sqrt(25) * 0.5 / 1.
        EXPECT_EQ(shownText(kDeltaCombo), "2.5");
        EXPECT_EQ(shownText(kMuCombo), "0.5");
        expectMeanList(items(kSignificanceDialog, kDeltaCombo), 2.5, kShortMeanList);
        expectMeanList(items(kSignificanceDialog, kMuCombo), 0.5, kShortMeanList);
        EXPECT_TRUE(ui.enabled(kSignificanceDialog, kMuCombo));
        EXPECT_EQ(shownText(kSizeGroup), "Sample Size at the kth look");
        EXPECT_EQ(shownText(kGroupSizeLabel), "1. Group size at k:");
        EXPECT_EQ(shownText(kCumulativeLabel), "2. Cumulative size by k:");
        for (int spin : {kStageSpin, kSigAtSpin, kSigBySpin, kStopAtSpin, kStopBySpin})
            EXPECT_EQ(position(spin), 1) << spin;
        EXPECT_EQ(shownText(kGroupSizeEdit), "6");
        EXPECT_EQ(shownText(kCumulativeEdit), "6");
        EXPECT_TRUE(ui.enabled(kSignificanceDialog, kGroupSizeEdit));
        expectLook(reference(2.5), 1);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kSignificanceButton);
}

// Every probability at every look against the forward reference, for each listed mean.
class SignificanceAtListedMean : public Significance,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(SignificanceAtListedMean, ProbabilitiesMatchTheForwardComputation) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        ui.pick(kSignificanceDialog, kDeltaCombo, GetParam());
        EXPECT_EQ(shownText(kMuCombo), fixed(std::stod(GetParam()) / 5.0, 5));
        expectAllLooks(std::stod(GetParam()));
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kSignificanceButton);
}

// Relations that hold whatever the grids: the first look's "at" and "by" are one event,
// "by" accumulates "at", and every path stops by the last look (t_K = 1, zero half-width).
TEST_P(SignificanceAtListedMean, AtAndByAgreeAndEveryPathStopsByTheLastLook) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        ui.pick(kSignificanceDialog, kDeltaCombo, GetParam());
        atStage(1);
        EXPECT_DOUBLE_EQ(full(kSigAt), full(kSigBy));
        EXPECT_DOUBLE_EQ(full(kStopAt), full(kStopBy));
        EXPECT_EQ(shownText(kSigAtEdit), shownText(kSigByEdit));
        double sigSum = 0.0;
        double stopSum = 0.0;
        for (int k = 1; k <= 4; ++k) {
            atStage(k);
            sigSum += full(kSigAt);
            stopSum += full(kStopAt);
            EXPECT_NEAR(full(kSigBy), sigSum, 1e-12) << k;
            EXPECT_NEAR(full(kStopBy), stopSum, 1e-12) << k;
        }
        EXPECT_NEAR(full(kStopBy), 1.0, kGridTolerance);
        EXPECT_EQ(shownText(kStopByEdit), "1.0000");
    });
    ui.click(panel::kSignificanceButton);
}

INSTANTIATE_TEST_SUITE_P(StartupDesign, SignificanceAtListedMean,
                         ::testing::Values("-1.25", "0.0", "1.25", "2.5", "3.75"));

// On the critical line the centred drift is zero and the boundaries are symmetric about it:
// stopping with significance is as likely as stopping for futility at every look. The typed
// delta (F9.5) misses z by |d| < 5e-6, and a drift d moves any probability of the path by
// at most the total variation 2*Phi(|d|/2) - 1 < 0.4*|d|; the difference of the two parts by
// at most twice that.
TEST_F(Significance, CriticalLineSplitsStoppingEvenly) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        const std::string onLine = fixed(criticalValue(), 5);
        typeDelta(onLine);
        const double d = std::stod(onLine) - criticalValue();
        ASSERT_LT(std::fabs(d), 5e-6);
        const double tolerance = 0.8 * std::fabs(d) + 1e-9;
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE(k);
            atStage(k);
            EXPECT_NEAR(full(kStopAt) - full(kSigAt), full(kSigAt), tolerance);
            EXPECT_NEAR(full(kStopBy) - full(kSigBy), full(kSigBy), tolerance);
        }
        EXPECT_NEAR(full(kSigBy), 0.5, tolerance + kGridTolerance);
    });
    ui.click(panel::kSignificanceButton);
}

TEST_F(Significance, MeanAndDeltaFollowEachOther) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        // delta = sqrt(M) * mu / sigma with M = 25, sigma = 1.
        ui.type(kSignificanceDialog, kMuCombo, "0.3");
        EXPECT_EQ(shownText(kDeltaCombo), "1.50000");
        expectAllLooks(1.5);
        typeDelta("1.0");
        EXPECT_EQ(shownText(kMuCombo), "0.20000");
        expectAllLooks(1.0);
        // A mean without a decimal point is the whole number it says: "2" is 2, not the
        // 0.00002 of five implied decimals, and a mu of "1" is 1 (once 0.00001, which showed
        // the probabilities of the null mean).
        typeDelta("2");
        EXPECT_EQ(shownText(kMuCombo), "0.40000");
        expectAllLooks(2.0);
        ui.type(kSignificanceDialog, kMuCombo, "1");
        EXPECT_EQ(shownText(kDeltaCombo), "5.00000");
        expectAllLooks(5.0);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kSignificanceButton);
}

// "sig" "by" K is the rejection probability the panel reports for theta = 0 and for the
// alternative: the same integrals over the same table.
TEST_F(Significance, RejectionByTheLastLookIsTheActualLevelAndPower) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        ui.pick(kSignificanceDialog, kDeltaCombo, "0.0");
        ui.spin(kSignificanceDialog, kSigBySpin, 4);
        EXPECT_NEAR(full(kSigBy), program.sequential().actualLevel, 1e-12);
        EXPECT_EQ(shownText(kSigByEdit), ui.text(panel::kActualSigEdit));
        ui.pick(kSignificanceDialog, kDeltaCombo, "2.5");
        ui.spin(kSignificanceDialog, kSigBySpin, 4);
        EXPECT_NEAR(full(kSigBy), program.sequential().actualPower, 1e-12);
        EXPECT_EQ(shownText(kSigByEdit), ui.text(panel::kActualPowerEdit));
    });
    ui.click(panel::kSignificanceButton);
}

// Group sizes 6, 6, 6, 7 of m = 25.
TEST_F(Significance, StageSpinMovesEveryLookAndShowsItsSizes) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        const std::map<int, std::pair<const char*, const char*>> sizes = {
            {1, {"6", "6"}}, {2, {"6", "12"}}, {3, {"6", "18"}}, {4, {"7", "25"}}};
        for (const auto& [k, size] : sizes) {
            SCOPED_TRACE(k);
            atStage(k);
            for (int spin : {kSigAtSpin, kSigBySpin, kStopAtSpin, kStopBySpin})
                EXPECT_EQ(position(spin), k) << spin;
            EXPECT_EQ(shownText(kGroupSizeEdit), size.first);
            EXPECT_EQ(shownText(kCumulativeEdit), size.second);
        }
    });
    ui.click(panel::kSignificanceButton);
}

TEST_F(Significance, ProbabilitySpinMovesOnlyItsOwnResultAndTheStage) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        const std::string sigByAtOne = shownText(kSigByEdit);
        const ForwardReference r = reference(2.5);
        ui.spin(kSignificanceDialog, kSigAtSpin, 3);
        EXPECT_EQ(position(kStageSpin), 3);
        EXPECT_EQ(position(kSigBySpin), 1);
        EXPECT_EQ(shownText(kGroupSizeEdit), "6");
        EXPECT_EQ(shownText(kCumulativeEdit), "18");
        EXPECT_NEAR(full(kSigAt), r.sig[2], kGridTolerance);
        EXPECT_EQ(shownText(kSigByEdit), sigByAtOne);
        ui.spin(kSignificanceDialog, kStopBySpin, 2);
        EXPECT_EQ(position(kStageSpin), 2);
        EXPECT_EQ(shownText(kCumulativeEdit), "12");
        EXPECT_NEAR(full(kStopBy), ForwardReference::by(r.sig, 2) + ForwardReference::by(r.fut, 2),
                    kGridTolerance);
    });
    ui.click(panel::kSignificanceButton);
}

TEST_F(Significance, BrownianDesignCountsGridsAndHasNoDataMean) {
    ASSERT_NO_FATAL_FAILURE(completeDesign(brownianDesign()));
    whenShown(kSignificanceDialog, [&] {
        EXPECT_TRUE(isBlank(shownText(kMuCombo)));
        EXPECT_FALSE(ui.enabled(kSignificanceDialog, kMuCombo));
        EXPECT_EQ(shownText(kSizeGroup), "Number of grids at the kth look");
        EXPECT_TRUE(isBlank(shownText(kGroupSizeLabel)));
        EXPECT_EQ(shownText(kCumulativeLabel), "Number of grids by k is");
        // theta = z_0.95 + z_0.8 (C library quantiles; the program's own agree to 1e-6).
        const double theta = 1.6448536269514722 + 0.8416212335729143;
        EXPECT_NEAR(std::stod(shownText(kDeltaCombo)), theta, 1e-6);
        // int(300 * t_k) grid steps with t_k = 0.25, 0.5, 0.75, 1.
        const std::map<int, const char*> grids = {{1, "75"}, {2, "150"}, {3, "225"}, {4, "300"}};
        for (const auto& [k, count] : grids) {
            atStage(k);
            EXPECT_TRUE(isBlank(shownText(kGroupSizeEdit))) << k;
            EXPECT_FALSE(ui.enabled(kSignificanceDialog, kGroupSizeEdit)) << k;
            EXPECT_EQ(shownText(kCumulativeEdit), count) << k;
        }
        expectAllLooks(std::stod(shownText(kDeltaCombo)));
        // delta drives the dialog alone: the data-scale mean stays blank.
        typeDelta("1.0");
        EXPECT_TRUE(isBlank(shownText(kMuCombo)));
        expectAllLooks(1.0);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kSignificanceButton);
}

class SignificanceUnreadableMean : public Significance,
                                   public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(SignificanceUnreadableMean, ShowsTheErrorAndKeepsTheResults) {
    const auto [combo, other] = GetParam();
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kSignificanceDialog, [&] {
        atStage(2);
        std::map<int, std::string> before;
        for (int c : {kSigAtEdit, kSigByEdit, kStopAtEdit, kStopByEdit, kGroupSizeEdit,
                      kCumulativeEdit, other})
            before[c] = shownText(c);
        ui.type(kSignificanceDialog, combo, "abc");
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
        for (const auto& [c, text] : before)
            EXPECT_EQ(shownText(c), text) << c;
    });
    ui.click(panel::kSignificanceButton);
}

INSTANTIATE_TEST_SUITE_P(MeanFields, SignificanceUnreadableMean,
                         ::testing::Values(std::make_pair(kDeltaCombo, kMuCombo),
                                           std::make_pair(kMuCombo, kDeltaCombo)));

}  // namespace
}  // namespace qalix::testing
