// Results that no longer follow from the inputs shown are marked at once. "Sequential
// Design" notes the inputs its results came from (the panel's fields and the looks of the
// information-time dialog); as soon as one of them differs, the panel greys its results and
// says beside them which input changed and what computes the design again, the plots of the
// design (which draw those results) wait, and so do the operating characteristics when the
// boundaries themselves changed; until "Sequential Design" succeeds again. An input typed
// back to what it was makes the results current again.
#pragma once

#include <string>

#include "design/context.hpp"

namespace qalix {

// Watches the inputs from now on.
void attachResultsWatch(DesignContext& program);

// "Sequential Design" has computed the results shown from the inputs shown now.
void resultsComputed(DesignContext& program);

// The design has gone (a design choice): no results, nothing to mark.
void resultsCleared(DesignContext& program);

// What a command that needs current results says when they are not: the input that changed
// and the buttons that compute the design again. Empty while they are current.
std::string staleResultsRefusal(const DesignContext& program);

}  // namespace qalix
