// Section 3 and 4 of the panel: the boundary coefficient a against the maximum discordance
// probability rho_max, and the actual significance level and power of the sequential test.
#pragma once

#include <string_view>
#include <vector>

#include "design/dialog.hpp"
#include "design/program.hpp"

namespace qalix {

inline constexpr std::string_view kSearchWarning = "Be careful, the results could be wrong!";

// "Bound-Coeff  a:" searches a from rho_max; "rho" computes rho_max from a.
void GETDISCPROB(Program& program, Dialog& panel, int control, CallbackKind kind);

// "Sequential Design": actual significance level and actual power.
void POWER(Program& program, Dialog& panel, int control, CallbackKind kind);

// Reads the boundary coefficient a from its panel combo. An unreadable text shows the entry
// error and returns false; a blank one leaves the last coefficient read.
bool readCoefficient(Program& program, double& a);

// z_(1-alpha) recomputed from alpha and stored in the record in single precision, as every
// routine that integrates over the boundaries does before it starts.
float refreshZAlpha(Program& program);

// Rejection and acceptance probabilities of the power plot, pairs per mean, and the expected
// information times of the expected-size plot. Empty when a cannot be read.
std::vector<double> powerFunction(Program& program);
std::vector<double> expectedInformation(Program& program);

// Every a the last search evaluated, the returned one last.
const std::vector<double>& searchIterates(const Program& program);

}  // namespace qalix
