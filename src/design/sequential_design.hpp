// Section 3 and 4 of the panel: the boundary coefficient a against the maximum discordance
// probability rho_max, and the actual significance level and power of the sequential test.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

inline constexpr std::string_view kSearchWarning = "Be careful, the results could be wrong!";

// "Bound-Coeff  a:" searches a from rho_max; "rho" computes rho_max from a.
void GETDISCPROB(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// "Sequential Design": actual significance level and actual power. False, after a message,
// when a parameter of the design or its alternative lies outside its range.
bool POWER(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// The fixed-sample parameters the sequential test's characteristics rest on (alpha and power
// on information time; alpha, sigma, mu_a and m otherwise). Shows the message for the first
// one out of range.
bool designParametersInRange(DesignContext& program);

// Reads the boundary coefficient a from its panel combo. An unreadable text shows the entry
// error and a negative a the range message, and both return false; a blank one leaves the
// last coefficient read.
bool readCoefficient(DesignContext& program, double& a);

// Whether the information times t[0..K-1] increase strictly from above 0 to exactly 1 at
// the last look, as every computation over the looks needs them. Shows the message that
// says so, and returns false, when they do not.
bool timesInRange(DesignContext& program, const double* t, int K);

// The continuation table and its times belong to the last search or "rho". Information
// times entered since for another number of looks leave the record's looks without them.
inline constexpr std::string_view kEngineLooksError =
    "The boundary coefficient was computed for another number of looks: compute it again "
    "with \"Bound-Coeff  a:\" or \"rho\".";

// Whether the record's looks are those the continuation table was built for, as every
// computation over the table needs; false after kEngineLooksError when they are not.
bool engineLooksCurrent(DesignContext& program);

// "The boundary coefficient a = ... is out of range: ...", naming its range.
std::string coefficientOutOfRange(double a);

// z_(1-alpha) recomputed from alpha and stored in the record in single precision, as every
// routine that integrates over the boundaries does before it starts.
float refreshZAlpha(DesignContext& program);

// Rejection and acceptance probabilities of the power plot, pairs per mean, and the expected
// information times of the expected-size plot. Empty when a cannot be read. means, when
// given, receives the true mean theta of each point.
std::vector<double> powerFunction(DesignContext& program, std::vector<double>* means = nullptr);
std::vector<double> expectedInformation(DesignContext& program,
                                        std::vector<double>* means = nullptr);

// Every a the last search evaluated, the returned one last.
const std::vector<double>& searchIterates(const DesignContext& program);

}  // namespace qalix
