// "Expected Sample Size": expected information time and sample size at stopping, overall and
// given significance or futility, and the probabilities of each ending.
#pragma once

#include <string_view>

#include "characteristics/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Shown for a conditional expectation when its condition has probability zero.
inline constexpr std::string_view kUndefined = "n/a";

// Callback of the two mean combos and the "Special Values" button.
void EXPECTSIZE(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind kind);

}  // namespace qalix
