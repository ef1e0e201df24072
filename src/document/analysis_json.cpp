#include "document/analysis_json.hpp"

#include "analysis/trial_text.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

Json shown(const std::string& text, double value) {
    return shownJson({text, value, false});
}

Json whole(double value) {
    return shownJson({formatFree(static_cast<long long>(value)), value, true});
}

Json lookJson(const AnalysedLook& look) {
    Json j = {{"look", look.look}};
    if (look.n) j["n"] = whole(*look.n);
    j["t"] = shown(shownTime(look.t), look.t);
    if (look.control) {  // two groups: each group's size, and the difference of the means
        j["n1"] = whole(*look.control);
        j["n2"] = whole(*look.treatment);
    }
    if (look.sum) j["sum"] = shown(shownSum(*look.sum), *look.sum);
    if (look.mean)
        j[look.control ? "difference" : "mean"] = shown(shownMean(*look.mean), *look.mean);
    j["z"] = shown(shownZ(look.z), look.z);
    if (look.n) {
        j["sigma"] = shown(formatFree(look.sigma), look.sigma);
        j["sigmaEstimated"] = look.sigmaEstimated;
    }
    j["upperZ"] = shown(shownZ(look.upperZ), look.upperZ);
    j["lowerZ"] = shown(shownZ(look.lowerZ), look.lowerZ);
    j["decision"] = decisionKey(look.decision);
    if (look.powerAlternative) {
        j["conditionalPower"] = {
            {"alternative",
             shown(shownProbability(*look.powerAlternative), *look.powerAlternative)},
            {"estimate", shown(shownProbability(*look.powerEstimate), *look.powerEstimate)}};
        j["discordance"] = shown(shownProbability(*look.discordance), *look.discordance);
    }
    return j;
}

Json finalJson(const TrialInference& f) {
    return {{"pValue", shown(shownPValue(f.pValue), f.pValue)},
            {"estimate", shown(shownMean(f.estimate), f.estimate)},
            {"lower", shown(shownMean(f.lower), f.lower)},
            {"upper", shown(shownMean(f.upper), f.upper)},
            {"confidence", shown(formatFree(f.confidence), f.confidence)},
            {"naive",
             {{"pValue", shown(shownPValue(f.naivePValue), f.naivePValue)},
              {"mean", shown(shownMean(f.naiveMean), f.naiveMean)},
              {"lower", shown(shownMean(f.naiveLower), f.naiveLower)},
              {"upper", shown(shownMean(f.naiveUpper), f.naiveUpper)}}}};
}

std::string cell(const std::optional<double>& value) {
    return value ? csvNumber(*value) : std::string();
}

}  // namespace

Json analysisJson(const TrialDesign& d, const TrialAnalysis& a) {
    Json looks = Json::array();
    for (const AnalysedLook& look : a.looks)
        looks.push_back(lookJson(look));
    Json out = {{"looks", std::move(looks)}};
    if (a.final) out["final"] = finalJson(*a.final);
    Json used = {{"level", shown(shownProbability(a.levelAtTimesUsed), a.levelAtTimesUsed)},
                 {"power", shown(shownProbability(a.powerAtTimesUsed), a.powerAtTimesUsed)}};
    if (a.rhoAtTimesUsed)
        used["rho"] = shown(shownProbability(*a.rhoAtTimesUsed), *a.rhoAtTimesUsed);
    // The level above is the one the p-value answers to: futility ignored when it does not bind.
    used["levelFutility"] = d.futilityBinding ? "obeyed" : "ignored";
    used["finalCritical"] = shown(shownZ(a.finalCritical), a.finalCritical);
    out["timesUsed"] = std::move(used);
    return out;
}

// With two groups the sum gives way to each group's size, and the mean is their difference.
TableRows analysisRows(const TrialAnalysis& a) {
    const bool two = !a.looks.empty() && a.looks.front().control.has_value();
    TableRows rows = {{"look", "n", "t", "sum", "mean", "z", "sigma", "lower_z", "upper_z",
                       "decision", "conditional_power_alternative", "conditional_power_estimate",
                       "discordance"}};
    if (two)
        rows.front() = {"look",
                        "n",
                        "control_size",
                        "treatment_size",
                        "t",
                        "difference",
                        "z",
                        "sigma",
                        "lower_z",
                        "upper_z",
                        "decision",
                        "conditional_power_alternative",
                        "conditional_power_estimate",
                        "discordance"};
    for (const AnalysedLook& look : a.looks) {
        std::vector<std::string> row = {std::to_string(look.look), look.n ? csvWhole(*look.n) : ""};
        if (two) row.insert(row.end(), {cell(look.control), cell(look.treatment)});
        row.push_back(csvNumber(look.t));
        if (!two) row.push_back(cell(look.sum));
        row.insert(row.end(),
                   {cell(look.mean), csvNumber(look.z), look.n ? csvNumber(look.sigma) : "",
                    csvNumber(look.lowerZ), csvNumber(look.upperZ), decisionKey(look.decision),
                    cell(look.powerAlternative), cell(look.powerEstimate), cell(look.discordance)});
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace qalix
