// The sample-path callbacks on the panel's "Simulated" and "Imported" buttons and on the
// simulation and import dialogs.
#pragma once

#include "samples/context.hpp"

namespace qalix {

// Needs the panel and dialogs 105 and 109 built.
void attachSamplesCallbacks(SamplesContext& program);

}  // namespace qalix
