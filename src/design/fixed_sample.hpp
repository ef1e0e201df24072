// Section 2 of the panel: the one-look, one-sided z-test. Any four of alpha, power, mu_a,
// sigma and m give the fifth.
#pragma once

#include <string>

#include "design/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// z_A = Q(1 - alpha), 1 - alpha formed in double precision from the single-precision alpha.
double zOfAlpha(const DesignRecord& record);
// z_P = Q(power).
double zOfPower(const DesignRecord& record);
// On information time: the mean that makes the drift at time 1, sqrt(m) * mu_a / sigma,
// equal to delta_a, from which power and alpha are computed.
double meanOfAltDelta(const DesignRecord& record);

// Callback of the five parameter combos (selection and edit changes: read the value) and of
// the five buttons beside them (compute that parameter from the other four).
void DESIGNPARMTR(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// Whether the size the panel shows was solved for a two-group trial: a whole sum of groups,
// which reads back as the record's size as a typed one would, shown as the solution shows it.
bool sizeSolvedInGroups(const DesignRecord& r, double size, const std::string& shown);

}  // namespace qalix
