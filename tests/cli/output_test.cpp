// What the command line prints: "path: value" lines with 1-based array indices, JSON whose
// every shown field is a {text, value} pair that agrees, curves point by point with their
// means, and only values the program used.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "cli_run.hpp"

namespace qalix::testing {
namespace {

bool hasLine(const std::string& out, const std::string& line) {
    return out.find("\n" + line + "\n") != std::string::npos || out.rfind(line + "\n", 0) == 0;
}

TEST(CommandLineOutput, TextLinesCountArrayItemsFromOne) {
    const CliRun r = run({"design", "--design", "brownian", "--looks", "2", "--rho", "0.01",
                          "--delta", "2.0,3.0", "--look-details"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"design: brownian", "values.searchIterates[1]: 0.4", "looks[1].look: 1",
          "looks[1].infoTime.text: 0.500", "looks[1].infoTime.value: 0.5",
          "looks[2].infoTime.text: 1.000", "looks[2].groupSize.text:  ",
          "looks[2].groupSize.value: null", "characteristics[1].delta: 2.0",
          "characteristics[2].delta: 3.0", "characteristics[2].looks[2].look: 2",
          "characteristics[2].looks[2].groupSize.value: null",
          "characteristics[2].looks[2].cumulative.text: 300",
          "characteristics[2].looks[2].cumulative.value: 300", "boundaries[2].look: 2",
          "boundaries[2].n: 300", "boundaries[2].upperSum.value: null"}) {
        EXPECT_TRUE(hasLine(r.out, line)) << line;
    }
    EXPECT_FALSE(hasLine(r.out, "looks[0].look: 0"));
    EXPECT_EQ(r.out.find("looks[3]"), std::string::npos);
}

// The number of decimals a fixed field shows.
int decimalsOf(const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

bool blankOrNotApplicable(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos || text == "n/a";
}

// Calls f on every {text, value} object of the document, with its path.
void eachShownPair(const JsonValue& v, const std::string& path,
                   const std::function<void(const std::string&, const JsonValue&)>& f) {
    if (v.kind == JsonValue::Kind::Object && v.members.size() == 2 && v.has("text") &&
        v.has("value")) {
        f(path, v);
        return;
    }
    for (const auto& [key, member] : v.members)
        eachShownPair(member, path + "." + key, f);
    for (std::size_t i = 0; i < v.items.size(); ++i)
        eachShownPair(v.items[i], path + "[" + std::to_string(i) + "]", f);
}

TEST(CommandLineOutput, EveryShownTextIsItsValueInTheFieldsFormat) {
    const std::vector<std::vector<std::string>> designs = {
        {"design", "--looks", "4", "--delta", "0.0,2.5,-40.0,100.0", "--look-details"},
        {"design", "--looks", "3", "--m", "50", "--groups", "10,20", "--means", "0.1,0.5",
         "--look-details"},
        {"design", "--design", "brownian", "--looks", "5", "--times", "0.1,0.3,0.6,0.8", "--delta",
         "1.5,-3", "--look-details"},
        {"design", "--looks", "4", "--m", "2000", "--groups", "500,500,500", "--look-details",
         "--delta", "2.5"},
    };
    for (auto args : designs) {
        args.push_back("--json");
        const CliRun r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        int pairs = 0;
        eachShownPair(r.json(), "", [&](const std::string& path, const JsonValue& pair) {
            ++pairs;
            const std::string& text = pair["text"].text;
            const JsonValue& value = pair["value"];
            if (blankOrNotApplicable(text)) {
                EXPECT_TRUE(value.isNull()) << path << " shows \"" << text << '"';
                return;
            }
            ASSERT_FALSE(value.isNull()) << path;
            char formatted[64];
            std::snprintf(formatted, sizeof formatted, "%.*f", decimalsOf(text), value.number());
            const std::string expected =
                decimalsOf(text) == 0 ? std::to_string(std::lround(value.number())) : formatted;
            EXPECT_EQ(text, expected) << path << " value " << value.text;
        });
        EXPECT_GT(pairs, 40);
    }
}

TEST(CommandLineOutput, CurvesGiveEachPointWithItsMean) {
    const CliRun r = run({"design", "--looks", "4", "--curves", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue doc = r.json();
    const JsonValue& power = doc["powerFunction"];
    ASSERT_EQ(power.items.size(), 51u);  // theta from -1.5 to 5 in 50 steps
    EXPECT_EQ(power[0]["theta"].text, "-1.5");
    EXPECT_NEAR(power[50]["theta"].number(), 5.0, 1e-12);
    for (const JsonValue& point : power.items) {
        EXPECT_NEAR(point["reject"].number() + point["accept"].number(), 1.0, 1e-6);
    }
    EXPECT_NEAR(power[10]["theta"].number(), -1.5 + 10 * 6.5 / 50, 1e-12);
    const JsonValue& expected = doc["expectedInformation"];
    ASSERT_EQ(expected.items.size(), 81u);  // theta from -10 to 15 in 80 steps
    EXPECT_EQ(expected[0]["theta"].text, "-10.0");
    EXPECT_NEAR(expected[80]["theta"].number(), 15.0, 1e-12);
    for (const JsonValue& point : expected.items) {
        EXPECT_GE(point["expectedTime"].number(), 0.24 - 1e-6);  // the first look, 6 of 25
        EXPECT_LE(point["expectedTime"].number(), 1.0 + 1e-6);
    }
    const CliRun text = run({"design", "--looks", "4", "--curves"});
    EXPECT_TRUE(hasLine(text.out, "powerFunction[1].theta: -1.5"));
    EXPECT_TRUE(hasLine(text.out, "expectedInformation[1].theta: -10.0"));
    EXPECT_NE(text.out.find("\npowerFunction[51].accept: "), std::string::npos);
}

TEST(CommandLineOutput, NormseqDesignSolvesTheSampleSizeFirst) {
    // From alpha 0.05, power 0.8, sigma 1 and mu_a 0.5: m = 24.73, as the fixed command gives.
    const CliRun solved = run({"design", "--json"});
    ASSERT_EQ(solved.status, 0) << solved.err;
    EXPECT_EQ(member(solved.out, "m"), "24.73");
    const CliRun other = run({"design", "--mu", "0.25", "--json"});  // four times the size
    EXPECT_EQ(member(other.out, "m"), "98.92");
    const CliRun typed = run({"design", "--m", "25", "--json"});
    EXPECT_EQ(member(typed.out, "m"), "25");
    const CliRun power = run({"design", "--solve", "power", "--json"});  // m stays 25
    EXPECT_EQ(member(power.out, "m"), "25.00");
    EXPECT_EQ(member(power.out, "power"), "0.8038");
    const CliRun grids = run({"design", "--design", "brownian", "--json"});
    EXPECT_EQ(member(grids.out, "m"), "300");
}

TEST(CommandLineOutput, ReportsTheCoefficientUsedAndTheDiscordanceItReaches) {
    // The coefficient reported is the searched one, 2.6409...; it once reported 0.
    const CliRun searched = run({"design", "--looks", "3", "--json"});
    ASSERT_EQ(searched.status, 0) << searched.err;
    const JsonValue doc = searched.json();
    const JsonValue& values = doc["values"];
    EXPECT_EQ(values["a"].text, values["searchIterates"].items.back().text);
    EXPECT_NEAR(values["a"].number(), 2.6409, 1e-4);
    // A small target is reached within 1e-4, not exactly: the user sees what was reached.
    const CliRun small = run({"design", "--looks", "4", "--rho", "0.0001", "--json"});
    ASSERT_EQ(small.status, 0) << small.err;
    const double achieved = small.json()["values"]["achievedRho"].number();
    EXPECT_LT(std::abs(achieved - 0.0001), 1e-4);
    EXPECT_GT(achieved, 0.00015);
}

TEST(CommandLineOutput, NothingPrintedIsInfinityOrNaN) {
    const std::vector<std::vector<std::string>> runs = {
        {"design", "--looks", "4", "--delta", "-100.0,100.0,0", "--look-details", "--curves"},
        {"design", "--looks", "2", "--a", "50", "--delta", "2.5", "--look-details"},
        {"fixed", "--mu", "0.003", "--solve", "m"},  // m = 686962.36, the most its field shows
    };
    for (const auto& args : runs) {
        for (const bool json : {false, true}) {
            auto a = args;
            if (json) a.push_back("--json");
            const CliRun r = run(a);
            EXPECT_EQ(r.status, 0) << r.err;
            const std::regex notANumber("(^|[^A-Za-z])(Infinity|NaN|nan|inf)([^A-Za-z]|$)");
            EXPECT_FALSE(std::regex_search(r.out, notANumber)) << r.out;
        }
    }
}

}  // namespace
}  // namespace qalix::testing
