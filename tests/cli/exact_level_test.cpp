// Designs at an exact level, checked by computations that share nothing with the program's: the
// level of the boundaries it prints, by multivariate normal integration (exact_levels/, written
// by scripts/reference/exact_levels.sh); the power held, against the design one observation
// smaller; the analysis of a trial that ends on the last boundary.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.hpp"
#include "support/reference_table.hpp"

namespace qalix::testing {
namespace {

// The level must be alpha to this, by the integration's own error on top.
constexpr double kLevelTolerance = 2e-5;
// The boundaries printed now are those the reference integrated: single-precision fields.
constexpr double kSameBoundary = 1e-6;

struct LevelCase {
    std::string name;
    std::vector<std::string> args;
};

std::vector<LevelCase> levelCases() {
    std::vector<LevelCase> cases;
    std::ifstream in(std::string(QALIX_SOURCE_DIR) + "/tests/cli/exact_levels/cases.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto colon = line.find(':');
        LevelCase c{line.substr(0, colon), {}};
        std::istringstream words(line.substr(colon + 1));
        for (std::string w; words >> w;)
            c.args.push_back(w);
        cases.push_back(std::move(c));
    }
    return cases;
}

template <typename Rows>
std::map<std::string, std::vector<ReferenceRow>> byCase(const Rows& rows) {
    std::map<std::string, std::vector<ReferenceRow>> grouped;
    for (const ReferenceRow& row : rows)
        grouped[row.text("case")].push_back(row);
    return grouped;
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(ExactLevels, TheBoundariesTheProgramPrintsHaveTheLevelAlpha) {
    const auto bounds = byCase(readReferenceTable("tests/cli/exact_levels/boundaries.csv"));
    const auto levels = byCase(readReferenceTable("tests/cli/exact_levels/reference.csv"));
    const std::vector<LevelCase> cases = levelCases();
    ASSERT_GE(cases.size(), 10u);
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(with(c.args, {"--look-details", "--json"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const JsonValue design = r.json();
        const std::vector<ReferenceRow>& looks = bounds.at(c.name);
        ASSERT_EQ(design["boundaries"].items.size(), looks.size());
        for (std::size_t k = 0; k < looks.size(); ++k) {
            const JsonValue& b = design["boundaries"][k];
            EXPECT_NEAR(b["infoTime"]["value"].number(), looks[k].number("t"), kSameBoundary);
            EXPECT_NEAR(b["lowerStd"]["value"].number(), looks[k].number("lower_s"), kSameBoundary);
            EXPECT_NEAR(b["upperStd"]["value"].number(), looks[k].number("upper_s"), kSameBoundary);
        }
        // The last look's boundary is the critical value the design names.
        EXPECT_NEAR(design["criticalValue"]["value"].number(), looks.back().number("upper_s"),
                    kSameBoundary);

        const ReferenceRow& level = levels.at(c.name).front();
        const double alpha = level.number("alpha");
        const bool binding = level.text("level") == "exact";
        EXPECT_EQ(design["level"].text, level.text("level"));
        const std::string held = binding ? "binding" : "nonbinding";
        const std::string other = binding ? "nonbinding" : "binding";
        EXPECT_NEAR(level.number(held), alpha, kLevelTolerance + level.number(held + "_error"));
        // Futility stops only remove rejections.
        if (binding) {
            EXPECT_GT(level.number(other), alpha);
        } else {
            EXPECT_LT(level.number(other), alpha);
        }
    }
}

// The critical value moves the boundaries along z t; a and the discordance stay where the
// search put them.
TEST(ExactLevels, KeepTheCoefficientAndTheDiscordance) {
    const std::vector<std::vector<std::string>> designs = {
        {"design", "--looks", "4"},
        {"design", "--looks", "9", "--alpha", "0.01", "--rho", "0.05"},
        {"design", "--design", "brownian", "--looks", "3", "--times", "0.2,0.7"},
        {"design", "--looks", "5", "--a", "3.1"},
    };
    for (const auto& args : designs) {
        SCOPED_TRACE(args[2]);
        std::map<std::string, JsonValue> values;
        for (const std::string level : {"nominal", "exact", "exact-nonbinding"}) {
            const CliRun r = run(with(args, {"--level", level, "--json"}));
            ASSERT_EQ(r.status, 0) << r.err;
            values[level] = r.json();
        }
        for (const std::string key : {"a", "achievedRho", "maxDiscordance"}) {
            const double nominal = values["nominal"]["values"][key].number();
            EXPECT_EQ(values["exact"]["values"][key].number(), nominal) << key;
            EXPECT_EQ(values["exact-nonbinding"]["values"][key].number(), nominal) << key;
        }
        // Ignoring futility adds rejections, so that level needs the larger z.
        EXPECT_LT(values["exact"]["criticalValue"]["value"].number(),
                  values["exact-nonbinding"]["criticalValue"]["value"].number());
    }
}

struct HeldCase {
    std::vector<std::string> design;  // without the power
    std::string power;
};

// The size held is the smallest whole one whose power reaches the target: the same design one
// observation smaller, its looks divided as the program divides them, falls short.
TEST(HeldPower, TheSizeIsTheSmallestThatReachesThePower) {
    const std::vector<HeldCase> cases = {
        {{"design", "--looks", "4", "--level", "exact"}, "0.800"},
        {{"design", "--looks", "2", "--alpha", "0.025", "--mu", "0.3", "--level",
          "exact-nonbinding"},
         "0.9"},
        {{"design", "--looks", "8", "--alpha", "0.005", "--mu", "0.4", "--rho", "0.05"}, "0.85"},
    };
    for (const HeldCase& c : cases) {
        SCOPED_TRACE(c.design[2] + " looks");
        const CliRun held =
            run(with(c.design, {"--power", c.power, "--solve", "m", "--hold-power", "--json"}));
        ASSERT_EQ(held.status, 0) << held.err;
        const JsonValue d = held.json();
        const double target = std::stod(c.power);
        const double size = d["values"]["m"].number();
        ASSERT_EQ(size, std::floor(size));
        EXPECT_GE(d["values"]["actualPower"].number(), target);
        EXPECT_EQ(d["heldPower"]["quantity"].text, "m");
        EXPECT_EQ(d["heldPower"]["to"].number(), size);
        EXPECT_LT(d["heldPower"]["from"].number(), size);

        const std::string fewer = std::to_string(static_cast<long long>(size) - 1);
        const CliRun smaller = run(with(c.design, {"--solve", "power", "--m", fewer, "--json"}));
        ASSERT_EQ(smaller.status, 0) << smaller.err;
        EXPECT_LT(smaller.json()["values"]["actualPower"].number(), target);
    }
}

TEST(HeldPower, OnInformationTimeTheAlternativeGrowsToThePower) {
    const CliRun r = run({"design", "--design", "brownian", "--looks", "5", "--alpha", "0.025",
                          "--power", "0.9", "--level", "exact", "--hold-power", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue d = r.json();
    EXPECT_NEAR(d["values"]["actualPower"].number(), 0.9, 1e-6);
    EXPECT_EQ(d["heldPower"]["quantity"].text, "altDelta");
    EXPECT_EQ(d["heldPower"]["to"].number(), d["values"]["altDelta"].number());
    // The fixed-sample alternative z_(0.975) + z_(0.9).
    EXPECT_NEAR(d["heldPower"]["from"].number(), 1.959964 + 1.281552, 1e-5);
}

// An outcome exactly on the last boundary has the p-value alpha, and the text compares the
// p-value with alpha itself: at the planned looks and at looks that came off plan (the final
// critical value then solved again).
TEST(ExactLevels, AnOutcomeOnTheLastBoundaryHasThePValueAlpha) {
    const std::vector<std::string> inputs = {"--looks", "3",   "--alpha", "0.025",
                                             "--power", "0.9", "--mu",    "0.3"};
    const CliRun planned = run(with(with({"design"}, inputs), {"--json"}));
    ASSERT_EQ(planned.status, 0) << planned.err;
    const JsonValue plannedDesign = planned.json();
    std::vector<std::string> plannedSizes;
    for (const JsonValue& look : plannedDesign["looks"].items)
        plannedSizes.push_back(look["cumulative"]["text"].text);
    ASSERT_EQ(plannedSizes.size(), 3u);
    for (const std::string level : {"exact", "exact-nonbinding"}) {
        for (const auto& sizes : {plannedSizes, std::vector<std::string>{"30", "90", "125"}}) {
            SCOPED_TRACE(level + " at " + sizes[0]);
            const auto analysed = [&](const std::string& finalZ, const std::string& output) {
                std::vector<std::string> args = with({"analyse"}, inputs);
                args = with(args, {"--level", level, "--observed", "n=" + sizes[0] + ",z=0.5",
                                   "--observed", "n=" + sizes[1] + ",z=1", "--observed",
                                   "n=" + sizes[2] + ",z=" + finalZ});
                if (!output.empty()) args.push_back(output);
                return run(args);
            };
            const CliRun first = analysed("1.9", "--json");
            ASSERT_EQ(first.status, 0) << first.err;
            const JsonValue used = first.json()["analysis"]["timesUsed"];
            EXPECT_EQ(used["level"]["text"].text, "0.0250");
            const std::string critical = used["finalCritical"]["value"].text;
            const CliRun onIt = analysed(critical, "--json");
            ASSERT_EQ(onIt.status, 0) << onIt.err;
            const JsonValue a = onIt.json()["analysis"];
            EXPECT_NEAR(a["final"]["pValue"]["value"].number(), 0.025, 1e-6);
            EXPECT_EQ(a["looks"][2]["decision"].text, "reject");
            EXPECT_NE(analysed(critical, "").out.find("at or below alpha = 0.025"),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace qalix::testing
