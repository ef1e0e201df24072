#include "analysis/trial_analysis.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <numbers>

#include "engine/calibration.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "engine/monotone_root.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

double upperTail(double x) {
    return 0.5 * std::erfc(x / std::numbers::sqrt2);
}

std::string lookName(std::size_t index) {
    return "look " + std::to_string(index + 1);
}

[[noreturn]] void refuse(std::size_t index, const std::string& what) {
    throw AnalysisInputError("The " + lookName(index) + " " + what + ".");
}

void requireFinite(std::size_t index, const std::optional<double>& value, const char* name) {
    if (value && !std::isfinite(*value))
        refuse(index, std::string("has a ") + name + " that is not a finite number");
}

// The design's boundaries at time t, on the Brownian scale and on the Z scale.
struct Boundaries {
    double upperS, lowerS, upperZ, lowerZ;
};

// The design as the analysis applies it: its final critical value, z unless solved again for
// the times used.
struct AppliedDesign {
    const TrialDesign& design;
    double finalZ;
};

Boundaries boundariesAt(const AppliedDesign& applied, double t) {
    const TrialDesign& d = applied.design;
    if (t >= 1.0) return {applied.finalZ, applied.finalZ, applied.finalZ, applied.finalZ};
    const double half = halfWidth(d.a, t);
    const double root = std::sqrt(t);
    const double upper = d.z * t + half;
    const double lower = d.z * t - half;
    return {upper, lower, upper / root, lower / root};
}

// The look's time and its Z from what the user gave.
void readGroupLook(const TrialDesign& d, const LookInput& in, std::size_t index,
                   AnalysedLook& look) {
    if (in.n1 || in.n2 || in.mean1 || in.mean2 || in.diff)
        refuse(index, "gives a group's size or mean: the design is one sample");
    if (!in.n) refuse(index, "needs its cumulative number of observations n");
    if (!(*in.n >= 1.0) || *in.n != std::floor(*in.n))
        refuse(index, "needs a whole number of observations n of at least 1");
    if (in.t) refuse(index, "gives a time t: on group sizes a look is its n");
    const int given = (in.sum ? 1 : 0) + (in.mean ? 1 : 0) + (in.z ? 1 : 0);
    if (given != 1) refuse(index, "needs exactly one of its sum, its mean and its Z");
    if (in.sd && !(*in.sd > 0.0)) refuse(index, "needs an sd above 0");
    const double n = *in.n;
    look.n = n;
    look.information = n;
    look.t = n >= d.maxSize ? 1.0 : n / d.maxSize;
    look.sigma = in.sd.value_or(d.sigma);
    look.sigmaEstimated = in.sd.has_value();
    const double root = std::sqrt(n);
    if (in.sum) look.z = *in.sum / (look.sigma * root);
    if (in.mean) look.z = *in.mean * root / look.sigma;
    if (in.z) look.z = *in.z;
    look.sum = look.z * look.sigma * root;
    look.mean = *look.sum / n;
    look.meanScale = look.sigma;
}

// 1 / (1/n_1 + 1/n_2): the information on the difference of two means, per sigma^2.
double groupsInformation(double control, double treatment) {
    return 1.0 / (1.0 / control + 1.0 / treatment);
}

bool wholeSize(const std::optional<double>& n) {
    return n && *n >= 1.0 && *n == std::floor(*n);
}

// A two-group look: its time is its information over the design's at M, so that groups that
// drift from the ratio are weighed as they came; on the inference's scale it is that share of
// M observations of the equivalent one-sample design.
void readTwoGroupLook(const TrialDesign& d, const LookInput& in, std::size_t index,
                      AnalysedLook& look) {
    if (!wholeSize(in.n1) || !wholeSize(in.n2))
        refuse(index, "needs the whole sizes n1 (control) and n2 (treatment), each at least 1");
    if (in.n || in.t || in.sum || in.mean)
        refuse(index, "gives n, t, a sum or a mean: a two-group look is n1, n2 and the means");
    if (in.mean1.has_value() != in.mean2.has_value())
        refuse(index, "needs both means, mean1 (control) and mean2 (treatment)");
    const int given = (in.mean1 ? 1 : 0) + (in.diff ? 1 : 0) + (in.z ? 1 : 0);
    if (given != 1)
        refuse(index, "needs exactly one of: both means, their difference diff, and its Z");
    if (in.sd && !(*in.sd > 0.0)) refuse(index, "needs an sd above 0");
    const double information = groupsInformation(*in.n1, *in.n2);
    const double maximum = groupsInformation(d.maxControl, d.maxTreatment);
    const double share = information / maximum;
    look.control = *in.n1;
    look.treatment = *in.n2;
    look.n = *in.n1 + *in.n2;
    look.information = share * d.maxSize;
    look.t = share >= 1.0 ? 1.0 : share;
    look.sigma = in.sd.value_or(d.sigma);
    look.sigmaEstimated = in.sd.has_value();
    const double se = look.sigma / std::sqrt(information);
    if (in.mean1) look.z = (*in.mean2 - *in.mean1) / se;
    if (in.diff) look.z = *in.diff / se;
    if (in.z) look.z = *in.z;
    look.mean = look.z * se;
    look.meanScale = look.sigma * std::sqrt(d.maxSize / maximum);
}

void readTimeLook(const LookInput& in, std::size_t index, AnalysedLook& look) {
    if (!in.t || !in.z) refuse(index, "needs its information time t and its Z");
    if (in.n || in.sum || in.mean || in.sd || in.n1 || in.n2 || in.mean1 || in.mean2 || in.diff)
        refuse(index, "gives n, a sum, a mean or an sd: on information time a look is t and Z");
    if (!(*in.t > 0.0 && *in.t <= 1.0)) refuse(index, "needs a time t above 0 and at most 1");
    look.t = *in.t;
    look.information = *in.t;
    look.z = *in.z;
}

AnalysedLook readLook(const AppliedDesign& applied, const LookInput& in, std::size_t index) {
    const TrialDesign& d = applied.design;
    for (const auto& [value, name] : {std::pair{&in.n, "n"},
                                      {&in.t, "time"},
                                      {&in.sum, "sum"},
                                      {&in.mean, "mean"},
                                      {&in.z, "Z"},
                                      {&in.sd, "sd"},
                                      {&in.n1, "n1"},
                                      {&in.n2, "n2"},
                                      {&in.mean1, "mean1"},
                                      {&in.mean2, "mean2"},
                                      {&in.diff, "diff"}})
        requireFinite(index, *value, name);
    AnalysedLook look;
    look.look = static_cast<int>(index) + 1;
    if (d.onInformationTime) {
        readTimeLook(in, index, look);
    } else if (d.allocation > 0.0) {
        readTwoGroupLook(d, in, index, look);
    } else {
        readGroupLook(d, in, index, look);
    }
    if (index + 1 == d.plannedTimes.size()) look.t = 1.0;  // the design's last look
    const Boundaries b = boundariesAt(applied, look.t);
    look.upperS = b.upperS;
    look.lowerS = b.lowerS;
    look.upperZ = b.upperZ;
    look.lowerZ = b.lowerZ;
    const double s = look.z * std::sqrt(look.t);
    if (look.t >= 1.0) {
        look.decision = look.z >= applied.finalZ ? LookDecision::Reject : LookDecision::Accept;
    } else if (s >= b.upperS) {
        look.decision = LookDecision::Efficacy;
    } else if (s <= b.lowerS) {
        look.decision = LookDecision::Futility;
    }
    return look;
}

// The planned times of the looks still to come once `taken` looks were taken, the last at t:
// the design's looks after the taken ones, those still ahead of t. A look taken before its
// planned time stands for that look, so the trial keeps the design's number of looks, the last
// of them its final analysis.
std::vector<double> timesToCome(const TrialDesign& d, std::size_t taken, double t) {
    std::vector<double> times;
    for (std::size_t i = taken; i < d.plannedTimes.size(); ++i) {
        if (d.plannedTimes[i] > t) times.push_back(d.plannedTimes[i]);
    }
    return times;
}

// The looks still to come, at their planned times, as the inference scale has them.
std::vector<CrossingLook> plannedAfter(const AppliedDesign& applied, std::size_t taken, double t) {
    const TrialDesign& d = applied.design;
    std::vector<CrossingLook> looks;
    for (const double planned : timesToCome(d, taken, t)) {
        const Boundaries b = boundariesAt(applied, planned);
        const double information = d.onInformationTime ? planned : planned * d.maxSize;
        looks.push_back({information, b.lowerZ, b.upperZ});
    }
    return looks;
}

CrossingLook crossingOf(const AnalysedLook& look) {
    return {look.information, look.lowerZ, look.upperZ};
}

// The drift per unit of the inference's information, and the mean it stands for.
double driftOfAlternative(const TrialDesign& d) {
    return d.onInformationTime ? d.alternative : d.alternative / std::sqrt(d.maxSize);
}

void addInterimQuantities(const AppliedDesign& applied, AnalysedLook& look) {
    const TrialDesign& d = applied.design;
    const std::vector<CrossingLook> remaining =
        plannedAfter(applied, static_cast<std::size_t>(look.look), look.t);
    const double information = look.information;
    const CrossingStart start{information, look.z * std::sqrt(information)};
    look.powerAlternative = conditionalPower(remaining, start, driftOfAlternative(d));
    look.powerEstimate = conditionalPower(remaining, start, look.z / std::sqrt(information));
    // X = S - z t has no drift on the critical line: its final value lies on the other side of
    // 0 from x with probability Phi(-|x| / sqrt(1 - t)).
    const double x = look.z * std::sqrt(look.t) - d.z * look.t;
    look.discordance = upperTail(std::abs(x) / std::sqrt(1.0 - look.t));
}

// The looks in order, each after the one before, none after a stop, at most as many as the
// design has.
void checkOrder(const TrialDesign& d, const std::vector<AnalysedLook>& looks) {
    const std::size_t most = d.plannedTimes.size();
    for (std::size_t i = 0; i < looks.size(); ++i) {
        if (i >= most) {
            refuse(i, "is one more than the design's " + std::to_string(most) + " looks");
        }
        if (i == 0) continue;
        const AnalysedLook& before = looks[i - 1];
        if (before.decision != LookDecision::Continue) {
            refuse(i, std::string("comes after the trial stopped at ") + lookName(i - 1) + " (" +
                          decisionKey(before.decision) + ")");
        }
        // On group sizes the information is n; with two groups it is weighed by the groups.
        const bool increases = looks[i].information > before.information;
        if (!increases) refuse(i, "does not come after " + lookName(i - 1));
    }
}

// The looks as the inference orders outcomes by: as applied, without the futility boundaries
// before the last look when they do not bind.
std::vector<CrossingLook> inferenceLooks(const TrialDesign& d,
                                         const std::vector<AnalysedLook>& looks) {
    std::vector<CrossingLook> applied;
    for (const AnalysedLook& look : looks)
        applied.push_back(crossingOf(look));
    if (!d.futilityBinding) {
        for (std::size_t i = 0; i + 1 < applied.size(); ++i)
            applied[i].lower = -std::numeric_limits<double>::infinity();
    }
    return applied;
}

TrialInference inferenceOf(const TrialDesign& d, const std::vector<AnalysedLook>& looks,
                           double confidence) {
    const std::vector<CrossingLook> applied = inferenceLooks(d, looks);
    const AnalysedLook& last = looks.back();
    const double alpha = (1.0 - confidence) / 2.0;
    const StagewiseInference s = stagewiseInference(applied, last.z, alpha);
    // From drift per observation to the mean: mu = theta sigma.
    const double scale = d.onInformationTime ? 1.0 : last.meanScale;
    return {s.pValue,
            s.estimate * scale,
            s.lowerBound * scale,
            s.upperBound * scale,
            confidence,
            s.naive.pValue,
            s.naive.estimate * scale,
            s.naive.lowerBound * scale,
            s.naive.upperBound * scale};
}

// The times of the design as used: the looks taken at theirs, those to come at the planned.
std::vector<double> timesUsed(const TrialDesign& d, const std::vector<AnalysedLook>& looks) {
    std::vector<double> times;
    for (const AnalysedLook& look : looks)
        times.push_back(look.t);
    const double last = times.empty() ? 0.0 : times.back();
    for (const double planned : timesToCome(d, looks.size(), last))
        times.push_back(planned);
    return times;
}

// rho(a; 0) on the program's own grid, as the panel computes it for the planned times.
std::optional<double> rhoAt(const TrialDesign& d, const std::vector<double>& times) {
    const int K = static_cast<int>(times.size());
    if (!innerGridsFit(d.a, kGridIntervals, K, times.data())) return std::nullopt;
    const auto table = std::make_unique<ContinuationTable>();
    LATN(d.a, table->data(), kGridIntervals, K, times.data());
    const double rho = GETDISC(d.a, table->data(), kGridIntervals, K, times.data(), 0.0);
    return std::isfinite(rho) ? std::optional(rho) : std::nullopt;
}

// The looks at the times used: those taken as applied, on their information as it came, then
// those to come at their planned times; the last is the final analysis.
std::vector<CrossingLook> looksAtTimesUsed(const AppliedDesign& applied,
                                           const std::vector<AnalysedLook>& taken) {
    std::vector<CrossingLook> looks;
    for (const AnalysedLook& look : taken)
        looks.push_back(crossingOf(look));
    const std::vector<CrossingLook> toCome = plannedAfter(applied, taken.size(), taken.back().t);
    looks.insert(looks.end(), toCome.begin(), toCome.end());
    return looks;
}

double rejection(const std::vector<CrossingLook>& looks, double drift) {
    const CrossingProbabilities p = crossingProbabilities(looks, drift);
    double total = 0.0;
    for (const double u : p.upper)
        total += u;
    return total;
}

// The level the p-value answers to: with the futility boundaries obeyed, or ignored when they
// do not bind.
double levelOf(const TrialDesign& d, std::vector<CrossingLook> looks) {
    if (!d.futilityBinding) {
        for (std::size_t i = 0; i + 1 < looks.size(); ++i)
            looks[i].lower = -std::numeric_limits<double>::infinity();
    }
    return rejection(looks, 0.0);
}

// The final critical value that gives the level alpha at the times used; the looks taken keep
// the boundaries they were analysed with. The level decreases as the final value grows.
double exactFinalCritical(const TrialDesign& d, const std::vector<AnalysedLook>& taken) {
    std::vector<CrossingLook> looks = looksAtTimesUsed({d, d.z}, taken);
    const auto excess = [&](double c) {
        looks.back().lower = looks.back().upper = c;
        return levelOf(d, looks) - d.nominalLevel;
    };
    const auto tol = [](double lo, double hi) { return hi - lo <= kCriticalTolerance; };
    const std::optional<double> c = monotoneRoot(excess, false, d.z, 0.01, tol);
    if (!c) throw std::runtime_error("no final critical value gives the level alpha");
    return *c;
}

void addDesignAtTimesUsed(const AppliedDesign& applied, TrialAnalysis& analysis) {
    const TrialDesign& d = applied.design;
    analysis.rhoAtTimesUsed = rhoAt(d, timesUsed(d, analysis.looks));
    const std::vector<CrossingLook> looks = looksAtTimesUsed(applied, analysis.looks);
    analysis.finalCritical = applied.finalZ;
    analysis.levelAtTimesUsed = levelOf(d, looks);
    analysis.powerAtTimesUsed = rejection(looks, driftOfAlternative(d));
}

}  // namespace

LookInput parseLook(const std::string& text, int look) {
    const std::string name = "The look " + std::to_string(look) + " (\"" + text + "\")";
    LookInput in;
    const std::pair<const char*, std::optional<double> LookInput::*> keys[] = {
        {"n", &LookInput::n},         {"t", &LookInput::t},      {"sum", &LookInput::sum},
        {"mean", &LookInput::mean},   {"z", &LookInput::z},      {"sd", &LookInput::sd},
        {"n1", &LookInput::n1},       {"n2", &LookInput::n2},    {"mean1", &LookInput::mean1},
        {"mean2", &LookInput::mean2}, {"diff", &LookInput::diff}};
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma - start);
        const std::size_t equals = part.find('=');
        const std::string key = part.substr(0, equals);
        const auto* field = std::find_if(std::begin(keys), std::end(keys),
                                         [&key](const auto& k) { return key == k.first; });
        if (equals == std::string::npos || field == std::end(keys))
            throw AnalysisInputError(name +
                                     " takes n=, t=, sum=, mean=, z= and sd= (with two "
                                     "groups n1=, n2=, mean1=, mean2=, diff=, z= and sd=), "
                                     "separated by commas.");
        double value = 0.0;
        const std::string number = part.substr(equals + 1);
        if (!isOneNumber(number) || readFree(number, value) != ReadStatus::Ok)
            throw AnalysisInputError(name + " gives " + key + " \"" + number +
                                     "\", which is not one number.");
        if (in.*(field->second)) throw AnalysisInputError(name + " gives " + key + " twice.");
        in.*(field->second) = value;
        if (comma == std::string::npos) return in;
        start = comma + 1;
    }
}

const char* decisionKey(LookDecision decision) {
    switch (decision) {
        case LookDecision::Continue:
            return "continue";
        case LookDecision::Efficacy:
            return "efficacy";
        case LookDecision::Futility:
            return "futility";
        case LookDecision::Reject:
            return "reject";
        case LookDecision::Accept:
            return "accept";
    }
    return "";
}

TrialAnalysis analyseTrial(const TrialDesign& design, const std::vector<LookInput>& inputs,
                           double confidence) {
    if (inputs.empty()) throw AnalysisInputError("No look is given: give the looks taken so far.");
    if (!(confidence > 0.0 && confidence < 1.0))
        throw AnalysisInputError("The confidence level must lie between 0 and 1.");
    TrialAnalysis analysis;
    AppliedDesign applied{design, design.z};
    const auto readAll = [&] {
        analysis.looks.clear();
        for (std::size_t i = 0; i < inputs.size(); ++i)
            analysis.looks.push_back(readLook(applied, inputs[i], i));
    };
    readAll();
    checkOrder(design, analysis.looks);
    try {
        if (design.exactLevel) {
            applied.finalZ = exactFinalCritical(design, analysis.looks);
            readAll();
        }
        for (AnalysedLook& look : analysis.looks) {
            if (look.decision == LookDecision::Continue) addInterimQuantities(applied, look);
        }
        if (analysis.looks.back().decision != LookDecision::Continue)
            analysis.final = inferenceOf(design, analysis.looks, confidence);
        addDesignAtTimesUsed(applied, analysis);
    } catch (const std::invalid_argument& refused) {
        // Looks closer together than the integration grid resolves, named by the routine.
        throw AnalysisInputError(std::string("The looks cannot be analysed: ") + refused.what() +
                                 ".");
    } catch (const std::runtime_error& refused) {
        throw AnalysisInputError(std::string("The inference cannot be computed: ") +
                                 refused.what() + ".");
    }
    return analysis;
}

}  // namespace qalix
