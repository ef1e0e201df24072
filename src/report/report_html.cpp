#include "report/report_html.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "design/design_record.hpp"
#include "document/design_tables.hpp"
#include "graphics/svg_canvas.hpp"
#include "numeric/number_text.hpp"
#include "program_version.hpp"
#include "report/html_parts.hpp"

namespace qalix {

namespace {

using Row = HtmlRow;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string panelText(const DesignSnapshot& d, std::string_view name) {
    for (const auto& [key, text] : d.panelTexts) {
        if (key == name) return trimmed(text);
    }
    return {};
}

bool brownian(const ReportContent& r) {
    return isBrownianKey(r.snapshot.design);
}

std::string alternativeName(const ReportContent& r) {
    return brownian(r) ? "delta_a" : "mu_a";
}

std::string title(const ReportContent& r) {
    if (!r.request.title.empty()) return r.request.title;
    return brownian(r) ? "Sequential design on information time"
                       : "Group-sequential design for normal outcomes";
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += i + 1 == items.size() ? " and " : ", ";
        out += items[i];
    }
    return out;
}

std::string fixed4(std::optional<double> value) {
    return value && std::isfinite(*value) ? formatF(*value, 9, 4) : std::string();
}

// Z = S_t / sqrt(t): the standardized statistic at the look.
std::optional<double> zOf(const ShownFields& f, std::string_view brownianField) {
    const auto& s = f[brownianField].value;
    const auto& t = f["infoTime"].value;
    if (!s || !t || *t <= 0.0) return std::nullopt;
    return *s / std::sqrt(*t);
}

// The observed mean that reaches the boundary: the sum over the look's cumulative size with
// normal outcomes, S_t / t (on the delta scale) on information time.
std::optional<double> meanOf(const ReportContent& r, const DesignSnapshot::Boundary& b,
                             std::string_view sumField, std::string_view brownianField) {
    if (brownian(r)) {
        const auto& s = b.fields[brownianField].value;
        const auto& t = b.fields["infoTime"].value;
        if (!s || !t || *t <= 0.0) return std::nullopt;
        return *s / *t;
    }
    const auto& sum = b.fields[sumField].value;
    if (!sum || b.n <= 0) return std::nullopt;
    return *sum / static_cast<double>(b.n);
}

std::string header(const ReportContent& r) {
    std::vector<Row> rows = {{"Date", r.date},
                             {"Program", "qalix " + std::string(kProgramVersion)},
                             {"Reproducing command", r.command}};
    if (!r.request.designFileHash.empty())
        rows.push_back({"Design file SHA-256", r.request.designFileHash});
    return htmlHeader(title(r), rows);
}

std::string parametersTable(const ReportContent& r) {
    const DesignSnapshot& d = r.snapshot;
    const bool b = brownian(r);
    std::vector<Row> rows = {{"One-sided significance level alpha", panelText(d, "alpha")},
                             {"Power at the alternative", panelText(d, "power")}};
    if (!b) {
        rows.push_back({"Standard deviation sigma", panelText(d, "sd")});
        rows.push_back({"Alternative mean mu_a", panelText(d, "mu")});
        rows.push_back({"Sample size m", panelText(d, "m")});
    } else {
        rows.push_back({"Standardized alternative delta_a", panelText(d, "mu")});
    }
    rows.push_back({"Number of looks K", panelText(d, "looks")});
    rows.push_back({"Maximum discordance rho_max", panelText(d, "rho")});
    rows.push_back({"Boundary coefficient a", panelText(d, "a")});
    rows.push_back({"Largest discordance of an early stop", panelText(d, "maxDiscordance")});
    rows.push_back({"Actual significance level", panelText(d, "actualSigLevel")});
    rows.push_back({"Actual power", panelText(d, "actualPower")});
    return "<h2>Design parameters</h2>\n" + htmlTable("Table 1. The design as the panel shows it",
                                                      {{"Parameter", "Value"}}, rows, "parameters");
}

std::vector<Row*> rowsOf(std::vector<Row>& head, std::vector<Row>& body) {
    std::vector<Row*> rows;
    for (auto* part : {&head, &body}) {
        for (Row& row : *part)
            rows.push_back(&row);
    }
    return rows;
}

std::string boundaryTable(const ReportContent& r) {
    const bool b = brownian(r);
    const std::string groups = std::string("<tr><th colspan=\"") + (b ? "2" : "4") +
                               "\"></th><th colspan=\"" + (b ? "4" : "5") +
                               "\">Futility: accept H0 at or below</th><th colspan=\"" +
                               (b ? "4" : "5") + "\">Efficacy: reject H0 at or above</th></tr>\n";
    std::vector<Row> head = {{"Look", "Time t", "n", "N", "Sum", "S_t", "Z", "P",
                              b ? "S_t / t" : "Mean", "Sum", "S_t", "Z", "P",
                              b ? "S_t / t" : "Mean"}};
    std::vector<Row> body;
    for (std::size_t i = 0; i < r.snapshot.boundaries.size(); ++i) {
        const auto& bd = r.snapshot.boundaries[i];
        const auto& look = r.snapshot.looks.at(i).fields;
        const auto& f = bd.fields;
        body.push_back({std::to_string(bd.look), trimmed(f["infoTime"].text),
                        trimmed(look["groupSize"].text), trimmed(look["cumulative"].text),
                        trimmed(f["lowerSum"].text), trimmed(f["lowerStd"].text),
                        trimmed(fixed4(zOf(f, "lowerStd"))), trimmed(f["lowerP"].text),
                        trimmed(fixed4(meanOf(r, bd, "lowerSum", "lowerStd"))),
                        trimmed(f["upperSum"].text), trimmed(f["upperStd"].text),
                        trimmed(fixed4(zOf(f, "upperStd"))), trimmed(f["upperP"].text),
                        trimmed(fixed4(meanOf(r, bd, "upperSum", "upperStd")))});
    }
    // On information time there are no sizes and no sums.
    if (b) {
        for (Row* row : rowsOf(head, body)) {
            for (std::size_t column : {9u, 4u, 3u, 2u})
                row->erase(row->begin() + static_cast<std::ptrdiff_t>(column));
        }
    }
    const std::string scale =
        b ? "S_t / t is the drift estimate that reaches the boundary, on the delta scale."
          : "Mean is the observed sample mean that reaches the boundary, in the units of the "
            "observations: the cumulative-sum boundary over the cumulative size.";
    return "<h2>Stopping boundaries</h2>\n" +
           htmlTable(std::string("Table 2. Boundaries at each look: ") +
                         (b ? "" : "cumulative sum, ") +
                         "Brownian scale S_t, Z = S_t / sqrt(t), one-sided P-value and " +
                         (b ? "drift" : "mean") + " scale",
                     head, body, "numbers boundaries", groups) +
           "<p class=\"note\">" + htmlText(scale) + "</p>\n";
}

std::string characteristicsAt(const DesignSnapshot::AtMean& at, int number) {
    const std::string mean = (at.onDataScale ? "mu = " : "delta = ") + at.text;
    std::vector<Row> looks;
    for (const auto& look : at.looks) {
        const auto& f = look.fields;
        looks.push_back({std::to_string(look.look), trimmed(f["cumulative"].text),
                         trimmed(f["sigAt"].text), trimmed(f["sigBy"].text),
                         trimmed(f["stopAt"].text), trimmed(f["stopBy"].text)});
    }
    const auto& e = at.expected;
    const auto& dsc = at.discordance;
    std::vector<Row> summary = {
        {"Expected sample size", trimmed(e["EN"].text), trimmed(e["ENSig"].text),
         trimmed(e["ENFut"].text)},
        {"Expected information time", trimmed(e["ET"].text), trimmed(e["ETSig"].text),
         trimmed(e["ETFut"].text)},
        {"Probability of the decision", "1", trimmed(e["PSig"].text), trimmed(e["PFut"].text)},
        {"Discordance probability", trimmed(dsc["all"].text), trimmed(dsc["sig"].text),
         trimmed(dsc["fut"].text)}};
    // On information time there is no sample size to expect.
    std::erase_if(summary, [](const Row& row) {
        return std::all_of(row.begin() + 1, row.end(),
                           [](const std::string& c) { return c.empty(); });
    });
    const std::string n = std::to_string(number);
    return "<h3>At " + htmlText(mean) + "</h3>\n" +
           htmlTable(
               "Table 3." + n + "a. Probabilities of significance and of stopping, " + mean,
               {{"Look", "Cum. N", "Significance at", "Significance by", "Stop at", "Stop by"}},
               looks) +
           htmlTable("Table 3." + n + "b. Expected size and discordance, " + mean,
                     {{"", "Overall", "Given significance", "Given futility"}}, summary);
}

std::string characteristics(const ReportContent& r) {
    std::string out = "<h2>Operating characteristics</h2>\n";
    int number = 1;
    for (const auto& at : r.snapshot.characteristics)
        out += characteristicsAt(at, number++);
    return out;
}

std::string plots(const ReportContent& r) {
    return "<h2>Plots</h2>\n" +
           htmlFigure(r.plots.boundary, "Figure 1. Stopping boundaries over information time") +
           htmlFigure(r.plots.power, "Figure 2. Power function") +
           htmlFigure(r.plots.expected, "Figure 3. Expected information time at stopping");
}

std::string accuracy(const ReportContent& r) {
    const AccuracyCheck& a = r.accuracy;
    std::string out = "<h2>Numerical accuracy</h2>\n<p>";
    if (!a.computed) {
        return out +
               htmlText("The probabilities could not be recomputed on a grid four times finer: " +
                        a.reason) +
               "</p>\n";
    }
    char largest[32];
    std::snprintf(largest, sizeof largest, "%.1e", a.largest);
    out += htmlText(
        "Every probability of this report was recomputed on an integration grid four "
        "times finer (" +
        std::to_string(a.gridIntervals) + " outer intervals instead of " +
        std::to_string(kGridIntervals) +
        ", every inner grid likewise). All probabilities agree to within " + largest +
        " with the finer grid.");
    if (a.marked.empty()) {
        return out + htmlText(" None differs by more than half a unit of its last shown digit.") +
               "</p>\n";
    }
    out += htmlText(" These differ by more than half a unit of their last shown digit:") + "</p>\n";
    std::vector<Row> rows;
    for (const GridDifference& d : a.marked) {
        char diff[32];
        std::snprintf(diff, sizeof diff, "%.1e", d.difference);
        rows.push_back({d.where, trimmed(d.shown), diff});
    }
    return out + htmlTable("Table 4. Probabilities that depend on the grid beyond their digits",
                           {{"Probability", "Shown", "Difference"}}, rows);
}

std::vector<Row> csvRows(const std::string& csv) {
    std::vector<Row> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        Row row(1);
        for (char c : line) {
            if (c == ',') {
                row.emplace_back();
            } else if (c != '\r' && c != '"') {
                row.back() += c;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::string appendixTable(const std::string& caption, const std::string& csv) {
    std::vector<Row> rows = csvRows(csv);
    if (rows.empty()) return {};
    Row head = rows.front();
    for (std::string& name : head)
        std::replace(name.begin(), name.end(), '_', ' ');  // names that can wrap
    rows.erase(rows.begin());
    return htmlTable(caption, {head}, rows, "numbers appendix");
}

std::string appendix(const ReportContent& r) {
    if (!r.request.appendix) return {};
    return "<h2 class=\"new-page\">Appendix: the tables in full precision</h2>\n" +
           appendixTable("Table A1. Boundaries (as qalix design --csv writes them)",
                         boundariesCsv(r.snapshot)) +
           appendixTable(
               "Table A2. Power and expected information curves (as qalix design "
               "--curves-csv writes them)",
               curvesCsv(r.snapshot));
}

}  // namespace

std::string protocolParagraph(const ReportContent& r) {
    const DesignSnapshot& d = r.snapshot;
    std::vector<std::string> times;
    std::vector<std::string> sizes;
    for (const auto& look : d.looks) {
        times.push_back(trimmed(look.fields["infoTime"].text));
        sizes.push_back(trimmed(look.fields["cumulative"].text));
    }
    std::ostringstream p;
    p << "Up to " << d.looks.size() << " analyses are planned at information fractions "
      << joined(times);
    if (!brownian(r)) p << " (cumulative sample sizes " << joined(sizes) << ")";
    p << ". The trial stops for efficacy at analysis k if the standardized test statistic Z_k "
         "reaches the efficacy boundary of that analysis, and for futility if it falls to the "
         "futility boundary (Table 2); at the last analysis the two boundaries meet at the "
         "critical value of the full-sample test. The boundaries are chosen so that the "
         "probability that an early stop contradicts the decision of the full-sample test is at "
         "most rho_max = "
      << panelText(d, "rho") << " (boundary coefficient a = " << panelText(d, "a")
      << "); the largest such probability over the final values is "
      << panelText(d, "maxDiscordance") << ". The actual one-sided significance level is "
      << panelText(d, "actualSigLevel") << " and the power is " << panelText(d, "actualPower")
      << " at " << alternativeName(r) << " = " << panelText(d, "mu") << ".";
    return p.str();
}

std::string reportHtml(const ReportContent& r) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           htmlText(title(r)) + "</title>\n" + htmlStyle(r.request.paper) + "</head>\n<body>\n" +
           header(r) + "<h2>Summary</h2>\n<p>" + htmlText(protocolParagraph(r)) + "</p>\n" +
           parametersTable(r) + boundaryTable(r) + characteristics(r) + plots(r) + accuracy(r) +
           appendix(r) + "</body>\n</html>\n";
}

}  // namespace qalix
