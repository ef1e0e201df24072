// The command line's sample commands: simulate sets on a design and write them as "Save
// Simulation" would, and import sample files in order and report the records as the
// selection dialog shows them. Both drive the dialogs and the frame's Data menu as a user
// does, on the design the other options placed.
#pragma once

#include <ostream>

#include "cli/options.hpp"
#include "document/session.hpp"
#include "document/snapshot_json.hpp"

namespace qalix {

// Writes the "Simu" lines to --out (through the frame's "Save Simulation") or to out, or the
// report with the sets and lines to out as JSON.
void runSimulate(Session& s, const CliOptions& o, Json& report, std::ostream& out);

// Adds the imported records to the report.
void runImport(Session& s, const SampleOptions& o, Json& report);

// The steps both share with the plot command: the sets of --set selected and simulated in
// the simulation dialog; the files imported through the text window's Data menu and the
// records of --select selected in the selection dialog.
void simulateSets(Session& s, const CliOptions& o);
void importFiles(Session& s, const SampleOptions& o);

}  // namespace qalix
