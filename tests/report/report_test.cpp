// The design report as a reviewer reads it: every number the dialogs show for the design, in
// their formats; the command it prints reproduces them; the scales it adds agree with hand
// calculation; and it states how far its probabilities move on a grid four times finer.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.hpp"
#include "cli/file_folder.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

std::string unescaped(std::string text) {
    for (const auto& [entity, plain] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                        {"&gt;", ">"},
                                        {"&quot;", "\""},
                                        {"&amp;", "&"}}) {
        for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, entity.size(), plain);
    }
    return text;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A table cell holding exactly the text.
bool hasCell(const std::string& html, const std::string& text) {
    return html.find(">" + trimmed(text) + "</td>") != std::string::npos;
}

std::string fixed4(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

class Report : public FileFolderTest {};

struct ReportCase {
    std::vector<std::string> design;
    bool brownian;
};

TEST_F(Report, ShowsWhatTheDialogsShowAndItsCommandReproducesIt) {
    const std::vector<ReportCase> cases = {
        {{"--looks", "4", "--rho", "0.02"}, false},
        {{"--looks", "5", "--m", "60", "--groups", "10,10,15,15", "--a", "3.5"}, false},
        {{"--design", "brownian", "--looks", "6", "--rho", "0.01"}, true},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.design[1]);
        std::vector<std::string> args = {"report", "--out", path("report.html")};
        args.insert(args.end(), c.design.begin(), c.design.end());
        const CliRun made = run(args);
        ASSERT_EQ(made.status, 0) << made.err;
        const std::string html = fileText(path("report.html"));

        std::smatch command;
        ASSERT_TRUE(
            std::regex_search(html, command, std::regex("<code>(qalix design [^<]*)</code>")));
        std::vector<std::string> again = words(unescaped(command[1]));
        again.erase(again.begin());
        again.insert(again.end(), {"--look-details", "--json"});
        const CliRun design = run(again);
        ASSERT_EQ(design.status, 0) << design.err;
        const JsonValue json = design.json();

        // Over the range of means (0, 1/4, 1/2, 3/4, 1 and 3/2 of the alternative): power,
        // expected time and the early stops; in detail at the null, halfway and the
        // alternative.
        const auto& range = json["characteristics"].items;
        ASSERT_EQ(range.size(), 6u);
        for (std::size_t i = 0; i < range.size(); ++i) {
            const JsonValue& at = range[i];
            for (const char* field : {"ET", "PSig"})
                EXPECT_TRUE(hasCell(html, at["expected"][field]["text"].text)) << field;
            const auto& looks = at["looks"].items;
            EXPECT_TRUE(hasCell(html, looks[looks.size() - 2]["stopBy"]["text"].text));
            if (i % 2 != 0) continue;
            for (const JsonValue& look : looks) {
                for (const char* field : {"sigAt", "sigBy", "stopAt", "stopBy"})
                    EXPECT_TRUE(hasCell(html, look[field]["text"].text)) << field;
            }
            for (const char* field : {"PFut"})
                EXPECT_TRUE(hasCell(html, at["expected"][field]["text"].text)) << field;
            for (const char* field : {"all", "sig", "fut"})
                EXPECT_TRUE(hasCell(html, at["discordance"][field]["text"].text)) << field;
        }
        for (const char* field : {"a", "maxDiscordance", "actualSigLevel", "actualPower"})
            EXPECT_TRUE(hasCell(html, json["panel"][field].text)) << field;

        // Boundaries of the interim looks: the dialog's texts, Z = S_t / sqrt(t), and the mean
        // that reaches each.
        const auto& boundaries = json["boundaries"].items;
        for (std::size_t k = 0; k + 1 < boundaries.size(); ++k) {
            const JsonValue& b = boundaries[k];
            for (const char* field : {"upperStd", "lowerStd", "upperP", "lowerP"})
                EXPECT_TRUE(hasCell(html, b[field]["text"].text)) << field;
            const double t = b["infoTime"]["value"].number();
            const double upper = b["upperStd"]["value"].number();
            EXPECT_TRUE(hasCell(html, fixed4(upper / std::sqrt(t)))) << "Z";
            const double mean =
                c.brownian ? upper / t : b["upperSum"]["value"].number() / b["n"].number();
            EXPECT_TRUE(hasCell(html, fixed4(mean))) << "mean scale";
        }
        // At the last look the full-sample test's z_0.95 alone decides, in one line.
        EXPECT_NE(unescaped(html).find("reject H0 if Z >= 1.6449, else accept it"),
                  std::string::npos);
    }
}

TEST_F(Report, StatesTheAccuracyOnAFinerGrid) {
    ASSERT_EQ(run({"report", "--looks", "4", "--out", path("report.html")}).status, 0);
    const std::string html = fileText(path("report.html"));
    std::smatch within;
    ASSERT_TRUE(std::regex_search(html, within, std::regex("agree to within ([0-9.e+-]+)")));
    // The grid's own error: the probabilities shown to four decimals stay as they are.
    EXPECT_LT(std::stod(within[1]), 5e-5);
    EXPECT_NE(html.find("800 outer intervals instead of 200"), std::string::npos);
}

TEST_F(Report, MeansAskedForJoinTheThreeOfTheDesign) {
    ASSERT_EQ(run({"report", "--looks", "3", "--mean", "0.1", "--mean", "0.75", "--out",
                   path("report.html")})
                  .status,
              0);
    const std::string html = fileText(path("report.html"));
    for (const char* mean : {"mu = 0<", "mu = 0.25<", "mu = 0.5<", "mu = 0.1<", "mu = 0.75<"})
        EXPECT_NE(html.find(mean), std::string::npos) << mean;
}

TEST_F(Report, AReportFromADesignFileNamesItsHash) {
    const std::string file = path("trial.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--save-design", file, "--title", "Trial <A>"}).status,
              0);
    ASSERT_EQ(run({"report", "--open", file, "--out", path("report.html")}).status, 0);
    const std::string html = fileText(path("report.html"));
    EXPECT_NE(html.find("<h1>Trial &lt;A&gt;</h1>"), std::string::npos);
    EXPECT_TRUE(std::regex_search(html, std::regex("SHA-256</th><td><code>[0-9a-f]{64}</code>")));
}

// A design file's own means join the report's three (they were dropped), and a mean the design
// command refuses is refused by the report and the comparison alike (they accepted it).
TEST_F(Report, ADesignFilesMeansJoinItAndAreCheckedAsTheDesignChecksThem) {
    const std::string file = path("means.qalixdesign");
    ASSERT_EQ(
        run({"design", "--looks", "4", "--means", "0.123,0.777", "--save-design", file}).status, 0);
    ASSERT_EQ(run({"report", "--open", file, "--mean", "0.4", "--out", path("r.html")}).status, 0);
    const std::string html = fileText(path("r.html"));
    for (const char* mean :
         {"mu = 0<", "mu = 0.25<", "mu = 0.5<", "mu = 0.123<", "mu = 0.777<", "mu = 0.4<"})
        EXPECT_NE(html.find(mean), std::string::npos) << mean;

    std::string text = fileText(file);
    const std::string typed = "\"text\": \"0.777\",\n          \"value\": 0.777";
    ASSERT_NE(text.find(typed), std::string::npos);
    text.replace(text.find(typed), typed.size(),
                 "\"text\": \"1e200\",\n          \"value\": 1e200");
    std::ofstream(path("far.qalixdesign"), std::ios::binary) << text;
    const std::string refused = "The true mean is outside the range the program can compute.";
    const CliRun design = run({"design", "--open", path("far.qalixdesign")});
    EXPECT_EQ(design.status, 1);
    EXPECT_NE(design.err.find(refused), std::string::npos) << design.err;
    const CliRun report =
        run({"report", "--open", path("far.qalixdesign"), "--out", path("f.html")});
    EXPECT_EQ(report.status, 1);
    EXPECT_NE(report.err.find(refused), std::string::npos) << report.err;
    const CliRun compare = run({"compare", "--open", path("far.qalixdesign")});
    EXPECT_EQ(compare.status, 1);
    EXPECT_NE(compare.err.find(refused), std::string::npos) << compare.err;
}

// Titles and file names are UTF-8 from the command line to the page: each character outside
// ASCII once came out encoded twice in the HTML and PDF (U+00DC as U+00C3 U+0153), and file
// names as "d??sign" in the comparison's legend.
TEST_F(Report, TextOutsideAsciiIsUtf8FromEndToEnd) {
    const std::string title =
        "\xc3\x9c"
        "n"
        "\xc3\xaf"
        "c"
        "\xc3\xb8"
        "d"
        "\xc3\xa9";
    ASSERT_EQ(run({"report", "--looks", "4", "--title", title, "--out", path("u.html")}).status, 0);
    const std::string report = fileText(path("u.html"));
    EXPECT_NE(report.find("<h1>" + title + "</h1>"), std::string::npos);

#ifdef _WIN32
    // The Windows build still takes a file's name in the system's code page, not as UTF-8: the
    // comparison shows such a name re-encoded. Known, and not yet mended there.
    return;
#endif
    const std::string name = "d\xc3\xa9sign";
    ASSERT_EQ(run({"design", "--looks", "4", "--save-design", path(name)}).status, 0);
    ASSERT_EQ(
        run({"compare", "--open", path(name + ".qalixdesign"), "--out", path("c.html")}).status, 0);
    const std::string comparison = fileText(path("c.html"));
    EXPECT_NE(comparison.find(name + ".qalixdesign</td>"), std::string::npos);    // the table
    EXPECT_NE(comparison.find(name + ".qalixdesign</text>"), std::string::npos);  // the legend
    for (const std::string& html : {report, comparison}) {
        EXPECT_EQ(html.find("\xc3\x83"), std::string::npos);  // UTF-8 taken for Latin-1
        EXPECT_EQ(html.find("d??sign"), std::string::npos);
    }
}

}  // namespace
}  // namespace qalix::testing
