// What the operating-characteristics callbacks work on: the design's context and the state
// of their own four dialogs.
#pragma once

#include "characteristics/characteristics_state.hpp"
#include "design/context.hpp"

namespace qalix {

struct CharacteristicsContext : DesignContext {
    CharacteristicsState& characteristics;
};

}  // namespace qalix
