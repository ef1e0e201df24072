// "Probability of Discordance": how likely the sequential decision disagrees with the
// decision the fixed-sample test would reach on all the data, for a true mean.
#pragma once

#include <string_view>

#include "characteristics/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Callback of the two mean combos and the "rho_max" button.
void PROBDISC(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind kind);

// The conditional discordance integrated against the final value's density N(d, 1): over
// -2..2 for "all", -2..0 for "sig" and 0..2 for "fut". d is the centred drift delta - z.
double DISCPROB(const DesignContext& program, double a, double d, std::string_view part);

}  // namespace qalix
