// What the operating-characteristics callbacks work on: the design's context and the state
// of their own four dialogs.
#pragma once

#include "characteristics/characteristics_state.hpp"
#include "design/context.hpp"

namespace qalix {

class CharacteristicsContext : public virtual DesignContext {
  public:
    virtual CharacteristicsState& characteristics() = 0;
    virtual const CharacteristicsState& characteristics() const = 0;

  protected:
    ~CharacteristicsContext() = default;
};

}  // namespace qalix
