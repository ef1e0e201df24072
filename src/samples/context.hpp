// What the sample-path callbacks work on: the design's context and the state of their own
// dialogs.
#pragma once

#include "design/context.hpp"
#include "samples/samples_state.hpp"

namespace qalix {

struct SamplesContext : DesignContext {
    SamplesState& samples;
};

}  // namespace qalix
