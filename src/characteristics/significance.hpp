// "Probability of Significance": the probabilities of stopping with significance, and of
// stopping at all, at and by each look, for a true mean the user chooses.
#pragma once

#include <optional>
#include <string_view>

#include "characteristics/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Callback of the two mean combos and the "At stage k =" spin.
void PROBSIG(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind kind);
// Callback of the four probability spins.
void PROBSIGSUB(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind kind);

// The sizes the dialog shows for look k: the group and cumulative sizes or, on information
// time, no group size and the number of grids up to the look.
struct LookSizes {
    std::optional<long long> group;
    long long cumulative = 0;
};
LookSizes sizesAtLook(const DesignRecord& record, int k);

// Probability of the event "sig" or "stop", "at" or "by" look k, for the true mean delta on
// the Brownian scale. Nothing when the boundary coefficient cannot be read.
std::optional<double> PROBHITTING(DesignContext& program, double delta, int k,
                                  std::string_view event, std::string_view timing);

}  // namespace qalix
