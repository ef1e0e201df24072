// The outcome the panel's first section describes: one sample (the program as it always was),
// or two groups with an allocation ratio (allocation.hpp). The ratio's combo is its value of
// record, read and checked when a computation needs it.
#pragma once

#include <string_view>

#include "design/context.hpp"

namespace qalix {

// The outcome list's items, as the command line names them too.
inline constexpr std::string_view kOneSample = "one sample";
inline constexpr std::string_view kTwoGroups = "two groups";

// Whether the panel asks for two groups.
bool twoGroupsChosen(const DesignContext& program);

// Reads the ratio into the record (0 for one sample). False, after a message, for a ratio
// that is not a number within kMinAllocation..kMaxAllocation.
bool readAllocation(DesignContext& program);

// Shows the groups of the trial's M patients ("234 + 234"), blank for one sample or when the
// size or the ratio cannot be read.
void showGroups(DesignContext& program);

// The outcome list, the ratio typed or picked: the ratio's controls enabled with two groups,
// the alternative named a difference of means, the groups shown afresh.
void OUTCOMECHANGE(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// A design chosen: information time has no groups, so it takes one sample only.
void outcomeForDesign(DesignContext& program);

}  // namespace qalix
