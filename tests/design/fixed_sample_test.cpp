// The fixed-sample calculator driven through the panel. Reference quantiles are the exact
// z_0.95 = 1.6448536269514722 and z_0.8 = 0.8416212335729143; the program's own recipes agree
// with them to about 1e-6, far below the digits shown.
#include <cmath>

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

TEST_F(FixedSample, TooLargeSizeShowsAsterisks) {
    ui.type(kMuCombo, "0.0001");  // m = (2.48647 / 0.0001)^2 = 6.2e8 does not fit F9.2
    ui.click(kSizeButton);
    EXPECT_EQ(ui.text(kSizeCombo), "*********");
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

TEST_F(FixedSample, NormseqAlphaDoesNotTouchTheAlternative) {
    ui.pick(kPowerCombo, "0.90");
    EXPECT_EQ(ui.text(kMuCombo), "0.500");
    EXPECT_DOUBLE_EQ(record().altMean, 0.5);
}

}  // namespace
}  // namespace qalix::testing
