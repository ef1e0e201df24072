#include "report/comparison_html.hpp"

#include <algorithm>

#include "document/utc_time.hpp"
#include "program_version.hpp"
#include "report/comparison_figure.hpp"

namespace qalix {

namespace {

constexpr std::string_view kDefaultTitle = "Comparison of candidate designs";
// The first of the cells' columns that holds an expectation: after "#" and the design's.
constexpr std::size_t kExpectationsFrom = 1 + kDesignColumns;

// Columns [from, to) of the comparison's cells, after the candidate's number.
std::string joinedList(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return out;
}

std::vector<HtmlRow> columns(const std::vector<HtmlRow>& cells, std::size_t from, std::size_t to) {
    std::vector<HtmlRow> part;
    for (const HtmlRow& row : cells) {
        HtmlRow cut = {row.front()};
        cut.insert(cut.end(), row.begin() + static_cast<std::ptrdiff_t>(from),
                   row.begin() + static_cast<std::ptrdiff_t>(std::min(to, row.size())));
        part.push_back(std::move(cut));
    }
    return part;
}

// The table in two, so that every page width takes it: the design, then what it is expected
// to take.
std::string candidatesTables(const std::vector<ComparisonRow>& rows) {
    const std::vector<HtmlRow> cells = comparisonCells(rows);
    std::string out;
    const struct {
        std::size_t from, to;
        const char* caption;
    } parts[] = {
        {1, kExpectationsFrom,
         "Table 1. The candidates: number of looks K, boundary coefficient a, the two "
         "discordances, the critical value z of the last look, the level with futility obeyed and "
         "ignored, the power, the largest "
         "sample size and its ratio to the fixed-sample test's"},
        {kExpectationsFrom, cells.front().size(),
         "Table 2. What each candidate is expected to take: expected sample size and "
         "information time, and the probability of a stop before the last look, under the "
         "null mean 0 and under the alternative"},
    };
    for (const auto& part : parts) {
        std::vector<HtmlRow> table = columns(cells, part.from, part.to);
        const HtmlRow head = table.front();
        table.erase(table.begin());
        out += htmlTable(part.caption, {head}, table);
    }
    return out;
}

// What each column holds, in words a reader can check.
std::string legend() {
    static constexpr const char* kLegend =
        "K: the number of looks. a: the boundary coefficient. rho_max: rho(a; 0), the "
        "probability that an early stop contradicts the full-sample decision given a final "
        "statistic at the critical value (the largest over final values). discordance: the "
        "probability of such a contradiction when the true mean lies on the critical line (the "
        "largest over true means). level: the actual one-sided significance level with the "
        "futility boundaries obeyed (binding); level NB: with them ignored (non-binding). power: "
        "the actual power at the alternative. N max: the largest sample size; N max/M: its ratio "
        "to the fixed-sample test's M, m rounded up. E(N|.) and E(T|.): the expected sample size "
        "and information time at stopping, under the mean 0 and the alternative; P(early|.): the "
        "probability of a stop before the last look.";
    return "<p class=\"note\">" + htmlText(kLegend) + "</p>\n";
}

// The fixed-sample inputs, stated once when every candidate shares them.
std::string sharedInputs(const std::vector<ComparisonRow>& rows) {
    if (rows.empty()) return {};
    std::vector<std::string> shared;
    std::vector<std::string> differing;
    for (std::size_t i = 0; i < rows.front().fixedInputs.size(); ++i) {
        const auto& [name, text] = rows.front().fixedInputs[i];
        const bool same = std::all_of(rows.begin(), rows.end(), [&](const ComparisonRow& r) {
            return i < r.fixedInputs.size() && r.fixedInputs[i] == rows.front().fixedInputs[i];
        });
        (same ? shared : differing).push_back(same ? name + " = " + text : name);
    }
    std::string out = "Every candidate has " + joinedList(shared) + ".";
    if (!differing.empty())
        out += " " + joinedList(differing) + " differ between candidates: see their commands.";
    return "<p>" + htmlText(out) + "</p>\n";
}

std::string commandsTable(const std::vector<ComparisonRow>& rows) {
    std::vector<HtmlRow> body;
    for (const ComparisonRow& r : rows)
        body.push_back({std::to_string(r.candidate), r.label, r.command});
    return htmlTable("Table 3. The command that reproduces each candidate",
                     {{"#", "Candidate", "Command"}}, body, "commands");
}

std::string figures(const std::vector<ComparisonRow>& rows) {
    std::string out = "<h2>Curves</h2>\n";
    if (rows.size() > kMaxFigureCurves) {
        out += "<p class=\"note\">" +
               htmlText("The figures show candidates 1 to " + std::to_string(kMaxFigureCurves) +
                        " of " + std::to_string(rows.size()) +
                        ": more curves could not be told apart.") +
               "</p>\n";
    }
    int number = 1;
    for (const ComparisonPanel panel : {ComparisonPanel::Power, ComparisonPanel::Expected}) {
        out += htmlFigure(comparisonSvg(rows, panel),
                          "Figure " + std::to_string(number++) + ". " + panelCaption(rows, panel));
    }
    return out;
}

}  // namespace

std::string comparisonHtml(const ComparisonDocument& d) {
    const std::string title = d.title.empty() ? std::string(kDefaultTitle) : d.title;
    const std::vector<HtmlRow> header = {{"Date", utcNow(UtcPrecision::Day)},
                                         {"Program", "qalix " + std::string(kProgramVersion)},
                                         {"Candidates", std::to_string(d.rows.size())}};
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           htmlText(title) + "</title>\n" + htmlStyle(d.paper) + "</head>\n<body>\n" +
           htmlHeader(title, header) + "<h2>Candidates</h2>\n" + sharedInputs(d.rows) +
           candidatesTables(d.rows) + legend() + commandsTable(d.rows) + figures(d.rows) +
           "</body>\n</html>\n";
}

}  // namespace qalix
