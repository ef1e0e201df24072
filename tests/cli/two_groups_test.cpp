// Two-group trials on the command line, against the textbook two-sample formulas: the sizes
// per group, the difference of the means at each boundary, the equivalence with the one-sample
// design of SD sigma (1 + r) / sqrt(r), and the analysis of looks whose groups drift from the
// ratio.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli_run.hpp"
#include "file_folder.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

// Published standard normal quantiles: z_0.975 and z_0.9.
constexpr double kZ975 = 1.959963985;
constexpr double kZ90 = 1.281551566;

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A shown field {"text", "value"}: its text, which must not be empty, and its value.
std::string shown(const JsonValue& field) {
    const std::string text = field["text"].text;
    EXPECT_FALSE(text.empty());
    return text;
}
double value(const JsonValue& field) {
    return field["value"].number();
}

JsonValue jsonOf(const std::vector<std::string>& args) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.json();
}

TEST(TwoGroups, FixedSampleGroupsAreTheTwoSampleFormulaRoundedUpPerGroup) {
    // alpha 0.025, power 0.9, difference 0.3, sigma 1: N = (z_a + z_b)^2 (1 + r)^2 / (r 0.09).
    for (const double r : {1.0, 2.0, 3.0, 0.5}) {
        SCOPED_TRACE(r);
        const double N = std::pow(kZ975 + kZ90, 2) * std::pow(1.0 + r, 2) / (r * 0.09);
        const double control = std::ceil(N / (1.0 + r));
        const double treatment = std::ceil(r * N / (1.0 + r));
        const JsonValue d =
            jsonOf({"fixed", "--allocation", std::to_string(r), "--alpha", "0.025", "--power",
                    "0.9", "--mu", "0.3", "--sd", "1", "--solve", "m", "--json"});
        EXPECT_EQ(d["values"]["controlSize"].number(), control);
        EXPECT_EQ(d["values"]["treatmentSize"].number(), treatment);
        EXPECT_EQ(d["values"]["m"].number(), control + treatment);
        if (r == 1.0) {
            EXPECT_EQ(control, 234);  // the standard two-sample answer
        }
    }
}

TEST(TwoGroups, RatioOneIsTheOneSampleDesignWithTwiceTheSdAndTheSameTotal) {
    const std::vector<std::string> common = {"design", "--alpha", "0.025",         "--mu",
                                             "0.3",    "--m",     "468",           "--looks",
                                             "4",      "--json",  "--look-details"};
    const JsonValue two = jsonOf(with(common, {"--allocation", "1", "--sd", "1"}));
    const JsonValue one = jsonOf(with(common, {"--sd", "2"}));
    for (const char* value : {"a", "actualSigLevel", "actualPower", "maxDiscordance"})
        EXPECT_EQ(two["values"][value].number(), one["values"][value].number()) << value;
    for (std::size_t k = 0; k < 4; ++k) {
        for (const char* field : {"lowerStd", "upperStd", "lowerP", "upperP"})
            EXPECT_EQ(shown(two["boundaries"][k][field]), shown(one["boundaries"][k][field]));
    }
}

TEST(TwoGroups, EveryLookGivesItsGroupsAndTheDifferenceAtItsBoundaries) {
    const JsonValue d =
        jsonOf({"design", "--allocation", "2", "--alpha", "0.025", "--power", "0.9", "--mu", "0.3",
                "--sd", "1.5", "--looks", "3", "--json", "--look-details"});
    EXPECT_EQ(d["allocation"].number(), 2.0);
    const double M = d["values"]["m"].number();
    for (std::size_t k = 0; k < 3; ++k) {
        const JsonValue& look = d["looks"][k];
        const JsonValue& b = d["boundaries"][k];
        const double n1 = value(look["controlSize"]);
        const double n2 = value(look["treatmentSize"]);
        EXPECT_EQ(n1 + n2, value(look["cumulative"]));
        // The control group's share of the trial, to the nearest patient.
        EXPECT_EQ(n1,
                  std::round(d["values"]["controlSize"].number() * value(look["cumulative"]) / M));
        const double t = value(b["infoTime"]);
        for (const auto& [difference, brownian] :
             {std::pair{"upperDifference", "upperStd"}, {"lowerDifference", "lowerStd"}}) {
            const double z = value(b[brownian]) / std::sqrt(t);
            EXPECT_NEAR(value(b[difference]), z * 1.5 * std::sqrt(1.0 / n1 + 1.0 / n2), 1e-5);
        }
        EXPECT_FALSE(b.has("upperSum"));
    }
}

using TwoGroupFiles = FileFolderTest;

TEST_F(TwoGroupFiles, TablesNameTheGroupsAndTheDifference) {
    const CliRun r = run(
        {"design", "--allocation", "1.5", "--mu", "0.5", "--looks", "2", "--csv", path("b.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = fileText(path("b.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\r')),
              "look,information_time,group_size,cumulative_size,control_size,treatment_size,"
              "futility_difference,significance_difference,futility_brownian,"
              "significance_brownian,futility_p_value,significance_p_value");
}

TEST(TwoGroups, InformationTimeHasNoGroupsToAllocate) {
    for (const char* command : {"fixed", "design", "report", "analyse"}) {
        const CliRun r = run({command, "--design", "brownian", "--allocation", "2"});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find("no patients to allocate"), std::string::npos) << r.err;
    }
    const CliRun outOfRange = run({"design", "--allocation", "200"});
    EXPECT_EQ(outOfRange.status, 1);
    EXPECT_NE(outOfRange.err.find("from 0.01 to 100"), std::string::npos) << outOfRange.err;
}

TEST_F(TwoGroupFiles, DesignFilesKeepTheRatioAndInformationTimeRefusesIt) {
    const std::vector<std::string> design = {"design", "--allocation", "2", "--mu",
                                             "0.3",    "--looks",      "3"};
    ASSERT_EQ(run(with(design, {"--save-design", path("g")})).status, 0);
    const CliRun opened = run({"design", "--open", path("g.qalixdesign"), "--print-command"});
    EXPECT_EQ(opened.out, run(with(design, {"--print-command"})).out);
    EXPECT_NE(opened.out.find("--allocation 2"), std::string::npos) << opened.out;
    const CliRun brownian =
        run({"design", "--open", path("g.qalixdesign"), "--design", "brownian"});
    EXPECT_EQ(brownian.status, 2);
    EXPECT_NE(brownian.err.find("no patients to allocate"), std::string::npos) << brownian.err;
}

TEST(TwoGroups, CompareVariesTheRatio) {
    const CliRun r = run({"compare", "--allocation", "1;2", "--power", "0.9", "--mu", "0.3",
                          "--solve", "m", "--looks", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("--allocation 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("--allocation 2"), std::string::npos) << r.out;
}

// Looks of a two-group trial, the same trial as one sample of SD 2 (ratio 1, sigma 1): the
// analysis must not tell them apart.
TEST(TwoGroups, AnalysisOfBalancedGroupsIsTheOneSampleAnalysis) {
    const std::vector<std::string> design = {"analyse", "--alpha", "0.025",   "--mu", "0.3",
                                             "--m",     "468",     "--looks", "3",    "--json"};
    const JsonValue two = jsonOf(with(
        design, {"--allocation", "1", "--sd", "1", "--observed", "n1=78,n2=78,mean1=0.1,mean2=0.4",
                 "--observed", "n1=156,n2=156,diff=0.35"}))["analysis"];
    const JsonValue one = jsonOf(with(design, {"--sd", "2", "--observed", "n=156,mean=0.3",
                                               "--observed", "n=312,mean=0.35"}))["analysis"];
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(shown(two["looks"][k]["z"]), shown(one["looks"][k]["z"]));
        EXPECT_EQ(two["looks"][k]["decision"].text, one["looks"][k]["decision"].text);
        EXPECT_FALSE(two["looks"][k]["decision"].text.empty());
        EXPECT_EQ(shown(two["looks"][k]["difference"]), shown(one["looks"][k]["mean"]));
    }
    for (const char* name : {"pValue", "estimate", "lower", "upper"})
        EXPECT_EQ(shown(two["final"][name]), shown(one["final"][name])) << name;
}

TEST(TwoGroups, GroupsThatDriftFromTheRatioAreWeighedByTheirInformation) {
    // Ratio 1 on 468 patients: 234 per group, information 117 at the end. A first look with
    // 60 control and 96 treatment patients has information 1/(1/60 + 1/96) = 36.923.
    const JsonValue a = jsonOf({"analyse", "--allocation", "1", "--alpha", "0.025", "--mu", "0.3",
                                "--sd", "1", "--m", "468", "--looks", "3", "--observed",
                                "n1=60,n2=96,mean1=0,mean2=0.2", "--json"})["analysis"];
    const JsonValue& look = a["looks"][0];
    const double information = 1.0 / (1.0 / 60 + 1.0 / 96);
    EXPECT_NEAR(value(look["t"]), information / 117.0, 1e-12);
    EXPECT_NEAR(value(look["z"]), 0.2 * std::sqrt(information), 1e-12);
    EXPECT_EQ(value(look["n1"]), 60);
    EXPECT_EQ(value(look["n2"]), 96);
    EXPECT_EQ(value(look["n"]), 156);
}

TEST(TwoGroups, LooksOfTheOtherKindAreRefusedWithTheKeysToGive) {
    const std::vector<std::string> two = {"analyse", "--allocation", "1", "--m",
                                          "100",     "--looks",      "2"};
    for (const char* look : {"n=20,mean=0.5", "n1=10,n2=10,mean1=0.2", "n1=10,mean1=0,mean2=1"}) {
        const CliRun r = run(with(two, {"--observed", look}));
        EXPECT_EQ(r.status, 1) << look;
        EXPECT_NE(r.err.find("The look 1"), std::string::npos) << r.err;
    }
    const CliRun one =
        run({"analyse", "--m", "100", "--looks", "2", "--observed", "n1=10,n2=10,diff=0.5"});
    EXPECT_EQ(one.status, 1);
    EXPECT_NE(one.err.find("one sample"), std::string::npos) << one.err;
}

}  // namespace
}  // namespace qalix::testing
