// A design typed into the program as a user types it: the design chosen, the parameters typed
// into the panel, the one to compute clicked, the looks typed into the information-time dialog,
// rho_max or a, and "Sequential Design" pressed. The command line, the design files and the
// reports all enter a design this way, on a screen or not.
#pragma once

#include <functional>
#include <stdexcept>

#include "document/design_inputs.hpp"
#include "shell/program.hpp"

namespace qalix {

// Inputs the dialogs cannot take as given: a list of looks of the wrong length.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs after every action: the command line ends the run at the first message the program
// showed.
using AfterAction = std::function<void()>;

// Sections 1 and 2 of the panel: the design, the parameters, the one computed.
void enterFixedDesign(Program& program, const DesignInputs& inputs, const AfterAction& after);
// Sections 3 and 4: the looks, the boundary coefficient, "Sequential Design".
void enterSequentialDesign(Program& program, const DesignInputs& inputs, const AfterAction& after);

// The means a document computes (its own first), followed by the design's own means, those on
// the other scale carried over as mu = delta * sigma / sqrt(M): no mean a design file gives
// is dropped, so each is checked as the design command checks it.
MeanList withDesignMeans(MeanList own, const std::optional<MeanList>& design,
                         const DesignRecord& record);

}  // namespace qalix
