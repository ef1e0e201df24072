// The command line's plot: the design placed as the other options say, sample paths
// simulated or imported when the boundary plot draws them, the plot opened through the
// frame's Plot menu in a graphic window of the size asked for, and saved through its
// "Save As..." as a metafile or a picture file.
#pragma once

#include "cli/options.hpp"
#include "document/session.hpp"

namespace qalix {

void runPlot(Session& s, const CliOptions& o);

}  // namespace qalix
