// The main control panel as the user finds it after start-up and after each design choice.
#include <map>

#include "design/panel_ids.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;

using Panel = StartedProgram;

TEST_F(Panel, StartsOnNormalOutcomesWithTheStartupValues) {
    EXPECT_TRUE(ui.checked(kNormseqDesign));
    EXPECT_TRUE(record().designKind == "normseq");
    // The start-up computation of m (24.73) is undone by the design choice that follows it.
    const std::map<int, std::string> shown = {
        {kSdCombo, "1.000"},   {kMuCombo, "0.500"}, {kAlphaCombo, "0.050"}, {kPowerCombo, "0.800"},
        {kSizeCombo, "25.00"}, {kLooksCombo, "4"},  {kRhoCombo, "0.02"}};
    for (const auto& [control, text] : shown)
        EXPECT_EQ(ui.text(control), text) << control;
    EXPECT_EQ(record().numLooks, 0);  // set only when the information times are entered
    EXPECT_TRUE(takeMessages().empty());
    // The first button of each radio group starts pressed.
    for (int c : {kSizeButton, kRhoButton, kCloseWindow, kSimulatedSamples, kBoundaryButton}) {
        EXPECT_TRUE(ui.checked(c)) << c;
    }
}

struct DesignCase {
    int button;
    const char* key;
    std::map<int, bool> enabled;
    const char* sizeCaption;
    const char* meanCaption;
    const char* sizeText;
    const char* meanText;
};

void PrintTo(const DesignCase& c, std::ostream* os) {
    *os << c.key;
}

class DesignChoice : public Panel, public ::testing::WithParamInterface<DesignCase> {};

TEST_P(DesignChoice, ResetsParametersAndSetsEnabledStates) {
    const DesignCase& c = GetParam();
    ui.type(kSdCombo, "2");
    ui.click(kSizeButton);
    ui.click(c.button);
    EXPECT_TRUE(record().designKind == c.key);
    EXPECT_DOUBLE_EQ(record().stdDev, 1.0);
    EXPECT_FLOAT_EQ(record().alpha, 0.05f);
    EXPECT_EQ(ui.text(kSdCombo), "1.000");
    EXPECT_EQ(ui.text(kSizeCombo), c.sizeText);
    EXPECT_EQ(ui.text(kMuCombo), c.meanText);
    EXPECT_EQ(ui.text(kSizeButton), c.sizeCaption);
    EXPECT_EQ(ui.text(kMuButton), c.meanCaption);
    for (const auto& [control, on] : c.enabled)
        EXPECT_EQ(ui.enabled(control), on) << control;
}

// Enabled states that differ between the designs, and a few that are off in all three.
const std::map<int, bool> kNormseq = {{kSizeButton, true},       {kSdCombo, true},
                                      {kLooksCombo, true},       {kGroupSizesButton, true},
                                      {kInfoTimesButton, false}, {kRhoButton, false},
                                      {kCoeffButton, false},     {kSequentialDesignButton, false},
                                      {kActualSigEdit, true},    {kBoundaryButton, false},
                                      {kSimulatedSamples, false}};
const std::map<int, bool> kBrownian = {
    {kSizeButton, false},  {kMuButton, false},           {kSdCombo, false},
    {kSizeCombo, false},   {kPowerButton, true},         {kAlphaCombo, true},
    {kLooksCombo, true},   {kGroupSizesButton, false},   {kInfoTimesButton, true},
    {kCoeffButton, false}, {kCharacteristicsGroup, true}};
const std::map<int, bool> kFixed = {{kSizeButton, true},
                                    {kSdCombo, true},
                                    {kSequentialGroup, false},
                                    {kLooksCombo, false},
                                    {kRhoCombo, false},
                                    {kCoeffCombo, false},
                                    {kDiscordanceEdit, false},
                                    {kGroupSizesButton, false},
                                    {kInfoTimesButton, false},
                                    {kActualSigEdit, false},
                                    {kCharacteristicsGroup, false}};

INSTANTIATE_TEST_SUITE_P(
    Designs, DesignChoice,
    ::testing::Values(DesignCase{kNormseqDesign, "normseq", kNormseq,
                                 "Sample Size m =", "Alt. Mean mu_a =", "25.00", "0.500"},
                      DesignCase{kBrownianDesign, "brownian", kBrownian,
                                 "Number of grids:", "Alt Mean delta_a =", "300", "2.486"},
                      DesignCase{kFixedDesign, "fixed", kFixed,
                                 "Sample Size m =", "Alt. Mean mu_a =", "25.00", "0.500"}),
    [](const ::testing::TestParamInfo<DesignCase>& param) { return std::string(param.param.key); });

TEST_F(Panel, CombosKeepTheirListsInTextOrder) {
    const Dialog& p = program.panel();
    EXPECT_EQ(p.item(kSdCombo, 0), "0.1");
    // "10.0" sorts before "2.0" as text.
    std::vector<std::string> sd;
    for (int i = 0; i < p.getInt(kSdCombo, Index::ItemCount); ++i)
        sd.push_back(p.item(kSdCombo, i));
    EXPECT_TRUE(std::is_sorted(sd.begin(), sd.end()));
    const auto ten = std::find(sd.begin(), sd.end(), "10.0");
    const auto two = std::find(sd.begin(), sd.end(), "2.0");
    ASSERT_NE(ten, sd.end());
    EXPECT_LT(ten, two);
    // The number of looks keeps its numeric order, 2 to 16.
    ASSERT_EQ(p.getInt(kLooksCombo, Index::ItemCount), 15);
    EXPECT_EQ(p.item(kLooksCombo, 0), "2");
    EXPECT_EQ(p.item(kLooksCombo, 14), "16");
    EXPECT_EQ(p.getInt(kCoeffCombo, Index::ItemCount), 27);
    EXPECT_EQ(p.getInt(kRhoCombo, Index::ItemCount), 24);
}

TEST_F(Panel, DisabledControlsRefuseTheUser) {
    try {
        ui.click(kRhoButton);
        FAIL() << "a disabled button was clicked";
    } catch (const ControlRefused& e) {
        EXPECT_NE(std::string(e.what()).find("1054"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("disabled"), std::string::npos);
    }
    ui.click(kFixedDesign);
    EXPECT_THROW(ui.type(kLooksCombo, "5"), ControlRefused);
}

TEST_F(Panel, ExitEndsTheProgram) {
    EXPECT_FALSE(platform.quitRequested());
    ui.click(kExitButton);
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_EQ(platform.quitCode(), 0);
}

}  // namespace
}  // namespace qalix::testing
