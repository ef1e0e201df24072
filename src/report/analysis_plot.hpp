// The boundary plot with the trial's observed path, as the analysis document shows it.
#pragma once

#include <string>

#include "platform/headless/session.hpp"

namespace qalix {

// The boundary plot of the design the session's program computed, with the path of the looks
// it analysed (analysis/trial_dialog.hpp, showObservedPath), as an <svg> element the size of
// the plot page: drawn as Plot > "Sequential boundary" draws it in the graphic window.
std::string boundaryPlotSvg(Session& session);

}  // namespace qalix
