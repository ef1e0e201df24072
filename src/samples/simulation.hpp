// "Setting Simulation": simulation sets (a true mean on both scales and a requested size)
// collected in the modeless dialog 105, and the sample paths "Simulate" draws for them.
#pragma once

#include "samples/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

inline constexpr std::string_view kSimulationTooLarge =
    "Simulation sample size should not be more than 500";
inline constexpr std::string_view kSimulationTooSmall =
    "Simulation sample size should be at least 1";

// Opens and resets the dialog: the panel's "Simulated" button shows it; "Reset" only resets.
void SETTINGSIMU(SamplesContext& program, Dialog& caller, int control, CallbackKind kind);

// Keep the two mean fields consistent: delta = sqrt(m) * mu / sigma, with m unrounded. A
// sigma or m outside its range, or a mean too large to convert, is refused with its message.
void MUCOMBO(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);
void DELTACOMBO(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);

// "Select Set", the record spin, "Delete Set", "Reset" and "Simulate".
void RECORDNUM(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);

// Draws every set's observations and Brownian path, reseeding the generator first. False,
// after its message, when a set asks for more than 500 observations.
bool SIMUOBSERV(SamplesContext& program);

// The copy of the paths the boundary plot draws as "Saved": of each set, the observations
// its last simulation drew. "Simulate" and the plot's "Save" take it.
void keepPaths(DesignRecord& r, const SamplesState& state);

}  // namespace qalix
