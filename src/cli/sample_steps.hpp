// The steps with sample paths that the simulate, import and plot commands share, as a user takes
// them on the design the other options placed: the sets of --set selected and simulated in the
// simulation dialog; the files imported through the text window's Data menu and the records of
// --select selected in the selection dialog.
#pragma once

#include "cli/options.hpp"
#include "platform/headless/session.hpp"

namespace qalix {

void simulateSets(Session& s, const SampleOptions& o, bool onInformationTime);
void importFiles(Session& s, const SampleOptions& o);

}  // namespace qalix
