// Whether the operating-characteristics dialogs can compute and show a true mean. Far enough
// out the integration grids no longer hold the paths and the probabilities of stopping stop
// adding up to 1; such a mean gets a message and no numbers.
#pragma once

#include <initializer_list>

#include "design/context.hpp"
#include "engine/absorption.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// delta (on the Brownian scale) is finite, its stopping probabilities add to 1 within
// kStoppingTolerance and, unless the user typed it into the delta field itself, it fits the
// F9.5 field the program writes it into and reads it back from.
bool meanComputable(const StoppingMasses& masses, int K, double delta, bool typed);
// The same for the coefficient a and the critical value z, computing the masses.
bool meanComputable(const DesignRecord& record, double a, float z, double delta, bool typed);

// Shows "The true mean is outside the range the program can compute." and blanks the fields
// that would show numbers of that mean.
void refuseMean(DesignContext& program, Dialog& dialog, std::initializer_list<int> fields);

}  // namespace qalix
