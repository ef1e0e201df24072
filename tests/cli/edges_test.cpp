// Command lines that once printed a plainly wrong answer with status 0, as a user typed them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli_run.hpp"

namespace qalix::testing {
namespace {

// A run the program refuses with one message box: status 1, "Caption: text" on stderr.
struct Refused {
    std::vector<std::string> args;
    const char* message;
    const char* once;  // what it printed before
};

void PrintTo(const Refused& c, std::ostream* os) {
    for (const std::string& a : c.args)
        *os << a << ' ';
    *os << "(once: " << c.once << ')';
}

class RefusedRun : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedRun, ShowsOneMessageAndNoNumbers) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: " + std::string(GetParam().message) + "\n");
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedRun,
    ::testing::Values(
        Refused{{"fixed", "--alpha", "0", "--solve", "m"},
                "The significance level alpha must lie between 0.0001 and 1.",
                "m = 112.81"},
        Refused{{"fixed", "--alpha", "-1", "--solve", "m"},
                "The significance level alpha must lie between 0.0001 and 1.",
                "NaN"},
        Refused{{"fixed", "--power", "1", "--solve", "m"},
                "The power must lie between 0 and 0.9999.",
                "Infinity"},
        Refused{{"fixed", "--sd", "-1", "--solve", "m"},
                "The standard deviation sigma must be above 0.",
                "m = 24.73"},
        Refused{{"fixed", "--mu", "0", "--solve", "m"},
                "The alternative mean mu_a must be above 0: the test is one-sided for a "
                "positive mean.",
                "Infinity"},
        Refused{{"fixed", "--mu", "0.0001", "--solve", "m"},
                "The sample size m computed from the other four parameters is outside its "
                "range: it must be above 0 and at most 999999.99.",
                "*********"},
        Refused{{"fixed", "--m", "999999", "--solve", "alpha"},
                "The significance level alpha computed from the other four parameters is "
                "outside its range: it must lie between 0.0001 and 1.",
                "alpha -0.2376"},
        Refused{{"fixed", "--m", "1e5", "--solve", "power"},
                "The power computed from the other four parameters is outside its range: it "
                "must lie between 0 and 0.9999.",
                "power 1.00008"},
        Refused{{"design", "--looks", "4", "--rho", "0.6"},
                "The maximum discordance probability rho_max must lie between 0 and 0.5.",
                "a search that left a > 0"},
        Refused{{"design", "--m", "1e9", "--looks", "4"},
                "The sample size m must lie between 1 and 99999 for a sequential design.",
                "The sample size must be at least the number of looks."},
        Refused{{"design", "--looks", "4", "--delta", "1e308"},
                "The true mean is outside the range the program can compute.",
                "P(sig) = P(fut) = 0"},
        Refused{{"design", "--looks", "4", "--means", "3,1e300"},
                "The true mean is outside the range the program can compute.",
                "Infinity in the delta combo"},
        Refused{{"design", "--looks", "3", "--groups", "2147483647,1"},
                "The group size of look 1 (2147483647) has more digits than the size fields "
                "hold: sizes go up to 99999.",
                "a signed overflow in the sum of the group sizes"},
        Refused{{"design", "--looks", "3", "--groups", "99999,99999"},
                "The group size of look 3 (-199973) has more digits than the size fields "
                "hold: sizes go up to 99999.",
                "a last group of -199973"},
        // The grid, not a true mean, fails here; the least interval is found by bisection
        // (0.0126 by hand: 0.012 fails, 0.013 computes). At the null mean, then at the design
        // alternative.
        Refused{{"design", "--design", "brownian", "--looks", "4", "--times", "0.004,0.5,0.75"},
                "The first look's information time lies too close to 0 for the program's "
                "integration grid (an interval of 0.0040): with a = 3.0155 the shortest interval "
                "it computes there is about 0.0126.",
                "The true mean is outside the range the program can compute."},
        Refused{{"design", "--design", "brownian", "--looks", "4", "--times", "0.25,0.5,0.999"},
                "The last two looks lie too close together for the program's integration grid "
                "(an interval of 0.0010): with a = 3.1266 the shortest interval it computes "
                "there is about 0.0012.",
                "The true mean is outside the range the program can compute."},
        // The program's normal quantile is right from 0.0001 on: 1e-10 once gave m = 112.81
        // (z = 4.47 for 6.36), and 1e-320, 0 in single precision, said only "between 0 and 1".
        Refused{{"fixed", "--alpha", "1e-10", "--solve", "m"},
                "The significance level alpha must lie between 0.0001 and 1: 1e-10 is too "
                "small.",
                "m = 112.81"},
        Refused{{"fixed", "--alpha", "1e-320", "--solve", "m"},
                "The significance level alpha must lie between 0.0001 and 1: 1e-320 is too "
                "small.",
                "The significance level alpha must lie between 0 and 1."},
        Refused{{"fixed", "--power", "0.99999", "--solve", "m"},
                "The power must lie between 0 and 0.9999.",
                "m = 18.40 (z = 3.82 for 4.26)"},
        Refused{{"design", "--design", "brownian", "--looks", "4", "--times", "0.1,0.1001,0.8"},
                "The information times must increase strictly from above 0 to exactly 1 at the "
                "last look. Looks 1 and 2 both fall at 0.1: the times are read as the "
                "Information Times dialog shows them, to three decimals.",
                "The information times must increase strictly from above 0 to exactly 1 at the "
                "last look."},
        Refused{{"design", "--open", "missing.qalixdesign"},
                "Cannot open the design file missing.qalixdesign: No such file or directory.",
                "The design file missing.qalixdesign: No such file or directory cannot be "
                "opened."},
        // Another command's name is a file of the first command, not a command of its own.
        Refused{{"import", "--kind", "simu", "plot", "boundary"},
                "Cannot read the file plot: No such file or directory",
                "Cannot read the file boundary"},
        Refused{{"design", "--design", "brownian", "--looks", "4", "--times", "0.25,0.5,0.998"},
                "The last two looks lie too close together for the program's integration grid "
                "(an interval of 0.0020): with a = 3.0457 the shortest interval it computes "
                "there is about 0.0021.",
                "The true mean is outside the range the program can compute."}));

TEST(CommandLineEdges, WholeNumbersTypedIntoAMeanAreWhole) {
    // "--means 3" once read 0.00003 and reported P(significance) 0.0253, the level. With
    // M = 25 and sigma = 1 it is delta = 15: the trial stops for significance at once.
    const CliRun r = run({"design", "--means", "3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue mean = r.json()["characteristics"][0];
    EXPECT_EQ(mean["mu"].text, "3");
    EXPECT_EQ(mean["expected"]["PSig"]["text"].text, "1.0000");
    EXPECT_EQ(mean["looks"][0]["sigAt"]["text"].text, "1.0000");
}

TEST(CommandLineEdges, AFarMeanStopsAtTheFirstLook) {
    // delta = 50 once showed E(N) = 0.0, below the first look's 6 of 25.
    const CliRun r = run({"design", "--looks", "4", "--m", "25", "--delta", "50.0", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue expected = r.json()["characteristics"][0]["expected"];
    EXPECT_EQ(expected["EN"]["text"].text, "6.0");
    EXPECT_EQ(expected["ET"]["text"].text, "0.24000");
}

TEST(CommandLineEdges, ASearchNewtonOvershootsStillReachesItsTarget) {
    // Two looks: rho = Phi(-sqrt(2a)), so rho_max 0.35 is a = 0.385320^2 / 2 = 0.0742; the
    // search once said "a = -0.150 ... out of range".
    const CliRun r =
        run({"design", "--design", "brownian", "--looks", "2", "--rho", "0.35", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue values = r.json()["values"];
    EXPECT_NEAR(values["a"].number(), 0.0742, 2.1e-4);
    EXPECT_NEAR(values["achievedRho"].number(), 0.35, 1e-4);
    for (const JsonValue& a : values["searchIterates"].items)
        EXPECT_GT(a.number(), 0.0);
}

TEST(CommandLineEdges, SizesOfRealTrialsAreShownInFull) {
    const CliRun r =
        run({"design", "--m", "2000", "--looks", "4", "--groups", "500,500,500", "--delta", "2.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"looks[2].cumulative.text: 1000", "looks[4].cumulative.text: 2000",
          "looks[4].cumulative.value: 2000", "characteristics[1].looks[3].cumulative.text: 1500",
          "characteristics[1].looks[3].groupSize.text: 500"}) {
        EXPECT_NE(r.out.find(std::string("\n") + line + "\n"), std::string::npos) << line;
    }
    EXPECT_EQ(r.out.find('*'), std::string::npos);
}

}  // namespace
}  // namespace qalix::testing
