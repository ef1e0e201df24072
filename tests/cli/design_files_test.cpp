// Designs that leave the program and come back: a design file saved and opened again, the
// command printed for a design run again, a file edited by hand, and files the program must
// refuse, each with the file, line and key named.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "cli_run.hpp"
#include "file_folder.hpp"
#include "shell_words.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

// Sequential designs of every kind of input: sizes solved or typed, groups, times, a given a,
// means on both scales, curves, a calibrated level and the power held.
const std::vector<std::vector<std::string>> kDesigns = {
    {"design", "--looks", "4", "--m", "25", "--delta", "0.0,2.5", "--look-details"},
    {"design", "--looks", "3", "--m", "50", "--groups", "10,20", "--rho", "0.01", "--means",
     "0.1,0.5", "--look-details"},
    {"design", "--design", "brownian", "--looks", "5", "--times", "0.1,0.3,0.6,0.8", "--rho",
     "0.005", "--delta", "1.5", "--look-details"},
    {"design", "--looks", "10", "--m", "100", "--a", "4.401", "--delta", "2.0"},
    {"design", "--looks", "6", "--alpha", "0.025", "--power", "0.9", "--sd", "2", "--mu", "0.75",
     "--rho", "0.02", "--delta", "0.0,1.0", "--curves"},
    {"design", "--design", "brownian", "--looks", "3", "--solve", "alpha", "--power", "0.85",
     "--rho", "0.03"},
    {"design", "--looks", "4", "--level", "exact", "--hold-power", "--look-details"},
    {"design", "--design", "brownian", "--looks", "3", "--alpha", "0.025", "--level",
     "exact-nonbinding", "--hold-power"},
};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The options that only choose what is printed, to ask the same of a reopened design.
std::vector<std::string> outputOptions(const std::vector<std::string>& args) {
    std::vector<std::string> kept = {"--json"};
    for (const std::string& a : args) {
        if (a == "--look-details" || a == "--curves") kept.push_back(a);
    }
    return kept;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class DesignFiles : public FileFolderTest {};

TEST_F(DesignFiles, ASavedDesignOpensToTheSameReport) {
    for (const auto& args : kDesigns) {
        SCOPED_TRACE(args[2]);
        const std::string file = path("trial.qalixdesign");
        const CliRun original = run(with(args, {"--json", "--save-design", file}));
        ASSERT_EQ(original.status, 0) << original.err;
        const CliRun reopened = run(with({"design", "--open", file}, outputOptions(args)));
        ASSERT_EQ(reopened.status, 0) << reopened.err;
        EXPECT_EQ(reopened.out, original.out);
        EXPECT_EQ(reopened.err, "");  // the results agree: nothing said
    }
}

TEST_F(DesignFiles, ThePrintedCommandReproducesTheDesign) {
    for (const auto& args : kDesigns) {
        SCOPED_TRACE(args[2]);
        const CliRun printed = run(with(args, {"--print-command"}));
        ASSERT_EQ(printed.status, 0) << printed.err;
        std::vector<std::string> words = shellWords(printed.out);
        ASSERT_GE(words.size(), 2u);
        EXPECT_EQ(words[0], "qalix");
        words.erase(words.begin());
        const CliRun again = run(with(words, outputOptions(args)));
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, run(with(args, {"--json"})).out);
        // The same line from the design's file.
        const std::string file = path("trial.qalixdesign");
        ASSERT_EQ(run(with(args, {"--save-design", file})).status, 0);
        EXPECT_EQ(run({"design", "--open", file, "--print-command"}).out, printed.out);
    }
}

TEST_F(DesignFiles, ACommandQuotesWhatTheShellWouldSplit) {
    const std::string file = path("trial.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "3", "--save-design", file}).status, 0);
    std::string text = fileText(file);
    text = std::regex_replace(text, std::regex("\"text\": \"0.800\""), "\"text\": \" 0.8\"");
    writeText(file, text);
    const CliRun printed = run({"design", "--open", file, "--print-command"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_NE(printed.out.find("--power ' 0.8'"), std::string::npos) << printed.out;
}

TEST_F(DesignFiles, AHandEditedRhoOpensWithTheChangeAndSaysWhereResultsDiffer) {
    const std::string file = path("trial.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--rho", "0.02", "--save-design", file}).status, 0);
    std::string text = fileText(file);
    const std::string typed = "\"rho\": {\n      \"text\": \"0.02\",\n      \"value\": 0.02\n";
    const auto at = text.find(typed);
    ASSERT_NE(at, std::string::npos) << text.substr(0, 800);
    text.replace(at, typed.size(),
                 "\"rho\": {\n      \"text\": \"0.005\",\n      \"value\": 0.005\n");
    writeText(file, text);

    const CliRun opened = run({"design", "--open", file, "--json"});
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, run({"design", "--looks", "4", "--rho", "0.005", "--json"}).out);
    std::smatch program;
    const std::string saved = fileText(file);
    ASSERT_TRUE(std::regex_search(saved, program, std::regex("\"program\": \"([^\"]*)\"")));
    EXPECT_EQ(opened.err,
              "Design File: The results differ from those the design file holds "
              "(written by " +
                  program[1].str() +
                  "), first at panel.rho: \"0.02\" in the file, \"0.005\" now.\n");
    // Options given with the file change its design: its results are not compared.
    EXPECT_EQ(run({"design", "--open", file, "--rho", "0.01"}).err, "");
}

// A value shown in full may differ in its last bits between systems whose exp differs in the
// last bit: a file written on one opened on the other once reported a difference at panel.a.
// Within 1e-12 the texts show one value; beyond it the difference is real and said.
TEST_F(DesignFiles, TheLastBitsOfAValueShownInFullAreNoDifference) {
    const std::string file = path("trial.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--rho", "0.02", "--save-design", file}).status, 0);
    const std::string text = fileText(file);
    // a as this build computes it: builds differ in its last bits too.
    std::smatch found;
    ASSERT_TRUE(std::regex_search(text, found, std::regex("\"a\": \"([0-9.]+)\"")));
    const std::string shown = found[0].str();
    const double a = std::stod(found[1].str());
    ASSERT_NEAR(a, 2.94579100649, 1e-10);
    const auto digits = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        return std::string(buffer);
    };
    // 5.7e-14 apart, as two systems' values of this a once were; then 1e-10 apart.
    const std::string close = digits(a + 5.7e-14);
    const std::string apart = digits(a + 1e-10);
    const struct {
        const char* other;
        const char* notice;
    } cases[] = {
        {close.c_str(), ""},
        {apart.c_str(), "Design File: The results differ from those the design file holds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.other);
        std::string edited = text;
        edited.replace(edited.find(shown), shown.size(), "\"a\": \"" + std::string(c.other) + "\"");
        writeText(file, edited);
        const CliRun opened = run({"design", "--open", file});
        ASSERT_EQ(opened.status, 0) << opened.err;
        const std::string notice = c.notice;
        if (notice.empty()) {
            EXPECT_EQ(opened.err, "");
        } else {
            EXPECT_EQ(opened.err.substr(0, notice.size()), notice);
        }
    }
}

TEST_F(DesignFiles, OptionsGivenWithAFileOverrideItsInputs) {
    const std::string file = path("trial.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--m", "40", "--save-design", file}).status, 0);
    // m was typed: solving it again drops the typed size.
    EXPECT_EQ(run({"design", "--open", file, "--solve", "m", "--json"}).out,
              run({"design", "--looks", "4", "--solve", "m", "--json"}).out);
    EXPECT_EQ(run({"design", "--open", file, "--looks", "6", "--json"}).out,
              run({"design", "--looks", "6", "--m", "40", "--json"}).out);
}

TEST_F(DesignFiles, ANameWithoutExtensionGetsTheDesignExtension) {
    ASSERT_EQ(run({"design", "--save-design", path("trial")}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(path("trial.qalixdesign")));
    ASSERT_EQ(run({"design", "--save-design", path("trial.json")}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(path("trial.json")));
}

// A file the program wrote, with one change, and what it must say.
struct Hostile {
    std::string what;
    std::string from;  // replaced in a saved design file; empty: the whole text is `to`
    std::string to;
    std::string message;
};

TEST_F(DesignFiles, HostileFilesAreRefusedNamingLineAndKey) {
    const std::vector<Hostile> cases = {
        {"not JSON", "", "this is no design", "line 1"},
        {"cut off", "", "{\n  \"format\": \"qalix-design\",\n", "line 3"},
        {"another format", "\"format\": \"qalix-design\"", "\"format\": \"png\"",
         "line 2, key \"format\""},
        {"newer version", "\"version\": 1", "\"version\": 7", "reads version 1"},
        {"input missing",
         "\"alpha\": {\n      \"text\": \"0.050\",\n      \"value\": 0.05\n    },\n    ", "",
         "\"alpha\" is missing"},
        {"unknown input", "\"solve\": \"m\"", "\"solve\": \"m\", \"gamma\": 1",
         "key \"inputs.gamma\""},
        {"wrong type", "\"looks\": {\n      \"text\": \"4\"", "\"looks\": {\n      \"text\": 4",
         "key \"inputs.looks.text\" cannot be opened: it must be a text"},
        {"out of range", "\"text\": \"0.050\"", "\"text\": \"1.5\"", "1.5 lies outside"},
        {"too many looks", "\"text\": \"4\"", "\"text\": \"17\"", "key \"inputs.looks.text\""},
        {"not a number", "\"text\": \"0.800\"", "\"text\": \"lots\"", "\"lots\" is not one number"},
        {"a number beyond any double", "\"value\": 0.05", "\"value\": 1e999",
         "line 12 cannot be opened: it holds a number too large to read"},
        {"both rho and a", "\"rho\": {", "\"a\": {\"text\": \"3\", \"value\": 3}, \"rho\": {",
         "either \"rho\""},
        // The value is the text's number, for readers without the program: it must agree.
        {"a value that is not its text's", "\"value\": 0.05", "\"value\": 0.5",
         "key \"inputs.alpha.value\" cannot be opened: 0.5 is not the number its text 0.050 "
         "reads as (0.05)"},
        {"a value given as a text", "\"value\": 0.05", "\"value\": \"0.05\"",
         "key \"inputs.alpha.value\" cannot be opened: it must be a number"},
        {"no value", "\"text\": \"0.050\",\n      \"value\": 0.05", "\"text\": \"0.050\"",
         "key \"inputs.alpha\" cannot be opened: \"value\" is missing"},
        {"a key given twice", "\"looks\": {", "\"looks\": 4,\n    \"looks\": {",
         "lines 27 and 28 cannot be opened: key \"inputs.looks\" is given twice"},
    };
    const std::string saved = path("saved.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--save-design", saved}).status, 0);
    const std::string text = fileText(saved);
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.what);
        std::string hostile = c.to;
        if (!c.from.empty()) {
            hostile = text;
            const auto at = hostile.find(c.from);
            ASSERT_NE(at, std::string::npos);
            hostile.replace(at, c.from.size(), c.to);
        }
        const std::string file = path("hostile.qalixdesign");
        writeText(file, hostile);
        const CliRun r = run({"design", "--open", file, "--json"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("The design file " + file), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(DesignFiles, ANewerVersionSaysWhichVersionItNeeds) {
    const std::string file = path("newer.qalixdesign");
    writeText(file, "{\n  \"format\": \"qalix-design\",\n  \"version\": 2\n}\n");
    const CliRun r = run({"design", "--open", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("version 2"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("reads version 1"), std::string::npos) << r.err;
}

TEST_F(DesignFiles, HugeAndDeepFilesAreRefusedBeforeTheyAreRead) {
    const std::string huge = path("huge.qalixdesign");
    { std::ofstream(huge) << "{"; }
    std::filesystem::resize_file(huge, std::uintmax_t{100} << 20);  // sparse: costs no disk
    const CliRun big = run({"design", "--open", huge});
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find("larger than 4 MiB"), std::string::npos) << big.err;

    const std::string deep = path("deep.qalixdesign");
    writeText(deep, std::string(10000, '[') + std::string(10000, ']'));
    const CliRun nested = run({"design", "--open", deep});
    EXPECT_EQ(nested.status, 1);
    EXPECT_NE(nested.err.find("The design file " + deep), std::string::npos) << nested.err;
}

TEST_F(DesignFiles, TheBoundaryTableHoldsWhatTheLookDetailsShow) {
    const std::string csv = path("looks.csv");
    const CliRun r = run({"design", "--looks", "3", "--m", "50", "--groups", "10,20", "--json",
                          "--look-details", "--csv", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csvRows(fileText(csv));
    ASSERT_EQ(rows.size(), 4u);  // the header and three looks
    const JsonValue report = r.json();
    for (std::size_t k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(rows[k].size(), rows[0].size());
        EXPECT_EQ(rows[k][0], std::to_string(k));
        const JsonValue& look = report["looks"].items[k - 1];
        EXPECT_DOUBLE_EQ(std::stod(rows[k][1]), look["infoTime"]["value"].number());
        EXPECT_EQ(rows[k][3], look["cumulative"]["text"].text);
    }
    // The last look's two boundaries meet at the full-sample test's critical value.
    const auto& header = rows[0];
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    EXPECT_EQ(rows[3][column("futility_brownian")], rows[3][column("significance_brownian")]);
    EXPECT_NEAR(std::stod(rows[3][column("significance_p_value")]), 0.05, 1e-6);
}

TEST_F(DesignFiles, TheCurvesTableHasAPointForEachThetaOnBothScales) {
    const std::string csv = path("curves.csv");
    const CliRun r =
        run({"design", "--looks", "4", "--sd", "2", "--json", "--curves", "--curves-csv", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csvRows(fileText(csv));
    ASSERT_GT(rows.size(), 2u);
    const JsonValue report = r.json();
    // theta = sqrt(N) mean / sigma, N the maximum sample size, sigma 2.
    const double N = report["looks"].items.back()["cumulative"]["value"].number();
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_NEAR(std::stod(rows[i][1]), std::sqrt(N) * std::stod(rows[i][2]) / 2.0, 1e-9) << i;
    }
}

TEST_F(DesignFiles, AFailedSaveSaysSoAndLeavesTheOldFile) {
    const std::string file = path("missing-folder/trial.qalixdesign");
    const CliRun r = run({"design", "--save-design", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot save the file"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qalix::testing
