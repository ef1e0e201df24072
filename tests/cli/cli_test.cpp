// The command line, run in-process as a user runs it: options typed into the panel, output
// read back as text or JSON, message boxes on standard error with status 1.
#include <gtest/gtest.h>

#include "cli_run.hpp"
#include "design/info_time_ids.hpp"
#include "platform/headless/session.hpp"
#include "shell/startup.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

TEST(CommandLine, FixedSolvesForTheSampleSize) {
    const CliRun r = run({"fixed", "--solve", "m"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("panel.m: 24.73\n"), std::string::npos) << r.out;
    EXPECT_TRUE(r.err.empty());
}

TEST(CommandLine, FixedJsonHoldsTextsAndFullValues) {
    const CliRun r = run({"fixed", "--design", "brownian", "--power", "0.90", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(member(r.out, "design"), "brownian");
    EXPECT_EQ(member(r.out, "mu"), "2.9264");  // delta_a = z_0.95 + z_0.9, 4 decimals
    // altDelta in full: z_0.95 + z_0.9 = 2.9264052 with exact quantiles; the program's within 1e-5.
    EXPECT_NEAR(std::stod(member(r.out, "altDelta")), 2.926405192496, 1e-5);
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
}

TEST(CommandLine, OptionsAreTypedInOrderAfterTheDesign) {
    // sigma 2 and mu 1 give m = (2.48647 * 2 / 1)^2 = 24.73 again.
    const CliRun r = run({"fixed", "--sd", "2", "--mu", "1", "--solve", "m", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(member(r.out, "sd"), "2");
    EXPECT_EQ(member(r.out, "m"), "24.73");
}

TEST(CommandLine, MessageBoxGoesToStandardErrorWithStatusOne) {
    const CliRun r = run({"fixed", "--alpha", "1.5", "--solve", "m"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: The significance level alpha must lie between 0.0001 and 1.\n");
    EXPECT_TRUE(r.out.empty());
}

TEST(CommandLine, DesignSearchesTheCoefficient) {
    const CliRun r =
        run({"design", "--design", "brownian", "--looks", "4", "--rho", "0.02", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(member(r.out, "a").substr(0, 6), "2.9526");
    EXPECT_EQ(member(r.out, "actualSigLevel"), "0.0509");
    EXPECT_EQ(member(r.out, "actualPower"), "0.7989");
    EXPECT_NE(r.out.find("\"searchIterates\":[0.4,1.24"), std::string::npos);
    EXPECT_NE(r.out.find("{\"look\":4,\"infoTime\":{\"text\":\"1.000\",\"value\":1.0}"),
              std::string::npos);
}

TEST(CommandLine, DesignFromATypedCoefficient) {
    const CliRun r =
        run({"design", "--design", "brownian", "--looks", "4", "--a", "2.953", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(member(r.out, "rho"), "0.0200");
    EXPECT_EQ(member(r.out, "a"), "2.953");
    EXPECT_EQ(member(r.out, "actualSigLevel"), "0.0509");
    EXPECT_EQ(member(r.out, "actualPower"), "0.7989");
}

TEST(CommandLine, GroupSizesAreTypedIntoTheInformationTimes) {
    const CliRun r = run({"design", "--m", "50", "--groups", "10,10,10", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Update Changes: the last group takes the rest, 50 - 30 = 20; times N/m with 3 decimals.
    EXPECT_NE(r.out.find("{\"look\":4,\"infoTime\":{\"text\":\"1.000\",\"value\":1.0},"
                         "\"groupSize\":{\"text\":\"20\",\"value\":20},"
                         "\"cumulative\":{\"text\":\"50\",\"value\":50}}"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"infoTime\":{\"text\":\"0.600\",\"value\":0.6}"), std::string::npos);
    const CliRun wrong = run({"design", "--groups", "10,10"});
    EXPECT_EQ(wrong.status, 2);
}

TEST(CommandLine, CharacteristicsAndBoundariesPerLook) {
    const CliRun r = run({"design", "--looks", "4", "--rho", "0.02", "--delta", "0,2.48647",
                          "--look-details", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"characteristics\":[{\"delta\":\"0\",\"looks\":[{\"look\":1,"),
              std::string::npos);
    EXPECT_NE(r.out.find("{\"delta\":\"2.48647\""), std::string::npos);
    // Every path stops by the last look; both boundaries meet at z_0.95 with P-value alpha.
    EXPECT_NE(r.out.find("\"stopBy\":{\"text\":\"1.0000\""), std::string::npos);
    EXPECT_NE(r.out.find("\"lowerStd\":{\"text\":\"1.6449\""), std::string::npos);
    EXPECT_NE(r.out.find("\"upperP\":{\"text\":\"0.0500\""), std::string::npos);
    for (const char* key :
         {"\"expected\":{\"EN\":", "\"discordance\":{\"all\":", "\"boundaries\":["}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    }
}

TEST(CommandLine, MeansOnTheDataScale) {
    const CliRun normal = run({"design", "--means", "0.5", "--json"});
    ASSERT_EQ(normal.status, 0) << normal.err;
    EXPECT_NE(normal.out.find("{\"mu\":\"0.5\""), std::string::npos);
}

// The modal rule holds in the program the command line drives as on a screen: while the
// information-time dialog is open, neither a frame command nor the panel below it takes input;
// once it has closed, both do.
TEST(CommandLine, NothingBelowAModalDialogTakesInput) {
    Session s;
    s.platform().onModal(kStartScreenDialog,
                         [&](Dialog&) { s.ui().click(kStartScreenDialog, startscreen::kStart); });
    ASSERT_TRUE(startUp(s.program()));
    FrameWindow& frame = s.program().frame();
    s.platform().onModal(kInfoTimeDialog, [&](Dialog&) {
        EXPECT_THROW(frame.command(menu::kTextWindow), ControlRefused);
        EXPECT_THROW(s.ui().click(panel::kBrownianDesign), ControlRefused);
        EXPECT_THROW(s.ui().type(panel::kLooksCombo, "5"), ControlRefused);
        s.ui().click(kInfoTimeDialog, infotimes::kOk);
    });
    s.ui().click(panel::kGroupSizesButton);
    frame.command(menu::kTextWindow);
    EXPECT_EQ(frame.mode(), FrameMode::Text);
    s.ui().type(panel::kLooksCombo, "5");
    EXPECT_EQ(s.ui().text(panel::kLooksCombo), "5");
}

}  // namespace
}  // namespace qalix::testing
