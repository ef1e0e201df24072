#include "analysis/trial_text.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// Widths large enough for every value a design gives; formatF fills a field too narrow with
// asterisks, which these never are.
constexpr int kWide = 16;
constexpr int kFourDecimals = 4;
constexpr int kSumDecimals = 3;
constexpr int kSigmaDecimals = 3;
// Below this a p-value shows its two significant digits rather than zeros.
constexpr double kSmallPValue = 1e-4;

std::string fixed(double value, int decimals) {
    return trimmed(formatF(value, kWide, decimals));
}

// 90%, 97.5%: the percentage to two decimals at most, without trailing zeros.
std::string percent(double fraction) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g%%", std::round(fraction * 1e4) / 1e2);
    return text;
}

std::string lookList(const TrialAnalysis& a) {
    return "look " + std::to_string(a.looks.back().look);
}

// sigma as each look used it: the design's, or an estimate given with the look.
std::string sigmaSentence(const TrialDesign& d, const TrialAnalysis& a) {
    std::vector<std::string> estimated;
    for (const AnalysedLook& look : a.looks) {
        if (look.sigmaEstimated)
            estimated.push_back("look " + std::to_string(look.look) + " " +
                                fixed(look.sigma, kSigmaDecimals));
    }
    const std::string design = "sigma = " + fixed(d.sigma, kSigmaDecimals) + ", the design's";
    if (estimated.empty()) return "Sigma: " + design + ", at every look.";
    std::string text = "Sigma: an estimate at ";
    for (std::size_t i = 0; i < estimated.size(); ++i)
        text += (i == 0 ? "" : ", ") + estimated[i];
    return text + "; elsewhere " + design + ".";
}

std::string futilityWords(const TrialDesign& d) {
    return d.futilityBinding ? "with the futility boundaries obeyed"
                             : "with the futility boundaries ignored";
}

std::string designAtTimesUsed(const TrialDesign& d, const TrialAnalysis& a) {
    std::string rho;
    if (a.rhoAtTimesUsed) rho = ", rho(a; 0) = " + shownProbability(*a.rhoAtTimesUsed);
    if (d.exactLevel) {
        // The final critical value is solved again so that the level stays alpha.
        return "At the times used (the looks to come at their planned times) the final critical "
               "value " +
               shownZ(a.finalCritical) + " gives the level alpha = " + formatFree(d.nominalLevel) +
               " exactly, " + futilityWords(d) + " (as planned " + shownZ(d.z) +
               "); the design has power " + shownProbability(a.powerAtTimesUsed) + rho + ".";
    }
    return "At the times used (the looks to come at their planned times) the design has level " +
           shownProbability(a.levelAtTimesUsed) + " and power " +
           shownProbability(a.powerAtTimesUsed) + rho + "; as planned its level is " +
           shownProbability(d.actualLevel) + " (nominal " + formatFree(d.nominalLevel) + ").";
}

// Whether the p-value is at or below the level it answers to. At an exact level that level is
// alpha and the decision says it: the final critical value is where the p-value is alpha, so
// rounding at the boundary cannot turn one against the other.
bool atOrBelowLevel(const TrialDesign& d, const TrialAnalysis& a) {
    if (!d.exactLevel) return a.final->pValue <= a.levelAtTimesUsed;
    const LookDecision end = a.looks.back().decision;
    return end == LookDecision::Reject || end == LookDecision::Efficacy;
}

std::string levelComparison(const TrialDesign& d, const TrialAnalysis& a) {
    const std::string side = atOrBelowLevel(d, a) ? "at or below" : "above";
    const std::string nominal = formatFree(d.nominalLevel);
    if (d.exactLevel)
        return "The p-value is " + side + " alpha = " + nominal + ", the design's level " +
               futilityWords(d) + ".";
    const std::string level = shownProbability(a.levelAtTimesUsed);
    return "The p-value is " + side + " the design's level at the times used, " + level +
           (level != nominal ? " (nominal " + nominal + ")" : std::string()) + ".";
}

std::vector<std::string> continuing(const AnalysedLook& look) {
    return {
        "The trial continues after look " + std::to_string(look.look) + ".",
        "Conditional power under the design's alternative: " +
            shownProbability(*look.powerAlternative) +
            ", the probability of rejecting H0 at a later look given the value observed now.",
        "Conditional power under the current estimate: " + shownProbability(*look.powerEstimate) +
            ", the same with the true mean equal to the estimate at this look.",
        "Conditional discordance: " + shownProbability(*look.discordance) +
            ", the probability that the full-sample decision differs from the decision a stop "
            "now would give, with the true mean on the critical line.",
    };
}

std::vector<std::string> inference(const TrialDesign& d, const TrialAnalysis& a) {
    const TrialInference& f = *a.final;
    const std::string scale =
        d.onInformationTime ? "delta" : (d.allocation > 0.0 ? "mu_2 - mu_1" : "mu");
    std::vector<std::string> lines = {
        "The trial ended at " + lookList(a) + ": " + decisionWords(a.looks.back().decision) + ".",
        "Stage-wise p-value: " + shownPValue(f.pValue) +
            ", the probability under H0 of an outcome at least as extreme as the one observed, "
            "outcomes ordered by the look they end at (earlier efficacy stops more extreme), then "
            "by Z (naive fixed-sample p-value " +
            shownPValue(f.naivePValue) + ").",
        "Median-unbiased estimate: " + scale + " = " + shownMean(f.estimate) +
            ", the mean under which an outcome at least this extreme has probability one half "
            "(naive mean " +
            shownMean(f.naiveMean) + ").",
        percent(f.confidence) + " confidence interval: " + shownMean(f.lower) + " to " +
            shownMean(f.upper) + ", each bound one-sided at " +
            percent((1.0 + f.confidence) / 2.0) + " (naive " + shownMean(f.naiveLower) + " to " +
            shownMean(f.naiveUpper) + ").",
        levelComparison(d, a),
    };
    return lines;
}

}  // namespace

std::string shownTime(double t) {
    return fixed(t, kFourDecimals);
}
std::string shownZ(double z) {
    return fixed(z, kFourDecimals);
}
std::string shownProbability(double p) {
    return fixed(p, kFourDecimals);
}
std::string shownMean(double mean) {
    return fixed(mean, kFourDecimals);
}
std::string shownSum(double sum) {
    return fixed(sum, kSumDecimals);
}

std::string shownPValue(double p) {
    if (p >= kSmallPValue || p <= 0.0) return shownProbability(p);
    char text[32];
    std::snprintf(text, sizeof text, "%.1e", p);
    return text;
}

std::string decisionWords(LookDecision decision) {
    switch (decision) {
        case LookDecision::Continue:
            return "continue";
        case LookDecision::Efficacy:
            return "stop for efficacy, reject H0";
        case LookDecision::Futility:
            return "stop for futility, accept H0";
        case LookDecision::Reject:
            return "final analysis, reject H0";
        case LookDecision::Accept:
            return "final analysis, accept H0";
    }
    return {};
}

std::vector<std::vector<std::string>> lookTable(const TrialDesign& d, const TrialAnalysis& a) {
    std::vector<std::vector<std::string>> rows = {{"Look", "n", "t", "Sum", "Mean", "Z", "Lower Z",
                                                   "Upper Z", "Decision", "CP(alt)", "CP(est)",
                                                   "Discordance"}};
    for (const AnalysedLook& look : a.looks) {
        const bool interim = look.decision == LookDecision::Continue;
        rows.push_back(
            {std::to_string(look.look), look.n ? formatFree(static_cast<long long>(*look.n)) : "",
             shownTime(look.t), look.sum ? shownSum(*look.sum) : "",
             look.mean ? shownMean(*look.mean) : "", shownZ(look.z),
             look.t < 1.0 ? shownZ(look.lowerZ) : "", shownZ(look.upperZ),
             decisionKey(look.decision), interim ? shownProbability(*look.powerAlternative) : "",
             interim ? shownProbability(*look.powerEstimate) : "",
             interim ? shownProbability(*look.discordance) : ""});
    }
    // With two groups: each group's size in place of the sum, the difference of the means.
    if (d.allocation > 0.0) {
        rows.front()[3] = "n1 + n2";
        rows.front()[4] = "Diff.";
        for (std::size_t i = 0; i < a.looks.size(); ++i) {
            const AnalysedLook& look = a.looks[i];
            rows[i + 1][3] = formatFree(static_cast<long long>(look.control.value_or(0))) + " + " +
                             formatFree(static_cast<long long>(look.treatment.value_or(0)));
        }
    }
    // On information time a look has no observations: no n, sum or mean.
    if (d.onInformationTime) {
        for (auto& row : rows) {
            row.erase(row.begin() + 3, row.begin() + 5);
            row.erase(row.begin() + 1);
        }
    }
    return rows;
}

std::string alignedTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i)
            line += (i == 0 ? "" : "  ") + formatA(row[i], static_cast<int>(widths[i]));
        text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return text;
}

std::vector<std::string> analysisSentences(const TrialDesign& d, const TrialAnalysis& a) {
    std::vector<std::string> lines;
    if (!d.onInformationTime) lines.push_back(sigmaSentence(d, a));
    lines.push_back(designAtTimesUsed(d, a));
    const std::vector<std::string> more = a.final ? inference(d, a) : continuing(a.looks.back());
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string analysisText(const TrialDesign& d, const TrialAnalysis& a) {
    std::string text = alignedTable(lookTable(d, a)) + "\n";
    for (const std::string& line : analysisSentences(d, a))
        text += line + "\n";
    return text;
}

}  // namespace qalix
