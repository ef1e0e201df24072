// What the sample-path callbacks work on: the design's context, the state of their own
// dialogs, and the frame menu's "By simulation" item, which a simulation enables or greys.
#pragma once

#include "design/context.hpp"
#include "samples/samples_state.hpp"

namespace qalix {

class SamplesContext : public virtual DesignContext {
  public:
    virtual SamplesState& samples() = 0;
    virtual const SamplesState& samples() const = 0;
    // "By simulation" in the frame menu: enabled after a simulation that succeeded, greyed
    // after one that failed.
    virtual void setSimulationPlotEnabled(bool enabled) = 0;

  protected:
    ~SamplesContext() = default;
};

}  // namespace qalix
