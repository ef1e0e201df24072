// The true mean as the user types it into the three dialogs that take one: whole numbers are
// whole, and a mean beyond what the integration grids hold gets a message and no numbers.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "characteristics/designed_program.hpp"
#include "design/sequential_design.hpp"

namespace qalix::testing {
namespace {

const std::string kOutOfRangeBox =
    "Error: The true mean is outside the range the program can compute.";

// One of the three dialogs: its panel button, its two mean combos and its result fields.
struct MeanDialog {
    const char* name;
    int dialog;
    int button;
    int muCombo;
    int deltaCombo;
    std::vector<int> results;
};

void PrintTo(const MeanDialog& d, std::ostream* os) {
    *os << d.name;
}

const std::vector<MeanDialog> kMeanDialogs = {
    {"significance",
     kSignificanceDialog,
     panel::kSignificanceButton,
     significance::kMuCombo,
     significance::kDeltaCombo,
     {significance::kSigAtEdit, significance::kSigByEdit, significance::kStopAtEdit,
      significance::kStopByEdit}},
    {"expected size",
     kExpectedSizeDialog,
     panel::kExpectedSizeButton,
     expectedsize::kMuCombo,
     expectedsize::kDeltaCombo,
     {expectedsize::kSizeOverall, expectedsize::kSizeGivenSig, expectedsize::kSizeGivenFut,
      expectedsize::kTimeOverall, expectedsize::kTimeGivenSig, expectedsize::kTimeGivenFut,
      expectedsize::kProbSig, expectedsize::kProbFut}},
    {"discordance",
     kDiscordanceDialog,
     panel::kDiscordanceButton,
     discordance::kMuCombo,
     discordance::kDeltaCombo,
     {discordance::kOverall, discordance::kAtSignificance, discordance::kAtFutility}},
};

class TrueMean : public DesignedProgram, public ::testing::WithParamInterface<MeanDialog> {
  protected:
    // Runs the steps in the dialog, opened from its panel button.
    template <typename Steps>
    void inDialog(Steps steps) {
        whenShown(GetParam().dialog, steps);
        ui.click(GetParam().button);
    }
    std::string text(int control) { return ui.text(GetParam().dialog, control); }
    void type(int control, const std::string& typed) { ui.type(GetParam().dialog, control, typed); }
    bool resultsBlank() {
        for (int c : GetParam().results) {
            if (!isBlank(text(c))) return false;
        }
        return true;
    }
};

// With M = 25 and sigma = 1, delta = 5 mu. "1" once read as 0.00001 in the F8.5 field, so
// "--means 1" showed the probabilities of the null mean.
TEST_P(TrueMean, WholeNumbersAreWhole) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    inDialog([&] {
        type(GetParam().muCombo, "1");
        EXPECT_EQ(text(GetParam().deltaCombo), "5.00000");
        type(GetParam().deltaCombo, "2");
        EXPECT_EQ(text(GetParam().muCombo), "0.40000");
        type(GetParam().muCombo, "-1e-1");
        EXPECT_EQ(text(GetParam().deltaCombo), "-0.50000");
        EXPECT_TRUE(takeMessages().empty());
        EXPECT_FALSE(resultsBlank());
    });
}

// Read at every keystroke, "-" alone (and "1e") brought "Error in type of entered data!" and
// the rest of the typing was lost, so no negative mean of the lists could be typed.
TEST_P(TrueMean, ANegativeOrExponentMeanIsTypedKeyByKey) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    inDialog([&] {
        for (const std::string typed : {"-0.25", "-2.5e-1"}) {
            for (std::size_t n = 1; n <= typed.size(); ++n)
                type(GetParam().deltaCombo, typed.substr(0, n));
            EXPECT_TRUE(takeMessages().empty()) << typed;
            EXPECT_EQ(text(GetParam().muCombo), "-0.05000") << typed;  // -0.25 / 5
            EXPECT_FALSE(resultsBlank());
        }
    });
}

// Beyond double precision the probabilities all came out 0 ("--delta 1e308"); a mean whose
// delta does not fit its field once gave "Error in type of entered data!" when read back.
TEST_P(TrueMean, BeyondTheGridsIsRefusedWithoutNumbers) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    inDialog([&] {
        type(GetParam().deltaCombo, "1e308");
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
        EXPECT_TRUE(resultsBlank());
        EXPECT_TRUE(isBlank(text(GetParam().muCombo)));
        type(GetParam().muCombo, "1e300");  // delta 5e300
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
        EXPECT_TRUE(isBlank(text(GetParam().deltaCombo)));
        type(GetParam().muCombo, "400");  // delta 2000 does not fit F9.5
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
        EXPECT_TRUE(resultsBlank());
        // A mean in range computes again.
        type(GetParam().deltaCombo, "2.5");
        EXPECT_TRUE(takeMessages().empty());
        EXPECT_FALSE(resultsBlank());
        EXPECT_EQ(text(GetParam().muCombo), "0.50000");
    });
}

// On six looks equally spaced a typed delta of "41e10" (4.1e6 in the F9.5 field) added up to
// 1.0000628 and showed a probability of 1.0001.
TEST_P(TrueMean, WhereTheGridsGainMassTheMeanIsRefused) {
    ASSERT_NO_FATAL_FAILURE(completeDesign(brownianDesign("6")));
    inDialog([&] {
        type(GetParam().deltaCombo, "41e10");
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
        EXPECT_TRUE(resultsBlank());
    });
}

// A first look at t = 0.02 and a mean of 20: the paths pass the outer limit of the later
// looks' grids, and the stopping probabilities add to 0.84. An ordinary mean on the same
// design adds to 1 within 2e-5.
TEST_P(TrueMean, WhereTheGridsLoseMassTheMeanIsRefused) {
    using namespace panel;
    ui.click(kBrownianDesign);
    ui.type(kLooksCombo, "3");
    whenShown(kInfoTimeDialog, [&] {
        ui.type(kInfoTimeDialog, infotimes::kTime[0], "0.02");
        ui.type(kInfoTimeDialog, infotimes::kTime[1], "0.5");
        ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
    });
    ui.click(kInfoTimesButton);
    ui.click(kCoeffButton);
    ui.click(kSequentialDesignButton);
    ASSERT_TRUE(takeMessages().empty());
    inDialog([&] {
        type(GetParam().deltaCombo, "20");
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
        EXPECT_TRUE(resultsBlank());
        type(GetParam().deltaCombo, "2.5");
        EXPECT_TRUE(takeMessages().empty());
        EXPECT_FALSE(resultsBlank());
    });
}

// mu_a = 0 typed after "Sequential Design" would make every list of means 0: the dialog does
// not open, and says why.
TEST_P(TrueMean, ParametersTypedSinceTheDesignAreChecked) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kMuCombo, "0");
    ui.click(GetParam().button);
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"Error: The alternative mean mu_a must be above 0: the "
                                       "test is one-sided for a positive mean."});
    const auto& shown = platform.modalDialogsShown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), GetParam().dialog), 0);
}

// Five looks entered after the search for four: the table and its times belong to four
// looks, and the fifth was integrated over a stale time (NaN in the discordance dialog). The
// dialog waits for a new search; "Sequential Design" says why it cannot compute without one.
TEST_P(TrueMean, LooksEnteredSinceTheSearchAreChecked) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kLooksCombo, "5");
    whenShown(kInfoTimeDialog, infotimes::kOk);
    ui.click(panel::kGroupSizesButton);
    EXPECT_FALSE(ui.enabled(GetParam().button));  // the boundaries changed
    ui.click(panel::kSequentialDesignButton);
    EXPECT_FALSE(ui.enabled(GetParam().button));
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: " + std::string(kEngineLooksError)});
    const auto& shown = platform.modalDialogsShown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), GetParam().dialog), 0);
}

// A coefficient typed after the design: each dialog computed with it on the table of the
// coefficient searched. The dialogs wait until the design is computed again; one that cannot
// be read, or has no boundaries, is refused there; typed back, the dialogs open again.
TEST_P(TrueMean, ACoefficientTypedSinceTheDesignWaitsForIt) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    const std::string a = ui.text(panel::kCoeffCombo);
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"abc", kEntryErrorBox},
        {"-1", "Error: " + coefficientOutOfRange(-1.0)},
        {"1e300", "Error: " + coefficientOutOfRange(1e300)},
    };
    for (const auto& [typed, refusal] : rows) {
        ui.type(panel::kCoeffCombo, typed);
        EXPECT_FALSE(ui.enabled(GetParam().button)) << typed;
        ui.click(panel::kSequentialDesignButton);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{refusal}) << typed;
        EXPECT_FALSE(ui.enabled(GetParam().button)) << typed;
    }
    ui.type(panel::kCoeffCombo, a);
    inDialog([&] { EXPECT_TRUE(takeMessages().empty()); });
}

// mu_a = 1e308 lies in its range, but twice it, the last item of the lists, overflows.
TEST_P(TrueMean, AnAlternativeTooLargeToListIsRefused) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kMuCombo, "1e308");
    ui.click(GetParam().button);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kOutOfRangeBox});
    const auto& shown = platform.modalDialogsShown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), GetParam().dialog), 0);
}

// sigma = 1e308 lies in its range, but delta = 2.5 is mu = 2.5 * 1e308 / 5 on the data
// scale, beyond any double: the field is too narrow for it, as for any mean that large.
TEST_P(TrueMean, AMeanThatOverflowsOnTheDataScaleShowsAsterisks) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kSdCombo, "1e308");
    inDialog([&] {
        type(GetParam().deltaCombo, "2.5");
        EXPECT_EQ(text(GetParam().muCombo), "********");
    });
}

INSTANTIATE_TEST_SUITE_P(EachDialog, TrueMean, ::testing::ValuesIn(kMeanDialogs));

// delta = 50 puts X at the first look beyond the outer limit: the trial stops there, at
// t_1 = 0.24 and N = 25 * 0.24 = 6, where the expected size once showed 0.0.
TEST_F(DesignedProgram, FarMeanStopsAtTheFirstLook) {
    using namespace expectedsize;
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kExpectedSizeDialog, [&] {
        ui.type(kExpectedSizeDialog, kDeltaCombo, "50.0");
        EXPECT_TRUE(takeMessages().empty());
        EXPECT_EQ(ui.text(kExpectedSizeDialog, kTimeOverall), "0.24000");
        EXPECT_EQ(ui.text(kExpectedSizeDialog, kSizeOverall), "6.0");
        EXPECT_EQ(ui.text(kExpectedSizeDialog, kTimeGivenSig), "0.24000");
        EXPECT_EQ(ui.text(kExpectedSizeDialog, kProbSig), "1.0000");
        EXPECT_NEAR(program.characteristics().expected.timeOverall, 0.24, 1e-6);
    });
    ui.click(panel::kExpectedSizeButton);
}

}  // namespace
}  // namespace qalix::testing
