// The critical value z of the last look. The continuation region depends on X_t = S_t - z t and
// the coefficient a alone, so once a is found z can be chosen freely, and the discordance bound
// holds unchanged: the fixed-sample test's z (nominal), or the z at which the level is exactly
// alpha, with the futility stops obeyed (exact) or ignored (exact-nonbinding).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "design/context.hpp"

namespace qalix {

// The choices by the names the panel's "Level:" list and the command line give them.
inline constexpr std::string_view kNominalLevel = "nominal";
inline constexpr std::string_view kExactLevel = "exact";
inline constexpr std::string_view kExactNonbindingLevel = "exact-nonbinding";

std::optional<LevelChoice> levelChoiceOf(std::string_view name);
std::string_view levelName(LevelChoice choice);
// The choice the panel shows; nominal when its list shows none.
LevelChoice chosenLevel(const DesignContext& program);

// Calibrates z for the choice shown, for a and the looks of the continuation table, and keeps
// it; the nominal z needs none. False, after a message, when no z gives the level alpha.
bool calibrateCritical(DesignContext& program, double a);

// The looks' information fractions where the boundaries are applied (the boundary dialog's):
// n_k / M on group sizes, the times as given on information time. The engine integrates at
// these rounded to the information-time dialog's digits; the levels of the boundaries a trial
// applies, and the calibration to alpha, are computed at the fractions themselves.
std::vector<double> appliedLookTimes(const DesignRecord& record);

// The critical value every computation over the boundaries uses now: the calibrated one while
// the choice, alpha, a and the looks are those it was calibrated for, else z_(1-alpha).
double criticalValueInUse(const DesignContext& program);

}  // namespace qalix
