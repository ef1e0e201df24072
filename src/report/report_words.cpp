#include "report/report_words.hpp"

#include <cmath>
#include <sstream>

#include "design/design_record.hpp"
#include "design/level_choice.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += i + 1 == items.size() ? " and " : ", ";
        out += items[i];
    }
    return out;
}

std::string alternativeName(const ReportContent& r) {
    return onInformationTime(r) ? "delta_a" : "mu_a";
}

std::string value(const ReportContent& r, std::string_view name, int places) {
    return decimals(r.snapshot.value(name), places);
}

// What grew so that the power reaches its target, when it had to: the size M on group sizes.
std::optional<DesignSnapshot::HeldPower> heldSize(const ReportContent& r) {
    const auto& held = r.snapshot.heldPower;
    if (held && held->quantity == "m") return held;
    return std::nullopt;
}

std::string inflation(const DesignSnapshot::HeldPower& held) {
    return " (an inflation of " + decimals(100.0 * (held.to / held.from - 1.0), 1) + "%)";
}

// How the critical value of the last look was chosen, after "H0 is rejected if Z >= z,".
std::string criticalOrigin(const ReportContent& r) {
    const std::string level = r.snapshot.inputs.level.value_or(std::string(kNominalLevel));
    if (level == kExactLevel)
        return "the critical value at which the level with the futility boundaries obeyed is "
               "exactly alpha = " +
               shownText(r, "alpha");
    if (level == kExactNonbindingLevel)
        return "the critical value at which the level with the futility boundaries ignored is "
               "exactly alpha = " +
               shownText(r, "alpha") +
               ", so that the level holds whether or not a trial stops "
               "for futility";
    return "the critical value of the fixed-sample test";
}

// On information time the alternative grows instead of the size, when the power is held.
std::string heldAlternativeSentence(const ReportContent& r) {
    const auto& held = r.snapshot.heldPower;
    if (!held || held->quantity != "altDelta") return {};
    return " The alternative is the fixed-sample test's delta_a = " + decimals(held->from, 4) +
           " grown until the sequential design's power reaches " + shownText(r, "power") +
           inflation(*held) + ".";
}

// How M comes about: the fixed-sample size m, solved or typed, rounded up.
std::string maximumSizeSentence(const ReportContent& r) {
    const std::string M = std::to_string(r.maximumSize);
    const std::string units = comparesTwoGroups(r) ? " patients in all (" + groupsText(r) + ")"
                                                   : std::string(" observations");
    if (const auto held = heldSize(r)) {
        return "The trial takes at most M = " + M + units +
               ": the fixed-sample size m = " + decimals(held->from, 2) +
               " grown to the smallest whole size at which the " +
               "sequential design's power reaches " + shownText(r, "power") + " at mu_a" +
               inflation(*held) + ".";
    }
    const std::string m = shownText(r, "m");
    const bool solved = r.snapshot.inputs.solve == std::optional<std::string>("m");
    if (solved && comparesTwoGroups(r))
        return "The trial takes at most M = " + M + units +
               ": the fixed-sample groups that give power " + shownText(r, "power") +
               " at mu_a, n_1 = N / (1 + r) and n_2 = r N / (1 + r), each rounded up to a whole "
               "number of patients.";
    std::string origin = solved ? "the fixed-sample size m = " + m + " that gives power " +
                                      shownText(r, "power") + " at mu_a"
                                : "the sample size m = " + m + " as given";
    return "The trial takes at most M = " + M + units + ": " + origin +
           (m == M ? "." : ", rounded up to a whole number.");
}

// The coefficient a and the discordance given a final statistic at the critical value.
std::string coefficientSentence(const ReportContent& r) {
    const std::string given =
        "given a final statistic at that critical value, the probability "
        "that an early stop contradicts the decision of the full-sample "
        "test is rho(a; 0) = " +
        value(r, "achievedRho", 4);
    if (r.snapshot.inputs.a)
        return "The boundary coefficient a = " + value(r, "a", 4) + " was given: " + given + ".";
    return "The boundary coefficient a = " + value(r, "a", 4) + " is searched so that, " + given +
           " (rho_max " + shownText(r, "rho") + " asked for).";
}

// A two-group trial: the hypotheses on the difference of the means, and its statistic.
std::vector<std::string> twoGroupAssumptions(const ReportContent& r, const std::string& z) {
    return {
        "Hypotheses: H0: mu_2 - mu_1 <= 0 against H1: mu_2 - mu_1 > 0 (one-sided), mu_1 the "
        "mean of the control group and mu_2 that of the treatment group; the power is computed "
        "at a difference mu_a = " +
            shownText(r, "mu") + ".",
        "Model: two groups, treatment and control, allocated in the ratio r = " +
            shownText(r, "allocation") +
            " (treatment : control); the observations are independent and normal with a common "
            "standard deviation sigma = " +
            shownText(r, "sd") +
            ", taken as known. The difference of the means D has variance sigma^2 (1/n_1 + "
            "1/n_2): the trial is the one-sample design with all patients and the SD sigma (1 + "
            "r) / sqrt(r).",
        maximumSizeSentence(r),
        "Statistic: at look k, after n_1k control and n_2k treatment patients, Z_k = D_k / "
        "(sigma sqrt(1/n_1k + 1/n_2k)), D_k the difference of the groups' means (treatment "
        "minus control); on the Brownian scale S_k = Z_k sqrt(t_k).",
        "Information time: t_k = n_k / M, n_k = n_1k + n_2k the patients a look has in all.",
        "Decision at the last look (n = M, t = 1): the single critical value decides, reject H0 "
        "if Z >= " +
            z + ".",
    };
}

}  // namespace

bool onInformationTime(const ReportContent& r) {
    return isBrownianKey(r.snapshot.design);
}

bool comparesTwoGroups(const ReportContent& r) {
    return r.snapshot.allocation.has_value();
}

std::string groupsText(const ReportContent& r) {
    const auto control = r.snapshot.value("controlSize");
    const auto treatment = r.snapshot.value("treatmentSize");
    if (!control || !treatment) return {};
    const auto whole = [](double n) { return std::to_string(std::llround(n)); };
    return whole(*control) + " control + " + whole(*treatment) + " treatment";
}

std::string shownText(const ReportContent& r, std::string_view name) {
    return trimmed(r.snapshot.panelText(name).value_or(""));
}

std::string decimals(std::optional<double> value, int places) {
    if (!value || !std::isfinite(*value)) return {};
    return trimmed(formatF(*value, 24, places));
}

std::string levelChosen(const ReportContent& r) {
    const std::string level = r.snapshot.inputs.level.value_or(std::string(kNominalLevel));
    if (level == kExactLevel) return "exactly alpha, futility obeyed (exact)";
    if (level == kExactNonbindingLevel) return "exactly alpha, futility ignored (exact-nonbinding)";
    return "the fixed-sample test's (nominal)";
}

std::string finalCritical(const ReportContent& r) {
    if (r.snapshot.boundaries.empty()) return {};
    return trimmed(r.snapshot.boundaries.back().fields["upperStd"].text);
}

std::string informationTime(const std::string& shown) {
    std::string text = trimmed(shown);
    const auto point = text.find('.');
    if (point == std::string::npos) return text;
    while (text.size() > point + 4 && text.back() == '0')
        text.pop_back();
    return text;
}

std::string levelStatement(const ReportContent& r) {
    const std::string actual = shownText(r, "actualSigLevel");
    const std::string nominal = shownText(r, "alpha");
    const double a = r.snapshot.value("actualSigLevel").value_or(0.0);
    const double n = r.snapshot.value("alpha").value_or(0.0);
    // A calibrated level is alpha to the calibration's own tolerance, not a hair above or below.
    constexpr double kSameLevel = 1e-6;
    const char* side = std::abs(a - n) <= kSameLevel ? "equal to" : (a > n ? "above" : "below");
    std::string text =
        "The actual one-sided significance level, with the futility boundaries "
        "obeyed (binding), is " +
        actual + ", " + side + " the nominal " + nominal;
    if (r.snapshot.nonbindingLevel) {
        text +=
            "; with the futility boundaries not obeyed (non-binding, the upper boundaries "
            "alone) it is " +
            trimmed(r.snapshot.nonbindingLevel->text);
    }
    return text + ".";
}

std::string protocolParagraph(const ReportContent& r) {
    const DesignSnapshot& d = r.snapshot;
    std::vector<std::string> times;
    std::vector<std::string> sizes;
    for (const auto& look : d.looks) {
        times.push_back(informationTime(look.fields["infoTime"].text));
        sizes.push_back(trimmed(look.fields["cumulative"].text));
    }
    std::ostringstream p;
    p << "Up to " << d.looks.size() << " analyses are planned at information fractions "
      << joined(times);
    if (comparesTwoGroups(r)) {
        p << " (cumulative sizes " << joined(sizes) << " patients in the two groups together, of "
          << "at most M = " << r.maximumSize << ": " << groupsText(r) << ", allocated "
          << shownText(r, "allocation") << " : 1)";
    } else if (!onInformationTime(r)) {
        p << " (cumulative sample sizes " << joined(sizes) << " of at most M = " << r.maximumSize
          << ")";
    }
    p << ". The trial stops for efficacy at analysis k if the standardized statistic Z_k reaches "
         "the efficacy boundary of that analysis, and for futility if it falls to the futility "
         "boundary (Table 2); at the last analysis H0 is rejected if Z >= "
      << finalCritical(r) << ", " << criticalOrigin(r) << ". " << coefficientSentence(r)
      << " When the true mean lies on the critical line, an early stop contradicts that decision "
         "with probability "
      << shownText(r, "maxDiscordance") << ", the largest over true means. " << levelStatement(r)
      << " The power is " << shownText(r, "actualPower") << " at "
      << (comparesTwoGroups(r) ? "a difference of means " : "") << alternativeName(r) << " = "
      << shownText(r, "mu") << "." << heldAlternativeSentence(r);
    return p.str();
}

std::vector<std::string> hypothesesAndAssumptions(const ReportContent& r) {
    const std::string z = finalCritical(r);
    if (onInformationTime(r)) {
        return {
            "Hypotheses: H0: delta <= 0 against H1: delta > 0 (one-sided), where delta is the "
            "drift of the trial's standardized statistic; the power is computed at delta_a = " +
                shownText(r, "mu") + ".",
            "Model: the standardized statistic S_t is a Brownian motion with drift delta on "
            "information time t, scaled so that the whole trial has t = 1.",
            "Statistic: at a look at information time t_k, Z_k = S_(t_k) / sqrt(t_k).",
            "Information time: the looks are placed directly at the information times given; "
            "the program's " +
                std::to_string(r.maximumSize) +
                " grid steps are a device of its computation, not observations.",
            "Decision at the last look (t = 1): the single critical value decides, reject H0 if "
            "Z >= " +
                z + ".",
        };
    }
    if (comparesTwoGroups(r)) return twoGroupAssumptions(r, z);
    return {
        "Hypotheses: H0: mu <= 0 against H1: mu > 0 (one-sided), mu the mean of an "
        "observation; the power is computed at mu_a = " +
            shownText(r, "mu") + ".",
        "Model: the observations are independent and normal with a common standard deviation "
        "sigma = " +
            shownText(r, "sd") + ", taken as known.",
        maximumSizeSentence(r),
        "Statistic: at look k, after n_k observations in all, Z_k = (x_1 + ... + x_(n_k)) / "
        "(sigma sqrt(n_k)); on the Brownian scale S_k = Z_k sqrt(t_k).",
        "Information time: t_k = n_k / M, the fraction of the trial's information a look has.",
        "Decision at the last look (n = M, t = 1): the single critical value decides, reject H0 "
        "if Z >= " +
            z + ".",
    };
}

std::string discordanceExplained(const ReportContent& r) {
    return "An early stop is discordant when its decision differs from the one the fixed-sample "
           "test would reach at the end. Two numbers describe it. rho(a; 0) = " +
           value(r, "achievedRho", 4) +
           " is the probability of a discordant early stop given that the final statistic lies "
           "exactly at the critical value; over final values it is the largest" +
           (r.snapshot.inputs.a ? std::string(".")
                                : ", and the boundary coefficient was searched so that it meets "
                                  "rho_max = " +
                                      shownText(r, "rho") + ".") +
           " " + shownText(r, "maxDiscordance") +
           " is the probability of a discordant early stop when the true mean lies on the "
           "critical line, averaged over the final values; over true means it is the largest. "
           "The panel shows it as \"Max Discordant Probability\", and the plots' design block "
           "as \"4. Discord prob: rho_max\".";
}

}  // namespace qalix
