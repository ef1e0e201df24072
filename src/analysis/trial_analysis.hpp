// The analysis of a trial run on one of the program's designs: the looks it actually took,
// each with the design's boundaries at its actual information time, the decision it gives,
// and while the trial continues the conditional power and discordance; at the end the
// stage-wise p-value, median-unbiased estimate and confidence bounds, beside the naive ones.
//
// On group sizes a look is its cumulative number of observations n and their sum, mean or Z:
// t = n / M, and a look with n >= M is the final analysis (t = 1). On information time a look
// is t and Z. The design's last look is the final analysis whatever its n or t: the trial
// ends there with the single critical value, its information as it came. The boundaries are the
// design's family at t: S = z t +- sqrt(2 a t (1 - t)) on the Brownian scale S = Z sqrt(t); at t =
// 1 both are z.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/stagewise.hpp"

namespace qalix {

// What the analysis needs of the design the program computed.
struct TrialDesign {
    bool onInformationTime = false;
    int maxSize = 0;                   // M, the observations of the whole trial (group sizes)
    double sigma = 1.0;                // the design's standard deviation (group sizes)
    double z = 0.0;                    // the critical value of the last look
    double a = 0.0;                    // the boundary coefficient
    std::vector<double> plannedTimes;  // t_1 .. t_K = 1
    double alternative = 0.0;          // the design's alternative as a drift of S on [0, 1]
    double nominalLevel = 0.0;         // alpha
    double actualLevel = 0.0;          // as the panel shows it, at the planned times
    // A design whose z was calibrated to the level alpha exactly: the analysis keeps it exact
    // by solving the final critical value again at the times used, the level with the futility
    // boundaries obeyed (binding) or ignored (not binding, whose inference then ignores them
    // too, so that it holds whether or not a trial stops for futility).
    bool exactLevel = false;
    bool futilityBinding = true;
    // Two groups: the allocation ratio (0 for one sample) and the design's groups at M. sigma
    // is then the SD of one patient's outcome in either group.
    double allocation = 0.0;
    int maxControl = 0, maxTreatment = 0;
};

// One look as the user gives it: on group sizes n and exactly one of sum, mean and z (and sd
// when an estimate of sigma replaces the design's); on information time t and z. With two
// groups each group's size, n1 (control) and n2 (treatment), and both means, their difference
// (treatment minus control) or z.
struct LookInput {
    std::optional<double> n, t, sum, mean, z, sd;
    std::optional<double> n1, n2, mean1, mean2, diff;
};

// An input the analysis cannot take, with the look it concerns named in its message.
struct AnalysisInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A look as typed: "n=6,sum=7.4", "n=12,mean=1.23,sd=2.1", "t=0.3,z=1.1". Each key once, each
// value one number. Throws AnalysisInputError naming the look (from 1) for anything else.
LookInput parseLook(const std::string& text, int look);

enum class LookDecision { Continue, Efficacy, Futility, Reject, Accept };
// continue, efficacy, futility, reject, accept: the JSON's words.
const char* decisionKey(LookDecision decision);

struct AnalysedLook {
    int look = 0;
    double t = 0.0;  // where the boundaries apply: 1 at the final analysis
    // The look's information on the inference's scale: its n on group sizes, the time given on
    // information time (so that a final analysis that came early or late is correlated with
    // the looks before it as it came).
    double information = 0.0;
    std::optional<double> n, sum, mean;        // on group sizes; with two groups n in all, mean D
    std::optional<double> control, treatment;  // two groups: each group's size
    double z = 0.0;
    double sigma = 0.0;           // the one this look's Z used (group sizes)
    bool sigmaEstimated = false;  // given with the look rather than the design's
    // From the drift per unit of information to the mean (the difference with two groups).
    double meanScale = 1.0;
    double upperZ = 0.0, lowerZ = 0.0;  // the boundaries at t on the Z scale
    double upperS = 0.0, lowerS = 0.0;  // and on the Brownian scale
    LookDecision decision = LookDecision::Continue;
    // While the trial continues: the probability of rejecting H0 at a later look (the looks to
    // come at their planned times) under the design's alternative and under the estimate at
    // this look, and the probability that the full-sample decision differs from the one a stop
    // now would give (reject above z t, accept below), on the critical line where the design
    // bounds it.
    std::optional<double> powerAlternative, powerEstimate, discordance;
};

// The inference at the end, on the scale of the mean (mu on group sizes, delta on information
// time).
struct TrialInference {
    double pValue = 0.0, estimate = 0.0, lower = 0.0, upper = 0.0;
    double confidence = 0.0;  // of the two-sided interval; each bound one-sided (1 + it) / 2
    double naivePValue = 0.0, naiveMean = 0.0, naiveLower = 0.0, naiveUpper = 0.0;
};

struct TrialAnalysis {
    std::vector<AnalysedLook> looks;
    std::optional<TrialInference> final;  // once the trial stopped or reached its last look
    // The design at the times used (the looks to come at their planned ones), on the looks'
    // information as it came: its level, power and rho(a; 0), beside the planned design's.
    // An outcome exactly at the final critical value has the level as its p-value. For a
    // design at an exact level the final critical value is the one that gives the level alpha
    // at these times, and the level is alpha.
    double finalCritical = 0.0;
    double levelAtTimesUsed = 0.0;
    double powerAtTimesUsed = 0.0;
    std::optional<double> rhoAtTimesUsed;  // none when the times are too close for its grids
};

// Throws AnalysisInputError naming the look: looks that do not increase, n = 0, a value that
// is not finite, a look after a stop or past the final one, more looks than the design has,
// a look without a value or with two.
TrialAnalysis analyseTrial(const TrialDesign& design, const std::vector<LookInput>& looks,
                           double confidence);

}  // namespace qalix
