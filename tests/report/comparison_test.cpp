// The comparison of candidate designs as a document: the table and the commands of every
// candidate, and their curves overlaid, each candidate in a pen of its own.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_run.hpp"
#include "cli/file_folder.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

class ComparisonDocument : public FileFolderTest {};

// The strokes of the thick pens in each <svg> element of a document: the curves' and their
// legend samples'.
std::vector<std::set<std::string>> curvePensPerFigure(const std::string& html) {
    static const std::regex kThick(
        "stroke=\"[^\"]*\" stroke-width=\"2\"( stroke-dasharray=\"[^\"]*\")?");
    std::vector<std::set<std::string>> figures;
    for (std::size_t at = html.find("<svg"); at != std::string::npos;
         at = html.find("<svg", at + 1)) {
        const std::string svg = html.substr(at, html.find("</svg>", at) - at);
        std::set<std::string> pens;
        for (auto m = std::sregex_iterator(svg.begin(), svg.end(), kThick);
             m != std::sregex_iterator(); ++m)
            pens.insert(m->str());
        figures.push_back(std::move(pens));
    }
    return figures;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The document --out writes: the text output unchanged, every candidate's command, and in each
// of its two figures a legend line for every candidate and a pen no other candidate has.
TEST_F(ComparisonDocument, ShowsEveryCandidateInAPenOfItsOwn) {
    const std::vector<std::string> args = {"compare", "--looks", "4;8", "--rho", "0.01;0.05"};
    const CliRun plain = run(args);
    const std::string html = path("candidates.html");
    const CliRun written = run(with(args, {"--out", html, "--title", "Trial 7"}));
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, plain.out);
    const std::string document = fileText(html);
    EXPECT_NE(document.find("<h1>Trial 7</h1>"), std::string::npos);
    const JsonValue rows = run(with(args, {"--json"})).json();
    ASSERT_EQ(rows.items.size(), 4u);
    const char* labels[] = {"--looks 4 --rho 0.01", "--looks 4 --rho 0.05", "--looks 8 --rho 0.01",
                            "--looks 8 --rho 0.05"};
    for (std::size_t i = 0; i < rows.items.size(); ++i) {
        SCOPED_TRACE(labels[i]);
        EXPECT_NE(document.find(rows[i]["command"].text), std::string::npos);
        EXPECT_EQ(occurrences(document, std::to_string(i + 1) + "   " + labels[i] + "</text>"), 2u);
    }
    const auto figures = curvePensPerFigure(document);
    ASSERT_EQ(figures.size(), 2u);
    for (const auto& pens : figures)
        EXPECT_EQ(pens.size(), rows.items.size());
}

}  // namespace
}  // namespace qalix::testing
