#include "report/comparison_html.hpp"

#include <algorithm>

#include "program_version.hpp"
#include "report/comparison_figure.hpp"

namespace qalix {

namespace {

constexpr std::string_view kDefaultTitle = "Comparison of candidate designs";
// The first of the cells' columns that holds an expectation: after "#" and the design's.
constexpr std::size_t kExpectationsFrom = 1 + kDesignColumns;

// Columns [from, to) of the comparison's cells, after the candidate's number.
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
         "Table 1. The candidates: number of looks K, boundary coefficient a, largest "
         "discordance, actual level and power, largest sample size and its ratio to the fixed "
         "design's"},
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
    const std::vector<HtmlRow> header = {{"Date", utcDate()},
                                         {"Program", "qalix " + std::string(kProgramVersion)},
                                         {"Candidates", std::to_string(d.rows.size())}};
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           htmlText(title) + "</title>\n" + htmlStyle(d.paper) + "</head>\n<body>\n" +
           htmlHeader(title, header) + "<h2>Candidates</h2>\n" + candidatesTables(d.rows) +
           commandsTable(d.rows) + figures(d.rows) + "</body>\n</html>\n";
}

}  // namespace qalix
