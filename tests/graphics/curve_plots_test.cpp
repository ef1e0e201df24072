// The power function and expected sample size plots as the user opens them from the Plot
// menu: their curves against an independent forward computation of the sequential test,
// the reference lines, the scales of the data-scale mean and of the sample size, and what
// designs other than "normseq" leave out.
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "graphics/expected_size_plot.hpp"
#include "graphics/plot_frame.hpp"
#include "graphics/power_plot.hpp"
#include "plot_program.hpp"

namespace qalix::testing {
namespace {

// z_0.95 + z_0.8 to the digits shown.
constexpr double kAlternative = 1.6448536 + 0.8416212;

struct Plot {
    const PlotScale& scale;
    int X(float x) const { return PlotMapping(scale).NEWX(x); }
    int Y(float y) const { return PlotMapping(scale).NEWY(y); }
    std::string at(const char* call, float x, float y) const {
        return std::string(call) + " " + std::to_string(X(x)) + " " + std::to_string(Y(y));
    }
    std::string textAt(float x, float y, const std::string& text) const {
        return at("text", x, y) + " \"" + text + "\"";
    }
};
const Plot kPower{kPowerScale};
const Plot kExpected{kExpectedSizeScale};

// The curve: the calls after the magenta pen up to the next pen.
std::vector<std::string> curveOf(const std::vector<std::string>& log) {
    std::vector<std::string> curve;
    bool in = false;
    for (const std::string& line : log) {
        if (line.rfind("pen ", 0) == 0)
            in = line == "pen solid 0 (255,0,255)";
        else if (in)
            curve.push_back(line);
    }
    return curve;
}

int yOf(const std::string& line) {
    return std::stoi(line.substr(line.rfind(' ') + 1));
}

class CurvePlots : public PlotProgram {};

TEST_F(CurvePlots, PowerCurveRunsFromEdgeToEdgeThroughFiftyOneMeans) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto curve = curveOf(picture());
    ASSERT_EQ(curve.size(), 52u);  // the move to the first point, then 51 segments
    EXPECT_EQ(curve[0].rfind("move " + std::to_string(kPower.X(-1.5f)) + " ", 0), 0u);
    for (int i = 0; i <= 50; ++i) {
        const float delta = static_cast<float>(i) * 6.5f / 50.0f - 1.5f;
        EXPECT_EQ(curve[static_cast<std::size_t>(i) + 1].rfind(
                      "line " + std::to_string(kPower.X(delta)) + " ", 0),
                  0u)
            << i;
    }
    EXPECT_EQ(curve.back().rfind("line " + std::to_string(kPower.X(5.0f)) + " ", 0), 0u);
}

TEST_F(CurvePlots, PowerCurveIsTheRejectionProbabilityOfTheTest) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto curve = curveOf(picture());
    ASSERT_EQ(curve.size(), 52u);
    // 360 device units per unit of probability; the two integrations agree to 0.002.
    for (int i : {0, 12, 25, 31, 38, 50}) {
        const double theta = -1.5 + 0.13 * i;
        const double p = reference(theta).probabilitySig();
        EXPECT_NEAR(yOf(curve[static_cast<std::size_t>(i) + 1]), -360.0 * p, 1.5) << theta;
    }
}

// The vertical guide stands at the design's alternative on its M observations, sqrt(25) *
// 0.5 / 1 = 2.5, where the curve shows the design's actual power; it stood at delta_a = 2.486,
// whose mean on this trial is 0.4973, under the label mu_a = 0.5000. The design block keeps
// delta_a.
TEST_F(CurvePlots, PowerReferenceLinesStandAtTheAlternativePowerAndAlpha) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto log = picture();
    const float alternative = 2.5f;
    EXPECT_TRUE(hasLine(log, kPower.at("move", alternative, -0.22f)));
    EXPECT_TRUE(hasLine(log, kPower.at("line", alternative, 1.0f)));
    EXPECT_TRUE(hasLine(log, kPower.at("line", 5.0f, 0.8f)));
    EXPECT_TRUE(hasLine(log, kPower.at("move", -1.0f, 0.05f)));
    EXPECT_TRUE(hasLine(log, kPower.textAt(alternative + 0.01f, 0.06f, " 2.500")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(alternative + 0.01f, -0.22f, "0.5000")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(-1.45f, 0.05f + 0.02f, "0.0500")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(5.05f, 0.8f + 0.02f, "0.8000")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(-3.5f, -0.47f, "3. Alternative:   delta_a =   2.486")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(0.9f, -0.32f, "Mean Parameter   (delta or mu)")));
}

TEST_F(CurvePlots, PowerMeanScaleUnderEveryHalfDelta) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto log = picture();
    // delta * sigma / sqrt(m) with m = 25 and sigma = 1.
    EXPECT_TRUE(hasLine(log, kPower.textAt(1.0f, -0.135f, "0.2000")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(-1.5f, -0.135f, "-.3000")));
    EXPECT_TRUE(hasLine(log, kPower.textAt(5.0f, -0.135f, "1.0000")));
    EXPECT_TRUE(hasLine(log, kPower.at("move", 0.5f, -0.2f)));
    EXPECT_TRUE(hasLine(log, kPower.textAt(-1.3f, -0.52f, "8. Number of looks:  K =     4")));
}

// sigma = 1e308 lies in its range, but 5 * sigma / sqrt(25) overflows: the label fills with
// asterisks, as a value too wide for its field does, and no label of any plot shows "Inf".
TEST_F(CurvePlots, LabelsThatOverflowShowAsterisks) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    ui.type(panel::kSdCombo, "1e308");
    ui.click(panel::kSequentialDesignButton);
    plotPower();
    EXPECT_TRUE(hasLine(picture(), kPower.textAt(5.0f, -0.135f, "******")));
    for (int command : {menu::kPlotPower, menu::kPlotBoundary, menu::kPlotExpectedSize}) {
        plot(command, kPlotDialog);
        const std::regex infinity(R"(\bInf(inity)?\b)");
        for (const std::string& line : linesStarting(picture(), "text "))
            EXPECT_FALSE(std::regex_search(line, infinity)) << command << ": " << line;
    }
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(CurvePlots, ExpectedSizeCurveHasEightyOnePointsAQuarterDeltaApart) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    const auto curve = curveOf(picture());
    ASSERT_EQ(curve.size(), 82u);
    EXPECT_EQ(curve[0].rfind("move " + std::to_string(kExpected.X(-10.0f)) + " ", 0), 0u);
    for (int i = 0; i <= 80; ++i) {
        const float delta = static_cast<float>(i) * 25.0f / 80.0f - 10.0f;  // 0.3125 apart
        EXPECT_EQ(curve[static_cast<std::size_t>(i) + 1].rfind(
                      "line " + std::to_string(kExpected.X(delta)) + " ", 0),
                  0u)
            << i;
    }
}

TEST_F(CurvePlots, ExpectedSizeCurveIsTheExpectedInformationAtStopping) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    const auto curve = curveOf(picture());
    ASSERT_EQ(curve.size(), 82u);
    const std::vector<double> t = shownTimes();
    for (int i : {0, 32, 40, 48, 80}) {
        const double theta = -10.0 + 0.3125 * i;
        const double e = reference(theta).expectedTime(t);
        EXPECT_NEAR(yOf(curve[static_cast<std::size_t>(i) + 1]), -350.0 * e, 1.5) << theta;
    }
}

struct SizeScaleCase {
    const char* m;
    std::vector<std::string> labels;  // at t = 0.1, 0.2, ..., 1.0
};

class SizeScale : public CurvePlots, public ::testing::WithParamInterface<SizeScaleCase> {};

TEST_P(SizeScale, ReadsTheRoundedUpSizeAtEveryTenth) {
    ui.type(panel::kSizeCombo, GetParam().m);
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    const auto log = picture();
    for (int i = 1; i <= 10; ++i) {
        const float y = 0.1f * static_cast<float>(i);
        EXPECT_TRUE(hasLine(log, kExpected.textAt(-9.65f, y, GetParam().labels[i - 1]))) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeScale,
    ::testing::Values(SizeScaleCase{"25",
                                    {"  2.5 ", "  5.0 ", "  7.5 ", " 10.0 ", " 12.5 ", " 15.0 ",
                                     " 17.5 ", " 20.0 ", " 22.5 ", " 25.0 "}},
                      // 25.2 is rounded up to 26
                      SizeScaleCase{"25.2",
                                    {"  2.6 ", "  5.2 ", "  7.8 ", " 10.4 ", " 13.0 ", " 15.6 ",
                                     " 18.2 ", " 20.8 ", " 23.4 ", " 26.0 "}}));

TEST_F(CurvePlots, ExpectedSizeReferenceAndMeanScale) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    const auto log = picture();
    const float alternative = 2.5f;  // sqrt(M) mu_a / sigma, as on the power plot
    EXPECT_TRUE(hasLine(log, kExpected.at("move", alternative, -0.22f)));
    EXPECT_TRUE(hasLine(log, kExpected.textAt(alternative + 0.1f, 0.06f, " 2.500")));
    EXPECT_TRUE(hasLine(log, kExpected.textAt(alternative + 0.1f, -0.22f, " 0.50 ")));
    // 2 * 1 / sqrt(25) = 0.4 under delta = 2, as F5.2 in six characters.
    EXPECT_TRUE(hasLine(log, kExpected.textAt(2.0f, -0.135f, " 0.40 ")));
    EXPECT_TRUE(hasLine(log, kExpected.textAt(-10.0f, -0.135f, "-2.00 ")));
    // Even ticks are the long ones, on both rows.
    EXPECT_TRUE(hasLine(log, kExpected.at("line", 2.0f, -0.03f)));
    EXPECT_TRUE(hasLine(log, kExpected.at("line", 3.0f, -0.02f)));
    EXPECT_TRUE(hasLine(log, kExpected.at("line", 2.0f, -0.17f)));
    EXPECT_TRUE(hasLine(log, kExpected.at("line", -10.0f + 0.35f, 0.1f)));
}

struct OtherDesignCase {
    const char* name;
    int menuCommand;
    const Plot* plot;
    float meanLabelX;  // where a data-scale mean label would stand
    WorldPoint line4;
    WorldPoint line5;
};

class OtherDesign : public CurvePlots, public ::testing::WithParamInterface<OtherDesignCase> {};

TEST_P(OtherDesign, ShowsNeitherDataScaleMeansNorSizesNorLinesFiveToEight) {
    const OtherDesignCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode(brownianDesign()));
    plot(c.menuCommand, kPlotDialog);
    const auto log = picture();
    const Plot& p = *c.plot;
    const auto textsAt = [&](float x, float y) {
        return linesStarting(log, "text " + std::to_string(p.X(x)) + " " + std::to_string(p.Y(y)));
    };
    EXPECT_TRUE(textsAt(c.meanLabelX, -0.135f).empty());
    EXPECT_TRUE(textsAt(c.line5.x, c.line5.y).empty());
    EXPECT_EQ(textsAt(c.line4.x, c.line4.y).size(), 1u);
    EXPECT_FALSE(hasLine(log, p.at("move", 0.0f, -0.2f)));  // no second row of ticks
    EXPECT_TRUE(linesStarting(log, "text " + std::to_string(kExpected.X(-9.65f)) + " ").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Plots, OtherDesign,
    ::testing::Values(
        OtherDesignCase{"power", menu::kPlotPower, &kPower, 1.0f, {-3.5f, -0.52f}, {-1.3f, -0.37f}},
        OtherDesignCase{"expected",
                        menu::kPlotExpectedSize,
                        &kExpected,
                        2.0f,
                        {-18.8f, -0.6f},
                        {-8.0f, -0.45f}}),
    [](const ::testing::TestParamInfo<OtherDesignCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace qalix::testing
