// A trial's analysis as the command line writes it: JSON with every number as the text the
// program shows and its value in full ({"text", "value"}), and a CSV table of the looks in
// full precision.
#pragma once

#include "analysis/trial_analysis.hpp"
#include "document/design_tables.hpp"
#include "document/snapshot_json.hpp"

namespace qalix {

// {"looks": [...], "final": {...} once the trial ended, "timesUsed": {...}}: each look with n,
// t, sum, mean, z, upperZ, lowerZ, decision and, while the trial continues, conditionalPower
// {alternative, estimate} and discordance; the final p-value, estimate, lower and upper
// bounds, confidence and the naive pValue, mean, lower and upper.
Json analysisJson(const TrialDesign& design, const TrialAnalysis& analysis);

// A row per look: look, n, t, sum, mean, z, sigma, lower_z, upper_z, decision,
// conditional_power_alternative, conditional_power_estimate, discordance.
TableRows analysisRows(const TrialAnalysis& analysis);

}  // namespace qalix
