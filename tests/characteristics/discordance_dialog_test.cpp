// "Probability of Discordance" (dialog 114): how likely the sequential decision disagrees
// with the decision the fixed-sample test would reach on all the data, for a true mean.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "characteristics/designed_program.hpp"

namespace qalix::testing {
namespace {

using namespace discordance;

// Against the forward reference: the program integrates the conditional discordance over
// the final value with Simpson steps of 1/15; the two agree to about 5e-8.
constexpr double kIntegrationTolerance = 5e-7;
// Half a unit of the fifth decimal (F7.5).
constexpr double kF75 = 5e-6 + 1e-9;

// The full values behind the fields, in CharacteristicsState::discordance.
using Slot = double DiscordanceValues::*;
constexpr Slot kAll = &DiscordanceValues::overall;
constexpr Slot kSig = &DiscordanceValues::atSignificance;
constexpr Slot kFut = &DiscordanceValues::atFutility;

class Discordance : public DesignedProgram {
  protected:
    std::string shownText(int control) { return ui.text(kDiscordanceDialog, control); }
    double value(int control) { return shown(kDiscordanceDialog, control); }
    double full(Slot s) { return program.characteristics().discordance.*s; }
    void typeDelta(const std::string& text) { ui.type(kDiscordanceDialog, kDeltaCombo, text); }

    // The three values against the forward reference for delta.
    void expectValuesAt(double delta) {
        SCOPED_TRACE("delta " + std::to_string(delta));
        const ForwardReference r = reference(delta);
        const double all = r.discordantSig + r.discordantFut;
        EXPECT_NEAR(full(kSig), r.discordantSig, kIntegrationTolerance);
        EXPECT_NEAR(full(kFut), r.discordantFut, kIntegrationTolerance);
        EXPECT_NEAR(full(kAll), all, 2 * kIntegrationTolerance);
        EXPECT_NEAR(value(kAtSignificance), r.discordantSig, kF75 + kIntegrationTolerance);
        EXPECT_NEAR(value(kAtFutility), r.discordantFut, kF75 + kIntegrationTolerance);
        EXPECT_NEAR(value(kOverall), all, kF75 + 2 * kIntegrationTolerance);
    }
};

TEST_F(Discordance, OpensOnTheDesignAlternative) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        EXPECT_TRUE(program.dialog(kDiscordanceDialog).isOpen());
        // theta = sqrt(25) * 0.5 / 1.
        EXPECT_EQ(shownText(kDeltaCombo), "2.5");
        EXPECT_EQ(shownText(kMuCombo), "0.50000");
        EXPECT_TRUE(ui.enabled(kDiscordanceDialog, kMuCombo));
        expectMeanList(items(kDiscordanceDialog, kDeltaCombo), 2.5, kLongMeanList);
        expectMeanList(items(kDiscordanceDialog, kMuCombo), 0.5, kLongMeanList);
        expectValuesAt(2.5);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kDiscordanceButton);
}

class DiscordanceAtListedMean : public Discordance,
                                public ::testing::WithParamInterface<const char*> {};

// The "all" range -2..2 is the union of the two half ranges with the same Simpson step, so
// the overall value is the sum of the parts up to rounding.
TEST_P(DiscordanceAtListedMean, PartsMatchTheForwardComputationAndAddUp) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        ui.pick(kDiscordanceDialog, kDeltaCombo, GetParam());
        const double delta = std::stod(GetParam());
        EXPECT_EQ(shownText(kMuCombo), fixed(delta / 5.0, 5));
        expectValuesAt(delta);
        EXPECT_NEAR(full(kAll), full(kSig) + full(kFut), 1e-6);
    });
    ui.click(panel::kDiscordanceButton);
}

INSTANTIATE_TEST_SUITE_P(StartupDesign, DiscordanceAtListedMean,
                         ::testing::Values("-2.5", "-1.25", "0.0", "1.25", "2.5", "3.75", "5.0"));

// "rho_max" puts the true mean on the critical line (d = 0): the overall value is then the
// very integral behind the panel's "Max Discordant Probability", and the two parts are
// equal by the symmetry of the boundaries about z*t.
TEST_F(Discordance, RhoMaxIsThePanelsMaximumDiscordance) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        ui.click(kDiscordanceDialog, kRhoMaxButton);
        EXPECT_DOUBLE_EQ(program.characteristics().discordanceDelta, criticalValue());
        EXPECT_EQ(shownText(kDeltaCombo), "1.64485");
        EXPECT_EQ(shownText(kMuCombo), "0.32897");
        EXPECT_NEAR(full(kAll), program.sequential().maxDiscordance, 1e-12);
        EXPECT_NEAR(value(kOverall), std::stod(ui.text(panel::kDiscordanceEdit)), kF75 + 5e-7);
        EXPECT_NEAR(full(kAll), full(kSig) + full(kFut), 1e-6);
        EXPECT_NEAR(full(kSig), full(kFut), 1e-9);
        EXPECT_EQ(shownText(kAtSignificance), shownText(kAtFutility));
        expectValuesAt(criticalValue());
    });
    ui.click(panel::kDiscordanceButton);
}

// Four equally spaced looks with a = 3.595 (rho_max 0.01): the integrated discordance on
// the critical line is about 0.00248.
TEST_F(Discordance, BrownianDesignIsDrivenByDeltaAlone) {
    ASSERT_NO_FATAL_FAILURE(completeDesign(brownianDesign("4", "3.595")));
    EXPECT_EQ(ui.text(panel::kRhoCombo), "0.0100");
    whenShown(kDiscordanceDialog, [&] {
        const auto expectNoMean = [&] {
            EXPECT_TRUE(isBlank(shownText(kMuCombo)));
            EXPECT_FALSE(ui.enabled(kDiscordanceDialog, kMuCombo));
        };
        expectNoMean();
        // The alternative is theta = z_0.95 + z_0.8 (C library quantiles).
        const double theta = 1.6448536269514722 + 0.8416212335729143;
        EXPECT_NEAR(std::stod(shownText(kDeltaCombo)), theta, 1e-6);
        expectValuesAt(std::stod(shownText(kDeltaCombo)));
        ui.click(kDiscordanceDialog, kRhoMaxButton);
        expectNoMean();
        EXPECT_NEAR(full(kAll), 0.00248, 1e-5);
        expectValuesAt(criticalValue());
        typeDelta("1.0");
        expectNoMean();
        expectValuesAt(1.0);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kDiscordanceButton);
}

// Far from the critical line the final value's density N(d, 1) is negligible on [-2, 2]:
// each value is at most 4 * phi(|d| - 2), about 6e-9 for delta = 10 (d = 8.36).
TEST_F(Discordance, MeanFarFromTheCriticalLineGivesNoDiscordance) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        for (const char* delta : {"10.0", "-7.0"}) {
            SCOPED_TRACE(delta);
            typeDelta(delta);
            const double bound = 4.0 * phi(std::fabs(std::stod(delta) - criticalValue()) - 2.0);
            for (Slot s : {kAll, kSig, kFut}) {
                EXPECT_GE(full(s), 0.0) << s;
                EXPECT_LE(full(s), bound) << s;
            }
            for (int c : {kOverall, kAtSignificance, kAtFutility})
                EXPECT_EQ(shownText(c), "0.00000") << c;
        }
    });
    ui.click(panel::kDiscordanceButton);
}

TEST_F(Discordance, MeanAndDeltaFollowEachOther) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        // delta = sqrt(M) * mu / sigma with M = 25, sigma = 1.
        ui.type(kDiscordanceDialog, kMuCombo, "0.1");
        EXPECT_EQ(shownText(kDeltaCombo), "0.50000");
        expectValuesAt(0.5);
        typeDelta("2.0");
        EXPECT_EQ(shownText(kMuCombo), "0.40000");
        expectValuesAt(2.0);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kDiscordanceButton);
}

class DiscordanceUnreadableEntry : public Discordance {
  protected:
    std::map<int, std::string> results() {
        std::map<int, std::string> texts;
        for (int c : {kMuCombo, kDeltaCombo, kOverall, kAtSignificance, kAtFutility})
            texts[c] = shownText(c);
        return texts;
    }
};

TEST_F(DiscordanceUnreadableEntry, MeanShowsTheErrorAndKeepsTheResults) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kDiscordanceDialog, [&] {
        for (int combo : {kDeltaCombo, kMuCombo}) {
            SCOPED_TRACE(combo);
            auto before = results();
            ui.type(kDiscordanceDialog, combo, "abc");
            before[combo] = "abc";
            EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
            EXPECT_EQ(results(), before);
        }
    });
    ui.click(panel::kDiscordanceButton);
}

}  // namespace
}  // namespace qalix::testing
