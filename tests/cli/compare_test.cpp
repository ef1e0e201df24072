// qalix compare: a row holds what the design command shows for its candidate, the candidates
// are the product of the alternatives in the order stated, threads change no byte, and a
// candidate the options cannot make is refused before anything is computed.
#include <gtest/gtest.h>

#include <cmath>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/design_options.hpp"
#include "cli/options.hpp"
#include "cli_run.hpp"
#include "document/candidate_runs.hpp"
#include "file_folder.hpp"
#include "shell_words.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A shown field of the row against the design's: the text as shown, trimmed, and the value as
// the design JSON wrote it.
void expectSame(const JsonValue& row, const std::string& column, const JsonValue& design) {
    EXPECT_EQ(row[column]["text"].text, trim(design["text"].text)) << column;
    EXPECT_EQ(row[column]["value"].text, design["value"].text) << column;
}

// The panel's text and the value the program used, as the design JSON holds them.
void expectPanel(const JsonValue& row, const std::string& column, const JsonValue& design) {
    EXPECT_EQ(row[column]["text"].text, trim(design["panel"][column].text)) << column;
    EXPECT_EQ(row[column]["value"].text, design["values"][column].text) << column;
}

// Candidates of both designs and every way of entering one: m solved or typed, groups, times,
// a typed, mu and alpha solved.
const std::vector<std::vector<std::string>> kCandidates = {
    {"--looks", "4"},
    {"--looks", "3", "--m", "50", "--groups", "10,20", "--rho", "0.01"},
    {"--design", "brownian", "--looks", "5", "--times", "0.1,0.3,0.6,0.8", "--rho", "0.005"},
    {"--looks", "10", "--m", "100", "--a", "4.401"},
    {"--looks", "6", "--solve", "mu", "--m", "80", "--sd", "2"},
    {"--design", "brownian", "--looks", "3", "--solve", "alpha", "--power", "0.85"},
};

TEST(Compare, ARowIsWhatTheDesignCommandShowsAtTheNullAndTheAlternative) {
    for (const auto& options : kCandidates) {
        SCOPED_TRACE(options[1]);
        const CliRun compared = run(with(with({"compare"}, options), {"--json"}));
        ASSERT_EQ(compared.status, 0) << compared.err;
        const JsonValue rows = compared.json();
        ASSERT_EQ(rows.items.size(), 1u);
        const JsonValue& row = rows[0];
        const bool brownian = row["design"].text == "brownian";
        const std::string alternative = row["alternative"]["text"].text;
        const CliRun designed =
            run(with(with({"design"}, options),
                     {brownian ? "--delta" : "--means", "0.0," + alternative, "--json"}));
        ASSERT_EQ(designed.status, 0) << designed.err;
        const JsonValue d = designed.json();
        EXPECT_EQ(row["alternative"]["value"].text, d["values"][brownian ? "altDelta" : "mu"].text);
        const std::size_t K = d["looks"].items.size();
        EXPECT_EQ(row["looks"]["text"].text, trim(d["panel"]["looks"].text));
        EXPECT_EQ(row["looks"]["value"].text, std::to_string(K));
        for (const char* column : {"a", "maxDiscordance", "actualSigLevel", "actualPower"})
            expectPanel(row, column, d);
        // rho(a; 0), the discordance the coefficient reaches at the critical value.
        EXPECT_NEAR(row["rhoMax"]["value"].number(), d["values"]["achievedRho"].number(), 1e-15);
        expectSame(row, "nonbindingLevel", d["nonbindingLevel"]);
        const JsonValue& last = d["looks"][K - 1]["cumulative"];
        if (brownian) {
            EXPECT_EQ(row["maxSize"]["text"].text, "");
            EXPECT_TRUE(row["maxSize"]["value"].isNull());
            EXPECT_TRUE(row["maxSizeRatio"]["value"].isNull());
        } else {
            expectSame(row, "maxSize", last);
            // Against the fixed-sample test's M, m rounded up: 1.000 when both take 25, not
            // 25 / 24.73 = 1.011.
            EXPECT_DOUBLE_EQ(row["maxSizeRatio"]["value"].number(),
                             last["value"].number() / std::ceil(d["values"]["m"].number()));
        }
        const JsonValue& atNull = d["characteristics"][0];
        const JsonValue& atAlt = d["characteristics"][1];
        expectSame(row, "expectedSizeNull", atNull["expected"]["EN"]);
        expectSame(row, "expectedSizeAlt", atAlt["expected"]["EN"]);
        expectSame(row, "expectedTimeNull", atNull["expected"]["ET"]);
        expectSame(row, "expectedTimeAlt", atAlt["expected"]["ET"]);
        expectSame(row, "earlyStopNull", atNull["looks"][K - 2]["stopBy"]);
        expectSame(row, "earlyStopAlt", atAlt["looks"][K - 2]["stopBy"]);
        // The row's command is that same design run.
        std::vector<std::string> words = shellWords(row["command"].text);
        ASSERT_EQ(words.at(0), "qalix");
        words.erase(words.begin());
        EXPECT_EQ(run(with(words, {"--json"})).out, designed.out);
    }
}

TEST(Compare, ThreadsChangeNoByteOfTheOutput) {
    const std::vector<std::string> args = {"compare", "--looks", "2;4;8", "--rho", "0.01;0.05"};
    const CliRun one = run(with(args, {"--jobs", "1"}));
    ASSERT_EQ(one.status, 0) << one.err;
    const CliRun oneJson = run(with(args, {"--jobs", "1", "--json"}));
    for (const char* jobs : {"2", "3", "7"}) {
        SCOPED_TRACE(jobs);
        EXPECT_EQ(run(with(args, {"--jobs", jobs})).out, one.out);
        EXPECT_EQ(run(with(args, {"--jobs", jobs, "--json"})).out, oneJson.out);
    }
}

// The candidate's K and the value of an option in its command.
std::vector<std::pair<std::string, std::string>> looksAnd(const JsonValue& rows,
                                                          const std::string& option) {
    std::vector<std::pair<std::string, std::string>> seen;
    for (std::size_t i = 0; i < rows.items.size(); ++i) {
        EXPECT_EQ(rows[i]["candidate"].text, std::to_string(i + 1));
        const std::vector<std::string> words = shellWords(rows[i]["command"].text);
        std::string value;
        for (std::size_t w = 0; w + 1 < words.size(); ++w) {
            if (words[w] == option) value = words[w + 1];
        }
        seen.emplace_back(rows[i]["looks"]["text"].text, value);
    }
    return seen;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

class CompareFiles : public FileFolderTest {};

// Files first, then --looks, then the placing of the looks, then rho or a, the last fastest.
TEST_F(CompareFiles, AlternativesCombineInTheStatedOrder) {
    const CliRun product = run({"compare", "--looks", "3;5", "--rho", "0.01;0.03;0.05", "--json"});
    ASSERT_EQ(product.status, 0) << product.err;
    EXPECT_EQ(looksAnd(product.json(), "--rho"), (Pairs{{"3", "0.01"},
                                                        {"3", "0.03"},
                                                        {"3", "0.05"},
                                                        {"5", "0.01"},
                                                        {"5", "0.03"},
                                                        {"5", "0.05"}}));
    const CliRun groups = run({"compare", "--m", "60", "--looks", "3", "--groups", "10,20;30,10",
                               "--a", "3;4", "--json"});
    ASSERT_EQ(groups.status, 0) << groups.err;
    EXPECT_EQ(looksAnd(groups.json(), "--groups"),
              (Pairs{{"3", "10,20"}, {"3", "10,20"}, {"3", "30,10"}, {"3", "30,10"}}));
    EXPECT_EQ(looksAnd(groups.json(), "--a"),
              (Pairs{{"3", "3"}, {"3", "4"}, {"3", "3"}, {"3", "4"}}));

    const std::string two = path("two.qalixdesign");
    const std::string six = path("six.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "2", "--save-design", two}).status, 0);
    ASSERT_EQ(run({"design", "--design", "brownian", "--looks", "6", "--save-design", six}).status,
              0);
    const CliRun files =
        run({"compare", "--open", two, "--open", six, "--rho", "0.01;0.05", "--json"});
    ASSERT_EQ(files.status, 0) << files.err;
    EXPECT_EQ(looksAnd(files.json(), "--rho"),
              (Pairs{{"2", "0.01"}, {"2", "0.05"}, {"6", "0.01"}, {"6", "0.05"}}));
    EXPECT_EQ(files.json()[3]["design"].text, "brownian");
}

// The CSV holds the rows the JSON holds, column by column under its header, values in full.
TEST_F(CompareFiles, TheCsvHoldsEveryRowInFull) {
    const std::string csv = path("rows.csv");
    const CliRun r =
        run({"compare", "--design", "brownian", "--looks", "3;4", "--csv", csv, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue rows = r.json();
    const auto lines = csvRows(fileText(csv));
    ASSERT_EQ(lines.size(), 3u);
    const std::vector<std::string>& header = lines[0];
    EXPECT_EQ(header.front(), "candidate");
    EXPECT_EQ(header.back(), "command");
    for (std::size_t i = 0; i < rows.items.size(); ++i) {
        const JsonValue& row = rows[i];
        const std::vector<std::string>& fields = lines[i + 1];
        ASSERT_EQ(fields.size(), header.size());
        EXPECT_EQ(fields.back(), row["command"].text);
        EXPECT_EQ(fields[1], row["design"].text);
        EXPECT_EQ(std::strtod(fields[2].c_str(), nullptr), row["alternative"]["value"].number());
        // The JSON keys in the order of the CSV columns between them.
        std::size_t column = 3;
        for (const auto& [key, value] : row.members) {
            if (!value.has("value")) continue;
            if (key == "alternative") continue;
            SCOPED_TRACE(key);
            const std::string& field = fields.at(column++);
            if (value["value"].isNull()) {
                EXPECT_EQ(field, "");
            } else {
                EXPECT_EQ(std::strtod(field.c_str(), nullptr), value["value"].number());
            }
        }
        EXPECT_EQ(column, header.size() - 1);
    }
}

// A candidate the program refuses leaves the others: their rows, its message with its name.
TEST(Compare, ACandidateTheProgramRefusesLeavesTheOthers) {
    const CliRun r = run({"compare", "--looks", "4;17", "--json"});
    EXPECT_EQ(r.status, 1);
    const JsonValue rows = r.json();
    ASSERT_EQ(rows.items.size(), 1u);
    EXPECT_EQ(rows[0]["candidate"].text, "1");
    EXPECT_EQ(r.err.rfind("Candidate 2 (--looks 17): Error: ", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

// Each row's curves are its own candidate's whatever thread computed it and in whatever order
// (the most looks first): the power function and expected information time `qalix design
// --curves` gives for the same options.
TEST(Compare, EachCandidatesCurvesAreThoseOfItsDesign) {
    const std::vector<std::vector<std::string>> candidates = {
        {"--looks", "2", "--m", "40"},
        {"--design", "brownian", "--looks", "3", "--rho", "0.01"},
        {"--looks", "8", "--rho", "0.05"},
    };
    std::vector<DesignInputs> inputs;
    for (const auto& options : candidates)
        inputs.push_back(givenInputs(parseOptions(with({"design"}, options)).inputs, true));
    const std::vector<CandidateOutcome> outcomes = computeCandidates(inputs, 2, true);
    ASSERT_EQ(outcomes.size(), candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        SCOPED_TRACE(candidates[i][1]);
        ASSERT_TRUE(outcomes[i].row.has_value()) << outcomes[i].messages;
        const ComparedCurves& curves = outcomes[i].row->curves;
        const CliRun design = run(with(with({"design"}, candidates[i]), {"--curves", "--json"}));
        ASSERT_EQ(design.status, 0) << design.err;
        const JsonValue json = design.json();
        const JsonValue& power = json["powerFunction"];
        const JsonValue& expected = json["expectedInformation"];
        ASSERT_EQ(curves.power.size(), power.items.size());
        ASSERT_EQ(curves.expected.size(), expected.items.size());
        for (std::size_t j = 0; j < power.items.size(); ++j) {
            EXPECT_EQ(curves.power[j].theta, power[j]["theta"].number());
            EXPECT_EQ(curves.power[j].reject, power[j]["reject"].number());
        }
        for (std::size_t j = 0; j < expected.items.size(); ++j)
            EXPECT_EQ(curves.expected[j].expectedTime, expected[j]["expectedTime"].number());
        EXPECT_EQ(curves.onDataScale, candidates[i][1] != "brownian");
    }
}

struct Refused {
    std::vector<std::string> args;
    std::string message;
};

// Each is refused with status 2 and nothing computed, so nothing on standard output.
TEST(Compare, CandidatesTheOptionsCannotMakeAreRefusedBeforeAnyIsComputed) {
    std::string manyRho = "0.01";
    for (int i = 0; i < 100; ++i)
        manyRho += ";0.02";
    const std::vector<Refused> cases = {
        {{"--design", "brownian", "--looks", "2;4", "--times", "0.5"},
         "the candidate --looks 4 --times 0.5 has 4 looks: give 3 information times, one for "
         "each look before the last, not 1"},
        {{"--looks", "3", "--groups", "10,10;10"},
         "the candidate --looks 3 --groups 10 has 3 looks: give 2 group sizes, one for each look "
         "before the last, not 1"},
        {{"--design", "brownian", "--times", "0.5"},
         "the candidate --times 0.5 has 4 looks: give 3 information times, one for each look "
         "before the last, not 1"},
        {{"--looks", "2;;4"}, "--looks has an empty alternative: \"2;;4\""},
        {{"--rho", "0.01;"}, "--rho has an empty alternative: \"0.01;\""},
        {{"--rho", "0.01;x"}, "--rho takes numbers separated by ';': \"x\" in \"0.01;x\""},
        {{"--groups", "10,x;5"},
         "--groups takes lists of numbers separated by ';': \"10,x\" in \"10,x;5\""},
        {{"--rho", "0.01", "--a", "3"}, "give --rho or --a, not both: a is searched from rho_max"},
        {{"--jobs", "0"}, "--jobs takes a whole number of threads from 1 to 256"},
        {{"--jobs", "two"}, "--jobs takes a whole number: \"two\""},
        {{"--out", "curves.png"}, "--out names the comparison to write: FILE.html or FILE.pdf"},
        {{"--paper", "letter"}, "--paper and --title belong to the comparison --out writes"},
        {{"--out", "c.html", "--paper", "a5"}, "--paper takes a4 or letter"},
        {{"--looks", "2;3;4;5;6;7;8;9;10;11", "--rho", manyRho},
         "compare takes at most 1000 candidates: the alternatives given make more; compare "
         "them in parts"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.message);
        const CliRun r = run(with({"compare"}, c.args));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "qalix: " + c.message + "\n" + usageLine() + "\n");
    }
}

}  // namespace
}  // namespace qalix::testing
