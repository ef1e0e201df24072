#include "report/analysis_html.hpp"

#include "analysis/trial_text.hpp"
#include "document/utc_time.hpp"
#include "numeric/number_text.hpp"
#include "program_version.hpp"

namespace qalix {

namespace {

constexpr std::string_view kDefaultTitle = "Analysis of the trial";

std::string panelText(const DesignSnapshot& d, std::string_view name) {
    return trimmed(d.panelText(name).value_or(""));
}

// The design in one paragraph: the looks planned, the boundaries' family and what bounds
// them, the level and power as planned.
std::string designParagraph(const AnalysisDocument& doc) {
    const DesignSnapshot& d = doc.design;
    const TrialDesign& t = doc.trial;
    std::string looks;
    for (std::size_t i = 0; i < t.plannedTimes.size(); ++i)
        looks += (i == 0 ? "" : ", ") + shownTime(t.plannedTimes[i]);
    std::string text = "The design plans " + std::to_string(t.plannedTimes.size()) +
                       " looks at information times " + looks;
    if (t.allocation > 0.0) {
        text += " of at most M = " + std::to_string(t.maxSize) + " patients in two groups, " +
                std::to_string(t.maxControl) + " control and " + std::to_string(t.maxTreatment) +
                " treatment (sigma = " + panelText(d, "sd") +
                " in each); it tests the difference of the means, treatment minus control, and a "
                "look's information time is its share of the information 1 / (1/n_1 + 1/n_2) "
                "of the whole trial";
    } else if (!t.onInformationTime) {
        text += " of at most M = " + std::to_string(t.maxSize) +
                " observations (sigma = " + panelText(d, "sd") + ")";
    }
    return text +
           ". At information time t it stops for efficacy when S_t = Z_t sqrt(t) reaches z t + "
           "sqrt(2 a t (1 - t)), for futility when S_t falls to z t - sqrt(2 a t (1 - t)), with z "
           "= " +
           shownZ(t.z) + " and a = " + trimmed(formatF(t.a, 16, 4)) +
           "; at t = 1 it rejects H0 if Z >= z. Its level is " + panelText(d, "actualSigLevel") +
           " (nominal " + panelText(d, "alpha") + ") and its power " + panelText(d, "actualPower") +
           ". The boundaries below are those of the times each look "
           "was actually taken at.";
}

std::string looksTable(const AnalysisDocument& doc) {
    std::vector<std::vector<std::string>> rows = lookTable(doc.trial, doc.analysis);
    const std::vector<std::string> head = rows.front();
    rows.erase(rows.begin());
    return htmlTable(
        "Table 1. The looks taken: the statistic, the boundaries at the look's "
        "information time on the Z scale, the decision, and while the trial "
        "continues the conditional power (CP) and discordance",
        {head}, rows);
}

std::string sentences(const AnalysisDocument& doc) {
    std::string out = "<ul>\n";
    for (const std::string& line : analysisSentences(doc.trial, doc.analysis))
        out += "<li>" + htmlText(line) + "</li>\n";
    return out + "</ul>\n";
}

}  // namespace

std::string analysisHtml(const AnalysisDocument& doc) {
    const std::string title = doc.title.empty() ? std::string(kDefaultTitle) : doc.title;
    std::vector<HtmlRow> header = {{"Date", utcNow(UtcPrecision::Day)},
                                   {"Program", "qalix " + std::string(kProgramVersion)},
                                   {"Reproducing command", doc.command}};
    if (!doc.designFileHash.empty()) header.push_back({"Design file SHA-256", doc.designFileHash});
    std::string body = htmlHeader(title, header);
    if (!doc.notes.empty()) body += "<p class=\"notes\">" + htmlText(doc.notes) + "</p>\n";
    body += "<h2>The design</h2>\n<p>" + htmlText(designParagraph(doc)) + "</p>\n";
    body += "<h2>The looks</h2>\n" + looksTable(doc);
    body += "<h2>" +
            std::string(doc.analysis.final ? "The inference at the end" : "The trial continues") +
            "</h2>\n" + sentences(doc);
    if (!doc.boundaryPlot.empty())
        body += "<h2>Plot</h2>\n" + htmlFigure(doc.boundaryPlot,
                                               "Figure 1. The observed path over the design's "
                                               "boundaries, each look marked with its decision");
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           htmlText(title) + "</title>\n" + htmlStyle(doc.paper) + "</head>\n<body>\n" + body +
           "</body>\n</html>\n";
}

}  // namespace qalix
