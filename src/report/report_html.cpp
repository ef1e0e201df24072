#include "report/report_html.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/svg_canvas.hpp"
#include "design/design_record.hpp"
#include "design/level_choice.hpp"
#include "document/design_tables.hpp"
#include "numeric/number_text.hpp"
#include "program_version.hpp"
#include "report/html_parts.hpp"
#include "report/report_words.hpp"

namespace qalix {

namespace {

using Row = HtmlRow;

bool brownian(const ReportContent& r) {
    return onInformationTime(r);
}

std::string title(const ReportContent& r) {
    if (!r.request.title.empty()) return r.request.title;
    return brownian(r) ? "Sequential design on information time"
                       : "Group-sequential design for normal outcomes";
}

std::string fixed4(std::optional<double> value) {
    return decimals(value, 4);
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
    std::string out = htmlHeader(title(r), rows);
    if (!r.request.notes.empty())
        out += "<p class=\"notes\">" + htmlText(r.request.notes) + "</p>\n";
    return out;
}

std::string summary(const ReportContent& r) {
    std::string out = "<h2>Summary</h2>\n<p>" + htmlText(protocolParagraph(r)) + "</p>\n";
    out += "<h2>Hypotheses and assumptions</h2>\n<ul>\n";
    for (const std::string& line : hypothesesAndAssumptions(r))
        out += "<li>" + htmlText(line) + "</li>\n";
    return out + "</ul>\n";
}

std::string parametersTable(const ReportContent& r) {
    const bool b = brownian(r);
    std::vector<Row> rows = {{"Nominal one-sided significance level alpha", shownText(r, "alpha")},
                             {"Power at the alternative", shownText(r, "power")}};
    const auto& held = r.snapshot.heldPower;
    const bool two = comparesTwoGroups(r);
    if (two) {
        rows.push_back({"Outcome",
                        "two groups, the difference of the means (treatment minus "
                        "control)"});
        rows.push_back({"Allocation ratio r (treatment : control)", shownText(r, "allocation")});
    }
    if (!b) {
        rows.push_back({two ? "Standard deviation sigma (each group)" : "Standard deviation sigma",
                        shownText(r, "sd")});
        rows.push_back({two ? "Alternative difference of means mu_a" : "Alternative mean mu_a",
                        shownText(r, "mu")});
        if (held) {
            rows.push_back({"Fixed-sample size m", decimals(held->from, 2)});
            rows.push_back({"Maximum sample size M (grown until the power reaches its target)",
                            std::to_string(r.maximumSize)});
        } else {
            rows.push_back({"Sample size m", shownText(r, "m")});
            rows.push_back({"Maximum sample size M (m rounded up)", std::to_string(r.maximumSize)});
        }
        if (two) rows.push_back({"Patients in each group at M", groupsText(r)});
    } else {
        if (held)
            rows.push_back(
                {"Fixed-sample alternative z_(1-alpha) + z_(power)", decimals(held->from, 4)});
        rows.push_back({held ? "Standardized alternative delta_a (grown until the power reaches "
                               "its target)"
                             : "Standardized alternative delta_a",
                        shownText(r, "mu")});
    }
    rows.push_back({"Number of looks K", shownText(r, "looks")});
    rows.push_back({"Level the critical value gives", levelChosen(r)});
    rows.push_back({"Critical value of the last look z", finalCritical(r)});
    if (!r.snapshot.inputs.a)
        rows.push_back({"Maximum discordance asked for, rho_max", shownText(r, "rho")});
    rows.push_back({"Boundary coefficient a", shownText(r, "a")});
    rows.push_back(
        {"rho(a; 0): discordance given a final statistic at the critical value "
         "(the largest over final values)",
         decimals(r.snapshot.value("achievedRho"), 4)});
    rows.push_back(
        {"Discordance of an early stop when the true mean lies on the critical line "
         "(the largest over true means)",
         shownText(r, "maxDiscordance")});
    rows.push_back(
        {"Actual significance level, futility obeyed (binding)", shownText(r, "actualSigLevel")});
    if (r.snapshot.nonbindingLevel)
        rows.push_back({"Significance level, futility ignored (non-binding)",
                        trimmed(r.snapshot.nonbindingLevel->text)});
    rows.push_back({"Actual power", shownText(r, "actualPower")});
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

// An interim look: both boundaries on every scale.
Row interimRow(const ReportContent& r, std::size_t i) {
    const auto& bd = r.snapshot.boundaries[i];
    const auto& look = r.snapshot.looks.at(i).fields;
    const auto& f = bd.fields;
    return {std::to_string(bd.look),
            informationTime(look["infoTime"].text),
            trimmed(look["groupSize"].text),
            trimmed(look["cumulative"].text),
            trimmed(f["lowerSum"].text),
            trimmed(f["lowerStd"].text),
            fixed4(zOf(f, "lowerStd")),
            trimmed(f["lowerP"].text),
            fixed4(meanOf(r, bd, "lowerSum", "lowerStd")),
            trimmed(f["upperSum"].text),
            trimmed(f["upperStd"].text),
            fixed4(zOf(f, "upperStd")),
            trimmed(f["upperP"].text),
            fixed4(meanOf(r, bd, "upperSum", "upperStd"))};
}

// An interim look of a two-group trial: its groups, and the difference of the means at each
// boundary in place of the sum and the mean.
Row interimGroupsRow(const ReportContent& r, std::size_t i) {
    const auto& bd = r.snapshot.boundaries[i];
    const auto& look = r.snapshot.looks.at(i).fields;
    const auto& f = bd.fields;
    return {std::to_string(bd.look),
            informationTime(look["infoTime"].text),
            trimmed(look["cumulative"].text),
            trimmed(look["controlSize"].text) + " + " + trimmed(look["treatmentSize"].text),
            trimmed(f["lowerDifference"].text),
            trimmed(f["lowerStd"].text),
            fixed4(zOf(f, "lowerStd")),
            trimmed(f["lowerP"].text),
            trimmed(f["upperDifference"].text),
            trimmed(f["upperStd"].text),
            fixed4(zOf(f, "upperStd")),
            trimmed(f["upperP"].text)};
}

// The last look: one critical value decides, so one line says so in every scale.
std::string finalLine(const ReportContent& r) {
    const auto& bd = r.snapshot.boundaries.back();
    const auto& f = bd.fields;
    std::string line = "Look " + std::to_string(bd.look) + " (the last, t = 1";
    if (!brownian(r)) line += ", n = " + std::to_string(bd.n);
    line += "): reject H0 if Z >= " + finalCritical(r) + ", else accept it";
    if (comparesTwoGroups(r)) {
        line +=
            "; equivalently if the difference of the means (treatment minus control) is at "
            "least " +
            trimmed(f["upperDifference"].text) + ",";
    } else if (!brownian(r)) {
        line += "; equivalently if the sum of the observations is at least " +
                trimmed(f["upperSum"].text) + ", their mean at least " +
                fixed4(meanOf(r, bd, "upperSum", "upperStd")) + ",";
    } else {
        line += "; equivalently if";
    }
    line += " or the one-sided P-value at most " + trimmed(f["upperP"].text);
    // That P-value is Z's own; the stage-wise p-value of a trial ending on the boundary is the
    // level, which a calibrated critical value makes alpha.
    if (r.snapshot.inputs.level.value_or(std::string(kNominalLevel)) != kNominalLevel)
        line +=
            " (the P-value of Z alone: a trial that ends on this boundary has the stage-wise "
            "p-value alpha = " +
            shownText(r, "alpha") + ")";
    return line + ".";
}

std::string groupsBoundaryTable(const ReportContent& r) {
    const std::string groups =
        "<tr><th colspan=\"4\"></th><th colspan=\"4\">Futility: accept H0 at or below</th><th "
        "colspan=\"4\">Efficacy: reject H0 at or above</th></tr>\n";
    const std::vector<Row> head = {
        {"Look", "Time t", "N", "Control + treatment", "D", "S_t", "Z", "P", "D", "S_t", "Z", "P"}};
    std::vector<Row> body;
    for (std::size_t i = 0; i + 1 < r.snapshot.boundaries.size(); ++i)
        body.push_back(interimGroupsRow(r, i));
    const std::string scale =
        "D is the difference of the groups' means (treatment minus control) that reaches the "
        "boundary, in the units of the observations: D = Z sigma sqrt(1/n_1 + 1/n_2) with the "
        "look's control and treatment sizes n_1 and n_2.";
    return "<h2>Stopping boundaries</h2>\n" +
           htmlTable(
               "Table 2. Boundaries at each interim look: difference of the means D, "
               "Brownian scale S_t, Z = S_t / sqrt(t) and one-sided P-value",
               head, body, "numbers boundaries", groups) +
           "<p class=\"final\">" + htmlText(finalLine(r)) + "</p>\n<p class=\"note\">" +
           htmlText(scale) + "</p>\n";
}

std::string boundaryTable(const ReportContent& r) {
    if (comparesTwoGroups(r)) return groupsBoundaryTable(r);
    const bool b = brownian(r);
    const std::string groups = std::string("<tr><th colspan=\"") + (b ? "2" : "4") +
                               "\"></th><th colspan=\"" + (b ? "4" : "5") +
                               "\">Futility: accept H0 at or below</th><th colspan=\"" +
                               (b ? "4" : "5") + "\">Efficacy: reject H0 at or above</th></tr>\n";
    std::vector<Row> head = {{"Look", "Time t", "n", "N", "Sum", "S_t", "Z", "P",
                              b ? "S_t / t" : "Mean", "Sum", "S_t", "Z", "P",
                              b ? "S_t / t" : "Mean"}};
    std::vector<Row> body;
    for (std::size_t i = 0; i + 1 < r.snapshot.boundaries.size(); ++i)
        body.push_back(interimRow(r, i));
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
            "observations: the cumulative-sum boundary over the cumulative size N. The sum "
            "and mean scales are on M = " +
                std::to_string(r.maximumSize) +
                ": a sum s after N observations has Z = s / (sigma sqrt(N)).";
    return "<h2>Stopping boundaries</h2>\n" +
           htmlTable(std::string("Table 2. Boundaries at each interim look: ") +
                         (b ? "" : "cumulative sum, ") +
                         "Brownian scale S_t, Z = S_t / sqrt(t), one-sided P-value and " +
                         (b ? "drift" : "mean") + " scale",
                     head, body, "numbers boundaries", groups) +
           "<p class=\"final\">" + htmlText(finalLine(r)) + "</p>\n<p class=\"note\">" +
           htmlText(scale) + "</p>\n";
}

std::string meanText(const DesignSnapshot::AtMean& at) {
    return (at.onDataScale ? "mu = " : "delta = ") + at.text;
}

// Power, expected size and the chance of an early stop over the range of means, with the
// fixed-sample test of the same M beside them.
std::string rangeTable(const ReportContent& r) {
    const bool b = brownian(r);
    const std::string M = std::to_string(r.maximumSize);
    Row head = {"True mean",         "Power", "E(N)", "E(N) / M", "E(T)", "P(stop early)",
                "Fixed-sample power"};
    std::vector<Row> body;
    const auto& all = r.snapshot.characteristics;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& at = all[i];
        const auto& e = at.expected;
        const std::size_t beforeLast = at.looks.size() >= 2 ? at.looks.size() - 2 : 0;
        const std::optional<double> size = e["EN"].value;
        body.push_back({meanText(at), trimmed(e["PSig"].text), trimmed(e["EN"].text),
                        size ? decimals(*size / r.maximumSize, 3) : std::string(),
                        trimmed(e["ET"].text),
                        trimmed(at.looks.at(beforeLast).fields["stopBy"].text),
                        decimals(r.fixedSamplePower.at(i), 4)});
    }
    std::vector<Row> headRows = {head};
    if (b) {
        for (Row* row : rowsOf(headRows, body)) {
            for (std::size_t column : {3u, 2u})
                row->erase(row->begin() + static_cast<std::ptrdiff_t>(column));
        }
    }
    const std::string note =
        b ? "The fixed-sample test takes the whole trial (t = 1) at every mean; the sequential "
            "design is expected to stop at E(T)."
          : "The fixed-sample test takes all M = " + M +
                " observations at every mean; the sequential design is expected to take E(N) "
                "of them. P(stop early) is the probability of a stop before the last look.";
    return "<h2>Operating characteristics over a range of means</h2>\n" +
           htmlTable("Table 3. Power, expected " + std::string(b ? "information time" : "size") +
                         " and early stops, from the null to one and a half times the "
                         "alternative, beside the fixed-sample test",
                     headRows, body) +
           "<p class=\"note\">" + htmlText(note) + "</p>\n";
}

std::string characteristicsAt(const ReportContent& r, const DesignSnapshot::AtMean& at,
                              int number) {
    const std::string mean = meanText(at);
    std::vector<Row> head = {
        {"Look", "Cum. N", "Significance at", "Significance by", "Stop at", "Stop by"}};
    std::vector<Row> looks;
    for (const auto& look : at.looks) {
        const auto& f = look.fields;
        looks.push_back({std::to_string(look.look), trimmed(f["cumulative"].text),
                         trimmed(f["sigAt"].text), trimmed(f["sigBy"].text),
                         trimmed(f["stopAt"].text), trimmed(f["stopBy"].text)});
    }
    // On information time the sizes are the program's grid steps, not observations.
    if (brownian(r)) {
        for (Row* row : rowsOf(head, looks))
            row->erase(row->begin() + 1);
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
           htmlTable("Table 4." + n + "a. Probabilities of significance and of stopping, " + mean,
                     head, looks) +
           htmlTable("Table 4." + n + "b. Expected size and discordance, " + mean,
                     {{"", "Overall", "Given significance", "Given futility"}}, summary);
}

// In detail: the null, half the alternative, the alternative, and every mean the design file
// gives or the user asks for.
std::string characteristics(const ReportContent& r) {
    std::string out = "<h2>Operating characteristics in detail</h2>\n";
    const auto& all = r.snapshot.characteristics;
    constexpr std::size_t kDetailedOfRange[] = {0, 2, 4};
    int number = 1;
    for (std::size_t i : kDetailedOfRange) {
        if (i < r.rangeMeans && i < all.size()) out += characteristicsAt(r, all[i], number++);
    }
    for (std::size_t i = r.rangeMeans; i < all.size(); ++i)
        out += characteristicsAt(r, all[i], number++);
    return out;
}

std::string discordance(const ReportContent& r) {
    return "<h2>Discordance</h2>\n<p>" + htmlText(discordanceExplained(r)) + "</p>\n";
}

std::string plots(const ReportContent& r) {
    return "<h2>Plots</h2>\n" +
           htmlFigure(r.plots.boundary,
                      "Figure 1. Stopping boundaries over information time. The design block's "
                      "\"4. Discord prob: rho_max\" is the discordance on the critical line, " +
                          shownText(r, "maxDiscordance") + " (see Discordance).") +
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
    return out + htmlTable("Table 5. Probabilities that depend on the grid beyond their digits",
                           {{"Probability", "Shown", "Difference"}}, rows);
}

std::string appendixTable(const std::string& caption, TableRows rows) {
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
                         boundaryRows(r.snapshot)) +
           appendixTable(
               "Table A2. Power and expected information curves (as qalix design "
               "--curves-csv writes them)",
               curveRows(r.snapshot));
}

}  // namespace

std::string reportHtml(const ReportContent& r) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           htmlText(title(r)) + "</title>\n" + htmlStyle(r.request.paper) + "</head>\n<body>\n" +
           header(r) + summary(r) + parametersTable(r) + boundaryTable(r) + rangeTable(r) +
           characteristics(r) + discordance(r) + plots(r) + accuracy(r) + appendix(r) +
           "</body>\n</html>\n";
}

}  // namespace qalix
