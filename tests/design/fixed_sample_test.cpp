// The fixed-sample calculator driven through the panel. Reference quantiles are the exact
// z_0.95 = 1.6448536269514722 and z_0.8 = 0.8416212335729143; the program's own functions agree
// with them to about 1e-6, far below the digits shown.
#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "design/panel_ids.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;

constexpr double kZ95 = 1.6448536269514722;
constexpr double kZ80 = 0.8416212335729143;
constexpr double kZ90 = 1.2815515655446004;

double phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

using FixedSample = StartedProgram;

TEST_F(FixedSample, SampleSizeFromStartupParameters) {
    ui.click(kSizeButton);
    // m = ((z_0.95 + z_0.8) * 1 / 0.5)^2 = 24.7302..., not rounded.
    EXPECT_EQ(ui.text(kSizeCombo), "24.73");
    EXPECT_NEAR(record().sampleSize, std::pow((kZ95 + kZ80) / 0.5, 2), 1e-4);
    EXPECT_GT(record().sampleSize - std::floor(record().sampleSize), 0.7);
}

TEST_F(FixedSample, EachButtonComputesItsParameterFromTheOtherFour) {
    ui.click(kPowerButton);  // Phi(sqrt(25)*0.5/1 - z_0.95) = Phi(0.85515) = 0.80377
    EXPECT_EQ(ui.text(kPowerCombo), "0.8038");
    EXPECT_NEAR(record().power, phi(2.5 - kZ95), 1e-6);

    ui.type(kPowerCombo, "0.80");
    ui.click(kMuButton);  // (z_0.95 + z_0.8) / sqrt(25) = 0.49729
    EXPECT_EQ(ui.text(kMuCombo), "0.4973");
    EXPECT_NEAR(record().altDelta, kZ95 + kZ80, 1e-5);

    ui.type(kMuCombo, "0.5");
    ui.click(kSdButton);  // sqrt(25) * 0.5 / 2.48647 = 1.00544
    EXPECT_EQ(ui.text(kSdCombo), "1.0054");

    ui.type(kSdCombo, "1");
    ui.click(kAlphaButton);  // 1 - Phi(2.5 - z_0.8) = 0.04862, kept in single precision
    EXPECT_EQ(ui.text(kAlphaCombo), "0.0486");
    EXPECT_EQ(record().alpha, static_cast<float>(record().alpha));
    EXPECT_NEAR(record().alpha, 1.0 - phi(2.5 - kZ80), 1e-6);
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(FixedSample, PickingAValueChangesOnlyItsOwnParameter) {
    ui.pick(kAlphaCombo, "0.025");
    EXPECT_FLOAT_EQ(record().alpha, 0.025f);
    EXPECT_EQ(ui.text(kSizeCombo), "25.00");
    EXPECT_EQ(ui.text(kMuCombo), "0.500");
    EXPECT_DOUBLE_EQ(record().sampleSize, 25.0);
}

TEST_F(FixedSample, UnreadableEntryShowsErrorAndKeepsValue) {
    ui.type(kSdCombo, "2.5");
    ui.type(kSdCombo, "abc");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_DOUBLE_EQ(record().stdDev, 2.5);

    ui.type(kSdCombo, "");  // a cleared field holds no number: no message, value kept
    ui.type(kSdCombo, "   ");
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_DOUBLE_EQ(record().stdDev, 2.5);

    ui.type(kSdCombo, "1.5 more");  // a blank ends the number
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_DOUBLE_EQ(record().stdDev, 1.5);
}

// A parameter outside its range, typed or computed, gets one message that names it and its
// range; the computed field and its value stay as they were. Each of these printed a number
// once (m = 112.81 for alpha 0, NaN for sigma -1, alpha -0.2376 for m = 1e6).
struct OutOfRange {
    std::vector<std::pair<int, const char*>> typed;
    int button;
    const char* message;
};

void PrintTo(const OutOfRange& c, std::ostream* os) {
    for (const auto& [combo, text] : c.typed)
        *os << combo << "=\"" << text << "\" ";
    *os << "then " << c.button;
}

class ParameterRange : public StartedProgram, public ::testing::WithParamInterface<OutOfRange> {};

constexpr const char* kAlphaRange =
    "Error: The significance level alpha must lie between 0.0001 and 1.";
constexpr const char* kPowerRange = "Error: The power must lie between 0 and 0.9999.";

TEST_P(ParameterRange, IsRefusedWithOneMessageAndNothingShown) {
    const OutOfRange& c = GetParam();
    const std::map<int, std::string> before = {{kAlphaCombo, ui.text(kAlphaCombo)},
                                               {kPowerCombo, ui.text(kPowerCombo)},
                                               {kSdCombo, ui.text(kSdCombo)},
                                               {kMuCombo, ui.text(kMuCombo)},
                                               {kSizeCombo, ui.text(kSizeCombo)}};
    for (const auto& [combo, text] : c.typed)
        ui.type(combo, text);
    const DesignRecord typed = record();
    ui.click(c.button);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message});
    for (const auto& [combo, text] : before) {
        const bool wasTyped = std::any_of(c.typed.begin(), c.typed.end(),
                                          [&](const auto& t) { return t.first == combo; });
        if (!wasTyped) {
            EXPECT_EQ(ui.text(combo), text) << combo;
        }
    }
    EXPECT_EQ(record().alpha, typed.alpha);
    EXPECT_EQ(record().power, typed.power);
    EXPECT_EQ(record().stdDev, typed.stdDev);
    EXPECT_EQ(record().altMean, typed.altMean);
    EXPECT_EQ(record().sampleSize, typed.sampleSize);
}

INSTANTIATE_TEST_SUITE_P(
    TypedOrComputed, ParameterRange,
    ::testing::Values(
        OutOfRange{{{kAlphaCombo, "0"}}, kSizeButton, kAlphaRange},
        OutOfRange{{{kAlphaCombo, "1"}}, kSizeButton, kAlphaRange},
        OutOfRange{{{kAlphaCombo, "-1"}}, kMuButton, kAlphaRange},
        OutOfRange{{{kPowerCombo, "0"}}, kSizeButton, kPowerRange},
        OutOfRange{{{kPowerCombo, "1"}}, kSdButton, kPowerRange},
        OutOfRange{{{kPowerCombo, "0.04"}},
                   kSizeButton,
                   "Error: The power must be above the significance level alpha."},
        OutOfRange{{{kSdCombo, "-1"}},
                   kSizeButton,
                   "Error: The standard deviation sigma must be above 0."},
        OutOfRange{{{kMuCombo, "0"}},
                   kSizeButton,
                   "Error: The alternative mean mu_a must be above 0: the test is one-sided "
                   "for a positive mean."},
        OutOfRange{{{kSizeCombo, "0"}},
                   kPowerButton,
                   "Error: The sample size m must be above 0 and at most 999999.99."},
        // m = (2.48647 / 0.0001)^2 = 6.2e8 showed "*********" without a word.
        OutOfRange{{{kMuCombo, "0.0001"}},
                   kSizeButton,
                   "Error: The sample size m computed from the other four parameters is outside "
                   "its range: it must be above 0 and at most 999999.99."},
        // A blank field was taken for the value it held before: m = 68.70 from an alpha no
        // longer shown. It is refused, named by its label.
        OutOfRange{{{kAlphaCombo, ""}},
                   kSizeButton,
                   "Error: \"Sig-level\" holds no number: enter one first."},
        OutOfRange{{{kSdCombo, "   "}},
                   kSizeButton,
                   "Error: \"Std Deviation\" holds no number: enter one first."},
        OutOfRange{{{kPowerCombo, "-"}},
                   kMuButton,
                   "Error: \"Power of Test\" holds no number: enter one first."},
        OutOfRange{{{kMuCombo, ""}},
                   kSizeButton,
                   "Error: \"Alt. Mean mu_a\" holds no number: enter one first."},
        OutOfRange{{{kSizeCombo, ""}},
                   kAlphaButton,
                   "Error: \"Sample Size m\" holds no number: enter one first."},
        // Computed: sqrt(999999) * 0.5 - z_0.8 = 499.2 leaves no alpha (it showed -0.2376), and
        // sqrt(1e5) * 0.5 - z_0.95 = 156.5 leaves a power of 1 (it showed 1.00008).
        OutOfRange{{{kSizeCombo, "999999"}},
                   kAlphaButton,
                   "Error: The significance level alpha computed from the other four "
                   "parameters is outside its range: it must lie between 0.0001 and 1."},
        OutOfRange{{{kSizeCombo, "1e5"}},
                   kPowerButton,
                   "Error: The power computed from the other four parameters is outside its "
                   "range: it must lie between 0 and 0.9999."}));

// A decimal comma is an entry error in every control that holds one number, whatever the
// locale: "0,025" read as 0 gave m = 313.37, "1,5" silently became 1.
TEST_F(FixedSample, DecimalCommaIsAnEntryError) {
    for (const auto& [combo, text] :
         std::vector<std::pair<int, const char*>>{{kAlphaCombo, "0,025"},
                                                  {kSdCombo, "1,5"},
                                                  {kMuCombo, " 0,3 "},
                                                  {kSizeCombo, "24,73"},
                                                  {kPowerCombo, ",9"}}) {
        const DesignRecord before = record();
        ui.type(combo, text);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox}) << text;
        EXPECT_EQ(record().alpha, before.alpha) << text;
        EXPECT_EQ(record().stdDev, before.stdDev) << text;
        EXPECT_EQ(record().altMean, before.altMean) << text;
        EXPECT_EQ(record().sampleSize, before.sampleSize) << text;
        EXPECT_EQ(record().power, before.power) << text;
    }
    ui.type(kSdCombo, "2, 3");  // a comma before a blank still ends the number
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(record().stdDev, 2.0);
}

TEST_F(FixedSample, BrownianAlternativeWaitsForAlphaAndPowerInRange) {
    ui.click(kBrownianDesign);
    // On the way to "0.025" the text is "0": no alternative from it, and no message while the
    // user is still typing.
    for (const char* text : {"0", "0.", "0.0", "0.02", "0.025"})
        ui.type(kAlphaCombo, text);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(ui.text(kMuCombo), "2.8016");  // z_0.975 + z_0.8 = 1.95996 + 0.84162 = 2.80158
    ui.type(kPowerCombo, "0.01");            // below alpha: the alternative keeps its value
    EXPECT_EQ(ui.text(kMuCombo), "2.8016");
    EXPECT_NEAR(record().altDelta, 1.959963985 + kZ80, 1e-5);
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(FixedSample, BrownianAlternativeFollowsAlphaAndPower) {
    ui.click(kBrownianDesign);
    ui.pick(kPowerCombo, "0.90");
    // delta_a = z_0.95 + z_0.9 = 2.92641; mu_a = delta_a * sigma / sqrt(300 grids)
    EXPECT_EQ(ui.text(kMuCombo), "2.9264");
    EXPECT_NEAR(record().altDelta, kZ95 + kZ90, 1e-5);
    EXPECT_NEAR(record().altMean, record().altDelta / std::sqrt(300.0), 1e-12);

    ui.click(kPowerButton);  // sqrt(m) mu_a / sigma equals delta_a: power comes back as 0.90
    EXPECT_EQ(ui.text(kPowerCombo), "0.9000");
}

// On information time the two things the design computes work from its own defaults: with
// mu_a left at 0.5 over 300 grids the drift was 8.66 and the power 1, refused as out of range.
TEST_F(FixedSample, BrownianComputesPowerAndAlphaFromItsDefaults) {
    struct Case {
        int button;
        int combo;
        const char* shown;  // 1 - Phi(z_0.95 + z_0.8 - z_0.8) = 0.05, Phi(z_0.8) = 0.8
    };
    for (const Case c :
         {Case{kPowerButton, kPowerCombo, "0.8000"}, Case{kAlphaButton, kAlphaCombo, "0.0500"}}) {
        ui.click(kNormseqDesign);
        ui.click(kBrownianDesign);
        EXPECT_NEAR(std::sqrt(record().sampleSize) * record().altMean / record().stdDev,
                    kZ95 + kZ80, 1e-5);
        ui.click(c.button);
        EXPECT_EQ(ui.text(c.combo), c.shown);
        EXPECT_TRUE(takeMessages().empty());
    }
}

// Typed at every keystroke, "-0.5e-1" passes through "-", "-0.5e" and "-0.5e-": none of them
// is an entry error, and none changes mu_a until a number stands there.
TEST_F(FixedSample, ANumberIsTypedThroughItsBeginnings) {
    const std::string typed = "-0.5e-1";
    for (std::size_t n = 1; n <= typed.size(); ++n) {
        ui.type(kMuCombo, typed.substr(0, n));
        EXPECT_TRUE(takeMessages().empty()) << typed.substr(0, n);
        EXPECT_EQ(ui.text(kMuCombo), typed.substr(0, n));
    }
    EXPECT_DOUBLE_EQ(record().altMean, -0.05);
    for (const char* beginning : {"-", "+", ".", "-.", "1e", "1e-", "2.5E+"}) {
        ui.type(kSdCombo, "2");
        ui.type(kSdCombo, beginning);
        EXPECT_TRUE(takeMessages().empty()) << beginning;
        EXPECT_DOUBLE_EQ(record().stdDev, 2.0) << beginning;
    }
}

// A refused entry leaves the combo showing what its field holds, in digits that read back as
// it: typing "0,025" stopped at "0,0" with alpha silently 0 and "0,0" on show.
TEST_F(FixedSample, ARefusedEntryShowsTheValueItsFieldHolds) {
    for (const char* text : {"0", "0,", "0,0"})
        ui.type(kAlphaCombo, text);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(record().alpha, 0.0f);
    EXPECT_EQ(ui.text(kAlphaCombo), "0.0");
    ui.type(kAlphaCombo, "0.025");
    ui.type(kAlphaCombo, "0.025x");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(ui.text(kAlphaCombo), "0.025");
    ui.type(kSizeCombo, "24.730174");
    ui.type(kSizeCombo, "24.730174?");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(ui.text(kSizeCombo), "24.730174");
    ui.click(kPowerButton);  // computes from what is shown, without a message
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(FixedSample, NormseqAlphaDoesNotTouchTheAlternative) {
    ui.pick(kPowerCombo, "0.90");
    EXPECT_EQ(ui.text(kMuCombo), "0.500");
    EXPECT_DOUBLE_EQ(record().altMean, 0.5);
}

}  // namespace
}  // namespace qalix::testing
